#include "Capturas.h"

#include "about/frmAcercaDe.h"
#include "chrome/VerificarDrive.h"
#include "dictionary_data/BaseDatos.h"
#include "dictionary_data/Direcciones.h"
#include "dictionary_window/frmPrincipal.h"
#include "guide/MSAgent.h"
#include "notes/frmPropiedades.h"
#include "platform/CharacterFile.h"
#include "platform/Drives.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/SimpleCombo.h"
#include "platform/Sound.h"
#include "startup/frmPresentacion.h"
#include "startup/frmVerDrive.h"
#include "translator/frmTraductor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <stdexcept>

namespace capturas {

namespace {

struct Silencio : sound::Player {
    void Play(const QString&, bool) override {}
};
struct SinEscritorio : shell::Opener {
    bool Open(const QString&) override { return true; }
};

// Only C:, the program's folder: the volumes of the machine that builds are nobody's business,
// and the screenshots must not depend on them.
struct TablaAyuda : drives::Table {
    QString programa;
    std::vector<drives::Drive> All() const override {
        return {{QLatin1Char('C'), programa, QStringLiteral("programa")}};
    }
};

void cerrarVentanas() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<Form*>(w); f && f->Loaded()) f->Unload();
    Forms::FlushUnloaded();
}

QImage grabar(QWidget* w) {
    QApplication::processEvents(); // pending layouts and repaints
    QImage imagen = w->grab().toImage();
    if (imagen.isNull()) throw std::runtime_error("la ventana no se pudo dibujar");
    return imagen;
}

// Types `texto` into a line edit as key presses, so the control reacts as to a person typing.
void teclear(QWidget* destino, const QString& texto) {
    for (QChar c : texto) {
        const int tecla = c.isLetter() ? Qt::Key_A + (c.toLower().unicode() - u'a') : Qt::Key_unknown;
        QKeyEvent pulsada(QEvent::KeyPress, tecla, Qt::NoModifier, QString(c));
        QApplication::sendEvent(destino, &pulsada);
        QKeyEvent soltada(QEvent::KeyRelease, tecla, Qt::NoModifier, QString(c));
        QApplication::sendEvent(destino, &soltada);
    }
}

template <class T> T* abrir() {
    auto* w = new T;
    w->Load();
    w->Show();
    return w;
}

frmPrincipal* diccionario(int direccion) {
    if (!dbDiccionario) throw std::runtime_error("el diccionario no está abierto");
    DiccionarioActual = static_cast<uint8_t>(direccion);
    return abrir<frmPrincipal>();
}

void buscar(frmPrincipal* w, const QString& palabra) {
    w->txtPalabra->setText(palabra);
    w->txtPalabra_KeyPress(13);
}

// A word of English to Spanish whose entry has further meanings: "bank" when the dictionary
// gives it some, otherwise the first such headword.
QString palabraConAcepciones() {
    const char* const preferidas[] = {"bank", "light", "house"};
    for (const char* p : preferidas) {
        auto q = dbDiccionario->QueryDefs(QStringLiteral("qryBuscarIngEsp"));
        q->Parameters(QStringLiteral("ptroPalabra")).SetValue(QLatin1String(p));
        auto filas = q->OpenRecordset(dao::dbOpenForwardOnly);
        const bool tiene =
            !filas->Eof() && !filas->Fields(QStringLiteral("Acepcion1")).Value().toString().isEmpty();
        filas->Close();
        if (tiene) return QLatin1String(p);
    }
    auto filas = dbDiccionario->OpenRecordset(
        QStringLiteral("SELECT Palabra FROM IngEsp WHERE Acepcion1 <> '' ORDER BY Palabra LIMIT 1"),
        dao::dbOpenForwardOnly);
    if (filas->Eof()) throw std::runtime_error("ninguna palabra inglesa tiene acepciones");
    const QString palabra = filas->Fields(QStringLiteral("Palabra")).Value().toString();
    filas->Close();
    return palabra;
}

} // namespace

void PrepararEntorno(const QString& carpetaPrograma) {
    paths::SetAppPath(carpetaPrograma);
    auto tabla = std::make_shared<TablaAyuda>();
    tabla->programa = carpetaPrograma;
    drives::Install(tabla);
    sound::Install(std::make_shared<Silencio>());
    shell::Install(std::make_shared<SinEscritorio>());
    AgenteActivo = false;
    SaludoDado = true;
    // Nobody is there to answer the drive question: a missing data folder fails the screenshot.
    FijarPreguntaDrive([] { throw std::runtime_error("no se encuentra la carpeta de datos Palavrix"); });
}

