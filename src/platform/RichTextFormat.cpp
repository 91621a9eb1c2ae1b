#include "platform/RichTextFormat.h"

#include "platform/Twips.h"

#include <QList>
#include <QTextOption>
#include <algorithm>

namespace richtext::lectura {

namespace {

// Indents and spacing beyond these (about 53 cm) are damage, not layout.
int Medida(int n) {
    return std::clamp(n, -30000, 30000);
}
int Distancia(int n) {
    return std::clamp(n, 0, 30000);
}

QTextOption::TabType TipoQt(TipoTab t) {
    switch (t) {
    case TipoTab::Centro:
        return QTextOption::CenterTab;
    case TipoTab::Derecha:
        return QTextOption::RightTab;
    case TipoTab::Decimal:
        return QTextOption::DelimiterTab;
    case TipoTab::Izquierda:
        break;
    }
    return QTextOption::LeftTab;
}

Qt::Alignment AlineacionQt(Alineacion a) {
    switch (a) {
    case Alineacion::Centro:
        return Qt::AlignHCenter;
    case Alineacion::Derecha:
        return Qt::AlignRight;
    case Alineacion::Justificada:
        return Qt::AlignJustify;
    case Alineacion::Izquierda:
        break;
    }
    return Qt::AlignLeft;
}

} // namespace

void AplicarCaracter(Control c, Argumento a, Caracter& car) {
    switch (c) {
    case Control::Plain:
        car = Caracter{};
        break;
    case Control::Fs:
        car.tamano = a.conParametro && a.n > 0 ? std::clamp(a.n, 2, 400) : 24;
        break;
    case Control::B:
        car.negrita = a.Activa();
        break;
    case Control::I:
        car.cursiva = a.Activa();
        break;
    case Control::Ul:
        car.subrayado = a.Activa();
        break;
    case Control::UlNone:
        car.subrayado = false;
        break;
    case Control::Strike:
        car.tachado = a.Activa();
        break;
    case Control::Cf:
        car.color = a.conParametro ? a.n : 0;
        break;
    case Control::Cb:
    case Control::Highlight:
        car.fondo = a.conParametro ? a.n : 0;
        break;
    case Control::Super:
        car.posicion = Posicion::Superindice;
        break;
    case Control::Sub:
        car.posicion = Posicion::Subindice;
        break;
    case Control::NoSuperSub:
        car.posicion = Posicion::Normal;
        break;
    case Control::Up:
        car.posicion = (a.conParametro && a.n == 0) ? Posicion::Normal : Posicion::Superindice;
        break;
    case Control::Dn:
        car.posicion = (a.conParametro && a.n == 0) ? Posicion::Normal : Posicion::Subindice;
        break;
    case Control::V:
        car.oculto = a.Activa();
        break;
    default:
        break;
    }
}

void AplicarParrafo(Control c, Argumento a, Parrafo& par) {
    switch (c) {
    case Control::Pard:
        par = Parrafo{};
        break;
    case Control::Ql:
        par.alineacion = Alineacion::Izquierda;
        break;
    case Control::Qc:
        par.alineacion = Alineacion::Centro;
        break;
    case Control::Qr:
        par.alineacion = Alineacion::Derecha;
        break;
    case Control::Qj:
        par.alineacion = Alineacion::Justificada;
        break;
    case Control::Li:
        if (a.conParametro) par.izquierda = Medida(a.n);
        break;
    case Control::Ri:
        if (a.conParametro) par.derecha = Medida(a.n);
        break;
    case Control::Fi:
        if (a.conParametro) par.primera = Medida(a.n);
        break;
    case Control::Sb:
        if (a.conParametro) par.antes = Distancia(a.n);
        break;
    case Control::Sa:
        if (a.conParametro) par.despues = Distancia(a.n);
        break;
    case Control::Tqc:
        par.tipoTab = TipoTab::Centro;
        break;
    case Control::Tqr:
        par.tipoTab = TipoTab::Derecha;
        break;
    case Control::Tqdec:
        par.tipoTab = TipoTab::Decimal;
        break;
    case Control::Tx:
        // The kind given before a stop belongs to that stop only.
        if (a.conParametro && par.nTabs < kMaxTabs) {
            par.tabs[par.nTabs] = Distancia(a.n);
            par.tiposTab[par.nTabs] = par.tipoTab;
            ++par.nTabs;
        }
        par.tipoTab = TipoTab::Izquierda;
        break;
    case Control::InTbl:
        par.enTabla = a.Activa();
        break;
    case Control::OutlineLevel:
        par.nivel = a.conParametro ? a.n : -1;
        break;
    default:
        break;
    }
}

double Pixeles(int twips) {
    return twips / static_cast<double>(twips::kPerPixel);
}

QTextBlockFormat FormatoBloque(const Parrafo& p) {
    QTextBlockFormat b;
    b.setAlignment(AlineacionQt(p.alineacion));
    const int izquierda = std::max(0, p.izquierda);
    b.setLeftMargin(Pixeles(izquierda));
    b.setRightMargin(Pixeles(std::max(0, p.derecha)));
    // A hanging first line cannot start left of the page.
    b.setTextIndent(Pixeles(std::max(p.primera, -izquierda)));
    b.setTopMargin(Pixeles(p.antes));
    b.setBottomMargin(Pixeles(p.despues));
    if (p.nTabs > 0) {
        QList<QTextOption::Tab> tabs;
        for (int k = 0; k < p.nTabs; ++k) {
            const QTextOption::TabType tipo = TipoQt(p.tiposTab[k]);
            // Decimal stops align on the comma, as Spanish writes numbers.
            tabs.append(QTextOption::Tab(Pixeles(p.tabs[k]), tipo,
                                         tipo == QTextOption::DelimiterTab ? QChar(u',') : QChar()));
        }
        b.setTabPositions(tabs);
    }
    if (p.nivel >= 0 && p.nivel < 6) b.setHeadingLevel(p.nivel + 1);
    return b;
}

void Formatos::FuentePorDefecto(int numero) {
    deff_ = numero;
    cacheValida_ = false;
}

void Formatos::GuardarFuente(int numero, Fuente f) {
    if (fuentes_.size() < kMaxFuentes || fuentes_.contains(numero)) fuentes_.insert(numero, std::move(f));
    cacheValida_ = false;
}

const Fuente* Formatos::FuenteDe(const Caracter& c) const {
    const auto it = fuentes_.constFind(c.fuente >= 0 ? c.fuente : deff_);
    return it == fuentes_.constEnd() ? nullptr : &*it;
}

int Formatos::Codepage(const Caracter& c) const {
    const Fuente* f = FuenteDe(c);
    return f ? f->codepage : 0;
}

void Formatos::VaciarColores() {
    colores_.clear();
    cacheValida_ = false;
}

void Formatos::GuardarColor(const QColor& color) {
    if (static_cast<int>(colores_.size()) < kMaxColores) colores_.push_back(color);
    cacheValida_ = false;
}

QTextCharFormat Formatos::FormatoCaracter(const Caracter& c) {
    if (cacheValida_ && c == cacheCar_) return cacheFormato_;
    QTextCharFormat f;
    const Fuente* fuente = FuenteDe(c);
    // Symbol fonts' bullets are already turned into Unicode look-alikes, which the symbol font
    // itself (or its stand-in on this system) may not draw.
    if (fuente && !fuente->nombre.isEmpty() && fuente->codepage != kCpSimbolos) {
        f.setFontFamilies(QStringList{fuente->nombre});
        f.setFontStyleHint(fuente->estilo);
    }
    f.setFontPointSize(c.tamano / 2.0);
    f.setFontWeight(c.negrita ? QFont::Bold : QFont::Normal);
    f.setFontItalic(c.cursiva);
    f.setFontUnderline(c.subrayado);
    f.setFontStrikeOut(c.tachado);
    if (c.color > 0 && c.color < static_cast<int>(colores_.size()) && colores_[c.color].isValid())
        f.setForeground(colores_[c.color]);
    if (c.fondo > 0 && c.fondo < static_cast<int>(colores_.size()) && colores_[c.fondo].isValid())
        f.setBackground(colores_[c.fondo]);
    if (c.posicion == Posicion::Superindice) f.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
    if (c.posicion == Posicion::Subindice) f.setVerticalAlignment(QTextCharFormat::AlignSubScript);
    cacheCar_ = c;
    cacheFormato_ = f;
    cacheValida_ = true;
    return f;
}

} // namespace richtext::lectura
