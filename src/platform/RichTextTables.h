#pragma once
// Writing the paragraphs the RTF reader has finished into the document, gathering the rows of a
// table (\cellx, \cell, \row) until the text leaves it.
#include "platform/RichTextFormat.h"

#include <QTextCursor>
#include <vector>

class QTextDocument;

namespace richtext::reading {

class Writer {
public:
    explicit Writer(QTextDocument& doc) : cursor_(&doc) {}

    // A paragraph outside any table: a table being gathered ends before it.
    void Paragraph(const ReadyParagraph& p);

    // A paragraph of the cell being read.
    void CellParagraph(ReadyParagraph p) { cell_.push_back(std::move(p)); }
    bool CellStarted() const { return !cell_.empty(); }
    void EndCell();
    void EndRow();

    // A row's definition (\trowd) and its cells' right edges in twips (\cellxN), which give the
    // columns' widths.
    void NewRow() { cellx_.clear(); }
    void CellEdge(int x);

    // Writes what is still gathered: the document ends, or the text leaves a table.
    void Finish();

private:
    using Cell = std::vector<ReadyParagraph>;

    void Write(const ReadyParagraph& p);
    void WriteRow();
    void WritePendingRow();
    void CloseTable();
    void WriteTable();
    void WriteRowsAsParagraphs();
    QList<QTextLength> ColumnWidths(int columns) const;

    QTextCursor cursor_;
    bool reuseBlock_ = true; // the document's first block, or the one Qt leaves after a table
    std::vector<std::vector<Cell>> tableRows_;
    std::vector<int> tableCellx_;
    int tables_ = 0;
    Cell cell_;
    std::vector<Cell> row_;
    std::vector<int> cellx_;
};

} // namespace richtext::reading
