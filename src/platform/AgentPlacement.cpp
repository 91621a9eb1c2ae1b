#include "platform/AgentPlacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace agent {

namespace {

constexpr char kKeepClear[] = "palavrixGuiaLejos";
// Room left between the guide and what he steps beside.
constexpr int kGap = 6;

long long Covered(const QRect& r, const QList<QRect>& obstacles) {
    long long area = 0;
    for (const QRect& o : obstacles) {
        const QRect i = r.intersected(o);
        if (!i.isEmpty()) area += static_cast<long long>(i.width()) * i.height();
    }
    return area;
}

long long Distance2(QPoint a, QPoint b) {
    const long long dx = a.x() - b.x(), dy = a.y() - b.y();
    return dx * dx + dy * dy;
}

} // namespace

void KeepClear(QWidget* w, bool on) {
    if (w) w->setProperty(kKeepClear, on);
}

bool KeptClear(const QWidget* w) {
    return w && w->property(kKeepClear).toBool();
}

QRect ScreenNear(QPoint near) {
    QScreen* s = QGuiApplication::screenAt(near);
    if (!s) s = QGuiApplication::primaryScreen();
    return s ? s->availableGeometry() : QRect(0, 0, 640, 480);
}

QPoint FreeSpot(QPoint wanted, QSize size, const QList<QRect>& obstacles, const QRect& screen) {
    if (Covered(QRect(wanted, size), obstacles) == 0) return wanted;
    // Beside each obstacle, on each of its four sides, as near the wanted place as that side
    // allows; then pulled inside the screen, which may put it over another obstacle (counted).
    const auto inside = [&](QPoint p) {
        const int x =
            std::clamp(p.x(), screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
        const int y =
            std::clamp(p.y(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
        return QPoint(x, y);
    };
    std::vector<QPoint> candidates;
    for (const QRect& o : obstacles) {
        candidates.push_back(inside({o.right() + 1 + kGap, wanted.y()}));
        candidates.push_back(inside({o.left() - kGap - size.width(), wanted.y()}));
        candidates.push_back(inside({wanted.x(), o.bottom() + 1 + kGap}));
        candidates.push_back(inside({wanted.x(), o.top() - kGap - size.height()}));
    }
    QPoint best = wanted;
    long long bestCovered = Covered(QRect(wanted, size), obstacles);
    long long bestDistance = 0;
    for (const QPoint& c : candidates) {
        const long long covered = Covered(QRect(c, size), obstacles);
        const long long distance = Distance2(c, wanted);
        if (covered < bestCovered || (covered == bestCovered && distance < bestDistance)) {
            best = c;
            bestCovered = covered;
            bestDistance = distance;
        }
    }
    return best;
}

bool Placement::Obstacle(const QWidget* w) const {
    if (std::find(own_.begin(), own_.end(), w) != own_.end()) return false;
    if (KeptClear(w)) return true;
    if (!w->isWindow()) return false;
    const Qt::WindowType type = w->windowType();
    return type == Qt::Dialog || type == Qt::Sheet || w->isModal();
}

bool Placement::Watch(QObject* o, const QEvent* e) {
    if (!o->isWidgetType()) return false;
    auto* w = static_cast<QWidget*>(o);
    switch (e->type()) {
    case QEvent::Show:
        if (!Obstacle(w)) return false;
        open_.removeAll(nullptr);
        if (!open_.contains(w)) open_.append(w);
        return true;
    case QEvent::Hide:
    case QEvent::Close:
    case QEvent::Move:
    case QEvent::Resize:
        return open_.contains(w);
    default:
        return false;
    }
}

QList<QRect> Placement::Obstacles() const {
    QList<QRect> rects;
    for (const QPointer<QWidget>& w : open_)
        if (w && w->isVisible()) rects.append(QRect(w->mapToGlobal(QPoint(0, 0)), w->size()));
    return rects;
}

QPoint Placement::Free(QPoint wanted, QSize size) const {
    return FreeSpot(wanted, size, Obstacles(), ScreenNear(QRect(wanted, size).center()));
}

} // namespace agent
