#include "Plantillas.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>

namespace plantillas {

namespace {

bool LeerLineas(const QString& ruta, QStringList& lineas, QString& error) {
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = QStringLiteral("no se pudo leer ") + ruta;
        return false;
    }
    lineas = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    return true;
}

bool EsComentario(const QString& linea) {
    return linea.isEmpty() || linea.startsWith(QLatin1Char('#'));
}

} // namespace

QHash<QString, Valores> LeerAspectos(const QString& ruta, QString& error) {
    QStringList lineas;
    if (!LeerLineas(ruta, lineas, error)) return {};
    QHash<QString, Valores> crudos;
    QHash<QString, QString> bases;
    QStringList orden;
    QString seccion;
    for (int n = 0; n < lineas.size(); ++n) {
        const QString linea = lineas[n].trimmed();
        if (EsComentario(linea)) continue;
        if (linea.startsWith(QLatin1Char('[')) && linea.endsWith(QLatin1Char(']'))) {
            seccion = linea.mid(1, linea.size() - 2).trimmed();
            orden << seccion;
            crudos[seccion];
            continue;
        }
        const int igual = linea.indexOf(QLatin1Char('='));
        if (seccion.isEmpty() || igual <= 0) {
            error = QStringLiteral("%1:%2: línea no válida").arg(ruta).arg(n + 1);
            return {};
        }
        const QString clave = linea.left(igual).trimmed();
        const QString valor = linea.mid(igual + 1).trimmed();
        if (clave == QLatin1String("base"))
            bases[seccion] = valor;
        else
            crudos[seccion][clave] = valor;
    }
    // Merge each look with its bases, nearest base last so that it wins; a cycle is an error.
    QHash<QString, Valores> aspectos;
    for (const QString& nombre : orden) {
        QStringList cadena{nombre};
        QString b = bases.value(nombre);
        while (!b.isEmpty()) {
            if (cadena.contains(b) || !crudos.contains(b)) {
                error = QStringLiteral("%1: base «%2» de [%3] no válida").arg(ruta, b, nombre);
                return {};
            }
            cadena.prepend(b);
            b = bases.value(b);
        }
        Valores v;
        for (const QString& s : cadena)
            for (auto it = crudos[s].cbegin(); it != crudos[s].cend(); ++it)
                v[it.key()] = it.value();
        aspectos[nombre] = v;
    }
    return aspectos;
}

QList<Dibujo> LeerCatalogo(const QString& ruta, QString& error) {
    QStringList lineas;
    if (!LeerLineas(ruta, lineas, error)) return {};
    QList<Dibujo> dibujos;
    for (int n = 0; n < lineas.size(); ++n) {
        const QString linea = lineas[n].trimmed();
        if (EsComentario(linea)) continue;
        const QStringList partes = QProcess::splitCommand(linea);
        Dibujo d;
        bool anchoOk = false, altoOk = false;
        if (partes.size() >= 5) {
            d.nombre = partes[0];
            d.plantilla = partes[1];
            d.ancho = partes[2].toInt(&anchoOk);
            d.alto = partes[3].toInt(&altoOk);
            d.aspecto = partes[4];
        }
        if (!anchoOk || !altoOk || d.ancho <= 0 || d.alto <= 0) {
            error =
                QStringLiteral("%1:%2: se espera NOMBRE PLANTILLA ANCHO ALTO ASPECTO").arg(ruta).arg(n + 1);
            return {};
        }
        for (int i = 5; i < partes.size(); ++i) {
            const int igual = partes[i].indexOf(QLatin1Char('='));
            if (igual <= 0) {
                error = QStringLiteral("%1:%2: «%3» no es CLAVE=VALOR").arg(ruta).arg(n + 1).arg(partes[i]);
                return {};
            }
            d.propios[partes[i].left(igual)] = partes[i].mid(igual + 1);
        }
        dibujos << d;
    }
    return dibujos;
}

QString Sustituir(const QString& texto, const Valores& valores, const QDir& fuentes, QString& error,
                  int profundidad) {
    if (profundidad > 8) {
        error = QStringLiteral("valores o inclusiones anidados demasiado hondo");
        return {};
    }
    static const QRegularExpression marca(QStringLiteral("\\{\\{(@?)([A-Za-z0-9_]+)\\}\\}"));
    QString resultado;
    qsizetype desde = 0;
    auto it = marca.globalMatch(texto);
    while (it.hasNext()) {
        const auto m = it.next();
        resultado += texto.mid(desde, m.capturedStart() - desde);
        desde = m.capturedEnd();
        const QString clave = m.captured(2);
        if (!valores.contains(clave)) {
            error = QStringLiteral("falta el valor de %1").arg(clave);
            return {};
        }
        if (m.captured(1).isEmpty()) {
            // A value may itself be made of other values ("{{ORIGEN}} › {{DESTINO}}").
            resultado += Sustituir(valores.value(clave), valores, fuentes, error, profundidad + 1);
            if (!error.isEmpty()) return {};
            continue;
        }
        QFile f(fuentes.filePath(valores.value(clave)));
        if (!f.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("no se pudo leer ") + f.fileName();
            return {};
        }
        resultado += Sustituir(QString::fromUtf8(f.readAll()), valores, fuentes, error, profundidad + 1);
        if (!error.isEmpty()) return {};
    }
    resultado += texto.mid(desde);
    return resultado;
}

QByteArray Rellenar(const QDir& fuentes, const Dibujo& dibujo, const QHash<QString, Valores>& aspectos,
                    QString& error) {
    if (!aspectos.contains(dibujo.aspecto)) {
        error = QStringLiteral("aspecto desconocido «%1»").arg(dibujo.aspecto);
        return {};
    }
    Valores v = aspectos.value(dibujo.aspecto);
    for (auto it = dibujo.propios.cbegin(); it != dibujo.propios.cend(); ++it)
        v[it.key()] = it.value();
    v[QStringLiteral("WIDTH")] = QString::number(dibujo.ancho);
    v[QStringLiteral("HEIGHT")] = QString::number(dibujo.alto);
    QFile f(fuentes.filePath(dibujo.plantilla));
    if (!f.open(QIODevice::ReadOnly)) {
        error = QStringLiteral("no se pudo leer ") + f.fileName();
        return {};
    }
    const QString lleno = Sustituir(QString::fromUtf8(f.readAll()), v, fuentes, error);
    return error.isEmpty() ? lleno.toUtf8() : QByteArray();
}

} // namespace plantillas
