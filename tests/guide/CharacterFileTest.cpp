// The character file: what the writer writes the reader gives back, damage of any kind is an
// error and never a crash.
#include "platform/CharacterFile.h"
#include "platform/Agent.h"

#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <set>
#include <sys/stat.h>

using agent::AgentError;
using agent::CharacterData;
namespace cf = agent::characterfile;

namespace {

CharacterData Pequeno() {
    CharacterData d;
    d.name = QStringLiteral("Prueba");
    d.size = QSize(16, 12);
    for (QColor c : {QColor(Qt::red), QColor(Qt::blue)}) {
        QImage img(d.size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter(&img).fillRect(2, 2, 8, 6, c);
        d.pictures.push_back(img);
    }
    QImage mouth(4, 3, QImage::Format_ARGB32_Premultiplied);
    mouth.fill(Qt::black);
    d.pictures.push_back(mouth);
    d.mouths = {2};
    d.animations[QStringLiteral("Quieto")] = {{0, 100, {8, 9}}};
    d.animations[QStringLiteral("Saluda")] = {{0, 50, {8, 9}}, {1, 70, {7, 9}}, {0, 50, {8, 9}}};
    d.rest = QStringLiteral("Quieto");
    d.show = QStringLiteral("Saluda");
    d.idle = QStringList{QStringLiteral("Saluda")};
    return d;
}

void ExpectDamaged(const QByteArray& bytes) {
    try {
        cf::Parse(bytes);
        ADD_FAILURE() << "accepted a damaged file of " << bytes.size() << " bytes";
    } catch (const AgentError& e) {
        EXPECT_FALSE(QString::fromStdString(e.what()).isEmpty());
    }
}

QByteArray ConManifiesto(const QByteArray& original, const QByteArray& viejo, const QByteArray& nuevo) {
    // Rewrites the manifest text and its size field.
    QByteArray b = original;
    const qsizetype at = b.indexOf(viejo);
    EXPECT_GE(at, 0);
    b.replace(at, viejo.size(), nuevo);
    const quint32 size = quint32(b.indexOf("}\x03\x00\x00\x00", 12) + 1 - 12);
    for (int i = 0; i < 4; ++i)
        b[8 + i] = char((size >> (8 * i)) & 0xFF);
    return b;
}

} // namespace

TEST(CharacterFile, WhatIsWrittenReadsBack) {
    const CharacterData d = Pequeno();
    const CharacterData r = cf::Parse(cf::Write(d));
    EXPECT_EQ(r.name, d.name);
    EXPECT_EQ(r.size, d.size);
    ASSERT_EQ(r.pictures.size(), d.pictures.size());
    for (size_t i = 0; i < d.pictures.size(); ++i)
        EXPECT_EQ(r.pictures[i], d.pictures[i]) << i;
    EXPECT_EQ(r.mouths, d.mouths);
    EXPECT_EQ(r.rest, d.rest);
    EXPECT_EQ(r.show, d.show);
    EXPECT_TRUE(r.hide.isEmpty());
    EXPECT_EQ(r.idle, d.idle);
    ASSERT_EQ(r.animations.size(), 2u);
    const auto* saluda = r.Animation(QStringLiteral("Saluda"));
    ASSERT_NE(saluda, nullptr);
    ASSERT_EQ(saluda->size(), 3u);
    EXPECT_EQ((*saluda)[1].picture, 1);
    EXPECT_EQ((*saluda)[1].ms, 70);
    EXPECT_EQ((*saluda)[1].mouth, QPoint(7, 9));
    EXPECT_EQ(r.Animation(QStringLiteral("Nada")), nullptr);
}

TEST(CharacterFile, MissingOrForeignFilesAreRefused) {
    QTemporaryDir dir;
    EXPECT_THROW(cf::Read(dir.filePath(QStringLiteral("Genie.ACS"))), AgentError);
    EXPECT_THROW(cf::Read(dir.path()), AgentError); // a folder
    ExpectDamaged(QByteArray());
    ExpectDamaged(QByteArray("PXACS00"));
    ExpectDamaged(QByteArray("MSAgentCharacterFile\0\0\0\0", 24));
}

TEST(CharacterFile, AFifoOrADeviceAtItsNameIsRefusedWithoutWaitingOrReadingForEver) {
    // Before, a FIFO held the start in open() for ever, and a link to /dev/zero (which reports no
    // size) was read until memory ran out.
    QTemporaryDir dir;
    const QString fifo = dir.filePath(QStringLiteral("Genie.ACS"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_THROW(cf::Read(fifo), AgentError);
    const QString cero = dir.filePath(QStringLiteral("Cero.ACS"));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), cero));
    EXPECT_THROW(cf::Read(cero), AgentError);
}

