#include "startup/frmPresentacion.h"

#include "chrome/Disenos.h"
#include "chrome/Sonidos.h"
#include "chrome/Ventanas.h"
#include "platform/Twips.h"

#include <QApplication>
#include <QDialog>
#include <QMouseEvent>
#include <QTimer>

frmPresentacion::frmPresentacion() {
    setObjectName(QStringLiteral("frmPresentacion"));
    setWindowTitle(QStringLiteral("Palavrix"));
    Tag = QStringLiteral("prin");
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::black);
    setPalette(p);
    setAutoFillBackground(true);

    pctPres = new controls::PictureBox(this, QStringLiteral("pctPres"));
    pctPres->resize(298, 132);
    connect(pctPres, &controls::PictureBox::Click, this, [this] { Unload(); });
    for (int i = 0; i < 9; ++i) {
        auto* frame = new controls::PictureBox(this, controls::Name("imgPres", i));
        frame->resize(298, 132);
        frame->SetPicture(Diseno(QStringLiteral("PresFrame%1").arg(i)));
        frame->hide();
        connect(frame, &controls::PictureBox::Click, this, [this] { Unload(); });
    }
    imgPresenta = new controls::PictureBox(this, QStringLiteral("imgPresenta"));
    imgPresenta->resize(121, 32);
    imgPresenta->SetPicture(Diseno(QStringLiteral("Presenta")));
    imgPresenta->hide();
    connect(imgPresenta, &controls::PictureBox::Click, this, [this] { Unload(); });

    lblTitulo = new controls::Label(this, QStringLiteral("lblTitulo"), QStringLiteral("Palavrix"));
    QFont titulo(QStringLiteral("Times New Roman"));
    titulo.setStyleHint(QFont::Serif);
    titulo.setPixelSize(32); // 24 points at the skins' 96 dots per inch
    titulo.setBold(true);
    lblTitulo->setFont(titulo);
    lblTitulo->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    controls::Place(lblTitulo, 960, 4440, 7800, 735);
    lblTitulo->hide();
    // The title is only shown; a click on it is a click on the window.
    lblTitulo->setAttribute(Qt::WA_TransparentForMouseEvents);

    Timer1 = new QTimer(this);
    Timer1->setInterval(kIntervalo);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1_Timer(); });
}

controls::PictureBox* frmPresentacion::imgPres(int index) const {
    return findChild<controls::PictureBox*>(controls::Name("imgPres", index));
}

void frmPresentacion::Form_Load() {
    SiempreVisible(this);
    ReproducirSonido(QStringLiteral("PRES.WAV"), false);
    FijarTamano(this);
    pctPres->move(twips::ToPixels(2460), twips::ToPixels(2340));
    imgPresenta->move(twips::ToPixels(3780), twips::ToPixels(4620));
    Timer1->start();
    qApp->installEventFilter(this);
}

bool frmPresentacion::eventFilter(QObject* objeto, QEvent* e) {
    if (e->type() == QEvent::Show) {
        auto* caja = qobject_cast<QDialog*>(objeto);
        if (caja && caja->isWindow() && !Unloading()) QTimer::singleShot(0, this, [this] { Unload(); });
    }
    return Form::eventFilter(objeto, e);
}

void frmPresentacion::Timer1_Timer() {
    const int n = Ticks;
    raise(); // stays in front even where no window manager honours the stay-on-top hint
    if (n < 9) pctPres->SetPicture(imgPres(n)->Picture());
    if (n == 18) imgPresenta->show();
    if (n == 30) {
        imgPresenta->hide();
        lblTitulo->show();
    }
    if (n == 48) {
        Timer1->stop();
        Unload();
    }
    if (Ticks < INT16_MAX) ++Ticks;
}

void frmPresentacion::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) Form_Click();
}
