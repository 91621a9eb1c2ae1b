#include "platform/RichTextTables.h"

#include "platform/RichText.h"

#include <QColor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>

namespace richtext::lectura {

namespace {

void EscribirTramos(QTextCursor& c, const std::vector<Tramo>& tramos) {
    for (const Tramo& t : tramos) {
        if (t.texto.isEmpty())
            c.insertImage(t.formato.toImageFormat());
        else
            c.insertText(t.texto, t.formato);
    }
}

} // namespace

void Escritor::Parrafo(const ParrafoListo& p) {
    Terminar();
    Escribir(p);
}

void Escritor::FinCelda() {
    fila_.push_back(std::move(celda_));
    celda_.clear();
}

void Escritor::FinFila() {
    if (!fila_.empty()) EscribirFila();
}

void Escritor::BordeCelda(int x) {
    if (cellx_.size() < static_cast<size_t>(kMaxColumnas)) cellx_.push_back(x);
}

// A row left without its \row ends where the text leaves the table.
void Escritor::Terminar() {
    EscribirFilaPendiente();
    CerrarTabla();
}

void Escritor::EscribirFilaPendiente() {
    if (!celda_.empty()) FinCelda();
    if (!fila_.empty()) EscribirFila();
}

void Escritor::Escribir(const ParrafoListo& p) {
    cursor_.movePosition(QTextCursor::End);
    if (reusarBloque_) {
        cursor_.setBlockFormat(p.bloque);
        cursor_.setBlockCharFormat(p.caracter);
        reusarBloque_ = false;
    } else {
        cursor_.insertBlock(p.bloque, p.caracter);
    }
    EscribirTramos(cursor_, p.tramos);
}

// A finished row joins the table being gathered. The table goes into the document in one piece
// when the text leaves it: Qt rescans every frame of the document after each change to a table's
// shape, so growing it row by row would cost time quadratic in its rows.
void Escritor::EscribirFila() {
    if (filasTabla_.empty()) cellxTabla_ = cellx_;
    filasTabla_.push_back(std::move(fila_));
    fila_.clear();
    if (static_cast<int>(filasTabla_.size()) >= kMaxFilasPorTabla) CerrarTabla();
}

void Escritor::CerrarTabla() {
    if (filasTabla_.empty()) return;
    cursor_.movePosition(QTextCursor::End);
    if (tablas_ >= kMaxTablas)
        EscribirFilasComoParrafos();
    else
        EscribirTabla();
    filasTabla_.clear();
    cursor_.movePosition(QTextCursor::End);
    reusarBloque_ = true; // the empty block Qt keeps after every table
}

void Escritor::EscribirTabla() {
    int columnas = 1;
    for (const auto& fila : filasTabla_)
        columnas = std::max(columnas, std::min<int>(static_cast<int>(fila.size()), kMaxColumnas));
    QTextTableFormat tf;
    tf.setBorder(1);
    tf.setBorderBrush(QColor(0x8a, 0x96, 0xa8));
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tf.setBorderCollapse(true);
    tf.setCellPadding(3);
    tf.setCellSpacing(0);
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tf.setColumnWidthConstraints(AnchosColumnas(columnas));
    QTextTable* tabla = cursor_.insertTable(static_cast<int>(filasTabla_.size()), columnas, tf);
    ++tablas_;
    for (int r = 0; r < static_cast<int>(filasTabla_.size()); ++r) {
        const auto& fila = filasTabla_[r];
        for (int k = 0; k < static_cast<int>(fila.size()); ++k) {
            // Cells beyond the last column join the last one.
            const int col = std::min(k, columnas - 1);
            QTextCursor c = tabla->cellAt(r, col).lastCursorPosition();
            bool primero = k < columnas;
            for (const ParrafoListo& p : fila[k]) {
                if (primero) {
                    c.setBlockFormat(p.bloque);
                    c.setBlockCharFormat(p.caracter);
                    primero = false;
                } else {
                    c.insertBlock(p.bloque, p.caracter);
                }
                EscribirTramos(c, p.tramos);
            }
        }
    }
}

// Past kMaxTablas tables (every new table makes Qt rescan the whole document), rows are shown as
// paragraphs with their cells separated by tabs.
void Escritor::EscribirFilasComoParrafos() {
    for (auto& fila : filasTabla_) {
        ParrafoListo p;
        bool primero = true;
        for (size_t k = 0; k < fila.size(); ++k) {
            if (k > 0) p.tramos.push_back({QStringLiteral("\t"), QTextCharFormat()});
            for (size_t j = 0; j < fila[k].size(); ++j) {
                ParrafoListo& q = fila[k][j];
                if (primero) {
                    p.bloque = q.bloque;
                    p.caracter = q.caracter;
                    primero = false;
                }
                if (j > 0) p.tramos.push_back({QStringLiteral(" "), q.caracter});
                for (Tramo& t : q.tramos)
                    p.tramos.push_back(std::move(t));
            }
        }
        if (reusarBloque_ || !p.tramos.empty()) Escribir(p);
    }
}

// Column widths in the proportions of the first row's cell boundaries, as parts of the box's
// width (the notes box is narrower than the page the document was written for).
QList<QTextLength> Escritor::AnchosColumnas(int columnas) const {
    QList<QTextLength> anchos;
    if (static_cast<int>(cellxTabla_.size()) == columnas) {
        int anterior = 0;
        long long total = 0;
        std::vector<int> partes;
        for (int x : cellxTabla_) {
            partes.push_back(std::max(1, x - anterior));
            total += partes.back();
            anterior = x;
        }
        for (int parte : partes)
            anchos.append(QTextLength(QTextLength::PercentageLength, 100.0 * parte / total));
    } else {
        for (int k = 0; k < columnas; ++k)
            anchos.append(QTextLength(QTextLength::PercentageLength, 100.0 / columnas));
    }
    return anchos;
}

} // namespace richtext::lectura
