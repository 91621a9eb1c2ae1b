#pragma once
// The tokens of an RTF document: groups, control words, control symbols, "\'hh" bytes and runs of
// plain text. The tokenizer knows nothing of what a word means; the reader gives it its effect.
// It never reads past the end of its input and its work is linear in it, whatever the input.
#include <QtGlobal>
#include <cstdint>
#include <string_view>

namespace richtext::lectura {

// Letters kept of a control word: no known word is longer, so a longer one is unknown anyway,
// and cutting it keeps a hostile word from costing more than its reading.
inline constexpr int kMaxLetrasPalabra = 32;
// Longest run of plain text in one token, so the reader can look at its clock between runs.
inline constexpr qsizetype kMaxTexto = 4096;

enum class Token : uint8_t {
    Fin,         // the input has ended
    AbreGrupo,   // {
    CierraGrupo, // }
    Palabra,     // \word, \wordN or \word-N
    Simbolo,     // a backslash and one character that is not a letter: \~ \* \{ ...
    Byte,        // \'hh
    Texto,       // plain bytes; line ends, which RTF ignores, are dropped
};

struct Pieza {
    Token tipo = Token::Fin;
    // Palabra: its letters (at most kMaxLetrasPalabra + 1 of them); Texto: the bytes.
    std::string_view texto;
    bool conParametro = false; // Palabra: digits followed it
    int parametro = 0;         // Palabra: the number, clamped to int's range
    unsigned char byte = 0;    // Simbolo: the character; Byte: the value
};

// The value of a hexadecimal digit, or -1.
inline int ValorHex(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Tokenizador {
public:
    explicit Tokenizador(std::string_view datos) : p_(datos.data()), fin_(datos.data() + datos.size()) {}

    Pieza Siguiente();

    // The raw bytes after "\binN": the next n, or as many as are left.
    std::string_view Binario(qsizetype n);

private:
    // Bytes that end a run of plain text.
    static bool FinDeTexto(char c) { return c == '{' || c == '}' || c == '\\' || c == '\r' || c == '\n'; }

    // After a backslash: false when nothing is left to return (the input ends, or a "\'" escape
    // is broken, which is dropped).
    bool Control(Pieza& t);

    const char* p_;
    const char* fin_;
};

// Inline: it runs once per token, and most tokens are braces and text.
inline Pieza Tokenizador::Siguiente() {
    Pieza t;
    while (p_ < fin_) {
        switch (*p_) {
        case '{':
            ++p_;
            t.tipo = Token::AbreGrupo;
            return t;
        case '}':
            ++p_;
            t.tipo = Token::CierraGrupo;
            return t;
        case '\r':
        case '\n':
            ++p_;
            continue;
        case '\\':
            if (Control(t)) return t;
            continue;
        default: {
            const char* inicio = p_;
            const char* tope = fin_ - p_ > kMaxTexto ? p_ + kMaxTexto : fin_;
            while (p_ < tope && !FinDeTexto(*p_))
                ++p_;
            t.tipo = Token::Texto;
            t.texto = std::string_view(inicio, static_cast<size_t>(p_ - inicio));
            return t;
        }
        }
    }
    return t;
}

} // namespace richtext::lectura