TEST(CharacterFile, EveryTruncationIsAnError) {
    const QByteArray bytes = cf::Write(Pequeno());
    for (qsizetype n = 0; n < bytes.size(); ++n)
        ExpectDamaged(bytes.left(n));
    ExpectDamaged(bytes + QByteArray(1, '\0'));
}

TEST(CharacterFile, EveryFlippedByteIsReadOrRefusedNeverTrusted) {
    const QByteArray bytes = cf::Write(Pequeno());
    int refused = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        for (char mask : {char(0x01), char(0x80), char(0xFF)}) {
            QByteArray b = bytes;
            b[i] = char(b[i] ^ mask);
            try {
                const CharacterData d = cf::Parse(b);
                // Whatever is accepted is consistent: every frame points at a real picture.
                for (const auto& [name, frames] : d.animations)
                    for (const auto& f : frames)
                        ASSERT_LT(size_t(f.picture), d.pictures.size());
                for (const QImage& img : d.pictures)
                    ASSERT_FALSE(img.isNull());
            } catch (const AgentError&) {
                ++refused;
            }
        }
    }
    EXPECT_GT(refused, 0);
}

TEST(CharacterFile, InconsistentManifestsAreRefused) {
    const QByteArray bytes = cf::Write(Pequeno());
    ExpectDamaged(ConManifiesto(bytes, "[1,70,7,9]", "[3,70,7,9]"));   // no picture 3
    ExpectDamaged(ConManifiesto(bytes, "[1,70,7,9]", "[-1,70,7,9]"));  // negative index
    ExpectDamaged(ConManifiesto(bytes, "[1,70,7,9]", "[1,0,7,9]"));    // a frame of no time
    ExpectDamaged(ConManifiesto(bytes, "[1,70,7,9]", "[1.5,70,7,9]")); // not a whole number
    ExpectDamaged(ConManifiesto(bytes, "[1,70,7,9]", "[1,70]"));       // too short
    ExpectDamaged(ConManifiesto(bytes, "\"rest\":\"Quieto\"", "\"rest\":\"Otro\""));
    ExpectDamaged(ConManifiesto(bytes, "\"idle\":[\"Saluda\"]", "\"idle\":[\"Otro\"]"));
    ExpectDamaged(ConManifiesto(bytes, "\"width\":16", "\"width\":17"));    // pictures of the wrong size
    ExpectDamaged(ConManifiesto(bytes, "\"mouths\":[2]", "\"mouths\":[]")); // a small picture is only a mouth
    ExpectDamaged(ConManifiesto(bytes, "\"width\":16", "\"width\":1e9"));
    // The manifest rewriting itself works: an equivalent manifest still reads.
    EXPECT_NO_THROW(cf::Parse(ConManifiesto(bytes, "\"name\":\"Prueba\"", "\"name\":\"Otra\"")));
}

TEST(CharacterFile, ForgedCountsAndSizesAreRefusedBeforeAllocating) {
    const QByteArray bytes = cf::Write(Pequeno());
    QByteArray b = bytes;
    for (int i = 0; i < 4; ++i)
        b[8 + i] = char(0xFF); // manifest of 4 GB
    ExpectDamaged(b);
    const qsizetype count = 12 + qsizetype(quint8(bytes[8])) + (qsizetype(quint8(bytes[9])) << 8);
    b = bytes;
    for (int i = 0; i < 4; ++i)
        b[count + i] = char(0xFF); // four thousand million pictures
    ExpectDamaged(b);
    b = bytes;
    b[count] = char(0x10); // more pictures than the file holds
    ExpectDamaged(b);
    b = bytes;
    for (int i = 0; i < 3; ++i)
        b[count + 4 + i] = char(0xFF); // a picture larger than the file
    ExpectDamaged(b);
}

TEST(CharacterFile, PicturesThatWouldDecodeToTooMuchMemoryAreRefused) {
    // Uniform pictures compress to almost nothing, but 65 of 1024 x 1024 would take 272 MB.
    CharacterData d = Pequeno();
    d.size = QSize(1024, 1024);
    QImage vacia(d.size, QImage::Format_ARGB32_Premultiplied);
    vacia.fill(Qt::transparent);
    d.pictures.assign(65, vacia);
    d.mouths.clear();
    const QByteArray bytes = cf::Write(d);
    EXPECT_LT(bytes.size(), 2 * 1024 * 1024);
    ExpectDamaged(bytes);
}
