#pragma once
// Reading RTF into a document, and finding formats, blocks and table cells in it.
#include "platform/RichText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <gtest/gtest.h>
#include <vector>

inline QTextDocument* Leer(const QByteArray& rtf, QTextDocument& doc) {
    QString error;
    EXPECT_TRUE(richtext::ReadRtf(rtf, doc, &error)) << error.toStdString();
    return &doc;
}

inline QString Texto(const QByteArray& rtf) {
    QTextDocument doc;
    Leer(rtf, doc);
    return doc.toPlainText();
}

// The format of the last character of the first occurrence of `texto`.
inline QTextCharFormat FormatoDe(const QTextDocument& doc, const QString& texto) {
    const QTextCursor c = doc.find(texto);
    EXPECT_FALSE(c.isNull()) << "no se encontró " << texto.toStdString();
    return c.charFormat();
}

inline QTextBlockFormat BloqueDe(const QTextDocument& doc, const QString& texto) {
    const QTextCursor c = doc.find(texto);
    EXPECT_FALSE(c.isNull()) << "no se encontró " << texto.toStdString();
    return c.blockFormat();
}

inline std::vector<QTextTable*> Tablas(const QTextDocument& doc) {
    std::vector<QTextTable*> out;
    for (QTextFrame* f : doc.rootFrame()->childFrames())
        if (auto* t = qobject_cast<QTextTable*>(f)) out.push_back(t);
    return out;
}

inline QString TextoCelda(QTextTable* t, int fila, int col) {
    const QTextTableCell celda = t->cellAt(fila, col);
    QTextCursor c = celda.firstCursorPosition();
    c.setPosition(celda.lastPosition(), QTextCursor::KeepAnchor);
    return c.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}
