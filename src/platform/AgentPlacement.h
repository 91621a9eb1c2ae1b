#pragma once
// Where the guide may stand: never over a box, panel or window of the program the user has to
// read. When one opens where he stands he steps beside it, and when it closes he goes back to
// where he was sent; a spot a script sends him to that lies under an open one is taken beside it.
//
// What he keeps clear of: the program's message boxes and other dialogs, every modal window, and
// any widget marked with KeepClear (panels inside a window, such as the dictionary's further
// meanings). The program's main windows are not: he stands on them to explain them.
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <vector>

class QEvent;
class QObject;
class QWidget;

namespace agent {

// Marks `w` (a panel or a window) as one the guide keeps clear of while it is shown.
void KeepClear(QWidget* w, bool on = true);
// Whether the guide keeps clear of `w` when it is shown.
bool KeptClear(const QWidget* w);

// The top-left corner for a frame of `size` nearest `wanted` that covers none of `obstacles`:
// `wanted` itself when it covers none, else a place just beside one of them inside `screen`. When
// no such place exists, the one that covers the least.
QPoint FreeSpot(QPoint wanted, QSize size, const QList<QRect>& obstacles, const QRect& screen);

// The available area of the screen at `near` (or of the first screen).
QRect ScreenNear(QPoint near);

class Placement {
public:
    // `own`: the guide's own windows, never obstacles.
    explicit Placement(std::vector<const QWidget*> own) : own_(std::move(own)) {}
    // Fed every event the application delivers; true when an obstacle opened, moved, changed size
    // or closed.
    bool Watch(QObject* o, const QEvent* e);
    // The screen rectangles of the obstacles now shown.
    QList<QRect> Obstacles() const;
    // Where a frame of `size` sent to `wanted` stands, beside whatever is open there.
    QPoint Free(QPoint wanted, QSize size) const;

private:
    bool Obstacle(const QWidget* w) const;
    std::vector<const QWidget*> own_;
    QList<QPointer<QWidget>> open_;
};

} // namespace agent
