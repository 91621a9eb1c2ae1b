#include "chrome/MarcoFoco.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

MarcoFoco::MarcoFoco(QWidget* ventana, std::function<QColor()> color)
    : QWidget(ventana), color_(std::move(color)) {
    setObjectName(QStringLiteral("MarcoFoco"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this] { seguir(); });
}

void MarcoFoco::seguir() {
    // The window's focus control, even while another window is active: that is where the keys
    // will go on return.
    QWidget* foco = window()->focusWidget();
    if (foco && (foco == window() || !(foco->focusPolicy() & Qt::TabFocus))) foco = nullptr;
    if (foco != control_) {
        soltar();
        control_ = foco;
        for (QWidget* w = foco; w && w != window(); w = w->parentWidget()) {
            w->installEventFilter(this);
            vigilados_ << w;
        }
    }
    ubicar();
}

void MarcoFoco::soltar() {
    for (const QPointer<QWidget>& w : std::as_const(vigilados_))
        if (w) w->removeEventFilter(this);
    vigilados_.clear();
    control_ = nullptr;
}

void MarcoFoco::ubicar() {
    if (!control_ || !control_->isVisibleTo(window())) {
        hide();
        return;
    }
    const int margen = kSeparacion + kGrosor;
    const QRect r(control_->mapTo(window(), QPoint(0, 0)), control_->size());
    setGeometry(r.adjusted(-margen, -margen, margen, margen));
    // Whatever opened over the control since (the word list raises its frame pictures) stays
    // under the ring.
    raise();
    show();
    update();
}

bool MarcoFoco::eventFilter(QObject* objeto, QEvent* e) {
    switch (e->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
    case QEvent::ParentChange:
        ubicar();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(objeto, e);
}

void MarcoFoco::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color_(), kGrosor));
    p.setBrush(Qt::NoBrush);
    const qreal medio = kGrosor / 2.0;
    p.drawRoundedRect(QRectF(rect()).adjusted(medio, medio, -medio, -medio), 3, 3);
}
