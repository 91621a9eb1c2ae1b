// Loading the guide from the character file beside the executable: the one the build made loads,
// a missing or damaged one leaves the guide absent.
#include "RecordingAgent.h"
#include "guide/MSAgent.h"
#include "guide/frmAgentServer.h"
#include "platform/Form.h"
#include "platform/Paths.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Loading failures: the guide is absent, silently, and nothing of the attempt remains.
class GuideLoadFailure : public ::testing::Test {
protected:
    void SetUp() override {
        AgenteActivo = false;
        Personaje = nullptr;
    }
    void TearDown() override {
        paths::SetAppPath(QString());
        InstalarFabricaAgente(nullptr);
        Forms::FlushUnloaded();
    }
    void ExpectAbsent() {
        Forms::FlushUnloaded();
        EXPECT_FALSE(AgenteActivo);
        EXPECT_EQ(Personaje, nullptr);
        EXPECT_EQ(Forms::Find<frmAgentServer>(), nullptr);
        for (QWidget* w : QApplication::topLevelWidgets())
            EXPECT_FALSE(w->isVisible()) << w->objectName().toStdString();
    }
    QTemporaryDir dir;
};

TEST_F(GuideLoadFailure, NoCharacterFile) {
    paths::SetAppPath(dir.path());
    CargarAgente(QStringLiteral("Genie"));
    ExpectAbsent();
}

TEST_F(GuideLoadFailure, DamagedCharacterFiles) {
    paths::SetAppPath(dir.path());
    QFile real(QStringLiteral(PALAVRIX_BUILD_DIR "/Genie.ACS"));
    ASSERT_TRUE(real.open(QIODevice::ReadOnly));
    const QByteArray bytes = real.readAll();
    const std::vector<QByteArray> danados{
        QByteArray(),
        QByteArray("MZ this is not a character"),
        bytes.left(bytes.size() / 2),
        bytes.left(bytes.size() - 1),
        bytes + QByteArray("x"),
    };
    for (const QByteArray& d : danados) {
        QFile f(dir.filePath(QStringLiteral("Genie.ACS")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(d);
        f.close();
        CargarAgente(QStringLiteral("Genie"));
        ExpectAbsent();
    }
}

TEST_F(GuideLoadFailure, ControlThatRefusesToLoad) {
    InstalarGuiaGrabadora(true);
    CargarAgente(QStringLiteral("Genie"));
    ExpectAbsent();
}

TEST_F(GuideLoadFailure, TheRealCharacterLoadsAndUnloads) {
    paths::SetAppPath(QStringLiteral(PALAVRIX_BUILD_DIR));
    CargarAgente(QStringLiteral("Genie"));
    ASSERT_TRUE(AgenteActivo);
    ASSERT_NE(Personaje, nullptr);
    EXPECT_FALSE(Personaje->Visible());
    EXPECT_EQ(Personaje->Commands().VisibleEntries().size(), 3u);
    DescargarAgente();
    Forms::FlushUnloaded();
    EXPECT_EQ(Personaje, nullptr);
    EXPECT_EQ(Forms::Find<frmAgentServer>(), nullptr);
    AgenteActivo = false;
}
