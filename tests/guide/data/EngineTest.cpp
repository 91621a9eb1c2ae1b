// The character engine with the Genie we build: one queue in issue order, nothing performed
// inside the caller's call, hidden-state rules, the menu and the click.
#include "platform/AgentEngine.h"
#include "platform/AgentEngineVoice.h"
#include "platform/AgentPlacement.h"

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <set>

using agent::EngineCharacter;
using agent::EngineControl;

namespace {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        control.CharactersLoad(QStringLiteral("Genie"), QStringLiteral(PALAVRIX_BUILD_DIR "/Genie.ACS"));
        c = control.Engine(QStringLiteral("Genie"));
        c->SetTimeScale(0);
        c->SetIdleEnabled(false);
        c->SetVoiceEnabled(false);
        QObject::connect(c, &EngineCharacter::RequestStarted, [this](const QString& r) { started << r; });
        QObject::connect(c, &EngineCharacter::RequestFinished, [this](const QString& r) { finished << r; });
    }
    // Turns the event loop until the queue is empty (or a generous limit passes).
    void Drain() {
        QElapsedTimer t;
        t.start();
        while (c->Pending() > 0 && t.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            QThread::msleep(1);
        }
        ASSERT_EQ(c->Pending(), 0) << "queue did not drain";
    }
    void Turn(int ms) {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < ms) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(1);
        }
    }

    EngineControl control;
    EngineCharacter* c = nullptr;
    QStringList started, finished;
};

} // namespace

TEST_F(EngineTest, RequestsRunOneAfterAnotherInTheOrderIssued) {
    const QStringList script1{"MoveTo 300,200",          "Show",
                              "Play GestureRight",       "Speak Abre el diccionario aquí.",
                              "Play GestureRightReturn", "MoveTo 120,80"};
    const QStringList script2{"Play Wave", "Play NoSuchAnimation", "Speak Adiós.", "Hide"};
    c->MoveTo(300, 200);
    c->Show();
    c->Play(QStringLiteral("GestureRight"));
    c->Speak(QStringLiteral("Abre el diccionario aquí."));
    c->Play(QStringLiteral("GestureRightReturn"));
    c->MoveTo(120, 80);
    // A second script issued before the first has finished waits behind it.
    c->Play(QStringLiteral("Wave"));
    c->Play(QStringLiteral("NoSuchAnimation"));
    c->Speak(QStringLiteral("Adiós."));
    c->Hide();
    Drain();
    EXPECT_EQ(started, script1 + script2);
    EXPECT_EQ(finished, script1 + script2);
    EXPECT_FALSE(c->Visible());
}

TEST_F(EngineTest, IssuingNeverPerformsInsideTheCall) {
    c->SetTimeScale(1); // real time: the queue would take hours
    const int kMuchos = 5000;
    for (int i = 0; i < kMuchos; ++i) {
        c->Show();
        c->Play(QStringLiteral("Congratulate"));
        c->Speak(QStringLiteral("Una frase bastante larga para el globo de texto."));
        c->MoveTo(i % 500, 100);
    }
    EXPECT_EQ(c->Pending(), 4 * kMuchos);
    EXPECT_TRUE(started.isEmpty());
    EXPECT_FALSE(c->Visible());
    Turn(50);
    EXPECT_LE(started.size(), 3) << "the queue runs at the character's pace, not all at once";
}

TEST_F(EngineTest, WhileHiddenMoveToSetsWhereTheNextShowAppears) {
    c->MoveTo(210, 140);
    c->Play(QStringLiteral("Wave"));
    c->Speak(QStringLiteral("Nadie me ve."));
    Drain();
    EXPECT_FALSE(c->Visible());
    EXPECT_FALSE(c->Window()->isVisible());
    EXPECT_FALSE(c->Balloon()->isVisible()) << "no balloon for a hidden character";
    EXPECT_EQ(c->Position(), QPoint(210, 140));
    c->Show();
    Drain();
    EXPECT_TRUE(c->Visible());
    EXPECT_TRUE(c->Window()->isVisible());
    EXPECT_EQ(c->Window()->pos(), QPoint(210, 140));
    c->MoveTo(400, 300); // a flight while shown
    c->Show();           // already shown: nothing
    Drain();
    EXPECT_EQ(c->Window()->pos(), QPoint(400, 300));
    c->Hide();
    c->Hide();
    Drain();
    EXPECT_FALSE(c->Visible());
    EXPECT_FALSE(c->Window()->isVisible());
}

