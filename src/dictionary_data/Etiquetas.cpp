#include "dictionary_data/Etiquetas.h"

#include <QHash>

namespace etiquetas {

Analisis LeerAnalisis(const QString& texto) {
    Analisis a;
    QString etiqueta;
    bool enEtiqueta = false;
    for (qsizetype i = 0; i < texto.size(); ++i) {
        QChar c = texto[i];
        if (c == QLatin1Char('\\') && i + 1 < texto.size()) {
            c = texto[++i];
            (enEtiqueta ? etiqueta : a.lema) += c;
            continue;
        }
        if (!enEtiqueta && c == QLatin1Char('<')) {
            enEtiqueta = true;
            etiqueta.clear();
        } else if (enEtiqueta && c == QLatin1Char('>')) {
            enEtiqueta = false;
            a.etiquetas << etiqueta;
        } else if (enEtiqueta) {
            etiqueta += c;
        } else if (c != QLatin1Char('#')) {
            a.lema += c;
        }
    }
    // A multiword with a lemma queue keeps the queue after the tags ("take<vblex># out" in the
    // stream form); its words belong to the lemma.
    a.lema = a.lema.simplified();
    return a;
}

QString LemasDe(const QString& lectura) {
    QStringList lemas;
    for (const QString& parte : lectura.split(QLatin1Char('+')))
        lemas << LeerAnalisis(parte).lema;
    return lemas.join(QLatin1Char('+'));
}

QString CodigoTipo(const QStringList& etiquetas) {
    static const QHash<QString, QString> tipos{
        {QStringLiteral("n"), QStringLiteral("n")},       {QStringLiteral("np"), QStringLiteral("n")},
        {QStringLiteral("vblex"), QStringLiteral("v")},   {QStringLiteral("vbser"), QStringLiteral("v")},
        {QStringLiteral("vbhaver"), QStringLiteral("v")}, {QStringLiteral("vbmod"), QStringLiteral("v")},
        {QStringLiteral("vbdo"), QStringLiteral("v")},    {QStringLiteral("vaux"), QStringLiteral("v")},
        {QStringLiteral("adj"), QStringLiteral("aj")},    {QStringLiteral("adv"), QStringLiteral("av")},
        {QStringLiteral("preadv"), QStringLiteral("av")}, {QStringLiteral("pr"), QStringLiteral("pr")},
        {QStringLiteral("prn"), QStringLiteral("pro")},   {QStringLiteral("cnjcoo"), QStringLiteral("cj")},
        {QStringLiteral("cnjsub"), QStringLiteral("cj")}, {QStringLiteral("cnjadv"), QStringLiteral("cj")},
        {QStringLiteral("ij"), QStringLiteral("ij")},
    };
    if (etiquetas.isEmpty()) return {};
    const QString& pos = etiquetas.first();
    // Only the definite and indefinite determiners are articles; "this", "some", "my" are not.
    if (pos == QLatin1String("det"))
        return etiquetas.contains(QLatin1String("def")) || etiquetas.contains(QLatin1String("ind"))
                   ? QStringLiteral("ar")
                   : QString();
    return tipos.value(pos);
}

QString CodigoGenero(const QStringList& etiquetas) {
    for (const QString& e : etiquetas) {
        if (e == QLatin1String("m")) return QStringLiteral("m");
        if (e == QLatin1String("f")) return QStringLiteral("f");
        if (e == QLatin1String("nt")) return QStringLiteral("n");
    }
    return {};
}

QString CodigoNumero(const QStringList& etiquetas) {
    for (const QString& e : etiquetas) {
        if (e == QLatin1String("sg")) return QStringLiteral("s");
        if (e == QLatin1String("pl")) return QStringLiteral("p");
        if (e == QLatin1String("sp")) return {};
    }
    return {};
}

bool GeneroAbierto(const QStringList& etiquetas) {
    return etiquetas.contains(QLatin1String("GD")) || etiquetas.contains(QLatin1String("mf")) ||
           CodigoGenero(etiquetas).isEmpty();
}

bool NumeroAbierto(const QStringList& etiquetas) {
    for (const QString& e : etiquetas)
        if (e == QLatin1String("sg") || e == QLatin1String("pl") || e == QLatin1String("sp")) return false;
    return true;
}

bool EsNombrePropio(const QStringList& etiquetas) {
    return !etiquetas.isEmpty() && etiquetas.first() == QLatin1String("np");
}

} // namespace etiquetas
