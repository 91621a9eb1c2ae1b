#include "platform/Settings.h"

#include "platform/Files.h"
#include "platform/Locator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <sys/stat.h>

namespace settings {

namespace {

// The file QSettings() reads, found without making one: making one reads the whole file.
QString Archivo() {
    QString nombre = QCoreApplication::organizationName();
    if (!QCoreApplication::applicationName().isEmpty())
        nombre += QLatin1Char('/') + QCoreApplication::applicationName();
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1Char('/') +
           nombre + QStringLiteral(".conf");
}

// The program writes a few hundred bytes there. A FIFO at the name would hold the start in open()
// for ever, a device would be read without end, and a huge file (a sparse gigabyte) took seconds
// and gigabytes at every start: none of them is read, nor written over, and the program runs on
// its defaults, saying so once on standard error.
constexpr qint64 kMaxArchivo = 1024 * 1024;

bool Utilizable() {
    const QString archivo = Archivo();
    struct stat st {};
    if (::lstat(QFile::encodeName(archivo).constData(), &st) != 0) return true; // none yet
    if (files::IsRegular(archivo, kMaxArchivo)) return true;
    static bool dicho = false;
    if (!dicho) {
        dicho = true;
        std::fprintf(stderr,
                     "palavrix: el archivo de ajustes %s no es un archivo normal o es demasiado grande; "
                     "no se lee ni se escribe, y se usan los valores por omisión.\n",
                     qPrintable(QDir::toNativeSeparators(archivo)));
    }
    return false;
}

// A QSettings made for each call, so the file is read afresh and the organisation and
// application names in force at that moment choose it.
class QtStore : public Store {
public:
    QString Value(const QString& key, const QString& fallback) const override {
        if (!Utilizable()) return fallback;
        return QSettings().value(key, fallback).toString();
    }
    bool SetValue(const QString& key, const QString& value) override {
        if (!Utilizable()) return false;
        QSettings s;
        s.setValue(key, value);
        s.sync();
        return s.status() == QSettings::NoError;
    }
    QString Location() const override { return QDir::toNativeSeparators(Archivo()); }
};

constinit platform::Locator<Store> locator([]() -> std::shared_ptr<Store> {
    return std::make_shared<QtStore>();
});

} // namespace

Store& Current() {
    return locator.Current();
}

void Install(std::shared_ptr<Store> store) {
    locator.Install(std::move(store));
}

} // namespace settings
