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

namespace richtext::lectura {

namespace {

// All pictures of one document together, so many big pictures cannot exhaust memory.
constexpr qint64 kMaxPixelesDocumento = 4 * kMaxPixelesImagen;

} // namespace

void Imagenes::Empezar(int profundidad) {
    actual_ = Datos{};
    profundidad_ = profundidad;
}

void Imagenes::Aplicar(Control c, Argumento a) {
    const int n = a.n;
    switch (c) {
    case Control::PngBlip:
        actual_.formato = FormatoImagen::Png;
        break;
    case Control::JpegBlip:
        actual_.formato = FormatoImagen::Jpeg;
        break;
    case Control::OtraImagen:
        actual_.formato = FormatoImagen::Otro;
        break;
    case Control::PicWGoal:
        actual_.goalw = n;
        break;
    case Control::PicHGoal:
        actual_.goalh = n;
        break;
    case Control::PicScaleX:
        if (n > 0) actual_.escalax = std::min(n, 1000);
        break;
    case Control::PicScaleY:
        if (n > 0) actual_.escalay = std::min(n, 1000);
        break;
    default:
        break; // \picw and \pich: the data says its own size
    }
}

void Imagenes::Digito(unsigned char b) {
    if (actual_.demasiado) return;
    const int h = ValorHex(static_cast<char>(b));
    if (h < 0) return;
    if (actual_.nibble < 0) {
        actual_.nibble = h;
        return;
    }
    if (actual_.bytes.size() >= kMaxBytesImagen) {
        actual_.demasiado = true;
        return;
    }
    actual_.bytes.append(static_cast<char>(actual_.nibble * 16 + h));
    actual_.nibble = -1;
}

void Imagenes::Binario(std::string_view bytes) {
    if (actual_.demasiado) return;
    const auto cuantos = static_cast<qsizetype>(bytes.size());
    if (actual_.bytes.size() + cuantos > kMaxBytesImagen)
        actual_.demasiado = true;
    else
        actual_.bytes.append(bytes.data(), cuantos);
}

std::optional<QTextImageFormat> Imagenes::Terminar(QTextDocument& doc, bool oculta) {
    profundidad_ = -1;
    Datos im = std::move(actual_);
    actual_ = Datos{};
    const bool png = im.formato == FormatoImagen::Png;
    if ((!png && im.formato != FormatoImagen::Jpeg) || im.demasiado || im.bytes.isEmpty() || oculta) return {};
    // Data that does not even start like its format is not handed to the decoders.
    if (png && !im.bytes.startsWith("\x89PNG\r\n\x1a\n")) return {};
    if (!png && !im.bytes.startsWith("\xFF\xD8\xFF")) return {};
    QBuffer buffer(&im.bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader lector(&buffer, png ? "png" : "jpeg");
    const QSize tam = lector.size();
    if (!tam.isValid() || tam.isEmpty()) return {};
    const qint64 pixeles = static_cast<qint64>(tam.width()) * tam.height();
    if (pixeles > kMaxPixelesImagen || pixelesDocumento_ + pixeles > kMaxPixelesDocumento) return {};
    const QImage img = lector.read();
    if (img.isNull()) return {};
    pixelesDocumento_ += pixeles;

    // Shown size: the goal size in twips when given, else the picture's own pixels, scaled.
    double ancho = im.goalw > 0 ? Pixeles(im.goalw) : img.width();
    double alto = im.goalh > 0 ? Pixeles(im.goalh) : img.height();
    if (im.goalw > 0 && im.goalh <= 0) alto = ancho * img.height() / img.width();
    if (im.goalh > 0 && im.goalw <= 0) ancho = alto * img.width() / img.height();
    ancho = std::clamp(ancho * im.escalax / 100.0, 1.0, 4096.0);
    alto = std::clamp(alto * im.escalay / 100.0, 1.0, 4096.0);

    const QUrl nombre(QStringLiteral("rtf-imagen:%1").arg(++numero_));
    doc.addResource(QTextDocument::ImageResource, nombre, img);
    QTextImageFormat f;
    f.setName(nombre.toString());
    f.setWidth(ancho);
    f.setHeight(alto);
    return f;
}

} // namespace richtext::lectura
