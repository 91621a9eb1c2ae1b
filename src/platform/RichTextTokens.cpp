#include "platform/RichTextTokens.h"

#include <algorithm>

namespace richtext::reading {

namespace {

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool Tokenizer::Control(Piece& t) {
    ++p_; // the backslash
    if (p_ >= end_) return false;
    const char c = *p_;
    if (IsLetter(c)) {
        const char* start = p_;
        while (p_ < end_ && IsLetter(*p_))
            ++p_;
        t.type = Token::Word;
        t.text = std::string_view(start,
                                  static_cast<size_t>(std::min<ptrdiff_t>(p_ - start, kMaxWordLetters + 1)));
        bool negative = false;
        long long value = 0;
        if (p_ + 1 < end_ && *p_ == '-' && IsDigit(p_[1])) {
            negative = true;
            ++p_;
        }
        while (p_ < end_ && IsDigit(*p_)) {
            t.hasParameter = true;
            // Digits past a hundred thousand million change nothing once clamped to int.
            if (value < 100000000000LL) value = value * 10 + (*p_ - '0');
            ++p_;
        }
        if (p_ < end_ && *p_ == ' ') ++p_; // the space that ends a word is part of it
        if (negative) value = -value;
        t.parameter = static_cast<int>(std::clamp<long long>(value, INT32_MIN + 1, INT32_MAX));
        return true;
    }
    ++p_;
    if (c == '\'') {
        int value = 0;
        for (int k = 0; k < 2; ++k) {
            const int h = p_ < end_ ? HexValue(*p_) : -1;
            if (h < 0) return false;
            value = value * 16 + h;
            ++p_;
        }
        t.type = Token::Byte;
        t.byte = static_cast<unsigned char>(value);
        return true;
    }
    t.type = Token::Symbol;
    t.byte = static_cast<unsigned char>(c);
    return true;
}

std::string_view Tokenizer::Binary(qsizetype n) {
    const qsizetype count = std::clamp<qsizetype>(n, 0, end_ - p_);
    const std::string_view bytes(p_, static_cast<size_t>(count));
    p_ += count;
    return bytes;
}

} // namespace richtext::reading