TEST_F(EngineTest, SpeakShowsTheBalloonWordByWordThenTakesItAway) {
    c->Show();
    Drain();
    c->SetTimeScale(0.05);
    QStringList revealed;
    c->Speak(QStringLiteral("Hola, soy Genio y te ayudo."));
    QElapsedTimer t;
    t.start();
    bool balloonSeen = false;
    QImage mouthFrame;
    while (c->Pending() > 0 && t.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (c->Balloon()->isVisible()) balloonSeen = true;
        QThread::msleep(1);
    }
    EXPECT_TRUE(balloonSeen);
    EXPECT_FALSE(c->Balloon()->isVisible());
    EXPECT_EQ(finished.last(), QStringLiteral("Speak Hola, soy Genio y te ayudo."));
}

TEST_F(EngineTest, MenuOffersTheVisibleCommandsInOrderAndReportsTheChoice) {
    auto& cmds = c->Commands();
    cmds.Add(QStringLiteral("Explicar"), QStringLiteral("Explicar"));
    cmds.Add(QStringLiteral("Ayuda"), QStringLiteral("Abrir archivo de Ayuda"));
    cmds.Add(QStringLiteral("Salir"), QStringLiteral("Salir del programa"));
    auto captions = [this] {
        std::unique_ptr<QMenu> menu(c->BuildMenu());
        QStringList out;
        for (QAction* a : menu->actions())
            out << a->text();
        return out;
    };
    EXPECT_EQ(captions(), (QStringList{"Explicar", "Abrir archivo de Ayuda", "Salir del programa"}));
    cmds.Command(QStringLiteral("Explicar")).SetVisible(false);
    EXPECT_EQ(captions(), (QStringList{"Abrir archivo de Ayuda", "Salir del programa"}));
    cmds.Command(QStringLiteral("Explicar")).SetVisible(true);
    EXPECT_EQ(captions(), (QStringList{"Explicar", "Abrir archivo de Ayuda", "Salir del programa"}));

    QStringList chosen;
    QObject::connect(&control, &agent::AgentControl::Command, [&](const QString& n) { chosen << n; });
    std::unique_ptr<QMenu> menu(c->BuildMenu());
    menu->actions().at(1)->trigger();
    EXPECT_EQ(chosen, QStringList{"Ayuda"});
}

