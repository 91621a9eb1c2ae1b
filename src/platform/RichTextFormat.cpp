#include "platform/RichTextFormat.h"

#include "platform/Twips.h"

#include <QList>
#include <QTextOption>
#include <algorithm>

namespace richtext::reading {

namespace {

// Indents and spacing beyond these (about 53 cm) are damage, not layout.
int Measure(int n) {
    return std::clamp(n, -30000, 30000);
}
int Distance(int n) {
    return std::clamp(n, 0, 30000);
}

QTextOption::TabType QtTabType(TabKind t) {
    switch (t) {
    case TabKind::Center:
        return QTextOption::CenterTab;
    case TabKind::Right:
        return QTextOption::RightTab;
    case TabKind::Decimal:
        return QTextOption::DelimiterTab;
    case TabKind::Left:
        break;
    }
    return QTextOption::LeftTab;
}

Qt::Alignment QtAlignment(Align a) {
    switch (a) {
    case Align::Center:
        return Qt::AlignHCenter;
    case Align::Right:
        return Qt::AlignRight;
    case Align::Justified:
        return Qt::AlignJustify;
    case Align::Left:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

void ApplyCharacter(Control c, Argument a, Character& chr) {
    switch (c) {
    case Control::Plain:
        chr = Character{};
        break;
    case Control::Fs:
        chr.size = a.hasParameter && a.n > 0 ? std::clamp(a.n, 2, 400) : 24;
        break;
    case Control::B:
        chr.bold = a.IsOn();
        break;
    case Control::I:
        chr.italic = a.IsOn();
        break;
    case Control::Ul:
        chr.underline = a.IsOn();
        break;
    case Control::UlNone:
        chr.underline = false;
        break;
    case Control::Strike:
        chr.strike = a.IsOn();
        break;
    case Control::Cf:
        chr.color = a.hasParameter ? a.n : 0;
        break;
    case Control::Cb:
    case Control::Highlight:
        chr.background = a.hasParameter ? a.n : 0;
        break;
    case Control::Super:
        chr.position = Position::Superscript;
        break;
    case Control::Sub:
        chr.position = Position::Subscript;
        break;
    case Control::NoSuperSub:
        chr.position = Position::Normal;
        break;
    case Control::Up:
        chr.position = (a.hasParameter && a.n == 0) ? Position::Normal : Position::Superscript;
        break;
    case Control::Dn:
        chr.position = (a.hasParameter && a.n == 0) ? Position::Normal : Position::Subscript;
        break;
    case Control::V:
        chr.hidden = a.IsOn();
        break;
    default:
        break;
    }
}

void ApplyParagraph(Control c, Argument a, Paragraph& par) {
    switch (c) {
    case Control::Pard:
        par = Paragraph{};
        break;
    case Control::Ql:
        par.alignment = Align::Left;
        break;
    case Control::Qc:
        par.alignment = Align::Center;
        break;
    case Control::Qr:
        par.alignment = Align::Right;
        break;
    case Control::Qj:
        par.alignment = Align::Justified;
        break;
    case Control::Li:
        if (a.hasParameter) par.left = Measure(a.n);
        break;
    case Control::Ri:
        if (a.hasParameter) par.right = Measure(a.n);
        break;
    case Control::Fi:
        if (a.hasParameter) par.firstLine = Measure(a.n);
        break;
    case Control::Sb:
        if (a.hasParameter) par.before = Distance(a.n);
        break;
    case Control::Sa:
        if (a.hasParameter) par.after = Distance(a.n);
        break;
    case Control::Tqc:
        par.tabKind = TabKind::Center;
        break;
    case Control::Tqr:
        par.tabKind = TabKind::Right;
        break;
    case Control::Tqdec:
        par.tabKind = TabKind::Decimal;
        break;
    case Control::Tx:
        // The kind given before a stop belongs to that stop only.
        if (a.hasParameter && par.nTabs < kMaxTabs) {
            par.tabs[par.nTabs] = Distance(a.n);
            par.tabKinds[par.nTabs] = par.tabKind;
            ++par.nTabs;
        }
        par.tabKind = TabKind::Left;
        break;
    case Control::InTbl:
        par.inTable = a.IsOn();
        break;
    case Control::OutlineLevel:
        par.level = a.hasParameter ? a.n : -1;
        break;
    default:
        break;
    }
}

double Pixels(int twips) {
    return twips / static_cast<double>(twips::kPerPixel);
}

QTextBlockFormat BlockFormat(const Paragraph& p) {
    QTextBlockFormat b;
    b.setAlignment(QtAlignment(p.alignment));
    const int left = std::max(0, p.left);
    b.setLeftMargin(Pixels(left));
    b.setRightMargin(Pixels(std::max(0, p.right)));
    // A hanging first line cannot start left of the page.
    b.setTextIndent(Pixels(std::max(p.firstLine, -left)));
    b.setTopMargin(Pixels(p.before));
    b.setBottomMargin(Pixels(p.after));
    if (p.nTabs > 0) {
        QList<QTextOption::Tab> tabs;
        for (int k = 0; k < p.nTabs; ++k) {
            const QTextOption::TabType type = QtTabType(p.tabKinds[k]);
            // Decimal stops align on the comma, as Spanish writes numbers.
            tabs.append(QTextOption::Tab(Pixels(p.tabs[k]), type,
                                         type == QTextOption::DelimiterTab ? QChar(u',') : QChar()));
        }
        b.setTabPositions(tabs);
    }
    if (p.level >= 0 && p.level < 6) b.setHeadingLevel(p.level + 1);
    return b;
}

void Formats::SetDefaultFont(int number) {
    deff_ = number;
    cacheValida_ = false;
}

void Formats::AddFont(int number, const Font& f) {
    if (fonts_.size() < kMaxFonts || fonts_.contains(number)) fonts_.insert(number, f);
    cacheValida_ = false;
}

const Font* Formats::FontOf(const Character& c) const {
    const auto it = fonts_.constFind(c.font >= 0 ? c.font : deff_);
    return it == fonts_.constEnd() ? nullptr : &*it;
}

int Formats::Codepage(const Character& c) const {
    const Font* f = FontOf(c);
    return f ? f->codepage : 0;
}

void Formats::ClearColors() {
    colors_.clear();
    cacheValida_ = false;
}

void Formats::AddColor(const QColor& color) {
    if (static_cast<int>(colors_.size()) < kMaxColors) colors_.push_back(color);
    cacheValida_ = false;
}

QTextCharFormat Formats::CharFormat(const Character& c) {
    if (cacheValida_ && c == cacheCar_) return cacheFormato_;
    QTextCharFormat f;
    const Font* font = FontOf(c);
    // Symbol fonts' bullets are already turned into Unicode look-alikes, which the symbol font
    // itself (or its stand-in on this system) may not draw.
    if (font && !font->name.isEmpty() && font->codepage != kCpSymbols) {
        f.setFontFamilies(QStringList{font->name});
        f.setFontStyleHint(font->style);
    }
    f.setFontPointSize(c.size / 2.0);
    f.setFontWeight(c.bold ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.italic);
    f.setFontUnderline(c.underline);
    f.setFontStrikeOut(c.strike);
    if (c.color > 0 && c.color < static_cast<int>(colors_.size()) && colors_[c.color].isValid())
        f.setForeground(colors_[c.color]);
    if (c.background > 0 && c.background < static_cast<int>(colors_.size()) &&
        colors_[c.background].isValid())
        f.setBackground(colors_[c.background]);
    if (c.position == Position::Superscript) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (c.position == Position::Subscript) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cacheCar_ = c;
    cacheFormato_ = f;
    cacheValida_ = true;
    return f;
}

} // namespace richtext::reading
