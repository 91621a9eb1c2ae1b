#include "platform/RichText.h"

#include "platform/RichTextCodepages.h"
#include "platform/RichTextControl.h"
#include "platform/RichTextFormat.h"
#include "platform/RichTextPictures.h"
#include "platform/RichTextTables.h"
#include "platform/RichTextTokens.h"

#include <QTextDocument>
#include <algorithm>
#include <string_view>
#include <vector>

namespace richtext {

namespace {

using namespace reading;

enum class Destination : uint8_t { Text, Skip, Fonts, Colors, Picture };

struct State {
    Destination destination = Destination::Text;
    int uc = 1; // fallback characters after \uN
    Character chr;
    Paragraph par;
};

// Reads one document: the tokens' effect on the group's state, the text in its code page, and the
// finished paragraphs handed to the writer.
class Reader {
public:
    Reader(const QByteArray& rtf, QTextDocument& doc) : tokens_(Start(rtf)), doc_(doc), writer_(doc) {}

    // Reads the whole document, or stops when the clock passes `limit`; false when it stopped.
    bool Read(std::chrono::steady_clock::time_point limit = std::chrono::steady_clock::time_point::max()) {
        const bool limited = limit != std::chrono::steady_clock::time_point::max();
        qsizetype steps = 0;
        for (;;) {
            // The clock is read once every few thousand bytes: a token costs nanoseconds, a clock
            // read tens of them.
            if (limited && ++steps >= 4096) {
                steps = 0;
                if (std::chrono::steady_clock::now() > limit) return false;
            }
            const Piece t = tokens_.Next();
            switch (t.type) {
            case Token::End:
                Finish();
                return true;
            case Token::GroupOpen:
                OpenGroup();
                break;
            case Token::GroupClose:
                if (!CloseGroup()) { // the document's own group has ended
                    Finish();
                    return true;
                }
                break;
            case Token::Word:
                Word(t);
                break;
            case Token::Symbol:
                if (!Fallback()) Symbol(static_cast<char>(t.byte));
                break;
            case Token::Byte:
                if (!Fallback()) Byte(t.byte, true);
                break;
            case Token::Text:
                if (limited) steps += static_cast<qsizetype>(t.text.size());
                for (const char c : t.text)
                    if (!Fallback()) Byte(static_cast<unsigned char>(c), false);
                break;
            }
        }
    }

private:
    // IsRtf has checked that only white space precedes the first brace.
    static std::string_view Start(const QByteArray& rtf) {
        const std::string_view data(rtf.constData(), static_cast<size_t>(rtf.size()));
        const size_t brace = data.find('{');
        return brace == std::string_view::npos ? std::string_view() : data.substr(brace);
    }

    // True when the token is one of the fallback characters after "\uN", which are dropped.
    bool Fallback() {
        if (ucSkip_ <= 0) return false;
        --ucSkip_;
        return true;
    }

    // ---- groups --------------------------------------------------------------------------------

    void OpenGroup() {
        FlushBytes();
        ucSkip_ = 0;
        ResolveAsterisk();
        if (static_cast<int>(stack_.size()) >= kMaxDepth) {
            ++overflow_;
            return;
        }
        stack_.push_back(st_);
    }

    bool CloseGroup() {
        FlushBytes();
        ucSkip_ = 0;
        asterisk_ = false;
        if (overflow_ > 0) {
            --overflow_;
            return true;
        }
        if (stack_.empty()) return false;
        const Destination leaving = st_.destination;
        st_ = stack_.back();
        stack_.pop_back();
        if (leaving == Destination::Fonts && defaultFont_ >= 0) AddFont();
        if (pictures_.IsOpen() && static_cast<int>(stack_.size()) < pictures_.Depth()) FinishPicture();
        return !stack_.empty();
    }

    // "\*" then text: a destination nobody names, skipped.
    void ResolveAsterisk() {
        if (asterisk_) {
            asterisk_ = false;
            st_.destination = Destination::Skip;
        }
    }

