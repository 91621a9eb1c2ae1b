#include "platform/RichTextTokens.h"

#include <algorithm>

namespace richtext::lectura {

namespace {

bool EsLetra(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool EsDigito(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

bool Tokenizador::Control(Pieza& t) {
    ++p_; // the backslash
    if (p_ >= fin_) return false;
    const char c = *p_;
    if (EsLetra(c)) {
        const char* inicio = p_;
        while (p_ < fin_ && EsLetra(*p_))
            ++p_;
        t.tipo = Token::Palabra;
        t.texto = std::string_view(inicio, static_cast<size_t>(std::min<ptrdiff_t>(p_ - inicio, kMaxLetrasPalabra + 1)));
        bool negativo = false;
        long long valor = 0;
        if (p_ + 1 < fin_ && *p_ == '-' && EsDigito(p_[1])) {
            negativo = true;
            ++p_;
        }
        while (p_ < fin_ && EsDigito(*p_)) {
            t.conParametro = true;
            // Digits past a hundred thousand million change nothing once clamped to int.
            if (valor < 100000000000LL) valor = valor * 10 + (*p_ - '0');
            ++p_;
        }
        if (p_ < fin_ && *p_ == ' ') ++p_; // the space that ends a word is part of it
        if (negativo) valor = -valor;
        t.parametro = static_cast<int>(std::clamp<long long>(valor, INT32_MIN + 1, INT32_MAX));
        return true;
    }
    ++p_;
    if (c == '\'') {
        int valor = 0;
        for (int k = 0; k < 2; ++k) {
            const int h = p_ < fin_ ? ValorHex(*p_) : -1;
            if (h < 0) return false;
            valor = valor * 16 + h;
            ++p_;
        }
        t.tipo = Token::Byte;
        t.byte = static_cast<unsigned char>(valor);
        return true;
    }
    t.tipo = Token::Simbolo;
    t.byte = static_cast<unsigned char>(c);
    return true;
}

std::string_view Tokenizador::Binario(qsizetype n) {
    const qsizetype cuantos = std::clamp<qsizetype>(n, 0, fin_ - p_);
    const std::string_view bytes(p_, static_cast<size_t>(cuantos));
    p_ += cuantos;
    return bytes;
}

} // namespace richtext::lectura
