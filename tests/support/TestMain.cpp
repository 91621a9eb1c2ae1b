// Every test program runs inside one QApplication (offscreen unless a display is asked for).
#include "startup/General.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings written by tests go to a test location, never the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Palavrix"));
    // One settings file per test process: CTest runs every test in a process of its own, side by
    // side, and a drive letter saved by one must not send another to a drive it does not have.
    // Two live processes never share an id; a folder left by an earlier process of the same id
    // (one killed at its timeout) goes first.
    QApplication::setOrganizationName(
        QStringLiteral("PalavrixTests-%1").arg(QCoreApplication::applicationPid()));
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows move and end as the program's do.
    RegistrarVentanas();
    const QString ajustes = QFileInfo(QSettings().fileName()).path();
    QDir(ajustes).removeRecursively();
    ::testing::InitGoogleTest(&argc, argv);
    const int resultado = RUN_ALL_TESTS();
    QDir(ajustes).removeRecursively();
    return resultado;
}
