// The real settings store: values go to the program's settings file and come back, and a file
// that cannot be written is reported, with where it is, rather than taken as saved.
#include "platform/Settings.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

const QString kClave = QStringLiteral("PruebaAlmacen");

class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override {
        settings::Install(nullptr);
        QSettings().remove(kClave);
    }
    void TearDown() override {
        QDir(archivo).removeRecursively(); // when a test left a folder in the file's place
        QSettings().remove(kClave);
    }
    settings::Store& almacen = settings::Current();
    const QString archivo = QSettings().fileName();
};

} // namespace

TEST_F(SettingsStore, AMissingValueGivesTheFallbackAndASavedOneIsOnFile) {
    EXPECT_EQ(almacen.Value(kClave, QStringLiteral("C")), "C");
    EXPECT_TRUE(almacen.SetValue(kClave, QStringLiteral("e")));
    EXPECT_EQ(almacen.Value(kClave, QStringLiteral("C")), "e");
    // Written out at once: a reader of its own finds it on file.
    EXPECT_EQ(QSettings(archivo, QSettings::NativeFormat).value(kClave).toString(), "e");
    EXPECT_EQ(almacen.Location(), QDir::toNativeSeparators(archivo));
}

TEST_F(SettingsStore, AFileThatCannotBeWrittenIsReportedAndTheValueIsNotTakenAsSaved) {
    // A folder stands where the file would be: no one, not even root, can write it.
    QFile::remove(archivo);
    ASSERT_TRUE(QDir().mkpath(archivo));
    EXPECT_FALSE(almacen.SetValue(kClave, QStringLiteral("d")));
    EXPECT_EQ(almacen.Location(), QDir::toNativeSeparators(archivo));

    // Writable again: saved, and reported so.
    ASSERT_TRUE(QDir(archivo).removeRecursively());
    EXPECT_TRUE(almacen.SetValue(kClave, QStringLiteral("d")));
    EXPECT_EQ(almacen.Value(kClave, QStringLiteral("C")), "d");
}
