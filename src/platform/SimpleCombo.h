#pragma once
// A combo box of the simple style: an edit line with its list always open below it.
//
// Typing in the edit line brings the first entry that begins with the typed text into view and
// highlights it, without case or accents ("arbol" finds "árbol"); the typed text stays as typed.
// Choosing an entry with the pointer or the arrow keys puts it in the edit line and raises Click;
// a double click raises DblClick; a key typed in the edit line or the list raises KeyPress with
// its character code (13 for Enter) before the control handles it.
// The list is a model/view list with uniform rows, so tens of thousands of entries cost nothing.
#include <QStringList>
#include <QWidget>

class QLineEdit;
class QListView;
class QStringListModel;

namespace controls {

class SimpleCombo : public QWidget {
    Q_OBJECT
public:
    SimpleCombo(QWidget* parent, const QString& name);

    void Clear();
    // Replaces every entry at once (ascending order expected for the type-ahead's fast search).
    void SetItems(const QStringList& items);
    void AddItem(const QString& item);
    int ListCount() const;
    QString List(int index) const;
    int ListIndex() const; // -1 when no entry is highlighted
    // Highlights entry `index` and brings it into view (-1: none). Raises nothing: the program
    // moving the highlight is not the user choosing.
    void SetListIndex(int index);
    QString Text() const;
    void SetText(const QString& text);
    // The first entry that begins with `prefix`, ignoring case and accents, or -1.
    int FindPrefix(const QString& prefix) const;
    // Background, text and highlight colours of the edit line and the list.
    void SetColors(const QColor& back, const QColor& text, const QColor& highlight);
    QLineEdit* Edit() const { return edit_; }
    QListView* View() const { return view_; }

signals:
    void Click();
    void DblClick();
    void KeyPress(int keyAscii);
    // Typing in the edit line highlighted entry `index`; the edit line keeps what was typed.
    void Highlighted(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void typed(const QString& text);
    void choose(int index);
    QLineEdit* edit_;
    QListView* view_;
    QStringListModel* model_;
    mutable QStringList keys_; // search keys, computed on demand
};

} // namespace controls
