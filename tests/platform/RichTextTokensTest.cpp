#include "platform/RichTextTokens.h"
#include "platform/RichText.h"

#include <QTextDocument>
#include <cstdio>
#include <gtest/gtest.h>
#include <string>

using richtext::reading::kMaxText;
using richtext::reading::kMaxWordLetters;
using richtext::reading::Piece;
using richtext::reading::Token;
using richtext::reading::Tokenizer;

namespace {

// One token as a short string: { } T(text) W(word) W(word=N) S(symbol) B(hh).
std::string Describir(const Piece& t) {
    switch (t.type) {
    case Token::End:
        return "$";
    case Token::GroupOpen:
        return "{";
    case Token::GroupClose:
        return "}";
    case Token::Text:
        return "T(" + std::string(t.text) + ")";
    case Token::Word:
        return "W(" + std::string(t.text) + (t.hasParameter ? "=" + std::to_string(t.parameter) : "") + ")";
    case Token::Symbol:
        return "S(" + std::string(1, static_cast<char>(t.byte)) + ")";
    case Token::Byte: {
        char hex[3];
        std::snprintf(hex, sizeof hex, "%02x", t.byte);
        return "B(" + std::string(hex) + ")";
    }
    }
    return "?";
}

// Every token of the input, up to and including the end.
std::string Tokens(std::string_view rtf) {
    Tokenizer tok(rtf);
    std::string s;
    for (int n = 0; n < 100000; ++n) {
        const Piece t = tok.Next();
        s += (s.empty() ? "" : " ") + Describir(t);
        if (t.type == Token::End) return s;
    }
    return s + " (no end)";
}

QString Text(const QByteArray& rtf) {
    QTextDocument doc;
    richtext::ReadRtf(rtf, doc);
    return doc.toPlainText();
}

} // namespace

TEST(RichTextTokens, GroupsNestAndTextRunsEndAtBracesAndBackslashes) {
    EXPECT_EQ(Tokens("{a{b c}d}"), "{ T(a) { T(b c) } T(d) } $");
    EXPECT_EQ(Tokens("{{{}}}"), "{ { { } } } $");
    // Line ends are not text in RTF: they split a run and vanish.
    EXPECT_EQ(Tokens("ab\r\ncd\n"), "T(ab) T(cd) $");
    EXPECT_EQ(Tokens(""), "$");
}

TEST(RichTextTokens, ControlWordsTakeASignedParameterAndTheirEndingSpace) {
    EXPECT_EQ(Tokens("\\li-720 x"), "W(li=-720) T(x) $");
    EXPECT_EQ(Tokens("\\fs24x"), "W(fs=24) T(x) $");
    // Only one space belongs to the word; the next is text.
    EXPECT_EQ(Tokens("\\b  x"), "W(b) T( x) $");
    // A minus not followed by a digit is text, not a sign.
    EXPECT_EQ(Tokens("\\b-x"), "W(b) T(-x) $");
    EXPECT_EQ(Tokens("\\b--1"), "W(b) T(--1) $");
    // The word ends at the first character that is not a letter.
    EXPECT_EQ(Tokens("\\par\\pard{\\i1}"), "W(par) W(pard) { W(i=1) } $");
    EXPECT_EQ(Tokens("\\ul0;"), "W(ul=0) T(;) $");
}

TEST(RichTextTokens, HugeParametersAndLongWordsAreBounded) {
    EXPECT_EQ(Tokens("\\u99999999999999999999"), "W(u=2147483647) $");
    EXPECT_EQ(Tokens("\\u-99999999999999999999"), "W(u=-2147483647) $");
    const std::string larga = "\\" + std::string(1000, 'q') + "7 z";
    Tokenizer tok(larga);
    const Piece w = tok.Next();
    EXPECT_EQ(w.type, Token::Word);
    EXPECT_EQ(w.text.size(), static_cast<size_t>(kMaxWordLetters + 1));
    EXPECT_TRUE(w.hasParameter);
    EXPECT_EQ(w.parameter, 7);
    EXPECT_EQ(Describir(tok.Next()), "T(z)");
}

