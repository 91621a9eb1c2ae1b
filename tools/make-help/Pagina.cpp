#include "Pagina.h"

#include <QRegularExpression>

namespace ayuda {

QString Escapar(const QString& texto) {
    return texto.toHtmlEscaped();
}

QString SinMarcas(const QString& html) {
    static const QRegularExpression marca(QStringLiteral("<[^>]*>"));
    QString t = html;
    t.remove(marca);
    t.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    t.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    t.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    t.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    t.replace(QStringLiteral("&amp;"), QStringLiteral("&")); // last, so "&amp;lt;" stays "&lt;"
    return t.simplified();
}

QString Numero(long long n) {
    const bool negativo = n < 0;
    QString digitos = QString::number(negativo ? -n : n);
    // Four digits stay together ("2000"); from five on, groups of three with a point.
    if (digitos.size() > 4)
        for (qsizetype i = digitos.size() - 3; i > 0; i -= 3)
            digitos.insert(i, QLatin1Char('.'));
    return negativo ? QLatin1Char('-') + digitos : digitos;
}

QString RutaCaptura(const QString& nombre) {
    return QStringLiteral("img/") + nombre + QStringLiteral(".png");
}

QString Imagen(const QString& nombre, const QSize& tamano, const QString& alternativo) {
    return QStringLiteral("<img src=\"%1\" width=\"%2\" height=\"%3\" alt=\"%4\">")
        .arg(Escapar(RutaCaptura(nombre)))
        .arg(tamano.width())
        .arg(tamano.height())
        .arg(Escapar(SinMarcas(alternativo)));
}

QString Figura(const QString& nombre, const QSize& tamano, const QString& pie) {
    return QStringLiteral("<figure class=\"captura\">") + Imagen(nombre, tamano, pie) +
           QStringLiteral("<figcaption>") + pie + QStringLiteral("</figcaption></figure>");
}

QString Componer(const QString& plantilla, const Datos& datos, QStringList* avisos) {
    // Lazy, so that two marks on one line stay two marks; no line breaks inside a mark.
    static const QRegularExpression marca(QStringLiteral("\\{\\{([^{}\\n]*?)\\}\\}"));
    const auto avisar = [avisos](const QString& t) {
        if (avisos) avisos->append(t);
    };

    QString salida;
    salida.reserve(plantilla.size() + datos.estilo.size());
    qsizetype desde = 0;
    auto it = marca.globalMatch(plantilla);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        salida += QStringView(plantilla).mid(desde, m.capturedStart() - desde);
        desde = m.capturedEnd();

        const QString dentro = m.captured(1).trimmed();
        const qsizetype espacio = dentro.indexOf(QLatin1Char(' '));
        const QString clase = espacio < 0 ? dentro : dentro.left(espacio);
        const QString resto = espacio < 0 ? QString() : dentro.mid(espacio + 1).trimmed();

        if (clase == QLatin1String("estilo") && resto.isEmpty()) {
            salida += datos.estilo;
        } else if (clase == QLatin1String("valor") && !resto.isEmpty()) {
            const auto v = datos.valores.find(resto);
            if (v != datos.valores.end())
                salida += v->second;
            else
                avisar(QStringLiteral("valor desconocido: %1").arg(resto));
        } else if ((clase == QLatin1String("captura") || clase == QLatin1String("imagen")) &&
                   !resto.isEmpty()) {
            const qsizetype barra = resto.indexOf(QLatin1Char('|'));
            const QString nombre = (barra < 0 ? resto : resto.left(barra)).trimmed();
            const QString texto = barra < 0 ? QString() : resto.mid(barra + 1).trimmed();
            const auto c = datos.capturas.find(nombre);
            if (c == datos.capturas.end())
                avisar(QStringLiteral("captura que falta: %1").arg(nombre));
            else if (clase == QLatin1String("captura"))
                salida += Figura(nombre, c->second, texto);
            else
                salida += Imagen(nombre, c->second, texto);
        } else {
            avisar(QStringLiteral("marca desconocida: {{%1}}").arg(m.captured(1)));
        }
    }
    salida += QStringView(plantilla).mid(desde);
    return salida;
}

} // namespace ayuda
