#include "platform/RichTextCodepages.h"

#include "platform/RichText.h"
#include "platform/RichTextFormat.h"

#include <utility>

namespace richtext {

namespace {

// Code page 1252, bytes 0x80 to 0x9F; the rest of the page is Latin-1. The five bytes Windows
// leaves undefined keep their C1 control, as MultiByteToWideChar does.
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

QChar Cp1252(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return QChar(kCp1252High[byte - 0x80]);
    return QChar(static_cast<char16_t>(byte));
}

namespace reading {

int CodepageOfCharset(int charset) {
    static constexpr std::pair<int, int> table[] = {
        {2, kCpSymbols}, {77, 10000}, {128, 932},  {129, 949},  {130, 1361}, {134, 936},
        {136, 950},      {161, 1253}, {162, 1254}, {163, 1258}, {177, 1255}, {178, 1256},
        {186, 1257},     {204, 1251}, {222, 874},  {238, 1250}, {254, 437},  {255, 850},
    };
    for (const auto& [cs, cp] : table)
        if (cs == charset) return cp;
    return 0;
}

char16_t Symbol(char16_t c) {
    switch (c & 0xFF) {
    case 0xB7:
        return 0x2022; // Symbol's bullet
    case 0xA7:
        return 0x25AA; // Wingdings' small square
    case 0xD8:
        return 0x27A2; // Wingdings' arrowhead
    case 0xFC:
        return 0x2713; // Wingdings' tick
    default:
        return c;
    }
}

QString Decoder::Decode(const QByteArray& bytes, int cp) {
    QString out;
    if (cp != 1252 && cp != kCpSymbols) {
        if (QStringDecoder* d = SystemDecoder(cp)) {
            d->resetState();
            out = d->decode(bytes);
            if (!d->hasError() || !out.isEmpty()) return out;
            out.clear();
        }
    }
    out.reserve(bytes.size());
    for (const char c : bytes) {
        char16_t u = Cp1252(static_cast<unsigned char>(c)).unicode();
        if (cp == kCpSymbols) u = Symbol(u);
        out.append(QChar(u));
    }
    return out;
}

QStringDecoder* Decoder::SystemDecoder(int cp) {
    auto it = decoders_.find(cp);
    if (it != decoders_.end()) return it->second.isValid() ? &it->second : nullptr;
    QByteArray name;
    switch (cp) {
    case 437:
        name = "IBM437";
        break;
    case 850:
        name = "IBM850";
        break;
    case 932:
        name = "Shift_JIS";
        break;
    case 936:
        name = "GBK";
        break;
    case 949:
        name = "windows-949";
        break;
    case 950:
        name = "Big5";
        break;
    case 10000:
        name = "macintosh";
        break;
    case 65001:
        name = "UTF-8";
        break;
    default:
        name = "windows-" + QByteArray::number(cp);
        break;
    }
    QStringDecoder d(name.constData());
    if (!d.isValid()) d = QStringDecoder(("cp" + QByteArray::number(cp)).constData());
    it = decoders_.emplace(cp, std::move(d)).first;
    return it->second.isValid() ? &it->second : nullptr;
}

} // namespace reading

} // namespace richtext
