#pragma once
// Recording stand-ins for the sound player, the desktop shell and the notices, and a data folder in a
// temporary place that the program finds as drive C:.
#include "EnMemoria.h"
#include "chrome/Imagenes.h"
#include "chrome/VerificarDrive.h"
#include "platform/Drives.h"
#include "platform/Notices.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/Sound.h"

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <vector>

struct SonidosGrabados : sound::Player {
    QStringList rutas;
    bool dispositivo = true; // false: a computer with nothing to play sound on
    void Play(const QString& path, bool) override { rutas << path; }
    bool HasDevice() override { return dispositivo; }
};

struct DocumentosGrabados : shell::Opener {
    QStringList abiertos;
    bool hayPrograma = true; // false: the desktop has nothing to open them with
    bool Open(const QString& d) override {
        abiertos << d;
        return hayPrograma;
    }
};

// The text of the message that says nothing could open a document, and closes it; empty when
// none is shown.
inline QString TomarAvisoSinPrograma() {
    QString texto;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* m = qobject_cast<QMessageBox*>(w);
            m && m->objectName() == QLatin1String("msgSinPrograma") && m->isVisible()) {
            texto += m->text();
            m->close();
        }
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return texto;
}

struct AvisosGrabados : notices::Notifier {
    QStringList textos;
    int cierres = 0;
    void Notify(const QString& t) override { textos << t; }
    void CloseAll() override { ++cierres; }
};

// A drive table of folders the test owns: C: and, optionally, more letters.
struct TablaPrueba : drives::Table {
    std::vector<drives::Drive> unidades;
    std::vector<drives::Drive> All() const override { return unidades; }
};

// The program's folder in a temporary place, with an empty Palavrix data folder in it, the
// sound player and shell recording, clipboard and settings in memory, and everything restored
// afterwards.
class EntornoPrueba {
public:
    EntornoPrueba() {
        QSettings().remove(QStringLiteral("DriveCD"));
        QDir(carpeta_.path()).mkpath(QStringLiteral("Palavrix"));
        paths::SetAppPath(carpeta_.path());
        tabla = std::make_shared<TablaPrueba>();
        tabla->unidades.push_back({QLatin1Char('C'), carpeta_.path(), QStringLiteral("programa")});
        drives::Install(tabla);
        sound::Install(sonidos);
        shell::Install(documentos);
        notices::Install(avisos);
        clipboard::Install(portapapeles);
        settings::Install(ajustes);
        OlvidarAvisoImagenes();
    }
    ~EntornoPrueba() {
        paths::SetAppPath(QString());
        drives::Install(nullptr);
        sound::Install(nullptr);
        shell::Install(nullptr);
        notices::Install(nullptr);
        clipboard::Install(nullptr);
        settings::Install(nullptr);
    }
    QString Carpeta() const { return carpeta_.path(); }
    QString Datos() const { return QDir(carpeta_.path()).filePath(QStringLiteral("Palavrix")); }
    // Another volume under `letra`, as a USB stick would be, holding an empty Palavrix folder,
    // whose path this returns.
    QString OtraUnidad(QChar letra) {
        otras_.push_back(std::make_unique<QTemporaryDir>());
        const QDir raiz(otras_.back()->path());
        raiz.mkpath(QStringLiteral("Palavrix"));
        tabla->unidades.push_back({letra, raiz.path(), QStringLiteral("DISCO")});
        return raiz.filePath(QStringLiteral("Palavrix"));
    }

    std::shared_ptr<TablaPrueba> tabla;
    std::shared_ptr<SonidosGrabados> sonidos = std::make_shared<SonidosGrabados>();
    std::shared_ptr<DocumentosGrabados> documentos = std::make_shared<DocumentosGrabados>();
    std::shared_ptr<AvisosGrabados> avisos = std::make_shared<AvisosGrabados>();
    std::shared_ptr<PortapapelesEnMemoria> portapapeles = std::make_shared<PortapapelesEnMemoria>();
    std::shared_ptr<AjustesEnMemoria> ajustes = std::make_shared<AjustesEnMemoria>();

private:
    QTemporaryDir carpeta_;
    std::vector<std::unique_ptr<QTemporaryDir>> otras_;
};

// While it lives, the drive question is answered by choosing `letra`, and counted.
struct RespuestaDrive {
    explicit RespuestaDrive(const QString& letra) {
        FijarPreguntaDrive([this, letra] {
            ++preguntas;
            GuardarDrive(letra);
        });
    }
    ~RespuestaDrive() { FijarPreguntaDrive(nullptr); }
    int preguntas = 0;
};
