#include "platform/RichTextBox.h"

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
constexpr qint64 kMaxBytesArchivo = RichTextBox::kMaxBytesArchivo;

// The cells of every table of the frame, nested ones included.
qint64 Celdas(QTextFrame* marco) {
    qint64 n = 0;
    for (QTextFrame* hijo : marco->childFrames()) {
        if (auto* tabla = qobject_cast<QTextTable*>(hijo)) n += static_cast<qint64>(tabla->rows()) * tabla->columns();
        n += Celdas(hijo);
    }
    return n;
}

bool EsRutaDeUnidad(const QString& path) {
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

QString RichTextBox::MensajeNoEncontrado() {
    return QStringLiteral("No se encontraron las notas de este idioma.");
}
QString RichTextBox::MensajeDemasiadoGrande() {
    return QStringLiteral("El archivo de notas es demasiado grande para mostrarlo.");
}
QString RichTextBox::MensajeNoRtf() {
    return QStringLiteral("El archivo de notas no es un documento RTF válido.");
}

void RichTextBox::LoadFile(const QString& path) {
    QFile archivo(EsRutaDeUnidad(path) ? drives::NativePath(path) : path);
    if (!archivo.open(QIODevice::ReadOnly)) {
        MostrarMensaje(MensajeNoEncontrado());
        return;
    }
    if (archivo.size() > kMaxBytesArchivo) {
        MostrarMensaje(MensajeDemasiadoGrande());
        return;
    }
    const QByteArray datos = archivo.readAll();
    // The document is built apart from the view, so the view lays it out once, not after
    // every insertion.
    auto* doc = new QTextDocument(this);
    doc->setDocumentMargin(document()->documentMargin());
    doc->setDefaultFont(font());
    bool agotado = false;
    if (!LeerRtf(datos, *doc, nullptr, kLimiteLectura, &agotado)) {
        delete doc;
        MostrarMensaje(agotado ? MensajeDemasiadoGrande() : MensajeNoRtf());
        return;
    }
    if (Celdas(doc->rootFrame()) > kMaxCeldas) {
        delete doc;
        MostrarMensaje(MensajeDemasiadoGrande());
        return;
    }
    Poner(doc);
    verticalScrollBar()->setValue(0);
}

// Shows a new document; the previous one goes if it was ours (the view deletes its own first
// document itself when it is replaced).
void RichTextBox::Poner(QTextDocument* doc) {
    QTextDocument* anterior = document();
    const bool nuestro = anterior && anterior->parent() == this;
    setDocument(doc);
    if (nuestro) delete anterior;
}

void RichTextBox::MostrarMensaje(const QString& mensaje) {
    auto* doc = new QTextDocument(this);
    doc->setDocumentMargin(document()->documentMargin());
    doc->setDefaultFont(font());
    doc->setPlainText(mensaje);
    Poner(doc);
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
