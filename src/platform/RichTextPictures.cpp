#include "platform/RichTextPictures.h"

#include "platform/RichText.h"
#include "platform/RichTextFormat.h"
#include "platform/RichTextTokens.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>

namespace richtext::reading {

namespace {

// All pictures of one document together, so many big pictures cannot exhaust memory.
constexpr qint64 kMaxDocumentPixels = 4 * kMaxPicturePixels;

} // namespace

void Pictures::Begin(int depth) {
    current_ = Data{};
    depth_ = depth;
}

void Pictures::Apply(Control c, Argument a) {
    const int n = a.n;
    switch (c) {
    case Control::PngBlip:
        current_.format = PictureFormat::Png;
        break;
    case Control::JpegBlip:
        current_.format = PictureFormat::Jpeg;
        break;
    case Control::OtherPicture:
        current_.format = PictureFormat::Other;
        break;
    case Control::PicWGoal:
        current_.goalw = n;
        break;
    case Control::PicHGoal:
        current_.goalh = n;
        break;
    case Control::PicScaleX:
        if (n > 0) current_.scaleX = std::min(n, 1000);
        break;
    case Control::PicScaleY:
        if (n > 0) current_.scaleY = std::min(n, 1000);
        break;
    default:
        break; // \picw and \pich: the data says its own size
    }
}

void Pictures::Digit(unsigned char b) {
    if (current_.tooLarge) return;
    const int h = HexValue(static_cast<char>(b));
    if (h < 0) return;
    if (current_.nibble < 0) {
        current_.nibble = h;
        return;
    }
    if (current_.bytes.size() >= kMaxPictureBytes) {
        current_.tooLarge = true;
        return;
    }
    current_.bytes.append(static_cast<char>(current_.nibble * 16 + h));
    current_.nibble = -1;
}

void Pictures::Binary(std::string_view bytes) {
    if (current_.tooLarge) return;
    const auto count = static_cast<qsizetype>(bytes.size());
    if (current_.bytes.size() + count > kMaxPictureBytes)
        current_.tooLarge = true;
    else
        current_.bytes.append(bytes.data(), count);
}

std::optional<QTextImageFormat> Pictures::Finish(QTextDocument& doc, bool hidden) {
    depth_ = -1;
    Data im = std::move(current_);
    current_ = Data{};
    const bool png = im.format == PictureFormat::Png;
    if ((!png && im.format != PictureFormat::Jpeg) || im.tooLarge || im.bytes.isEmpty() || hidden) return {};
    // Data that does not even start like its format is not handed to the decoders.
    if (png && !im.bytes.startsWith("\x89PNG\r\n\x1a\n")) return {};
    if (!png && !im.bytes.startsWith("\xFF\xD8\xFF")) return {};
    QBuffer buffer(&im.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, png ? "png" : "jpeg");
    const QSize halfPoints = reader.size();
    if (!halfPoints.isValid() || halfPoints.isEmpty()) return {};
    const qint64 pixels = static_cast<qint64>(halfPoints.width()) * halfPoints.height();
    if (pixels > kMaxPicturePixels || documentPixels_ + pixels > kMaxDocumentPixels) return {};
    const QImage img = reader.read();
    if (img.isNull()) return {};
    documentPixels_ += pixels;

    // Shown size: the goal size in twips when given, else the picture's own pixels, scaled.
    double width = im.goalw > 0 ? Pixels(im.goalw) : img.width();
    double highSurrogate = im.goalh > 0 ? Pixels(im.goalh) : img.height();
    if (im.goalw > 0 && im.goalh <= 0) highSurrogate = width * img.height() / img.width();
    if (im.goalh > 0 && im.goalw <= 0) width = highSurrogate * img.width() / img.height();
    width = std::clamp(width * im.scaleX / 100.0, 1.0, 4096.0);
    highSurrogate = std::clamp(highSurrogate * im.scaleY / 100.0, 1.0, 4096.0);

    const QUrl name(QStringLiteral("rtf-imagen:%1").arg(++pictureCount_));
    doc.addResource(QTextDocument::ImageResource, name, img);
    QTextImageFormat f;
    f.setName(name.toString());
    f.setWidth(width);
    f.setHeight(highSurrogate);
    return f;
}

} // namespace richtext::reading
