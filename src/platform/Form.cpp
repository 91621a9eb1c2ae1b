#include "platform/Form.h"

#include "platform/Twips.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>

Form::Form(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

Form::~Form() {
    if (modalLoop_) modalLoop_->quit();
}

int Form::Left() const {
    return x() * twips::kPerPixel;
}
int Form::Top() const {
    return y() * twips::kPerPixel;
}
int Form::Width() const {
    return width() * twips::kPerPixel;
}
int Form::Height() const {
    return height() * twips::kPerPixel;
}

void Form::Move(int left, int top) {
    move(twips::ToPixels(left), twips::ToPixels(top));
}
void Form::SetWidth(int tw) {
    resize(twips::ToPixels(tw), height());
}
void Form::SetHeight(int tw) {
    resize(width(), twips::ToPixels(tw));
}

void Form::Load() {
    if (loaded_) return;
    loaded_ = true;
    Form_Load();
}

void Form::Show() {
    Load();
    if (unloading_) return; // Form_Load may have unloaded the window already
    show();
    raise();
    activateWindow();
}

void Form::ShowModal() {
    Load();
    if (unloading_) return;
    setWindowModality(Qt::ApplicationModal);
    show();
    raise();
    activateWindow();
    QEventLoop loop;
    modalLoop_ = &loop;
    QPointer<Form> self(this);
    loop.exec();
    if (self) self->modalLoop_ = nullptr;
}

void Form::Unload() {
    if (unloading_) return;
    unloading_ = true;
    if (loaded_) Form_Unload();
    close(); // through close(), so the application ends when its last window is gone
    if (modalLoop_) modalLoop_->quit();
    emit Unloaded();
    deleteLater();
}

bool Form::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate && loaded_ && !unloading_) {
        const bool r = QWidget::event(e);
        Form_Activate();
        return r;
    }
    return QWidget::event(e);
}

void Form::closeEvent(QCloseEvent* e) {
    // A close from the window system (Alt+F4) unloads the window like the program's own code does.
    if (unloading_) {
        e->accept();
        return;
    }
    e->ignore();
    Unload();
}

namespace Forms {
void FlushUnloaded() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace Forms
