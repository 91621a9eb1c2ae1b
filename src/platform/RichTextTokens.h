#pragma once
// The tokens of an RTF document: groups, control words, control symbols, "\'hh" bytes and runs of
// plain text. The tokenizer knows nothing of what a word means; the reader gives it its effect.
// It never reads past the end of its input and its work is linear in it, whatever the input.
#include <QtGlobal>
#include <cstdint>
#include <string_view>

namespace richtext::reading {

// Letters kept of a control word: no known word is longer, so a longer one is unknown anyway,
// and cutting it keeps a hostile word from costing more than its reading.
inline constexpr int kMaxWordLetters = 32;
// Longest run of plain text in one token, so the reader can look at its clock between runs.
inline constexpr qsizetype kMaxText = 4096;

enum class Token : uint8_t {
    End,        // the input has ended
    GroupOpen,  // {
    GroupClose, // }
    Word,       // \word, \wordN or \word-N
    Symbol,     // a backslash and one character that is not a letter: \~ \* \{ ...
    Byte,       // \'hh
    Text,       // plain bytes; line ends, which RTF ignores, are dropped
};

struct Piece {
    Token type = Token::End;
    // Word: its letters (at most kMaxWordLetters + 1 of them); Text: the bytes.
    std::string_view text;
    bool hasParameter = false; // Word: digits followed it
    int parameter = 0;         // Word: the number, clamped to int's range
    unsigned char byte = 0;    // Symbol: the character; Byte: the value
};

// The value of a hexadecimal digit, or -1.
inline int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Tokenizer {
public:
    explicit Tokenizer(std::string_view data) : p_(data.data()), end_(data.data() + data.size()) {}

    Piece Next();

    // The raw bytes after "\binN": the next n, or as many as are left.
    std::string_view Binary(qsizetype n);

private:
    // Bytes that end a run of plain text.
    static bool EndsText(char c) { return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n'; }

    // After a backslash: false when nothing is left to return (the input ends, or a "\'" escape
    // is broken, which is dropped).
    bool Control(Piece& t);

    const char* p_;
    const char* end_;
};

// Inline: it runs once per token, and most tokens are braces and text.
inline Piece Tokenizer::Next() {
    Piece t;
    while (p_ < end_) {
        switch (*p_) {
        case '{':
            ++p_;
            t.type = Token::GroupOpen;
            return t;
        case '}':
            ++p_;
            t.type = Token::GroupClose;
            return t;
        case '\r':
        case '\n':
            ++p_;
            continue;
        case '\\':
            if (Control(t)) return t;
            continue;
        default: {
            const char* start = p_;
            const char* stop = end_ - p_ > kMaxText ? p_ + kMaxText : end_;
            while (p_ < stop && !EndsText(*p_))
                ++p_;
            t.type = Token::Text;
            t.text = std::string_view(start, static_cast<size_t>(p_ - start));
            return t;
        }
        }
    }
    return t;
}

} // namespace richtext::reading