    // ---- control words and symbols -------------------------------------------------------------

    void Word(const Piece& t) {
        const Argument a{t.hasParameter, t.parameter};
        const Entry* e = FindControl(t.text);
        if (Fallback()) {
            if (e && e->control == Control::Bin && a.hasParameter) Binary(a.n, false);
            return;
        }
        // Bytes of a multi-byte code page come as consecutive "\'hh"; a word ends them.
        FlushBytes();
        if (asterisk_) {
            asterisk_ = false;
            if (!e || !UnderstoodWithAsterisk(e->control)) {
                st_.destination = Destination::Skip;
                return;
            }
        }
        if (!e) return; // unknown words are ignored, their text is not
        const Destination dest = st_.destination;
        if (dest == Destination::Skip) {
            if (e->control == Control::Bin && a.hasParameter) Binary(a.n, false);
            return;
        }
        switch (e->kind) {
        case Kind::Document:
            DocumentWord(e->control, a);
            break;
        case Kind::Destination:
            DestinationWord(e->control);
            break;
        case Kind::Fonts:
            FontWord(e->control, a);
            break;
        case Kind::Colors:
            if (dest == Destination::Colors) ColorWord(e->control, a);
            break;
        case Kind::Character:
            ApplyCharacter(e->control, a, st_.chr);
            break;
        case Kind::Paragraph:
            ApplyParagraph(e->control, a, st_.par);
            break;
        case Kind::Text:
            TextWord(*e);
            break;
        case Kind::Table:
            TableWord(e->control, a);
            break;
        case Kind::Picture:
            if (dest == Destination::Picture) pictures_.Apply(e->control, a);
            break;
        }
    }

    void DocumentWord(Control c, Argument a) {
        switch (c) {
        case Control::Mac:
            codepage_ = 10000;
            break;
        case Control::Pc:
            codepage_ = 437;
            break;
        case Control::Pca:
            codepage_ = 850;
            break;
        case Control::Ansicpg:
            if (a.hasParameter && a.n > 0) codepage_ = a.n;
            break;
        case Control::Deff:
            if (a.hasParameter) formats_.SetDefaultFont(a.n);
            break;
        case Control::Uc:
            if (a.hasParameter) st_.uc = std::clamp(a.n, 0, 16);
            break;
        case Control::U:
            if (!a.hasParameter) break;
            if (st_.destination == Destination::Text)
                CodeUnit(static_cast<char16_t>(a.n < 0 ? a.n + 65536 : a.n));
            ucSkip_ = st_.uc;
            break;
        case Control::Bin:
            if (a.hasParameter) Binary(a.n, st_.destination == Destination::Picture);
            break;
        default:
            break; // \rtf, \ansi
        }
    }

    void DestinationWord(Control c) {
        switch (c) {
        case Control::FontTbl:
            st_.destination = Destination::Fonts;
            break;
        case Control::ColorTbl:
            st_.destination = Destination::Colors;
            formats_.ClearColors();
            ResetColor();
            break;
        case Control::Pict:
            if (st_.destination != Destination::Text || pictures_.IsOpen()) {
                st_.destination = Destination::Skip;
                break;
            }
            pictures_.Begin(static_cast<int>(stack_.size()));
            st_.destination = Destination::Picture;
            break;
        case Control::Skip:
            st_.destination = Destination::Skip;
            break;
        default:
            break; // results, fields and list text: their text is shown like any other
        }
    }

