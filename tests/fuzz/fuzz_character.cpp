// libFuzzer target for the character file reader: any bytes must either give a character whose
// every frame, mouth and named animation points at something that exists, or be refused with an
// AgentError carrying a message; never a crash, a hang, another exception or a read out of bounds.
//
// Three kinds of input, told apart by their first bytes, so the fuzzer reaches each layer:
// - a whole file ("PXACS001..." or anything else): the container;
// - a manifest ("{..."): wrapped in a sound container with two 8 x 8 pictures and a 4 x 4 mouth;
// - a picture ("\x89PNG..."): wrapped as picture 0 of a sound container with a fixed manifest.
// Whatever is read is written back and read again, which must give the same character.
#include "platform/Agent.h"
#include "platform/CharacterFile.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

QByteArray Png(int lado, QRgb color) {
    QImage img(lado, lado, QImage::Format_ARGB32);
    img.fill(color);
    QByteArray out;
    QBuffer buf(&out);
    buf.open(QIODevice::WriteOnly);
    img.save(&buf, "PNG");
    return out;
}

void PutU32(QByteArray& out, quint32 v) {
    for (int i = 0; i < 4; ++i)
        out.append(char((v >> (8 * i)) & 0xFF));
}

QByteArray Contenedor(const QByteArray& manifiesto, const QList<QByteArray>& pngs) {
    QByteArray out(agent::characterfile::kMagic);
    PutU32(out, quint32(manifiesto.size()));
    out.append(manifiesto);
    PutU32(out, quint32(pngs.size()));
    for (const QByteArray& png : pngs) {
        PutU32(out, quint32(png.size()));
        out.append(png);
    }
    return out;
}

const char kManifiestoFijo[] =
    R"({"name":"F","width":8,"height":8,"mouths":[2],"rest":"R","show":"S","idle":["R"],)"
    R"("animations":{"R":[[0,100,4,6]],"S":[[1,50,4,6],[0,50,4,6]]}})";

QList<QByteArray> gPngs;

void Comprobar(const agent::CharacterData& d) {
    const int n = int(d.pictures.size());
    if (n == 0 || d.animations.empty()) __builtin_trap();
    for (int i = 0; i < n; ++i) {
        const QImage& img = d.pictures[size_t(i)];
        const bool boca = std::find(d.mouths.begin(), d.mouths.end(), i) != d.mouths.end();
        if (img.isNull() || img.format() != QImage::Format_ARGB32_Premultiplied) __builtin_trap();
        if (!boca && img.size() != d.size) __builtin_trap();
        if (boca && (img.width() > d.size.width() || img.height() > d.size.height())) __builtin_trap();
    }
    for (const auto& [nombre, frames] : d.animations) {
        if (frames.empty()) __builtin_trap();
        for (const auto& f : frames)
            if (f.picture < 0 || f.picture >= n || f.ms < 1) __builtin_trap();
    }
    for (int m : d.mouths)
        if (m < 0 || m >= n) __builtin_trap();
    if (!d.Animation(d.rest)) __builtin_trap();
    if (!d.show.isEmpty() && !d.Animation(d.show)) __builtin_trap();
    if (!d.hide.isEmpty() && !d.Animation(d.hide)) __builtin_trap();
    for (const QString& a : d.idle)
        if (!d.Animation(a)) __builtin_trap();
}

bool Iguales(const agent::CharacterData& a, const agent::CharacterData& b) {
    if (a.name != b.name || a.size != b.size || a.rest != b.rest || a.show != b.show || a.hide != b.hide ||
        a.idle != b.idle || a.mouths != b.mouths || a.pictures.size() != b.pictures.size() ||
        a.animations.size() != b.animations.size())
        return false;
    for (size_t i = 0; i < a.pictures.size(); ++i)
        if (a.pictures[i] != b.pictures[i]) return false;
    for (const auto& [nombre, frames] : a.animations) {
        const auto* otros = b.Animation(nombre);
        if (!otros || otros->size() != frames.size()) return false;
        for (size_t i = 0; i < frames.size(); ++i)
            if (frames[i].picture != (*otros)[i].picture || frames[i].ms != (*otros)[i].ms ||
                frames[i].mouth != (*otros)[i].mouth)
                return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nombre[] = "fuzz_character";
    static char* argv[] = {nombre, nullptr};
    static QGuiApplication app(argc, argv);
    // Damaged pictures make the PNG decoder complain on every input; that is expected.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    gPngs = {Png(8, 0xff2050a0), Png(8, 0x80f0c040), Png(4, 0xff000000)};
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray entrada(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray archivo;
    if (entrada.startsWith('{'))
        archivo = Contenedor(entrada, gPngs);
    else if (entrada.startsWith("\x89PNG"))
        archivo = Contenedor(kManifiestoFijo, {entrada, gPngs[1], gPngs[2]});
    else
        archivo = entrada;

    agent::CharacterData d;
    try {
        d = agent::characterfile::Parse(archivo);
    } catch (const agent::AgentError& e) {
        if (std::strlen(e.what()) == 0) __builtin_trap();
        return 0;
    }
    Comprobar(d);
    // What the reader accepted, the writer must be able to write so that it reads back the same.
    const agent::CharacterData otra = agent::characterfile::Parse(agent::characterfile::Write(d));
    if (!Iguales(d, otra)) __builtin_trap();
    return 0;
}
