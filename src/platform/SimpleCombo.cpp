#include "platform/SimpleCombo.h"

#include "platform/Accessible.h"
#include "platform/TextFold.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>

namespace controls {

SimpleCombo::SimpleCombo(QWidget* parent, const QString& name) : QWidget(parent) {
    setObjectName(name);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(name + QStringLiteral(".Edit"));
    Describe(edit_, QStringLiteral("Buscar en la lista de palabras"),
             QStringLiteral("Escriba el comienzo de una palabra para ir a ella en la lista."));
    edit_->setFrame(false);
    model_ = new QStringListModel(this);
    view_ = new QListView(this);
    view_->setObjectName(name + QStringLiteral(".List"));
    Describe(view_, QStringLiteral("Lista de palabras"),
             QStringLiteral("Todas las palabras del diccionario elegido; elija una para traducirla."));
    view_->setModel(model_);
    view_->setUniformItemSizes(true);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setFrameShape(QFrame::NoFrame);
    view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusProxy(edit_);
    edit_->installEventFilter(this);
    view_->installEventFilter(this);
    connect(edit_, &QLineEdit::textEdited, this, &SimpleCombo::typed);
    connect(view_, &QListView::clicked, this, [this](const QModelIndex& i) { choose(i.row()); });
    connect(view_, &QListView::doubleClicked, this, [this](const QModelIndex& i) {
        edit_->setText(List(i.row()));
        emit DblClick();
    });
}

void SimpleCombo::resizeEvent(QResizeEvent*) {
    const int editHeight = edit_->sizeHint().height();
    edit_->setGeometry(0, 0, width(), editHeight);
    view_->setGeometry(0, editHeight + 3, width(), height() - editHeight - 3);
}

void SimpleCombo::Clear() {
    model_->setStringList({});
    keys_.clear();
}

void SimpleCombo::SetItems(const QStringList& items) {
    model_->setStringList(items);
    keys_.clear();
}

void SimpleCombo::AddItem(const QString& item) {
    const int row = model_->rowCount();
    model_->insertRows(row, 1);
    model_->setData(model_->index(row), item);
    keys_.clear();
}

void SimpleCombo::SetColors(const QColor& back, const QColor& text, const QColor& highlight) {
    for (QWidget* w : {static_cast<QWidget*>(edit_), static_cast<QWidget*>(view_), view_->viewport()}) {
        QPalette p = w->palette();
        p.setColor(QPalette::Base, back);
        p.setColor(QPalette::Window, back);
        p.setColor(QPalette::Text, text);
        p.setColor(QPalette::WindowText, text);
        p.setColor(QPalette::Highlight, highlight);
        p.setColor(QPalette::HighlightedText, text);
        w->setPalette(p);
        w->setAutoFillBackground(true);
        w->setFont(font());
    }
}

int SimpleCombo::ListCount() const {
    return model_->rowCount();
}
QString SimpleCombo::List(int index) const {
    return model_->index(index).data().toString();
}
int SimpleCombo::ListIndex() const {
    const QModelIndex i = view_->currentIndex();
    return i.isValid() && view_->selectionModel()->isSelected(i) ? i.row() : -1;
}
void SimpleCombo::SetListIndex(int index) {
    if (index < 0 || index >= ListCount()) {
        // No current entry either: the arrows then start from the top, not from a row left over
        // from an earlier search.
        view_->selectionModel()->clear();
        return;
    }
    const QModelIndex i = model_->index(index);
    view_->setCurrentIndex(i);
    view_->scrollTo(i, QAbstractItemView::PositionAtTop);
}
QString SimpleCombo::Text() const {
    return edit_->text();
}
void SimpleCombo::SetText(const QString& text) {
    edit_->setText(text);
}

int SimpleCombo::FindPrefix(const QString& prefix) const {
    const QString key = textfold::SearchKey(prefix);
    const QStringList& items = model_->stringList();
    if (keys_.size() != items.size()) {
        keys_.clear();
        keys_.reserve(items.size());
        for (const auto& s : items)
            keys_ << textfold::SearchKey(s);
    }
    // The entries come in the dictionary's order, which sorts by this very key: the first match
    // is the lower bound. An unsorted list still finds its entry through the plain scan.
    auto it = std::lower_bound(keys_.cbegin(), keys_.cend(), key);
    if (it != keys_.cend() && it->startsWith(key)) return static_cast<int>(it - keys_.cbegin());
    for (int i = 0; i < keys_.size(); ++i)
        if (keys_[i].startsWith(key)) return i;
    return -1;
}

void SimpleCombo::typed(const QString& text) {
    if (text.isEmpty()) return;
    const int i = FindPrefix(text);
    if (i < 0) return;
    SetListIndex(i);
    emit Highlighted(i);
}

void SimpleCombo::choose(int index) {
    if (index < 0) return;
    edit_->setText(List(index));
    emit Click();
}

bool SimpleCombo::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
    auto* k = static_cast<QKeyEvent*>(event);
    if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
        emit KeyPress(13);
        return true;
    }
    if (watched == edit_ && (k->key() == Qt::Key_Down || k->key() == Qt::Key_Up ||
                             k->key() == Qt::Key_PageDown || k->key() == Qt::Key_PageUp)) {
        const int step = (k->key() == Qt::Key_Down)       ? 1
                         : (k->key() == Qt::Key_Up)       ? -1
                         : (k->key() == Qt::Key_PageDown) ? 10
                                                          : -10;
        const int from = view_->currentIndex().isValid() ? view_->currentIndex().row() : -1;
        const int to = std::clamp(from + step, 0, std::max(0, ListCount() - 1));
        if (ListCount() > 0) {
            view_->setCurrentIndex(model_->index(to));
            view_->scrollTo(model_->index(to));
            choose(to);
        }
        return true;
    }
    // In the list itself, letters jump as the arrows move: whatever the highlight lands on is
    // chosen, as a click would choose it.
    const bool letter = !k->text().isEmpty() && k->text().at(0).isPrint();
    if (watched == view_ &&
        (letter || k->key() == Qt::Key_Down || k->key() == Qt::Key_Up || k->key() == Qt::Key_PageDown ||
         k->key() == Qt::Key_PageUp || k->key() == Qt::Key_Home || k->key() == Qt::Key_End)) {
        if (letter) emit KeyPress(k->text().at(0).unicode());
        const bool r = QWidget::eventFilter(watched, event);
        QMetaObject::invokeMethod(
            this, [this] { choose(view_->currentIndex().row()); }, Qt::QueuedConnection);
        return r;
    }
    if (!k->text().isEmpty()) emit KeyPress(k->text().at(0).unicode());
    return QWidget::eventFilter(watched, event);
}

} // namespace controls