    void FontWord(Control c, Argument a) {
        const bool inTable = st_.destination == Destination::Fonts;
        switch (c) {
        case Control::F:
            if (!a.hasParameter) break;
            if (inTable) {
                if (defaultFont_ >= 0 && !defaultName_.isEmpty()) AddFont();
                defaultFont_ = a.n;
                defaultName_.clear();
                defaultStyle_ = QFont::AnyStyle;
                cpDef_ = 0;
            } else {
                st_.chr.font = a.n;
            }
            break;
        case Control::FCharset:
            if (inTable && a.hasParameter) cpDef_ = CodepageOfCharset(a.n);
            break;
        case Control::Cpg:
            if (inTable && a.hasParameter && a.n > 0) cpDef_ = a.n;
            break;
        case Control::FSwiss:
            defaultStyle_ = QFont::SansSerif;
            break;
        case Control::FRoman:
            defaultStyle_ = QFont::Serif;
            break;
        case Control::FModern:
            defaultStyle_ = QFont::TypeWriter;
            break;
        case Control::FScript:
            defaultStyle_ = QFont::Cursive;
            break;
        case Control::FDecor:
            defaultStyle_ = QFont::Decorative;
            break;
        default:
            break; // \fnil, \ftech: no hint
        }
    }

    void ColorWord(Control c, Argument a) {
        const int value = std::clamp(a.n, 0, 255);
        if (c == Control::Red) red_ = value;
        if (c == Control::Green) green_ = value;
        if (c == Control::Blue) blue_ = value;
        hasColor_ = true;
    }

    void TextWord(const Entry& e) {
        switch (e.control) {
        case Control::Par:
        case Control::Sect:
            EndParagraph();
            break;
        case Control::Line:
            CodeUnit(static_cast<char16_t>(QChar::LineSeparator));
            break;
        case Control::Tab:
            CodeUnit(u'\t');
            break;
        case Control::Character:
            CodeUnit(e.character);
            break;
        default:
            break;
        }
    }

    void TableWord(Control c, Argument a) {
        switch (c) {
        case Control::Cell:
            EndCell();
            break;
        case Control::Row:
            EndRow();
            break;
        case Control::TRowD:
            writer_.NewRow();
            break;
        case Control::CellX:
            if (a.hasParameter) writer_.CellEdge(a.n);
            break;
        default:
            break;
        }
    }

    void Symbol(char c) {
        switch (c) {
        case '\\':
        case '{':
        case '}':
            Byte(static_cast<unsigned char>(c), false);
            break;
        case '~':
            CodeUnit(0x00A0);
            break;
        case '-':
            CodeUnit(0x00AD);
            break;
        case '_':
            CodeUnit(0x2011);
            break;
        case '*':
            FlushBytes();
            asterisk_ = true;
            break;
        case '\r':
        case '\n':
            FlushBytes();
            EndParagraph();
            break;
        case '\t':
            CodeUnit(u'\t');
            break;
        default:
            break; // \: \| and unknown symbols
        }
    }

    // "\binN": N raw bytes follow; picture data inside a picture, skipped anywhere else.
    void Binary(int n, bool pictureData) {
        if (n <= 0) return;
        const std::string_view bytes = tokens_.Binary(n);
        if (pictureData) pictures_.Binary(bytes);
    }

    // ---- text ----------------------------------------------------------------------------------

    // One byte of text, raw or escaped, in the current destination.
    void Byte(unsigned char b, bool escaped) {
        switch (st_.destination) {
        case Destination::Skip:
            return;
        case Destination::Picture:
            if (!escaped) pictures_.Digit(b);
            return;
        case Destination::Colors:
            if (b == ';') AddColor();
            return;
        case Destination::Fonts:
            if (b == ';') {
                if (defaultFont_ >= 0) AddFont();
            } else if (defaultFont_ >= 0 && defaultName_.size() < 256) {
                defaultName_.append(static_cast<char>(b));
            }
            return;
        case Destination::Text:
            break;
        }
        ResolveAsterisk();
        if (st_.destination != Destination::Text) return;
        if (b < 0x80 && !escaped) {
            FlushBytes();
            if (b == '\t')
                CodeUnit(u'\t');
            else if (b >= 0x20)
                CodeUnit(b);
            return;
        }
        const int cp = CurrentCodepage();
        if (!bytes_.isEmpty() && cp != cpBytes_) FlushBytes();
        cpBytes_ = cp;
        bytes_.append(static_cast<char>(b));
    }