Captura Tomar(const QString& nombre, const std::function<QImage()>& tomar) {
    Captura c{nombre, {}, {}};
    try {
        c.imagen = tomar();
        if (c.imagen.isNull()) c.error = QStringLiteral("imagen vacía");
    } catch (const dao::DaoError& e) {
        c.imagen = QImage();
        c.error = QStringLiteral("error %1 de la base de datos: %2").arg(e.Number()).arg(e.Description());
    } catch (const std::exception& e) {
        c.imagen = QImage();
        c.error = QString::fromUtf8(e.what());
    }
    cerrarVentanas();
    return c;
}

std::vector<Captura> TomarTodas() {
    std::vector<Captura> todas;
    todas.push_back(Tomar(QStringLiteral("presentacion"), [] {
        auto* w = abrir<frmPresentacion>();
        w->Timer1->stop();
        // The logo formed and the title shown: the look of most of the splash's six seconds.
        for (int i = 0; i < 35; ++i)
            w->Timer1_Timer();
        return grabar(w);
    }));
    todas.push_back(Tomar(QStringLiteral("principal-casa"), [] {
        auto* w = diccionario(0);
        buscar(w, QStringLiteral("casa"));
        return grabar(w);
    }));
    todas.push_back(Tomar(QStringLiteral("principal-no-encontrada"), [] {
        auto* w = diccionario(0);
        buscar(w, QStringLiteral("casaa"));
        return grabar(w);
    }));
    todas.push_back(Tomar(QStringLiteral("principal-lista"), [] {
        auto* w = diccionario(0);
        w->pctBoton_Click(4);
        teclear(w->cboLista->Edit(), QStringLiteral("cami"));
        return grabar(w);
    }));
    todas.push_back(Tomar(QStringLiteral("principal-acepciones"), [] {
        auto* w = diccionario(1);
        buscar(w, palabraConAcepciones());
        if (w->pctAcepciones->isHidden()) throw std::runtime_error("la búsqueda no mostró acepciones");
        w->lblOpciones_Click(1);
        return grabar(w);
    }));
    todas.push_back(Tomar(QStringLiteral("traductor"), [] {
        if (!dbDiccionario) throw std::runtime_error("el diccionario no está abierto");
        DiccionarioActual = 0;
        auto* w = abrir<frmTraductor>();
        w->txtTexto->setPlainText(QStringLiteral(
            "El perro viejo de mi hermano duerme en el jardín. Cada mañana el gato mira el río desde "
            "el árbol más alto."));
        w->TraducirTexto();
        return grabar(w);
    }));
    todas.push_back(Tomar(QStringLiteral("propiedades-espanol"), [] {
        DiccionarioActual = 0;
        return grabar(abrir<frmPropiedades>());
    }));
    todas.push_back(Tomar(QStringLiteral("propiedades-frances"), [] {
        DiccionarioActual = 0;
        auto* w = abrir<frmPropiedades>();
        w->CargarPropiedades(9);
        return grabar(w);
    }));
    todas.push_back(Tomar(QStringLiteral("acercade"), [] { return grabar(abrir<frmAcercaDe>()); }));
    todas.push_back(Tomar(QStringLiteral("verdrive"), [] {
        auto* w = new frmVerDrive;
        w->Load();
        w->show();
        return grabar(w);
    }));

    DiccionarioActual = 0;
    return todas;
}

QImage Genio(const QString& archivoPersonaje) {
    try {
        const agent::CharacterData d = agent::characterfile::Read(archivoPersonaje);
        const auto* reposo = d.Animation(d.rest);
        const int indice = reposo && !reposo->empty() ? reposo->front().picture : 0;
        if (indice < 0 || indice >= static_cast<int>(d.pictures.size())) return {};
        return d.pictures[static_cast<size_t>(indice)];
    } catch (const std::exception&) {
        return {};
    }
}

std::vector<long long> PalabrasPorDiccionario() {
    std::vector<long long> cuentas;
    for (const Direccion& d : kDirecciones) {
        long long n = -1;
        try {
            if (dbDiccionario) {
                // The word list shows one line per group of the same headword.
                auto filas = dbDiccionario->OpenRecordset(
                    QStringLiteral("SELECT COUNT(*) AS n FROM (SELECT Palabra FROM %1 GROUP BY Palabra)")
                        .arg(QLatin1String(d.tabla)),
                    dao::dbOpenForwardOnly);
                if (!filas->Eof()) n = filas->Fields(QStringLiteral("n")).Value().toLongLong();
                filas->Close();
            }
        } catch (const dao::DaoError&) {
        }
        cuentas.push_back(n);
    }
    return cuentas;
}

} // namespace capturas
