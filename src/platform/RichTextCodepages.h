#pragma once
// The code pages of RTF text: the document's (\ansicpg, \mac, \pc, \pca) and its fonts'
// (\fcharset, \cpg), decoded with the system's decoders, or as 1252 when it has none.
#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <map>

namespace richtext::reading {

// The Windows code page of a font's character set (\fcharsetN); 0 for the document's own.
int CodepageOfCharset(int charset);

// The Unicode look-alike of a symbol font's bullet (by its low byte), or the character itself.
char16_t Symbol(char16_t c);

class Decoder {
public:
    // The text of bytes in a code page; kCpSymbols is 1252 with symbol fonts' bullets mapped.
    QString Decode(const QByteArray& bytes, int cp);

private:
    // The system's decoder for a Windows code page, or null to read the bytes as 1252.
    QStringDecoder* SystemDecoder(int cp);

    std::map<int, QStringDecoder> decoders_;
};

} // namespace richtext::reading