    int CurrentCodepage() const {
        const int own = formats_.Codepage(st_.chr);
        return own != 0 ? own : codepage_;
    }

    void FlushBytes() {
        if (bytes_.isEmpty()) return;
        const QString text = decoder_.Decode(bytes_, cpBytes_);
        bytes_.clear();
        for (const QChar ch : text)
            CodeUnit(ch.unicode());
    }

    // One UTF-16 unit of text for the document, joining surrogate pairs that "\u" gives one
    // half at a time; a half without its partner becomes U+FFFD.
    void CodeUnit(char16_t u) {
        if (!bytes_.isEmpty()) FlushBytes();
        if (st_.destination != Destination::Text) return;
        if (QChar::isHighSurrogate(u)) {
            if (highSurrogate_) Add(QChar(QChar::ReplacementCharacter));
            highSurrogate_ = u;
            return;
        }
        if (QChar::isLowSurrogate(u)) {
            if (highSurrogate_) {
                const QChar par[2] = {QChar(highSurrogate_), QChar(u)};
                highSurrogate_ = 0;
                Add(QStringView(par, 2));
            } else {
                Add(QChar(QChar::ReplacementCharacter));
            }
            return;
        }
        if (highSurrogate_) {
            highSurrogate_ = 0;
            Add(QChar(QChar::ReplacementCharacter));
        }
        if (u >= 0xF000 && u <= 0xF0FF) u = reading::Symbol(u); // symbol fonts' private-use bullets
        if (u < 0x20 && u != u'\t') return;                     // control characters (and \u10) are not text
        if (u == QChar::ParagraphSeparator) u = static_cast<char16_t>(QChar::LineSeparator);
        Add(QChar(u));
    }

    void Add(QStringView s) {
        if (st_.chr.hidden) return;
        if (!runOpen_ || !(runChar_ == st_.chr)) {
            CloseRun();
            runChar_ = st_.chr;
            runOpen_ = true;
        }
        run_.append(s);
    }
    void Add(QChar c) { Add(QStringView(&c, 1)); }

    void CloseRun() {
        if (runOpen_ && !run_.isEmpty()) runs_.push_back({run_, formats_.CharFormat(runChar_)});
        run_.clear();
        runOpen_ = false;
    }

    // ---- font and colour tables ----------------------------------------------------------------

    void AddFont() {
        Font f;
        f.codepage = cpDef_;
        f.style = defaultStyle_;
        f.name = decoder_.Decode(defaultName_, cpDef_ ? cpDef_ : codepage_).trimmed();
        formats_.AddFont(defaultFont_, f);
        defaultFont_ = -1;
        defaultName_.clear();
    }

    void ResetColor() {
        red_ = green_ = blue_ = 0;
        hasColor_ = false;
    }

    void AddColor() {
        formats_.AddColor(hasColor_ ? QColor(red_, green_, blue_) : QColor()); // invalid = automatic
        ResetColor();
    }

    // ---- pictures, paragraphs and tables -------------------------------------------------------

    void FinishPicture() {
        if (auto f = pictures_.Finish(doc_, st_.chr.hidden)) {
            CloseRun();
            runs_.push_back({QString(), *f});
        }
    }

    ReadyParagraph TakeParagraph() {
        CloseRun();
        ReadyParagraph p{BlockFormat(st_.par), formats_.CharFormat(st_.chr), std::move(runs_)};
        runs_.clear();
        return p;
    }

    void EndParagraph() {
        if (st_.destination != Destination::Text) return;
        FlushHighSurrogate();
        ReadyParagraph p = TakeParagraph();
        if (st_.par.inTable)
            writer_.CellParagraph(std::move(p));
        else
            writer_.Paragraph(p);
    }

