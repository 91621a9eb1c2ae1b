#pragma once
// The character file (Genie.ACS): our own container for an animated character.
//
// Layout, all integers unsigned 32-bit little-endian:
//   8 bytes   magic "PXACS001"
//   u32       manifest size, then the manifest: UTF-8 JSON (below)
//   u32       picture count, then for each picture: u32 size and a PNG image
// Nothing may follow the last picture.
//
// Manifest:
//   { "name": "Genie", "width": 128, "height": 128,
//     "mouths": [i, i, i],              pictures laid over the mouth while speaking (closed..open)
//     "rest": "Resting", "show": "Showing", "hide": "Hiding",
//     "idle": ["Blink", ...],           animations played now and then when nothing is queued
//     "animations": { "Wave": [[picture, milliseconds, mouthX, mouthY], ...], ... } }
// mouthX/mouthY is where, in that frame, the centre of a mouth picture goes.
//
// The reader trusts nothing: any damage (truncation, wrong sizes, bad JSON, a frame pointing to a
// missing picture, a picture that is not a PNG of the character's size) is an AgentError with a
// Spanish message. It never reads beyond the data and caps every count and size.
#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace agent {

struct CharacterFrame {
    int picture = 0;
    int ms = 100;
    QPoint mouth; // centre of the mouth in this frame, character pixels
};

struct CharacterData {
    QString name;
    QSize size;
    std::vector<QImage> pictures; // ARGB32 premultiplied, all of `size`
    std::map<QString, std::vector<CharacterFrame>> animations;
    std::vector<int> mouths; // picture indexes, closed to wide open
    QString rest, show, hide;
    QStringList idle;

    const std::vector<CharacterFrame>* Animation(const QString& name) const;
};

namespace characterfile {

inline constexpr char kMagic[] = "PXACS001";
inline constexpr int kMaxPictures = 4096;
inline constexpr int kMaxFrames = 1000;
inline constexpr qsizetype kMaxManifest = 1 << 20;
inline constexpr qsizetype kMaxPicture = 4 << 20;

// Reads and checks a character file; throws AgentError when it is missing or damaged.
CharacterData Read(const QString& path);
// The same from the file's bytes.
CharacterData Parse(const QByteArray& bytes);
// Serialises a character (pictures encoded as PNG). Parse(Write(d)) gives back d.
QByteArray Write(const CharacterData& data);

} // namespace characterfile
} // namespace agent
