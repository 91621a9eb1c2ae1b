#include "Etiquetador.h"

#include "dictionary_data/Etiquetas.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace generador {

namespace {

bool Preguntable(const QString& palabra) {
    if (palabra.isEmpty()) return false;
    for (QChar c : palabra)
        if (!c.isLetter() && c != QLatin1Char('-') && c != QLatin1Char('\'')) return false;
    return true;
}

} // namespace

bool LeerEtiquetada(const QString& linea, QString& forma, QString& etiqueta) {
    // Exactly two units: the word and the full stop that closes the sentence.
    const QStringList unidades = linea.trimmed().split(QLatin1Char('$'), Qt::SkipEmptyParts);
    if (unidades.size() != 2 || !unidades[0].startsWith(QLatin1Char('^')) ||
        !unidades[1].endsWith(QLatin1String("<sent>")))
        return false;
    const QString unidad = unidades[0].mid(1);
    const qsizetype barra = unidad.indexOf(QLatin1Char('/'));
    if (barra <= 0) return false;
    forma = unidad.left(barra);
    const QString lectura = unidad.mid(barra + 1);
    if (lectura.startsWith(QLatin1Char('*')) || lectura.contains(QLatin1Char('+'))) return false;
    const etiquetas::Analisis a = etiquetas::LeerAnalisis(lectura);
    if (a.etiquetas.isEmpty()) return false;
    etiqueta = a.etiquetas.first();
    return true;
}

std::optional<QByteArray> EtiquetarTexto(const QByteArray& entrada, const QString& automorf,
                                         const QString& prob, bool conFormas, QString* aviso) {
    // Through files, so that neither program waits on a pipe nobody reads.
    QTemporaryDir dir;
    const QString archivoEntrada = dir.filePath(QStringLiteral("entrada.txt"));
    const QString archivoSalida = dir.filePath(QStringLiteral("salida.txt"));
    QFile e(archivoEntrada);
    if (!dir.isValid() || !e.open(QIODevice::WriteOnly) || e.write(entrada) != entrada.size()) {
        if (aviso) *aviso = QStringLiteral("no se pudo escribir un archivo temporal");
        return std::nullopt;
    }
    e.close();
    QProcess analizador, etiquetador;
    analizador.setStandardInputFile(archivoEntrada);
    analizador.setStandardOutputProcess(&etiquetador);
    etiquetador.setStandardOutputFile(archivoSalida);
    analizador.start(QStringLiteral("lt-proc"), {QStringLiteral("-w"), automorf});
    QStringList opciones{QStringLiteral("-g")};
    if (conFormas) opciones << QStringLiteral("-p");
    etiquetador.start(QStringLiteral("apertium-tagger"), opciones << prob);
    const bool bien = analizador.waitForFinished(600000) && etiquetador.waitForFinished(600000) &&
                      analizador.exitStatus() == QProcess::NormalExit && analizador.exitCode() == 0 &&
                      etiquetador.exitStatus() == QProcess::NormalExit && etiquetador.exitCode() == 0;
    if (!bien) {
        if (aviso)
            *aviso = QStringLiteral("lt-proc o apertium-tagger no terminaron bien: %1")
                         .arg(QString::fromLocal8Bit(analizador.readAllStandardError() +
                                                     etiquetador.readAllStandardError())
                                  .trimmed());
        analizador.kill();
        etiquetador.kill();
        analizador.waitForFinished();
        etiquetador.waitForFinished();
        return std::nullopt;
    }
    QFile s(archivoSalida);
    if (!s.open(QIODevice::ReadOnly)) {
        if (aviso) *aviso = QStringLiteral("no se pudo leer la salida de apertium-tagger");
        return std::nullopt;
    }
    return s.readAll();
}

QHash<QString, QString> Etiquetar(const QStringList& palabras, const QString& automorf, const QString& prob,
                                  QString* aviso) {
    QHash<QString, QString> resultado;
    QByteArray entrada;
    for (const QString& p : palabras)
        if (Preguntable(p)) entrada += p.toUtf8() + ".\n";
    if (entrada.isEmpty()) return resultado;
    const std::optional<QByteArray> salida = EtiquetarTexto(entrada, automorf, prob, true, aviso);
    if (!salida) return resultado;
    QString forma, etiqueta;
    for (const QString& linea : QString::fromUtf8(*salida).split(QLatin1Char('\n')))
        if (LeerEtiquetada(linea, forma, etiqueta)) resultado.insert(forma, etiqueta);
    return resultado;
}

} // namespace generador
