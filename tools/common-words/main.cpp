// common-words TEXTO SALIDA: the commonest words of a UTF-8 text and how often each is met, one
// "palabra<TAB>usos" a line (dictionary_data/Sugerencias.h), for the suggestions of a word not found.
#include "dictionary_data/Sugerencias.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <cstdio>

namespace {
// Enough for every form a reader is likely to mistype, small enough to read in a few milliseconds.
constexpr int kPalabras = 60000;
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "uso: common-words TEXTO SALIDA\n");
        return 2;
    }
    QFile entrada(args[1]);
    if (!entrada.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "common-words: no se puede leer %s\n", qPrintable(args[1]));
        return 1;
    }
    // The text is the project's own extraction: invalid bytes are replaced, not refused.
    const QString texto = QString::fromUtf8(entrada.readAll());
    QSaveFile salida(args[2]);
    if (!salida.open(QIODevice::WriteOnly) ||
        salida.write(sugerencias::EscribirFrecuentes(sugerencias::ContarPalabras(texto, kPalabras))) < 0 ||
        !salida.commit()) {
        std::fprintf(stderr, "common-words: no se puede escribir %s\n", qPrintable(args[2]));
        return 1;
    }
    return 0;
}
