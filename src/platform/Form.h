#pragma once
// The forms runtime: the base of every window of the program.
//
// A Form keeps the life the program's windows were designed with: Load runs Form_Load once,
// Show shows it (loading it first), activation runs Form_Activate, and Unload runs Form_Unload
// and destroys the window, so window-level state really starts over on the next visit.
// Geometry reads and writes in twips. Event handlers are public so that the program's own code
// can run them as the designs do (a window running a button's click handler itself) and so that
// tests can drive them without a pointer.
#include <QApplication>
#include <QPointer>
#include <QString>
#include <QWidget>

class QEventLoop;

class Form : public QWidget {
    Q_OBJECT
public:
    explicit Form(QWidget* parent = nullptr);
    ~Form() override;

    // Geometry in twips.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void Move(int left, int top);
    void SetWidth(int twips);
    void SetHeight(int twips);

    QString Tag;

    void Load();
    void Show();
    // Shows the window modal over the program and returns when it has been unloaded.
    void ShowModal();
    void Unload();
    bool Loaded() const { return loaded_ && !unloading_; }
    // Unload has begun: the window is on its way out and must not act on anything still queued
    // for it.
    bool Unloading() const { return unloading_; }

    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_Unload() {}

signals:
    void Unloaded();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    bool loaded_ = false;
    bool unloading_ = false;
    QEventLoop* modalLoop_ = nullptr;
};

namespace Forms {
// The loaded instance of a window class, or nullptr: the designs address windows by name.
template <class T> T* Find() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* f = qobject_cast<T*>(w); f && f->Loaded()) return f;
    return nullptr;
}
// Destroys windows that were unloaded (deferred deletion), for callers without an event loop.
void FlushUnloaded();
} // namespace Forms
