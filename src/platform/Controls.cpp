#include "platform/Controls.h"

#include "platform/Twips.h"

#include <QMouseEvent>
#include <QPainter>

namespace controls {

QColor DesdeBGR(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QString Nombre(const char* name, int index) { return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index); }

void Colocar(QWidget* w, int left, int top, int width, int height) {
    w->setGeometry(twips::APixeles(left), twips::APixeles(top), twips::APixeles(width), twips::APixeles(height));
}

void AnchoParaTexto(QLabel* l) {
    const int ancho = l->fontMetrics().horizontalAdvance(l->text()) + 4;
    if (ancho > l->width()) l->resize(ancho, l->height());
}

QFont Fuente(double points, bool bold, bool italic, const char* family) {
    QFont f(QString::fromLatin1(family));
    f.setStyleHint(QFont::SansSerif);
    // Points at the skins' 96 dots per inch, whatever the screen reports, so text fits the
    // 640 x 480 designs the same way everywhere.
    f.setPixelSize(static_cast<int>(twips::RoundHalfEven(points * 96.0 / 72.0)));
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

int Boton(Qt::MouseButtons b) {
    int v = 0;
    if (b & Qt::LeftButton) v |= 1;
    if (b & Qt::RightButton) v |= 2;
    if (b & Qt::MiddleButton) v |= 4;
    return v;
}

int Shift(Qt::KeyboardModifiers m) {
    int v = 0;
    if (m & Qt::ShiftModifier) v |= 1;
    if (m & Qt::ControlModifier) v |= 2;
    if (m & Qt::AltModifier) v |= 4;
    return v;
}

namespace {
double tw(double px) { return px * twips::kPorPixel; }
} // namespace

Label::Label(QWidget* parent, const QString& name, const QString& caption) : QLabel(caption, parent) {
    setObjectName(name);
    setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFont(Fuente(8.25));
    SetForeColor(vbWhite);
}

void Label::SetForeColor(uint32_t bgr) {
    foreColor_ = bgr;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, DesdeBGR(bgr));
    setPalette(p);
}

void Label::SetUnderline(bool on) {
    QFont f = font();
    f.setUnderline(on);
    setFont(f);
}

void Label::setText(const QString& c) {
    QLabel::setText(c);
    Ajustar();
}

void Label::AjustarAlAncho(double pisoPuntos) {
    piso_ = pisoPuntos;
    Ajustar();
}

void Label::Ajustar() {
    fuenteAjustada_ = font();
    textoAjustado_ = textoMedido_ = text();
    if (piso_ <= 0) return;
    const int ancho = contentsRect().width();
    // The design fonts are sized in pixels (Fuente): shrink a pixel at a time down to the floor.
    QFont f = font();
    const int piso = Fuente(piso_).pixelSize();
    while (f.pixelSize() > piso && QFontMetricsF(f).horizontalAdvance(text()) > ancho) f.setPixelSize(f.pixelSize() - 1);
    fuenteAjustada_ = f;
    textoAjustado_ = QFontMetrics(f).elidedText(text(), Qt::ElideRight, ancho);
    const bool entero = textoAjustado_ == text() && f.pixelSize() == font().pixelSize();
    if (!entero) {
        if (toolTip().isEmpty() || toolTip() == tipPuesto_) setToolTip(tipPuesto_ = text());
    } else if (!tipPuesto_.isEmpty() && toolTip() == tipPuesto_) {
        setToolTip(QString());
        tipPuesto_.clear();
    }
    update();
}

void Label::paintEvent(QPaintEvent* e) {
    if (piso_ <= 0) {
        QLabel::paintEvent(e);
        return;
    }
    if (textoMedido_ != text()) Ajustar(); // changed through QLabel itself
    QPainter p(this);
    p.setFont(fuenteAjustada_);
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(contentsRect(), static_cast<int>(alignment()) | Qt::TextSingleLine, textoAjustado_);
}

void Label::resizeEvent(QResizeEvent* e) {
    QLabel::resizeEvent(e);
    Ajustar();
}

void Label::changeEvent(QEvent* e) {
    QLabel::changeEvent(e);
    if (e->type() == QEvent::FontChange) Ajustar();
}

void Label::mouseMoveEvent(QMouseEvent* e) {
    emit MouseMove(Boton(e->buttons()), Shift(e->modifiers()), tw(e->position().x()), tw(e->position().y()));
}
void Label::mousePressEvent(QMouseEvent* e) {
    pressed_ = true;
    emit MouseDown(Boton(e->button()), Shift(e->modifiers()), tw(e->position().x()), tw(e->position().y()));
}
void Label::mouseReleaseEvent(QMouseEvent* e) {
    emit MouseUp(Boton(e->button()), Shift(e->modifiers()), tw(e->position().x()), tw(e->position().y()));
    if (pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
        pressed_ = false;
        emit Click();
        return;
    }
    pressed_ = false;
}
void Label::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit DblClick();
}

PictureBox::PictureBox(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    setMouseTracking(true);
}

void PictureBox::SetPicture(const QPixmap& p) {
    picture_ = p;
    update();
}

void PictureBox::SetStretch(bool s) {
    stretch_ = s;
    update();
}

void PictureBox::SetBackColor(uint32_t bgr) {
    hasBack_ = true;
    back_ = DesdeBGR(bgr);
    update();
}

void PictureBox::SetCapture() { grabMouse(); }

void PictureBox::ReleaseCapture() {
    if (QWidget* g = QWidget::mouseGrabber()) g->releaseMouse();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (hasBack_) p.fillRect(rect(), back_);
    if (picture_.isNull()) return;
    if (stretch_) p.drawPixmap(rect(), picture_);
    else p.drawPixmap(0, 0, picture_);
}

void PictureBox::mouseMoveEvent(QMouseEvent* e) {
    emit MouseMove(Boton(e->buttons()), Shift(e->modifiers()), tw(e->position().x()), tw(e->position().y()));
}
void PictureBox::mousePressEvent(QMouseEvent* e) {
    pressed_ = true;
    emit MouseDown(Boton(e->button()), Shift(e->modifiers()), tw(e->position().x()), tw(e->position().y()));
}
void PictureBox::mouseReleaseEvent(QMouseEvent* e) {
    emit MouseUp(Boton(e->button()), Shift(e->modifiers()), tw(e->position().x()), tw(e->position().y()));
    const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
    pressed_ = false;
    if (click) emit Click();
}
void PictureBox::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit DblClick();
}
void PictureBox::focusOutEvent(QFocusEvent* e) {
    QWidget::focusOutEvent(e);
    emit LostFocus();
}

} // namespace controls
