#pragma once
// The code pages of RTF text: the document's (\ansicpg, \mac, \pc, \pca) and its fonts'
// (\fcharset, \cpg), decoded with the system's decoders, or as 1252 when it has none.
#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <map>

namespace richtext::lectura {

// The Windows code page of a font's character set (\fcharsetN); 0 for the document's own.
int CodepageDeCharset(int charset);

// The Unicode look-alike of a symbol font's bullet (by its low byte), or the character itself.
char16_t Simbolo(char16_t c);

class Decodificador {
public:
    // The text of bytes in a code page; kCpSimbolos is 1252 with symbol fonts' bullets mapped.
    QString Decodificar(const QByteArray& bytes, int cp);

private:
    // The system's decoder for a Windows code page, or null to read the bytes as 1252.
    QStringDecoder* Sistema(int cp);

    std::map<int, QStringDecoder> decodificadores_;
};

} // namespace richtext::lectura