TEST_F(EngineTest, ClicksReportButtonShiftAndScreenPosition) {
    c->MoveTo(50, 60);
    c->Show();
    Drain();
    struct Clic {
        QString id;
        int button, shift, x, y;
    };
    std::vector<Clic> clics;
    QObject::connect(&control, &agent::AgentControl::Click,
                     [&](const QString& id, int b, int s, int x, int y) {
                         clics.push_back({id, b, s, x, y});
                     });
    QWidget* w = c->Window();
    auto send = [w](QEvent::Type type, Qt::MouseButton b, Qt::KeyboardModifiers m, QPoint local) {
        QMouseEvent e(type, QPointF(local), QPointF(w->mapToGlobal(local)), b,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(b), m);
        QApplication::sendEvent(w, &e);
    };
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::ShiftModifier, {64, 40});
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::ShiftModifier, {64, 40});
    send(QEvent::MouseButtonPress, Qt::MiddleButton, Qt::NoModifier, {10, 10});
    send(QEvent::MouseButtonRelease, Qt::MiddleButton, Qt::NoModifier, {10, 10});
    send(QEvent::MouseButtonPress, Qt::RightButton, Qt::ControlModifier, {20, 30});
    send(QEvent::MouseButtonRelease, Qt::RightButton, Qt::ControlModifier, {20, 30});
    ASSERT_EQ(clics.size(), 3u);
    EXPECT_EQ(clics[0].id, QStringLiteral("Genie"));
    EXPECT_EQ(clics[0].button, 1);
    EXPECT_EQ(clics[0].shift, 1);
    EXPECT_EQ(QPoint(clics[0].x, clics[0].y), w->mapToGlobal(QPoint(64, 40)));
    EXPECT_EQ(clics[1].button, 4);
    EXPECT_EQ(clics[2].button, 2);
    EXPECT_EQ(clics[2].shift, 2);
    // A drag with the left button moves the character and is no click.
    send(QEvent::MouseButtonPress, Qt::LeftButton, Qt::NoModifier, {64, 40});
    QMouseEvent move(QEvent::MouseMove, QPointF(94, 60), QPointF(w->mapToGlobal(QPoint(94, 60))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
    send(QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoModifier, {94, 60});
    EXPECT_EQ(clics.size(), 3u);
    EXPECT_EQ(c->Position(), QPoint(80, 80));
    for (QWidget* m : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(m)) m->close();
}

TEST_F(EngineTest, WindowsStayOnTopWithoutFocusAndNeverKeepTheProgramRunning) {
    for (QWidget* w : {c->Window(), c->Balloon()}) {
        const Qt::WindowFlags f = w->windowFlags();
        EXPECT_TRUE(f.testFlag(Qt::WindowStaysOnTopHint));
        EXPECT_TRUE(f.testFlag(Qt::FramelessWindowHint));
        EXPECT_TRUE(f.testFlag(Qt::WindowDoesNotAcceptFocus));
        EXPECT_EQ(f & Qt::WindowType_Mask, Qt::Tool);
        EXPECT_TRUE(w->testAttribute(Qt::WA_TranslucentBackground));
        EXPECT_TRUE(w->testAttribute(Qt::WA_ShowWithoutActivating));
        EXPECT_FALSE(w->testAttribute(Qt::WA_QuitOnClose));
    }
    EXPECT_EQ(c->Window()->size(), QSize(128, 128));
}

TEST_F(EngineTest, TheVisibleGuideComesInFrontOfEveryWindowShownAfterHim) {
    int adelantado = 0;
    QObject::connect(c, &EngineCharacter::BroughtToFront, [&] { ++adelantado; });
    QWidget antes;
    antes.show(); // while he is hidden, nothing to do
    QCoreApplication::processEvents();
    EXPECT_EQ(adelantado, 0);
    c->Show();
    Drain();
    QWidget nueva;
    nueva.show();
    nueva.raise();
    QCoreApplication::processEvents();
    EXPECT_EQ(adelantado, 1) << "at once, not at his next gesture";
    QWidget hija(&nueva); // not a window of its own
    hija.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(adelantado, 1);
    c->Speak(QStringLiteral("Hola."));
    Drain();
    EXPECT_EQ(adelantado, 1) << "his own balloon is no reason";
}

TEST_F(EngineTest, ClosingTheLastProgramWindowEndsTheProgramWhileTheGuideIsOnScreen) {
    QWidget programa;
    programa.show();
    c->Show();
    c->Speak(QStringLiteral("Sigo aquí."));
    QCoreApplication::processEvents();
    ASSERT_TRUE(c->Window()->isVisible());
    // The program's own loop, as main() runs it: closing its last window must end it.
    QApplication::setQuitOnLastWindowClosed(true);
    bool colgado = false;
    QTimer::singleShot(50, &programa, [&] { programa.close(); });
    QTimer limite;
    limite.setSingleShot(true);
    QObject::connect(&limite, &QTimer::timeout, [&] {
        colgado = true;
        QCoreApplication::quit();
    });
    limite.start(5000);
    QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(false);
    EXPECT_FALSE(colgado) << "the guide's windows kept the program running";
    Drain();
}

TEST_F(EngineTest, SpeakingMovesTheMouthOverTheCurrentPose) {
    c->Show();
    c->Play(QStringLiteral("GestureRight"));
    Drain();
    const QImage pointing = c->CurrentFrame();
    ASSERT_EQ(pointing.size(), QSize(128, 128));
    c->SetTimeScale(0.05);
    c->Speak(QStringLiteral("uno dos tres cuatro cinco seis"));
    std::set<size_t> mouths;
    QElapsedTimer t;
    t.start();
    while (c->Pending() > 0 && t.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        const QImage now = c->CurrentFrame();
        // The arm keeps pointing (the far left, where the hand is, is unchanged) ...
        EXPECT_EQ(now.copy(0, 50, 30, 30), pointing.copy(0, 50, 30, 30));
        const QImage mouth = now.copy(50, 40, 28, 20);
        mouths.insert(qHashBits(mouth.constBits(), size_t(mouth.sizeInBytes())));
        QThread::msleep(1);
    }
    // ... while the mouth takes several shapes.
    EXPECT_GE(mouths.size(), 3u);
}

TEST_F(EngineTest, ReloadingAndUnknownIdsAreErrors) {
    EXPECT_THROW(control.CharactersItem(QStringLiteral("Merlin")), agent::AgentError);
    EXPECT_THROW(control.CharactersLoad(QStringLiteral("Otro"), QStringLiteral("/no/such/Genie.ACS")),
                 agent::AgentError);
    EXPECT_THROW(control.CharactersItem(QStringLiteral("Otro")), agent::AgentError);
}

// ---- Keeping clear of the program's boxes and panels -----------------------------------------

namespace {

QRect Marco(const EngineCharacter* c) {
    return QRect(c->Position(), c->Window()->size());
}

QRect EnPantalla(const QWidget* w) {
    return QRect(w->mapToGlobal(QPoint(0, 0)), w->size());
}

} // namespace

TEST_F(EngineTest, HeStepsBesideAMessageBoxThatOpensWhereHeStandsAndComesBackWhenItCloses) {
    c->MoveTo(300, 200);
    c->Show();
    Drain();
    QMessageBox box(QMessageBox::Information, "Palavrix", "No hay ningún navegador para abrir la dirección.",
                    QMessageBox::Ok);
    box.setWindowModality(Qt::NonModal);
    box.show();
    box.move(c->Position() + QPoint(-40, 30)); // over his lower half
    Turn(50);
    ASSERT_TRUE(box.isVisible());
    EXPECT_FALSE(Marco(c).intersects(box.geometry()))
        << "guide at " << c->Position().x() << "," << c->Position().y();
    EXPECT_EQ(c->Window()->pos(), c->Position());
    EXPECT_EQ(c->Wanted(), QPoint(300, 200));
    box.hide();
    Turn(50);
    EXPECT_EQ(c->Position(), QPoint(300, 200));
}

TEST_F(EngineTest, ASpotUnderAnOpenBoxIsTakenBesideItAndPlainWindowsAreNoObstacle) {
    c->MoveTo(100, 100);
    c->Show();
    Drain();
    QWidget ventana; // a main window: he stands on it to explain it
    ventana.setGeometry(50, 50, 500, 400);
    ventana.show();
    QWidget panel(&ventana); // a panel marked to be kept clear
    panel.setGeometry(200, 150, 250, 200);
    agent::KeepClear(&panel);
    panel.show();
    Turn(50);
    EXPECT_EQ(c->Position(), QPoint(100, 100));
    c->MoveTo(300, 250); // inside the panel
    Drain();
    EXPECT_FALSE(Marco(c).intersects(EnPantalla(&panel)));
    EXPECT_EQ(c->Wanted(), QPoint(300, 250));
    panel.hide();
    Turn(50);
    EXPECT_EQ(c->Position(), QPoint(300, 250));
}

TEST_F(EngineTest, TheRequestsTiedToAWindowEndWhenItCloses) {
    QWidget acerca;
    acerca.setGeometry(600, 50, 100, 100);
    acerca.show();
    c->MoveTo(100, 100);
    c->Show();
    Drain();
    c->SetTimeScale(0.2);
    c->TieRequests(&acerca);
    c->Speak(QStringLiteral("uno dos tres cuatro cinco seis siete ocho nueve diez"));
    c->Play(QStringLiteral("GestureRight"));
    c->MoveTo(150, 150);
    c->TieRequests(nullptr);
    c->Play(QStringLiteral("Wave")); // not tied: stays
    EXPECT_EQ(c->PendingTiedTo(&acerca), 3);
    QElapsedTimer t;
    t.start();
    while (!c->Balloon()->isVisible() && t.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    ASSERT_TRUE(c->Balloon()->isVisible());
    acerca.hide();
    QCoreApplication::processEvents();
    EXPECT_EQ(c->PendingTiedTo(&acerca), 0);
    EXPECT_FALSE(c->Balloon()->isVisible()) << "the speech stops at once";
    c->SetTimeScale(0);
    Drain();
    EXPECT_FALSE(started.contains("Play GestureRight"));
    EXPECT_FALSE(started.contains("MoveTo 150,150"));
    EXPECT_TRUE(started.contains("Play Wave"));
    EXPECT_EQ(c->Position(), QPoint(100, 100));
}

TEST(GuidePlacement, AFreeSpotIsTheNearestBesideTheObstaclesInsideTheScreen) {
    const QSize guia(128, 128);
    const QRect pantalla(0, 0, 1024, 768);
    // Nothing in the way: where he was sent.
    EXPECT_EQ(agent::FreeSpot({100, 100}, guia, {QRect(400, 400, 100, 100)}, pantalla), QPoint(100, 100));
    // Covered on its left edge: just right of the box, the nearest side.
    const QRect caja(0, 80, 300, 150);
    const QPoint a = agent::FreeSpot({250, 100}, guia, {caja}, pantalla);
    EXPECT_FALSE(QRect(a, guia).intersects(caja));
    EXPECT_EQ(a, QPoint(306, 100));
    // At the screen's right edge the box's right side is off the screen: he goes left of it.
    const QRect derecha(900, 300, 124, 200);
    const QPoint b = agent::FreeSpot({920, 320}, guia, {derecha}, pantalla);
    EXPECT_FALSE(QRect(b, guia).intersects(derecha));
    EXPECT_TRUE(pantalla.contains(QRect(b, guia)));
    // Two boxes side by side: beside both, never pushed from one onto the other.
    const QList<QRect> dos{QRect(200, 200, 200, 200), QRect(400, 200, 200, 200)};
    const QPoint d = agent::FreeSpot({380, 250}, guia, dos, pantalla);
    for (const QRect& r : dos)
        EXPECT_FALSE(QRect(d, guia).intersects(r));
    EXPECT_TRUE(pantalla.contains(QRect(d, guia)));
    // A box filling the screen: he stays as good as he can, on the screen.
    const QPoint e = agent::FreeSpot({300, 300}, guia, {pantalla}, pantalla);
    EXPECT_TRUE(pantalla.contains(QRect(e, guia)));
}

TEST(GuideVoice, SpeechIsSynthesisedOffTheInterfaceThreadAndDeliveredOnIt) {
    namespace voice = agent::voice;
    if (!voice::SynthesisAvailable()) GTEST_SKIP() << "built without espeak-ng";
    QObject context;
    int got = -1, rate = 0;
    QByteArray pcm;
    Qt::HANDLE deliveredOn = nullptr;
    const int job = voice::Synthesize(QStringLiteral("Hola, soy Genio, tu guía."), &context,
                                      [&](int j, const QByteArray& p, int r) {
                                          got = j;
                                          pcm = p;
                                          rate = r;
                                          deliveredOn = QThread::currentThreadId();
                                      });
    EXPECT_GT(job, 0);
    EXPECT_EQ(got, -1) << "nothing is delivered inside the call";
    // A second request whose receiver is gone before the answer comes is dropped quietly.
    bool lateCalled = false;
    {
        QObject gone;
        voice::Synthesize(QStringLiteral("Nadie escucha."), &gone,
                          [&](int, const QByteArray&, int) { lateCalled = true; });
    }
    QElapsedTimer t;
    t.start();
    while (got != job && t.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    ASSERT_EQ(got, job);
    EXPECT_EQ(deliveredOn, QThread::currentThreadId());
    EXPECT_GE(rate, 8000);
    EXPECT_GT(pcm.size(), rate) << "at least half a second of 16-bit speech";
    EXPECT_EQ(pcm.size() % 2, 0);
    t.restart();
    while (t.elapsed() < 3000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_FALSE(lateCalled);
}
