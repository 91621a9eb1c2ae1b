#include "platform/CharacterFile.h"

#include "platform/Files.h"

#include "platform/Agent.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace agent {

const std::vector<CharacterFrame>* CharacterData::Animation(const QString& name) const {
    auto it = animations.find(name);
    return it == animations.end() ? nullptr : &it->second;
}

namespace characterfile {

namespace {

constexpr qsizetype kMagicSize = sizeof(kMagic) - 1;

[[noreturn]] void Damaged(const QString& detail) {
    throw AgentError(QStringLiteral("El archivo del personaje está dañado: %1.").arg(detail));
}

// A cursor over the file's bytes that refuses to read past the end.
class Reader {
public:
    explicit Reader(const QByteArray& b) : b_(b) {}
    quint32 U32(const char* what) {
        if (b_.size() - pos_ < 4) Damaged(QStringLiteral("falta %1").arg(QLatin1String(what)));
        const auto* p = reinterpret_cast<const unsigned char*>(b_.constData() + pos_);
        pos_ += 4;
        return quint32(p[0]) | quint32(p[1]) << 8 | quint32(p[2]) << 16 | quint32(p[3]) << 24;
    }
    QByteArray Bytes(quint32 n, const char* what) {
        if (quint64(b_.size() - pos_) < n) Damaged(QStringLiteral("%1 incompleto").arg(QLatin1String(what)));
        QByteArray out = b_.mid(pos_, qsizetype(n));
        pos_ += qsizetype(n);
        return out;
    }
    bool AtEnd() const { return pos_ == b_.size(); }
    qsizetype Pos() const { return pos_; }

private:
    const QByteArray& b_;
    qsizetype pos_ = 0;
};

void PutU32(QByteArray& out, quint32 v) {
    const char b[4] = {char(v & 0xFF), char((v >> 8) & 0xFF), char((v >> 16) & 0xFF), char((v >> 24) & 0xFF)};
    out.append(b, 4);
}

int Integer(const QJsonValue& v, int min, int max, const QString& what) {
    if (!v.isDouble()) Damaged(QStringLiteral("%1 no es un número").arg(what));
    const double d = v.toDouble();
    // The range comes first: turning a double beyond the integer range into an integer is undefined.
    if (!(d >= min && d <= max) || d != std::floor(d)) Damaged(QStringLiteral("%1 fuera de rango").arg(what));
    return int(d);
}

QString AnimationName(const QJsonObject& o, const char* key, const CharacterData& d, bool required) {
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined() && !required) return {};
    if (!v.isString()) Damaged(QStringLiteral("falta la animación «%1»").arg(QLatin1String(key)));
    QString name = v.toString();
    if (!d.Animation(name)) Damaged(QStringLiteral("la animación «%1» no existe").arg(name));
    return name;
}

void ReadManifest(const QByteArray& json, CharacterData& d) {
    QJsonParseError err{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
    if (err.error != QJsonParseError::NoError || !doc.isObject())
        Damaged(QStringLiteral("manifiesto ilegible"));
    const QJsonObject o = doc.object();
    d.name = o.value(QLatin1String("name")).toString();
    d.size = QSize(Integer(o.value(QLatin1String("width")), 8, 1024, QStringLiteral("ancho")),
                   Integer(o.value(QLatin1String("height")), 8, 1024, QStringLiteral("alto")));
    const int pictures = int(d.pictures.size());

    const QJsonValue anims = o.value(QLatin1String("animations"));
    if (!anims.isObject() || anims.toObject().isEmpty()) Damaged(QStringLiteral("no hay animaciones"));
    const QJsonObject ao = anims.toObject();
    for (auto it = ao.begin(); it != ao.end(); ++it) {
        const QString what = QStringLiteral("animación «%1»").arg(it.key());
        if (!it.value().isArray()) Damaged(what);
        const QJsonArray frames = it.value().toArray();
        if (frames.isEmpty() || frames.size() > kMaxFrames) Damaged(what);
        std::vector<CharacterFrame> out;
        out.reserve(size_t(frames.size()));
        for (const auto& fv : frames) {
            const QJsonArray f = fv.toArray();
            if (f.size() != 4) Damaged(what);
            CharacterFrame cf;
            cf.picture = Integer(f[0], 0, pictures - 1, what);
            cf.ms = Integer(f[1], 1, 10000, what);
            cf.mouth = QPoint(Integer(f[2], -1024, 2048, what), Integer(f[3], -1024, 2048, what));
            out.push_back(cf);
        }
        d.animations.emplace(it.key(), std::move(out));
    }

    const QJsonArray mouths = o.value(QLatin1String("mouths")).toArray();
    if (mouths.size() > 16) Damaged(QStringLiteral("demasiadas bocas"));
    for (const auto& m : mouths)
        d.mouths.push_back(Integer(m, 0, pictures - 1, QStringLiteral("boca")));

    d.rest = AnimationName(o, "rest", d, true);
    d.show = AnimationName(o, "show", d, false);
    d.hide = AnimationName(o, "hide", d, false);
    const QJsonArray idle = o.value(QLatin1String("idle")).toArray();
    for (const auto& v : idle) {
        const QString name = v.toString();
        if (!d.Animation(name)) Damaged(QStringLiteral("la animación «%1» no existe").arg(name));
        d.idle << name;
    }
}

} // namespace

CharacterData Read(const QString& path) {
    // A real character is a few megabytes; anything absurd is refused before it is read, and a
    // FIFO or device at the name is never opened for reading.
    files::Contents leido = files::ReadRegular(path, qint64(kMaxPictures) * 64 * 1024);
    switch (leido.status) {
    case files::Status::Ok:
        break;
    case files::Status::Missing:
        throw AgentError(QStringLiteral("No se encuentra el archivo del personaje «%1».").arg(path));
    case files::Status::TooLarge:
        Damaged(QStringLiteral("tamaño excesivo"));
        break;
    case files::Status::NotRegular:
        Damaged(QStringLiteral("no es un archivo"));
        break;
    case files::Status::Unreadable:
        throw AgentError(QStringLiteral("No se puede leer el archivo del personaje «%1».").arg(path));
    }
    return Parse(leido.bytes);
}

CharacterData Parse(const QByteArray& bytes) {
    if (bytes.size() < kMagicSize || std::memcmp(bytes.constData(), kMagic, size_t(kMagicSize)) != 0)
        throw AgentError(QStringLiteral("El archivo no es un personaje de Palavrix."));
    Reader in(bytes);
    in.Bytes(quint32(kMagicSize), "encabezado");

    const quint32 manifestSize = in.U32("el tamaño del manifiesto");
    if (manifestSize == 0 || manifestSize > kMaxManifest) Damaged(QStringLiteral("tamaño del manifiesto"));
    const QByteArray manifest = in.Bytes(manifestSize, "manifiesto");

    const quint32 count = in.U32("el número de imágenes");
    if (count == 0 || count > quint32(kMaxPictures)) Damaged(QStringLiteral("número de imágenes"));
    // Every picture needs at least its size field: a count the file cannot hold is damage.
    if (quint64(count) * 4 > quint64(bytes.size() - in.Pos())) Damaged(QStringLiteral("número de imágenes"));

    CharacterData d;
    std::vector<QByteArray> pngs;
    pngs.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        const quint32 n = in.U32("el tamaño de una imagen");
        if (n == 0 || n > kMaxPicture) Damaged(QStringLiteral("tamaño de la imagen %1").arg(i));
        pngs.push_back(in.Bytes(n, "imagen"));
    }
    if (!in.AtEnd()) Damaged(QStringLiteral("datos sobrantes al final"));

