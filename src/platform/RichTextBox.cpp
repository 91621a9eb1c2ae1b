#include "platform/RichTextBox.h"

#include "platform/Files.h"

#include "platform/Controls.h"
#include "platform/Drives.h"
#include "platform/RichText.h"
#include "platform/Twips.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>

namespace richtext {

namespace {

// A notes file larger than this is not a notes file; reading it would only stall the window.
// The real ones are some tens of kilobytes.
constexpr qint64 kMaxFileBytes = RichTextBox::kMaxFileBytes;

// The cells of every table of the frame, nested ones included.
qint64 CountCells(QTextFrame* frame) {
    qint64 n = 0;
    for (QTextFrame* child : frame->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(child))
            n += static_cast<qint64>(table->rows()) * table->columns();
        n += CountCells(child);
    }
    return n;
}

bool IsDrivePath(const QString& path) {
    return path.size() >= 3 && path[0].isLetter() && path[1] == QLatin1Char(':') &&
           path[2] == QLatin1Char('\\');
}

} // namespace

RichTextBox::RichTextBox(QWidget* parent) : QTextEdit(parent) {
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setFrameShape(QFrame::NoFrame);
    setUndoRedoEnabled(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    viewport()->setMouseTracking(true);
    setMouseTracking(true);
    setAccessibleName(QStringLiteral("Notas del idioma"));

    QPalette pal = palette();
    pal.setColor(QPalette::Base, QColor(0x14, 0x1d, 0x2b));
    pal.setColor(QPalette::Text, QColor(0xee, 0xf1, 0xf5));
    pal.setColor(QPalette::Highlight, QColor(0x3d, 0x6f, 0xb5));
    pal.setColor(QPalette::HighlightedText, QColor(0xff, 0xff, 0xff));
    pal.setColor(QPalette::Link, QColor(0x9c, 0xc8, 0xff));
    setPalette(pal);
    // A slim scroll bar in the colours of the frame rather than the desktop's.
    verticalScrollBar()->setStyleSheet(
        QStringLiteral("QScrollBar:vertical { background: #141d2b; width: 10px; margin: 0; }"
                       "QScrollBar::handle:vertical { background: #5b6b82; border-radius: 4px; min-height: "
                       "24px; margin: 1px; }"
                       "QScrollBar::handle:vertical:hover { background: #7d8ea6; }"
                       "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
                       "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: none; }"));
    document()->setDocumentMargin(6);
}

QString RichTextBox::NotFoundMessage() {
    return QStringLiteral("No se encontraron las notas de este idioma.");
}
QString RichTextBox::TooLargeMessage() {
    return QStringLiteral("El archivo de notas es demasiado grande para mostrarlo.");
}
QString RichTextBox::NotRtfMessage() {
    return QStringLiteral("El archivo de notas no es un documento RTF válido.");
}

void RichTextBox::LoadFile(const QString& path) {
    // A FIFO or a device in place of the notes (a link to /dev/zero reports no size and never
    // ends) is never opened for reading: only a regular file, and no more of it than the limit.
    const files::Contents leido =
        files::ReadRegular(IsDrivePath(path) ? drives::NativePath(path) : path, kMaxFileBytes);
    switch (leido.status) {
    case files::Status::Ok:
        break;
    case files::Status::TooLarge:
        ShowMessage(TooLargeMessage());
        return;
    case files::Status::NotRegular:
    case files::Status::Missing:
    case files::Status::Unreadable:
        ShowMessage(NotFoundMessage());
        return;
    }
    const QByteArray& data = leido.bytes;
    // The document is built apart from the view, so the view lays it out once, not after
    // every insertion.
    auto* doc = new QTextDocument(this);
    doc->setDocumentMargin(document()->documentMargin());
    doc->setDefaultFont(font());
    bool timedOut = false;
    if (!ReadRtf(data, *doc, nullptr, kReadTimeLimit, &timedOut)) {
        delete doc;
        ShowMessage(timedOut ? TooLargeMessage() : NotRtfMessage());
        return;
    }
    if (CountCells(doc->rootFrame()) > kMaxCells) {
        delete doc;
        ShowMessage(TooLargeMessage());
        return;
    }
    ShowDocument(doc);
    verticalScrollBar()->setValue(0);
}

// Shows a new document; the previous one goes if it was ours (the view deletes its own first
// document itself when it is replaced).
void RichTextBox::ShowDocument(QTextDocument* doc) {
    QTextDocument* previous = document();
    const bool ours = previous && previous->parent() == this;
    setDocument(doc);
    if (ours) delete previous;
}

void RichTextBox::ShowMessage(const QString& message) {
    auto* doc = new QTextDocument(this);
    doc->setDocumentMargin(document()->documentMargin());
    doc->setDefaultFont(font());
    doc->setPlainText(message);
    ShowDocument(doc);
}

QString RichTextBox::Text() const {
    QString t = document()->toPlainText();
    t.remove(QChar::ObjectReplacementCharacter);
    return t;
}

void RichTextBox::SetFocus() {
    setFocus(Qt::OtherFocusReason);
}

void RichTextBox::mouseMoveEvent(QMouseEvent* e) {
    const QPointF p = viewport()->mapTo(this, e->position().toPoint());
    emit MouseMove(controls::Button(e->buttons()), controls::Shift(e->modifiers()), p.x() * twips::kPerPixel,
                   p.y() * twips::kPerPixel);
    QTextEdit::mouseMoveEvent(e);
}

void RichTextBox::keyPressEvent(QKeyEvent* e) {
    if (e->modifiers() == Qt::NoModifier && (e->key() == Qt::Key_PageUp || e->key() == Qt::Key_PageDown)) {
        verticalScrollBar()->triggerAction(e->key() == Qt::Key_PageUp ? QAbstractSlider::SliderPageStepSub
                                                                      : QAbstractSlider::SliderPageStepAdd);
        e->accept();
        return;
    }
    QTextEdit::keyPressEvent(e);
}

} // namespace richtext
