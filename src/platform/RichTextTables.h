#pragma once
// Writing the paragraphs the RTF reader has finished into the document, gathering the rows of a
// table (\cellx, \cell, \row) until the text leaves it.
#include "platform/RichTextFormat.h"

#include <QTextCursor>
#include <vector>

class QTextDocument;

namespace richtext::lectura {

class Escritor {
public:
    explicit Escritor(QTextDocument& doc) : cursor_(&doc) {}

    // A paragraph outside any table: a table being gathered ends before it.
    void Parrafo(const ParrafoListo& p);

    // A paragraph of the cell being read.
    void ParrafoDeCelda(ParrafoListo p) { celda_.push_back(std::move(p)); }
    bool CeldaEmpezada() const { return !celda_.empty(); }
    void FinCelda();
    void FinFila();

    // A row's definition (\trowd) and its cells' right edges in twips (\cellxN), which give the
    // columns' widths.
    void NuevaFila() { cellx_.clear(); }
    void BordeCelda(int x);

    // Writes what is still gathered: the document ends, or the text leaves a table.
    void Terminar();

private:
    using Celda = std::vector<ParrafoListo>;

    void Escribir(const ParrafoListo& p);
    void EscribirFila();
    void EscribirFilaPendiente();
    void CerrarTabla();
    void EscribirTabla();
    void EscribirFilasComoParrafos();
    QList<QTextLength> AnchosColumnas(int columnas) const;

    QTextCursor cursor_;
    bool reusarBloque_ = true; // the document's first block, or the one Qt leaves after a table
    std::vector<std::vector<Celda>> filasTabla_;
    std::vector<int> cellxTabla_;
    int tablas_ = 0;
    Celda celda_;
    std::vector<Celda> fila_;
    std::vector<int> cellx_;
};

} // namespace richtext::lectura
