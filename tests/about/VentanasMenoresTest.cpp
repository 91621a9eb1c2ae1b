#include "VentanasPrueba.h"
#include "about/frmAcercaDe.h"
#include "about/frmImagen.h"
#include "dictionary_window/frmPrincipal.h"
#include "startup/frmPresentacion.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

using VentanasMenores = VentanasPrueba;

TEST_F(VentanasMenores, TheSplashFollowsItsTickSchedule) {
    auto* s = new frmPresentacion;
    s->Load();
    s->Timer1->stop(); // the test drives the ticks
    EXPECT_EQ(s->Left(), 0);
    EXPECT_EQ(s->Top(), 0);
    EXPECT_EQ(s->Width(), 9600);
    EXPECT_TRUE(s->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(entorno.sonidos->rutas.last().endsWith("SONIDOS/PRES.WAV"));
    EXPECT_EQ(s->pctPres->pos(), QPoint(164, 156));
    QList<QImage> vistos;
    for (int t = 0; t < 9; ++t) {
        s->Timer1_Timer();
        EXPECT_EQ(s->pctPres->Picture().toImage(), s->imgPres(t)->Picture().toImage());
    }
    const QImage ultimo = s->pctPres->Picture().toImage();
    for (int t = 9; t < 18; ++t)
        s->Timer1_Timer();
    EXPECT_EQ(s->pctPres->Picture().toImage(), ultimo); // ticks 9 to 17 change nothing
    EXPECT_TRUE(s->imgPresenta->isHidden());
    s->Timer1_Timer(); // 18
    EXPECT_FALSE(s->imgPresenta->isHidden());
    for (int t = 19; t <= 30; ++t)
        s->Timer1_Timer();
    EXPECT_TRUE(s->imgPresenta->isHidden());
    EXPECT_FALSE(s->lblTitulo->isHidden());
    EXPECT_EQ(s->lblTitulo->text(), "Palavrix");
    for (int t = 31; t < 48; ++t)
        s->Timer1_Timer();
    EXPECT_TRUE(s->Loaded());
    s->Timer1_Timer(); // 48
    EXPECT_FALSE(s->Loaded());
}

TEST_F(VentanasMenores, AClickAnywhereOnTheSplashClosesIt) {
    auto* s = new frmPresentacion;
    s->Load();
    s->show();
    s->Timer1_Timer();
    QTest::mouseClick(s->pctPres, Qt::LeftButton);
    EXPECT_FALSE(s->Loaded());
    auto* s2 = new frmPresentacion;
    s2->Load();
    s2->show();
    QTest::mouseClick(s2, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(s2->Loaded());
}

TEST_F(VentanasMenores, AboutLinksLightOneAtATimeUntilTheBackground) {
    Abrir<frmPrincipal>();
    auto* a = new frmAcercaDe;
    a->Load();
    a->show();
    a->lblLink_MouseMove(1);
    EXPECT_EQ(a->lblLink(1)->ForeColor(), controls::vbRed);
    EXPECT_TRUE(a->lblLink(1)->font().underline());
    a->lblLink_MouseMove(0);
    EXPECT_EQ(a->lblLink(1)->ForeColor(), controls::vbWhite);
    EXPECT_FALSE(a->lblLink(1)->font().underline());
    EXPECT_EQ(a->lblLink(0)->ForeColor(), controls::vbRed);
    a->imgFondo_MouseMove();
    EXPECT_EQ(a->lblLink(0)->ForeColor(), controls::vbWhite);
    EXPECT_EQ(a->EnlaceResaltado, -1);
    a->lblLink_Click(1);
    a->lblLink_Click(2);
    EXPECT_EQ(entorno.documentos->abiertos, (QStringList{"https://www.norvento-programs.com",
                                                         "mailto:martin.okonkwo@norvento-programs.com"}));
}

TEST_F(VentanasMenores, AnAboutLinkNothingCanOpenIsShownInAMessage) {
    Abrir<frmPrincipal>();
    auto* a = new frmAcercaDe;
    a->Load();
    a->show();
    entorno.documentos->hayPrograma = false;
    a->lblLink_Click(1);
    EXPECT_TRUE(TomarAvisoSinPrograma().endsWith("https://www.norvento-programs.com"));
    a->lblLink_Click(2);
    EXPECT_TRUE(TomarAvisoSinPrograma().endsWith("martin.okonkwo@norvento-programs.com"));
    EXPECT_TRUE(a->Loaded());
}

TEST_F(VentanasMenores, AboutClosesByEscOrTheBackgroundButNotByItsLabels) {
    Abrir<frmPrincipal>();
    auto* a = new frmAcercaDe;
    a->Load();
    a->show();
    auto* credito = a->findChild<controls::Label*>("Label4");
    ASSERT_NE(credito, nullptr);
    QTest::mouseClick(credito, Qt::LeftButton);
    QTest::mouseClick(a->Image1, Qt::LeftButton);
    EXPECT_TRUE(a->Loaded());
    QTest::keyClick(a, Qt::Key_Escape);
    EXPECT_FALSE(a->Loaded());
    EXPECT_TRUE(entorno.sonidos->rutas.last().endsWith("SALIR.WAV"));
    EXPECT_EQ(VentanaActiva, 1);

    auto* b = new frmAcercaDe;
    b->Load();
    b->show();
    QTest::mouseClick(b->imgFondo, Qt::LeftButton, {}, QPoint(20, 400));
    EXPECT_FALSE(b->Loaded());
}

TEST_F(VentanasMenores, ThePictureWindowClosesByItsPictureOrXAndDragsByItsStrip) {
    auto* v = new frmImagen;
    v->Load();
    v->Move(1500, 1500);
    v->show();
    EXPECT_EQ(v->lblImagen->text(), "Nombre");
    QTest::mouseClick(v->lblImagen, Qt::LeftButton);
    EXPECT_TRUE(v->Loaded());
    v->imgMMover_MouseDown(1, 0, 100, 50);
    v->imgMMover_MouseMove(1, 0, 400, 200);
    v->imgMMover_MouseUp(1, 0, 400, 200);
    EXPECT_EQ(v->Left(), 1800);
    EXPECT_EQ(v->Top(), 1650);
    // The strip's own events reach those handlers.
    emit v->imgMMover->MouseDown(2, 0, 100, 50);
    emit v->imgMMover->MouseMove(2, 0, 250, 50);
    emit v->imgMMover->MouseUp(2, 0, 250, 50);
    EXPECT_EQ(v->Left(), 1950);
    EXPECT_EQ(v->Top(), 1650);
    QTest::mouseClick(v->lblSalir, Qt::LeftButton);
    EXPECT_FALSE(v->Loaded());

    auto* v2 = new frmImagen;
    v2->Load();
    v2->show();
    QPixmap p(40, 30);
    p.fill(Qt::red);
    v2->Mostrar(p, "Bandera");
    EXPECT_EQ(v2->lblImagen->text(), "Bandera");
    QTest::mouseClick(v2->imgImagen, Qt::LeftButton);
    EXPECT_FALSE(v2->Loaded());
}
