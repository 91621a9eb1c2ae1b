#include "Frecuencias.h"

#include "Etiquetador.h"
#include "dictionary_data/Etiquetas.h"
#include "platform/TextFold.h"

#include <QCryptographicHash>
#include <QFile>
#include <QSaveFile>
#include <algorithm>
#include <optional>

namespace generador {

namespace {

// Part of the cache's digest: counts made by an older way of counting are not reused.
constexpr char kManera[] = "cuentas 1";

std::optional<QByteArray> Leer(const QString& archivo) {
    QFile f(archivo);
    if (!f.open(QIODevice::ReadOnly)) return std::nullopt;
    return f.readAll();
}

} // namespace

QString ClaveFrecuencia(const QString& lema, const QStringList& etiquetas) {
    if (etiquetas.isEmpty()) return QString();
    return lema + QLatin1Char('<') + etiquetas.first() + QLatin1Char('>');
}

int Usos(const Frecuencias& frecuencias, const QString& lema, const QStringList& etiquetas) {
    if (etiquetas.isEmpty()) return 0;
    return frecuencias.value(ClaveFrecuencia(lema, etiquetas), 0);
}

void ContarEtiquetado(const QString& salida, Frecuencias& frecuencias) {
    qsizetype i = 0;
    const qsizetype n = salida.size();
    while (i < n) {
        if (salida[i] == QLatin1Char('\\')) {
            i += 2;
            continue;
        }
        if (salida[i] != QLatin1Char('^')) {
            ++i;
            continue;
        }
        // One unit, up to its unescaped '$'.
        qsizetype fin = i + 1;
        while (fin < n && salida[fin] != QLatin1Char('$'))
            fin += salida[fin] == QLatin1Char('\\') ? 2 : 1;
        if (fin >= n) break;
        const QString unidad = salida.mid(i + 1, fin - i - 1);
        i = fin + 1;
        // A unit with the surface form (-p) keeps its reading after the first unescaped slash.
        qsizetype barra = 0;
        while (barra < unidad.size() && unidad[barra] != QLatin1Char('/'))
            barra += unidad[barra] == QLatin1Char('\\') ? 2 : 1;
        const QString lectura = barra < unidad.size() ? unidad.mid(barra + 1) : unidad;
        if (lectura.startsWith(QLatin1Char('@'))) continue;
        // A word the analyser does not know counts as its form, so that the text still shows the
        // language has it.
        if (lectura.startsWith(QLatin1Char('*'))) {
            const QString forma = etiquetas::LeerAnalisis(lectura.mid(1)).lema;
            if (!forma.isEmpty()) ++frecuencias[QLatin1Char('*') + forma];
            continue;
        }
        for (const QString& parte : lectura.split(QLatin1Char('+'), Qt::SkipEmptyParts)) {
            const etiquetas::Analisis a = etiquetas::LeerAnalisis(parte);
            if (a.lema.isEmpty() || a.etiquetas.isEmpty()) continue;
            ++frecuencias[ClaveFrecuencia(a.lema, a.etiquetas)];
        }
    }
}

QSet<QString> Vistas(const Frecuencias& frecuencias) {
    QSet<QString> vistas;
    for (auto it = frecuencias.cbegin(); it != frecuencias.cend(); ++it) {
        const QString& k = it.key();
        vistas.insert(textfold::FoldCase(
            k.startsWith(QLatin1Char('*')) ? k.mid(1) : k.left(k.lastIndexOf(QLatin1Char('<')))));
    }
    return vistas;
}

QByteArray TextoAnalizable(const QByteArray& texto) {
    QByteArray r = texto;
    for (char& c : r)
        if (c == '^' || c == '$' || c == '@' || c == '*' || c == '/' || c == '\\' || c == '<' || c == '>' ||
            c == '[' || c == ']' || c == '{' || c == '}' || c == '#' || c == '\0')
            c = ' ';
    return r;
}

QByteArray EscribirCuentas(const Frecuencias& frecuencias, const QByteArray& huella) {
    QStringList claves = frecuencias.keys();
    std::sort(claves.begin(), claves.end());
    QByteArray r = "# " + huella + '\n';
    for (const QString& c : claves)
        r += c.toUtf8() + '\t' + QByteArray::number(frecuencias.value(c)) + '\n';
    return r;
}

bool LeerCuentas(const QByteArray& contenido, const QByteArray& huella, Frecuencias& frecuencias) {
    const QList<QByteArray> lineas = contenido.split('\n');
    if (lineas.isEmpty() || lineas.first() != "# " + huella) return false;
    Frecuencias leidas;
    for (qsizetype i = 1; i < lineas.size(); ++i) {
        if (lineas[i].isEmpty()) continue;
        const qsizetype tab = lineas[i].lastIndexOf('\t');
        bool numero = false;
        const int usos = tab > 0 ? lineas[i].mid(tab + 1).toInt(&numero) : 0;
        if (!numero || usos <= 0) return false;
        leidas.insert(QString::fromUtf8(lineas[i].left(tab)), usos);
    }
    frecuencias = std::move(leidas);
    return true;
}

Frecuencias ContarTexto(const QString& texto, const QString& automorf, const QString& prob,
                        const QString& cache, QString* aviso) {
    Frecuencias frecuencias;
    const std::optional<QByteArray> contenido = Leer(texto);
    if (!contenido) {
        if (aviso) *aviso = QStringLiteral("no se puede leer %1").arg(texto);
        return frecuencias;
    }
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArrayView(kManera));
    h.addData(*contenido);
    for (const QString& archivo : {automorf, prob}) {
        const std::optional<QByteArray> datos = Leer(archivo);
        if (!datos) {
            if (aviso) *aviso = QStringLiteral("no se puede leer %1").arg(archivo);
            return frecuencias;
        }
        h.addData(*datos);
    }
    const QByteArray huella = h.result().toHex();
    if (const std::optional<QByteArray> guardadas = Leer(cache);
        guardadas && LeerCuentas(*guardadas, huella, frecuencias))
        return frecuencias;

    const std::optional<QByteArray> salida =
        EtiquetarTexto(TextoAnalizable(*contenido), automorf, prob, false, aviso);
    if (!salida) return frecuencias;
    ContarEtiquetado(QString::fromUtf8(*salida), frecuencias);
    QSaveFile f(cache);
    const QByteArray escrito = EscribirCuentas(frecuencias, huella);
    // A cache that cannot be written costs only the next build's time.
    if (f.open(QIODevice::WriteOnly) && f.write(escrito) == escrito.size()) f.commit();
    return frecuencias;
}

} // namespace generador
