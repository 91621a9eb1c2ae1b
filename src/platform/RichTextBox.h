#pragma once
// The rich text box of the notes window: a read-only text view that shows an RTF document read
// from a file. It offers what the window uses of it: LoadFile, SetFocus, Text and MouseMove.
//
// The box sits on a dark frame, so text in the document's automatic colour is drawn light on a
// dark ground; colours the document sets itself are kept. The page keys scroll it by one page
// whether or not it shows a caret.
#include <QTextEdit>
#include <chrono>

namespace richtext {

class RichTextBox : public QTextEdit {
    Q_OBJECT
public:
    explicit RichTextBox(QWidget* parent = nullptr);

    // Replaces the whole content with the RTF document in the file. `path` is a native path or
    // one in the program's drive form ("D:\Palavrix\PROPIEDADES\Prop6.RTF"). A file that
    // cannot be read, or is not RTF, leaves a short message in the box instead of the notes;
    // the box is scrolled back to the top either way.
    void LoadFile(const QString& path);
    // The plain text of the document, without formatting (pictures leave nothing).
    QString Text() const;
    // Keyboard focus to the box, so that page keys sent next scroll it.
    void SetFocus();

    // What LoadFile shows instead of the notes.
    static QString NotFoundMessage();
    static QString NotRtfMessage();
    // Over kMaxFileBytes, or more than kReadTimeLimit to read: the window would freeze.
    static QString TooLargeMessage();

    // LoadFile keeps the window answering: what it cannot read and lay out within about two
    // seconds on a modest machine it refuses with TooLargeMessage. Reading costs about a
    // third of a second per megabyte, laying out prose as much again, and a table cell about a
    // tenth of a millisecond (bench/richtext_bench: BM_LoadNotesFile), so the size bounds the
    // prose and the memory, the count of cells bounds the tables, and a time limit on reading
    // covers a slower machine. The real notes are some tens of kilobytes with a few hundred cells.
    static constexpr qint64 kMaxFileBytes = 2LL * 1024 * 1024;
    static constexpr int kMaxCells = 10000;
    static constexpr std::chrono::milliseconds kReadTimeLimit{1500};

signals:
    // The pointer moved over the box: buttons and shift state as controls::Label reports them,
    // position in twips relative to the box.
    void MouseMove(int button, int shift, double x, double y);

protected:
    void mouseMoveEvent(QMouseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    void ShowMessage(const QString& message);
    void ShowDocument(QTextDocument* doc);
};

} // namespace richtext
