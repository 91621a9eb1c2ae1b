#pragma once
// The pictures of an RTF document (\pict groups): their data, as hexadecimal digits or \bin
// bytes, and their size words; shown when they are PNG or JPEG within the size limits.
#include "platform/RichTextControl.h"

#include <QByteArray>
#include <QTextImageFormat>
#include <QtGlobal>
#include <cstdint>
#include <optional>
#include <string_view>

class QTextDocument;

namespace richtext::reading {

enum class PictureFormat : uint8_t { Unknown, Other, Png, Jpeg };

class Pictures {
public:
    // A \pict group starts at this depth of the group stack.
    void Begin(int depth);
    bool IsOpen() const { return depth_ >= 0; }
    int Depth() const { return depth_; }

    // The effect of a control word of Kind::Picture inside the picture.
    void Apply(Control c, Argument a);
    // A byte of the picture's text: a hexadecimal digit of its data, or nothing.
    void Digit(unsigned char b);
    void Binary(std::string_view bytes);

    // Ends the picture: its resource is added to `doc` and its format returned when it is shown
    // (not for hidden text, unknown formats, damaged data or pictures past the limits).
    std::optional<QTextImageFormat> Finish(QTextDocument& doc, bool hidden);

private:
    struct Data {
        PictureFormat format = PictureFormat::Unknown;
        QByteArray bytes;
        int nibble = -1; // the first digit of a byte whose second has not come yet
        bool tooLarge = false;
        int goalw = 0, goalh = 0, scaleX = 100, scaleY = 100; // twips, percent
    };

    Data current_;
    int depth_ = -1;
    int pictureCount_ = 0; // pictures added, for their resource names
    qint64 documentPixels_ = 0;
};

} // namespace richtext::reading