TEST(RichTextTokens, HexEscapesGiveOneByteAndBrokenOnesAreDropped) {
    EXPECT_EQ(Tokens("\\'e9\\'E9\\'00\\'ff"), "B(e9) B(e9) B(00) B(ff) $");
    // Only two digits belong to the escape.
    EXPECT_EQ(Tokens("\\'4142"), "B(41) T(42) $");
    // A digit missing: the escape is dropped, what follows is read on its own.
    EXPECT_EQ(Tokens("\\'4z"), "T(z) $");
    EXPECT_EQ(Tokens("\\'g1"), "T(g1) $");
    EXPECT_EQ(Tokens("a\\'4"), "T(a) $");
    EXPECT_EQ(Tokens("a\\'"), "T(a) $");
}

TEST(RichTextTokens, ControlSymbolsAreOneCharacterAfterTheBackslash) {
    EXPECT_EQ(Tokens("\\~\\-\\_\\*\\:"), "S(~) S(-) S(_) S(*) S(:) $");
    EXPECT_EQ(Tokens("\\{\\}\\\\"), "S({) S(}) S(\\) $");
    // A backslash before a line end is a paragraph mark; the rest of the line end is dropped.
    EXPECT_EQ(Tokens("a\\\r\nb"), "T(a) S(\r) T(b) $");
    EXPECT_EQ(Tokens("\\1"), "S(1) $");
}

TEST(RichTextTokens, TruncatedInputEndsCleanly) {
    EXPECT_EQ(Tokens("{\\rtf1 abc\\"), "{ W(rtf=1) T(abc) $");
    EXPECT_EQ(Tokens("\\fs"), "W(fs) $");
    EXPECT_EQ(Tokens("\\fs-"), "W(fs) T(-) $");
    EXPECT_EQ(Tokens("{\\b"), "{ W(b) $");
}

TEST(RichTextTokens, BinaryDataIsTakenRawAndNeverPastTheEnd) {
    Tokenizer tok("\\bin3 {}\\x");
    EXPECT_EQ(Describir(tok.Next()), "W(bin=3)");
    EXPECT_EQ(tok.Binary(3), "{}\\");
    EXPECT_EQ(Describir(tok.Next()), "T(x)");

    Tokenizer corto("\\bin100 ab");
    corto.Next();
    EXPECT_EQ(corto.Binary(100), "ab");
    EXPECT_EQ(corto.Binary(-5), "");
    EXPECT_EQ(Describir(corto.Next()), "$");
}

TEST(RichTextTokens, LongTextComesInBoundedRuns) {
    const std::string text(2 * kMaxText + 10, 'a');
    Tokenizer tok(text);
    qsizetype total = 0;
    for (Piece t = tok.Next(); t.type != Token::End; t = tok.Next()) {
        ASSERT_EQ(t.type, Token::Text);
        EXPECT_LE(static_cast<qsizetype>(t.text.size()), kMaxText);
        total += static_cast<qsizetype>(t.text.size());
    }
    EXPECT_EQ(total, static_cast<qsizetype>(text.size()));
}

// The fallback after \uN counts tokens: a control symbol or an escape is one, each byte of a text
// run is one, and line ends are none, even where they split a run.
TEST(RichTextTokens, UnicodeFallbackCountsTokensAcrossRuns) {
    EXPECT_EQ(Text("{\\rtf1\\uc2 \\u8364\\~\r\nAB}"), QString::fromUtf8("€B"));
    EXPECT_EQ(Text("{\\rtf1\\uc3 \\u8364 a\r\nb\\'e9C}"), QString::fromUtf8("€C"));
    EXPECT_EQ(Text("{\\rtf1\\uc1 \\u8364\\par X}"), QString::fromUtf8("€X"));
}
