#include "platform/RichTextTables.h"

#include "platform/RichText.h"

#include <QColor>
#include <QTextDocument>
#include <QTextTable>
#include <algorithm>

namespace richtext::reading {

namespace {

void WriteRuns(QTextCursor& c, const std::vector<Run>& runs) {
    for (const Run& t : runs) {
        if (t.text.isEmpty())
            c.insertImage(t.format.toImageFormat());
        else
            c.insertText(t.text, t.format);
    }
}

} // namespace

void Writer::Paragraph(const ReadyParagraph& p) {
    Finish();
    Write(p);
}

void Writer::EndCell() {
    row_.push_back(std::move(cell_));
    cell_.clear();
}

void Writer::EndRow() {
    if (!row_.empty()) WriteRow();
}

void Writer::CellEdge(int x) {
    if (cellx_.size() < static_cast<size_t>(kMaxColumns)) cellx_.push_back(x);
}

// A row left without its \row ends where the text leaves the table.
void Writer::Finish() {
    WritePendingRow();
    CloseTable();
}

void Writer::WritePendingRow() {
    if (!cell_.empty()) EndCell();
    if (!row_.empty()) WriteRow();
}

void Writer::Write(const ReadyParagraph& p) {
    cursor_.movePosition(QTextCursor::End);
    if (reuseBlock_) {
        cursor_.setBlockFormat(p.block);
        cursor_.setBlockCharFormat(p.character);
        reuseBlock_ = false;
    } else {
        cursor_.insertBlock(p.block, p.character);
    }
    WriteRuns(cursor_, p.runs);
}

// A finished row joins the table being gathered. The table goes into the document in one piece
// when the text leaves it: Qt rescans every frame of the document after each change to a table's
// shape, so growing it row by row would cost time quadratic in its rows.
void Writer::WriteRow() {
    if (tableRows_.empty()) tableCellx_ = cellx_;
    tableRows_.push_back(std::move(row_));
    row_.clear();
    if (static_cast<int>(tableRows_.size()) >= kMaxRowsPerTable) CloseTable();
}

void Writer::CloseTable() {
    if (tableRows_.empty()) return;
    cursor_.movePosition(QTextCursor::End);
    if (tables_ >= kMaxTables)
        WriteRowsAsParagraphs();
    else
        WriteTable();
    tableRows_.clear();
    cursor_.movePosition(QTextCursor::End);
    reuseBlock_ = true; // the empty block Qt keeps after every table
}

void Writer::WriteTable() {
    int columns = 1;
    for (const auto& row : tableRows_)
        columns = std::max(columns, std::min<int>(static_cast<int>(row.size()), kMaxColumns));
    QTextTableFormat tf;
    tf.setBorder(1);
    tf.setBorderBrush(QColor(0x8a, 0x96, 0xa8));
    tf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    tf.setBorderCollapse(true);
    tf.setCellPadding(3);
    tf.setCellSpacing(0);
    tf.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    tf.setColumnWidthConstraints(ColumnWidths(columns));
    QTextTable* table = cursor_.insertTable(static_cast<int>(tableRows_.size()), columns, tf);
    ++tables_;
    for (int r = 0; r < static_cast<int>(tableRows_.size()); ++r) {
        const auto& row = tableRows_[r];
        for (int k = 0; k < static_cast<int>(row.size()); ++k) {
            // Cells beyond the last column join the last one.
            const int col = std::min(k, columns - 1);
            QTextCursor c = table->cellAt(r, col).lastCursorPosition();
            bool first = k < columns;
            for (const ReadyParagraph& p : row[k]) {
                if (first) {
                    c.setBlockFormat(p.block);
                    c.setBlockCharFormat(p.character);
                    first = false;
                } else {
                    c.insertBlock(p.block, p.character);
                }
                WriteRuns(c, p.runs);
            }
        }
    }
}

// Past kMaxTables tables (every new table makes Qt rescan the whole document), rows are shown as
// paragraphs with their cells separated by tabs.
void Writer::WriteRowsAsParagraphs() {
    for (auto& row : tableRows_) {
        ReadyParagraph p;
        bool first = true;
        for (size_t k = 0; k < row.size(); ++k) {
            if (k > 0) p.runs.push_back({QStringLiteral("\t"), QTextCharFormat()});
            for (size_t j = 0; j < row[k].size(); ++j) {
                ReadyParagraph& q = row[k][j];
                if (first) {
                    p.block = q.block;
                    p.character = q.character;
                    first = false;
                }
                if (j > 0) p.runs.push_back({QStringLiteral(" "), q.character});
                for (Run& t : q.runs)
                    p.runs.push_back(std::move(t));
            }
        }
        if (reuseBlock_ || !p.runs.empty()) Write(p);
    }
}

// Column widths in the proportions of the first row's cell boundaries, as parts of the box's
// width (the notes box is narrower than the page the document was written for).
QList<QTextLength> Writer::ColumnWidths(int columns) const {
    QList<QTextLength> widths;
    if (static_cast<int>(tableCellx_.size()) == columns) {
        int previous = 0;
        long long total = 0;
        std::vector<int> parts;
        for (int x : tableCellx_) {
            parts.push_back(std::max(1, x - previous));
            total += parts.back();
            previous = x;
        }
        for (int part : parts)
            widths.append(QTextLength(QTextLength::PercentageLength, 100.0 * part / total));
    } else {
        for (int k = 0; k < columns; ++k)
            widths.append(QTextLength(QTextLength::PercentageLength, 100.0 / columns));
    }
    return widths;
}

} // namespace richtext::reading