    void EndCell() {
        if (st_.destination != Destination::Text) return;
        FlushHighSurrogate();
        CloseRun();
        if (!runs_.empty()) writer_.CellParagraph(TakeParagraph());
        writer_.EndCell();
    }

    void EndRow() {
        if (st_.destination != Destination::Text) return;
        FlushHighSurrogate();
        CloseRun();
        if (!runs_.empty() || writer_.CellStarted()) EndCell();
        writer_.EndRow();
    }

    void FlushHighSurrogate() {
        if (highSurrogate_) {
            highSurrogate_ = 0;
            Add(QChar(QChar::ReplacementCharacter));
        }
    }

    void Finish() {
        FlushBytes();
        while (!stack_.empty() && st_.destination != Destination::Text)
            CloseGroup(); // cut short inside a table or picture
        if (pictures_.IsOpen()) FinishPicture();
        if (st_.destination != Destination::Text) return;
        FlushHighSurrogate();
        CloseRun();
        if (st_.par.inTable) {
            if (!runs_.empty()) writer_.CellParagraph(TakeParagraph());
            writer_.Finish();
            return;
        }
        const bool text = !runs_.empty();
        const ReadyParagraph p = TakeParagraph();
        if (text)
            writer_.Paragraph(p);
        else
            writer_.Finish();
    }

    Tokenizer tokens_;
    QTextDocument& doc_;
    Writer writer_;
    Formats formats_;
    Pictures pictures_;
    Decoder decoder_;

    State st_;
    std::vector<State> stack_;
    int overflow_ = 0;
    bool asterisk_ = false;
    int ucSkip_ = 0;
    char16_t highSurrogate_ = 0;

    int codepage_ = 1252;
    QByteArray bytes_;
    int cpBytes_ = 1252;

    // The font table's entry being read.
    int defaultFont_ = -1;
    QByteArray defaultName_;
    QFont::StyleHint defaultStyle_ = QFont::AnyStyle;
    int cpDef_ = 0;

    // The colour table's entry being read.
    int red_ = 0, green_ = 0, blue_ = 0;
    bool hasColor_ = false;

    // The text of the paragraph being read: its finished runs and the run being gathered.
    bool runOpen_ = false;
    Character runChar_;
    QString run_;
    std::vector<Run> runs_;
};

} // namespace

bool IsRtf(const QByteArray& data) {
    qsizetype k = 0;
    if (data.startsWith("\xEF\xBB\xBF")) k = 3;
    while (k < data.size() && (data[k] == ' ' || data[k] == '\t' || data[k] == '\r' || data[k] == '\n'))
        ++k;
    return data.mid(k, 5) == "{\\rtf";
}

bool ReadRtf(const QByteArray& rtf, QTextDocument& doc, QString* error) {
    return ReadRtf(rtf, doc, error, std::chrono::milliseconds::max(), nullptr);
}

bool ReadRtf(const QByteArray& rtf, QTextDocument& doc, QString* error, std::chrono::milliseconds limit,
             bool* timedOut) {
    const auto start = std::chrono::steady_clock::now();
    const auto deadline = limit == std::chrono::milliseconds::max()
                              ? std::chrono::steady_clock::time_point::max()
                              : start + limit;
    if (timedOut) *timedOut = false;
    const bool undo = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false); // a viewer never undoes; recording every insertion costs memory
    doc.clear();
    if (!IsRtf(rtf)) {
        if (error) *error = QStringLiteral("Los datos no son un documento RTF: no empiezan por «{\\rtf».");
        doc.setUndoRedoEnabled(undo);
        return false;
    }
    const bool finished = Reader(rtf, doc).Read(deadline);
    if (!finished) {
        doc.clear();
        doc.setUndoRedoEnabled(undo);
        if (timedOut) *timedOut = true;
        if (error)
            *error = QStringLiteral("El documento es demasiado grande: leerlo llevaría demasiado tiempo.");
        return false;
    }
    doc.setUndoRedoEnabled(undo);
    if (error) error->clear();
    return true;
}

} // namespace richtext