    d.pictures.resize(count); // indexes are checked against the count while the manifest is read
    ReadManifest(manifest, d);
    // Each picture is small when compressed but decodes to its full size: bound the sum, so a
    // few megabytes of file can never ask for gigabytes of memory.
    if (quint64(count) * quint64(d.size.width()) * quint64(d.size.height()) > (quint64(1) << 26))
        Damaged(QStringLiteral("demasiadas imágenes para su tamaño"));

    for (quint32 i = 0; i < count; ++i) {
        const bool mouth = std::find(d.mouths.begin(), d.mouths.end(), int(i)) != d.mouths.end();
        QBuffer buf(&pngs[i]);
        buf.open(QIODevice::ReadOnly);
        QImageReader reader(&buf, "png");
        // The size is read from the header before decoding, so a forged size never allocates.
        const QSize s = reader.size();
        const bool sizeOk = mouth ? (s.width() > 0 && s.height() > 0 && s.width() <= d.size.width() &&
                                     s.height() <= d.size.height())
                                  : s == d.size;
        if (!sizeOk) Damaged(QStringLiteral("imagen %1 de tamaño incorrecto").arg(i));
        QImage img;
        if (!reader.read(&img) || img.size() != s) Damaged(QStringLiteral("imagen %1 ilegible").arg(i));
        d.pictures[i] = img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    }
    return d;
}

QByteArray Write(const CharacterData& d) {
    QJsonObject anims;
    for (const auto& [name, frames] : d.animations) {
        QJsonArray a;
        for (const auto& f : frames)
            a.append(QJsonArray{f.picture, f.ms, f.mouth.x(), f.mouth.y()});
        anims.insert(name, a);
    }
    QJsonArray mouths;
    for (int m : d.mouths)
        mouths.append(m);
    QJsonObject o{{QStringLiteral("name"), d.name},
                  {QStringLiteral("width"), d.size.width()},
                  {QStringLiteral("height"), d.size.height()},
                  {QStringLiteral("mouths"), mouths},
                  {QStringLiteral("rest"), d.rest},
                  {QStringLiteral("idle"), QJsonArray::fromStringList(d.idle)},
                  {QStringLiteral("animations"), anims}};
    if (!d.show.isEmpty()) o.insert(QStringLiteral("show"), d.show);
    if (!d.hide.isEmpty()) o.insert(QStringLiteral("hide"), d.hide);
    const QByteArray manifest = QJsonDocument(o).toJson(QJsonDocument::Compact);

    QByteArray out(kMagic, kMagicSize);
    PutU32(out, quint32(manifest.size()));
    out.append(manifest);
    PutU32(out, quint32(d.pictures.size()));
    for (const QImage& img : d.pictures) {
        QByteArray png;
        QBuffer buf(&png);
        buf.open(QIODevice::WriteOnly);
        img.save(&buf, "PNG", 9);
        PutU32(out, quint32(png.size()));
        out.append(png);
    }
    return out;
}

} // namespace characterfile
} // namespace agent
