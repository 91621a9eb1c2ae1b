#include "platform/AgentEngine.h"

#include "platform/AgentEngineVoice.h"
#include "platform/AgentPlacement.h"
#include "platform/Controls.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QBitmap>
#include <QBuffer>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMediaDevices>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QRandomGenerator>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace agent {

namespace {

// A window of the guide: above everything, frameless, see-through where nothing is drawn, and
// never the active window (clicking the guide must not deactivate the program's own windows,
// whose activation handlers move the guide) nor a reason for the program to keep running.
void PrepareToolWindow(QWidget* w) {
    w->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                      Qt::WindowDoesNotAcceptFocus);
    w->setAttribute(Qt::WA_TranslucentBackground);
    w->setAttribute(Qt::WA_ShowWithoutActivating);
    w->setAttribute(Qt::WA_QuitOnClose, false);
    w->setFocusPolicy(Qt::NoFocus);
}

double EaseInOut(double t) {
    return t * t * (3 - 2 * t);
}

constexpr int kMouthCycle[] = {1, 2, 1, 0};
constexpr double kMouthMs = 90;
constexpr double kHoldMs = 1600;
constexpr int kDragThreshold = 5;

} // namespace

// ---------------------------------------------------------------------------------------------
// The character's window: paints the current frame and turns mouse input into the control's
// events.

class CharacterWindow : public QWidget {
public:
    explicit CharacterWindow(EngineCharacter* owner) : owner_(owner) {
        PrepareToolWindow(this);
        setObjectName(QStringLiteral("agtPersonaje"));
        setAccessibleName(QStringLiteral("Genio, el guía"));
        setAccessibleDescription(QStringLiteral(
            "El personaje que explica el programa; haga clic derecho sobre él para ver su menú."));
        resize(owner->data_.size);
    }

    // The window's shape follows the picture, so that without a compositing window manager
    // (where a translucent window shows black) the character still stands on the desktop. With a
    // compositor the soft edges inside the shape stay translucent.
    void Shape(int picture) {
        if (picture == shaped_) return;
        auto it = shapes_.find(picture);
        if (it == shapes_.end()) {
            const QImage& img = owner_->data_.pictures[size_t(picture)];
            it = shapes_
                     .emplace(picture,
                              QRegion(QBitmap::fromImage(img.createAlphaMask(Qt::ThresholdAlphaDither))))
                     .first;
        }
        shaped_ = picture;
        // An empty region would mean "no mask": a fully transparent frame keeps one pixel.
        setMask(it->second.isEmpty() ? QRegion(0, 0, 1, 1) : it->second);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        g.setCompositionMode(QPainter::CompositionMode_Source);
        g.drawImage(0, 0, owner_->CurrentFrame());
    }
    void mousePressEvent(QMouseEvent* e) override {
        pressed_ = e->button();
        pressAt_ = e->globalPosition().toPoint();
        grabOffset_ = e->position().toPoint();
        dragging_ = false;
        if (e->button() == Qt::RightButton)
            owner_->MouseClick(controls::Button(Qt::RightButton), controls::Shift(e->modifiers()), pressAt_);
    }
    void mouseMoveEvent(QMouseEvent* e) override {
        if (pressed_ != Qt::LeftButton) return;
        const QPoint at = e->globalPosition().toPoint();
        if (!dragging_ && (at - pressAt_).manhattanLength() < kDragThreshold) return;
        dragging_ = true;
        owner_->DragTo(at - grabOffset_);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        const Qt::MouseButton b = pressed_;
        pressed_ = Qt::NoButton;
        if (b != e->button() || b == Qt::RightButton || dragging_) return;
        owner_->MouseClick(controls::Button(b), controls::Shift(e->modifiers()),
                           e->globalPosition().toPoint());
    }

public:
    bool Dragging() const { return pressed_ == Qt::LeftButton && dragging_; }

private:
    EngineCharacter* owner_;
    Qt::MouseButton pressed_ = Qt::NoButton;
    QPoint pressAt_, grabOffset_;
    bool dragging_ = false;
    int shaped_ = -1;
    std::map<int, QRegion> shapes_;
};

// ---------------------------------------------------------------------------------------------
// The word balloon: laid out once for the whole sentence, so it does not change size while the
// words appear one by one; above the character, or below it near the top of the screen.

class BalloonWindow : public QWidget {
public:
    BalloonWindow() {
        PrepareToolWindow(this);
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setObjectName(QStringLiteral("agtBocadillo"));
        font_ = controls::Font(10, false, false);
    }

    // `keepClear`: what the balloon should not cover either (the boxes the guide stepped aside
    // from); it goes above or below him, centred or to one side, wherever it covers none.
    void Start(const QStringList& words, QRect character, const QList<QRect>& keepClear = {}) {
        words_ = words;
        shown_ = 0;
        const QString all = words.join(QLatin1Char(' '));
        const QFontMetrics fm(font_);
        text_ = fm.boundingRect(QRect(0, 0, kTextWidth, 4000), Qt::TextWordWrap, all).size();
        text_.setWidth(std::max(text_.width(), 40));
        const QSize body(text_.width() + 2 * kPad, text_.height() + 2 * kPad);
        resize(body.width(), body.height() + kTail);
        const QRect screen = ScreenNear(character.center());
        const int centre = character.center().x();
        const auto inside = [&](int x) {
            return std::clamp(x, screen.left(), std::max(screen.left(), screen.right() - width()));
        };
        const int above = character.top() + 8 - height(), under = character.bottom() - 4;
        const int xs[] = {inside(centre - width() / 2), inside(centre - width() + kPad + 2 * kTail),
                          inside(centre - kPad - 2 * kTail)};
        // The usual place: above and centred, or below near the top of the screen.
        below_ = above < screen.top();
        int x = xs[0], y = below_ ? under : above;
        const auto covers = [&](int cx, int cy) {
            const QRect r(cx, cy, width(), height());
            return std::any_of(keepClear.begin(), keepClear.end(),
                               [&](const QRect& k) { return r.intersects(k); });
        };
        if (covers(x, y)) {
            for (const bool b : {false, true}) {
                const int cy = b ? under : above;
                if (cy < screen.top() || cy + height() > screen.bottom() + 1) continue;
                const auto free =
                    std::find_if(std::begin(xs), std::end(xs), [&](int cx) { return !covers(cx, cy); });
                if (free == std::end(xs)) continue;
                x = *free;
                y = cy;
                below_ = b;
                break;
            }
        }
        tipX_ = std::clamp(centre - x, kPad + kTail, width() - kPad - kTail);
        move(x, y);
        QPainterPathStroker edge;
        edge.setWidth(3);
        const QPainterPath outline = Outline();
        setMask(QRegion(outline.united(edge.createStroke(outline)).toFillPolygon().toPolygon()));
        update();
    }
    void Reveal(int count) {
        shown_ = count;
        update();
    }
    QString Shown() const { return words_.mid(0, shown_).join(QLatin1Char(' ')); }

protected:
    QRectF Body() const {
        return below_ ? QRectF(0.5, kTail + 0.5, width() - 1, height() - kTail - 1)
                      : QRectF(0.5, 0.5, width() - 1, height() - kTail - 1);
    }
    QPainterPath Outline() const {
        const QRectF body = Body();
        QPainterPath path;
        path.addRoundedRect(body, 10, 10);
        QPainterPath tail;
        if (below_) {
            tail.moveTo(tipX_ - 7, body.top() + 1);
            tail.lineTo(tipX_ + 2, 0.5);
            tail.lineTo(tipX_ + 7, body.top() + 1);
        } else {
            tail.moveTo(tipX_ - 7, body.bottom() - 1);
            tail.lineTo(tipX_ + 2, height() - 0.5);
            tail.lineTo(tipX_ + 7, body.bottom() - 1);
        }
        tail.closeSubpath();
        return path.united(tail);
    }
    void paintEvent(QPaintEvent*) override {
        QPainter g(this);
        g.setRenderHint(QPainter::Antialiasing);
        const QRectF body = Body();
        const QPainterPath path = Outline();
        g.setPen(QPen(QColor(0x1b, 0x3c, 0x78), 1.2));
        g.setBrush(QColor(0xff, 0xfd, 0xec));
        g.drawPath(path);
        g.setFont(font_);
        g.setPen(QColor(0x1a, 0x1a, 0x2a));
        g.drawText(QRect(int(body.left()) + kPad, int(body.top()) + kPad, text_.width(), text_.height()),
                   Qt::TextWordWrap, Shown());
    }

private:
    static constexpr int kTextWidth = 210, kPad = 9, kTail = 12;
    QFont font_;
    QStringList words_;
    int shown_ = 0;
    QSize text_;
    bool below_ = false;
    int tipX_ = 0;
};

// ---------------------------------------------------------------------------------------------

EngineControl::EngineControl(QObject* parent) : AgentControl(parent) {}
EngineControl::~EngineControl() = default;

void EngineControl::CharactersLoad(const QString& id, const QString& path) {
    CharacterData data = characterfile::Read(path);
    characters_[id] = std::make_unique<EngineCharacter>(id, std::move(data), this);
}

Character* EngineControl::CharactersItem(const QString& id) {
    return Engine(id);
}

EngineCharacter* EngineControl::Engine(const QString& id) {
    auto it = characters_.find(id);
    if (it == characters_.end())
        throw AgentError(QStringLiteral("El personaje «%1» no está cargado.").arg(id));
    return it->second.get();
}

// ---------------------------------------------------------------------------------------------

QString EngineCharacter::Request::Describe() const {
    switch (kind) {
    case Show:
        return QStringLiteral("Show");
    case Hide:
        return QStringLiteral("Hide");
    case Move:
        return QStringLiteral("MoveTo %1,%2").arg(to.x()).arg(to.y());
    case Play:
        return QStringLiteral("Play ") + text;
    case Speak:
        return QStringLiteral("Speak ") + text;
    }
    return {};
}

EngineCharacter::EngineCharacter(const QString& id, CharacterData data, EngineControl* control)
    : id_(id), data_(std::move(data)), control_(control) {
    window_ = std::make_unique<CharacterWindow>(this);
    balloon_ = std::make_unique<BalloonWindow>();
    placement_ = std::make_unique<Placement>(std::vector<const QWidget*>{window_.get(), balloon_.get()});
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &EngineCharacter::Tick);
    idleTimer_.setSingleShot(true);
    connect(&idleTimer_, &QTimer::timeout, this, &EngineCharacter::PlayIdle);
    if (const auto* rest = data_.Animation(data_.rest)) shown_ = rest->front();
    pos_ = ScreenNear(QPoint()).topLeft();
    wanted_ = pos_;
    window_->move(pos_);
    // Every window the program shows is watched for, so the guide can come back in front of it.
    QCoreApplication::instance()->installEventFilter(this);
}

bool EngineCharacter::eventFilter(QObject* o, QEvent* e) {
    // Without a window manager "stays on top" means nothing: a window shown after the guide
    // covers him (and takes the clicks meant for him) until his next gesture. Once the new
    // window has raised itself, he is raised above it.
    if (e->type() == QEvent::Show && visible_ && o->isWidgetType()) {
        auto* w = static_cast<QWidget*>(o);
        const Qt::WindowType type = w->windowType();
        if (w->isWindow() && w != window_.get() && w != balloon_.get() && type != Qt::ToolTip &&
            type != Qt::Popup)
            QTimer::singleShot(0, this, [this] { ToFront(); });
    }
    // A window closing takes the requests tied to it along, before he is placed again: the guide
    // stays where he stood rather than going on to a spot of the window that is gone.
    if ((e->type() == QEvent::Hide || e->type() == QEvent::Close) && o->isWidgetType() &&
        static_cast<QWidget*>(o)->isWindow())
        DropTiedTo(o);
    // An obstacle's size and place are final only once it has laid itself out and shown.
    if (placement_ && placement_->Watch(o, e) && !repositionDue_) {
        repositionDue_ = true;
        QTimer::singleShot(0, this, [this] {
            repositionDue_ = false;
            Reposition();
        });
    }
    return QObject::eventFilter(o, e);
}

void EngineCharacter::TieRequests(QObject* owner) {
    tie_ = owner;
}

int EngineCharacter::PendingTiedTo(const QObject* owner) const {
    int n = running_ && running_->tied && running_->owner == owner ? 1 : 0;
    for (const Request& r : queue_)
        if (r.tied && r.owner == owner) ++n;
    return n;
}

void EngineCharacter::DropTiedTo(const QObject* owner) {
    // A request whose owner is already gone is dropped too.
    const auto gone = [owner](const Request& r) { return r.tied && (r.owner == owner || !r.owner); };
    const auto before = queue_.size();
    queue_.erase(std::remove_if(queue_.begin(), queue_.end(), gone), queue_.end());
    const bool stopRunning = running_ && gone(*running_);
    if (before == queue_.size() && !stopRunning) return;
    // He stays where he stands (not at a spot of the window that is gone); his next script sends
    // him on.
    if (!running_ || stopRunning || running_->kind != Request::Move) wanted_ = pos_;
    if (stopRunning) {
        timer_.stop();
        frames_ = nullptr;
        Finish();
    }
}

QPoint EngineCharacter::Aside() const {
    return placement_->Free(wanted_, data_.size);
}

void EngineCharacter::Reposition() {
    if (window_->Dragging()) return;
    const QPoint to = Aside();
    if (phase_ == Phase::Flight) {
        // On his way: he lands beside whatever opened where he was going.
        flightFrom_ = pos_;
        flightTo_ = to;
        clock_.start();
        return;
    }
    if (to != pos_) PlaceWindow(to);
    // The balloon, too, keeps clear of what opened.
    if (balloon_->isVisible()) {
        balloon_->Start(words_, QRect(pos_, data_.size), placement_->Obstacles());
        balloon_->Reveal(wordsShown_);
    }
}

void EngineCharacter::DragTo(QPoint p) {
    // Where the user puts him is where he is meant to be.
    wanted_ = p;
    PlaceWindow(p);
}

void EngineCharacter::ToFront() {
    if (!visible_ || !window_->isVisible()) return;
    window_->raise();
    if (balloon_->isVisible()) balloon_->raise();
    emit BroughtToFront();
}

EngineCharacter::~EngineCharacter() {
    // His own windows close as the members go, and their Hide events would reach this filter
    // after the queue it reads is gone.
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(this);
    timer_.stop();
    idleTimer_.stop();
    StopVoice();
}

QWidget* EngineCharacter::Window() const {
    return window_.get();
}
QWidget* EngineCharacter::Balloon() const {
    return balloon_.get();
}

void EngineCharacter::Show() {
    Enqueue({Request::Show, {}, {}, 0, false, {}});
}
void EngineCharacter::Hide() {
    Enqueue({Request::Hide, {}, {}, 0, false, {}});
}
void EngineCharacter::MoveTo(int x, int y) {
    Enqueue({Request::Move, {}, QPoint(x, y), 0, false, {}});
}
void EngineCharacter::Play(const QString& animation) {
    Enqueue({Request::Play, animation, {}, 0, false, {}});
}

void EngineCharacter::Speak(const QString& text) {
    Request r{Request::Speak, text, {}, 0, false, {}};
    // Synthesis starts now, while earlier requests play, so the voice is ready when its turn comes.
    if (voiceWanted_ && voice::OutputAvailable())
        r.voice = voice::Synthesize(
            text, this, [this](int job, const QByteArray& pcm, int rate) { VoiceReady(job, pcm, rate); });
    Enqueue(std::move(r));
}

void EngineCharacter::SetIdleEnabled(bool on) {
    idleEnabled_ = on;
    if (!on) StopIdle();
}

void EngineCharacter::Enqueue(Request r) {
    r.tied = !tie_.isNull();
    r.owner = tie_;
    queue_.push_back(std::move(r));
    if (running_) return;
    StopIdle();
    // The request starts from the event loop, never inside the caller's call.
    if (!timer_.isActive()) Schedule(0);
}

void EngineCharacter::Schedule(double ms) {
    timer_.start(int(std::lround(std::max(0.0, ms * timeScale_))));
}

void EngineCharacter::Next() {
    // Requests that complete at once (a MoveTo while hidden, an unknown animation) are taken in a
    // loop, not by recursion, however many are queued.
    while (!running_ && !queue_.empty()) {
        running_ = std::make_unique<Request>(std::move(queue_.front()));
        queue_.pop_front();
        emit RequestStarted(running_->Describe());
        const Request& r = *running_;
        bool immediate = true;
        switch (r.kind) {
        case Request::Show:
            if (!visible_) {
                visible_ = true;
                pos_ = Aside();
                window_->move(pos_);
                window_->show();
                window_->raise();
                const auto* frames = data_.Animation(data_.show);
                if (frames) {
                    StartFrames(frames);
                    immediate = false;
                } else if (const auto* rest = data_.Animation(data_.rest)) {
                    ShowFrame(rest->front(), -1);
                }
            }
            break;
        case Request::Hide:
            if (visible_) {
                balloon_->hide();
                if (const auto* frames = data_.Animation(data_.hide)) {
                    StartFrames(frames);
                    immediate = false;
                }
            }
            break;
        case Request::Move:
            wanted_ = r.to;
            if (const QPoint to = Aside(); visible_ && to != pos_) {
                flightFrom_ = pos_;
                flightTo_ = to;
                const double dist = std::hypot(double(to.x() - pos_.x()), double(to.y() - pos_.y()));
                flightMs_ = std::clamp(dist * 1.6, 250.0, 900.0);
                phase_ = Phase::Flight;
                clock_.start();
                Schedule(16);
                immediate = false;
            } else {
                PlaceWindow(Aside());
            }
            break;
        case Request::Play:
            if (visible_) {
                if (const auto* frames = data_.Animation(r.text)) {
                    StartFrames(frames);
                    immediate = false;
                }
            }
            break;
        case Request::Speak:
            words_ = r.text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (visible_ && !words_.isEmpty()) {
                balloon_->Start(words_, QRect(pos_, data_.size), placement_->Obstacles());
                balloon_->Reveal(1);
                balloon_->show();
                balloon_->raise();
                wordsShown_ = 1;
                mouthStep_ = 0;
                phase_ = Phase::Words;
                clock_.start();
                holdMs_ = 0;
                if (auto it = voices_.find(r.voice); it != voices_.end())
                    StartVoice(it->second.first, it->second.second);
                ShowFrame(shown_, kMouthCycle[0]);
                Schedule(kMouthMs);
                immediate = false;
            }
            break;
        }
        if (immediate) Finish();
    }
}

void EngineCharacter::Finish() {
    if (!running_) return;
    const Request done = *running_;
    if (done.kind == Request::Hide && visible_) {
        visible_ = false;
        window_->hide();
        if (const auto* rest = data_.Animation(data_.rest)) shown_ = rest->front();
    }
    if (done.kind == Request::Speak) {
        balloon_->hide();
        StopVoice();
        mouth_ = -1;
        window_->update();
    }
    if (done.voice) voices_.erase(done.voice);
    running_.reset();
    phase_ = Phase::Idle;
    emit RequestFinished(done.Describe());
    if (queue_.empty()) {
        StartIdleTimer();
        return;
    }
    if (!timer_.isActive()) Schedule(0);
}

void EngineCharacter::Tick() {
    switch (phase_) {
    case Phase::Idle:
        Next();
        return;
    case Phase::Frames:
        if (frames_ && ++frameIndex_ < frames_->size()) {
            ShowFrame((*frames_)[frameIndex_], -1);
            Schedule((*frames_)[frameIndex_].ms);
            return;
        }
        frames_ = nullptr;
        if (idling_) {
            idling_ = false;
            phase_ = Phase::Idle;
            if (!queue_.empty())
                Schedule(0);
            else
                StartIdleTimer();
            return;
        }
        Finish();
        return;
    case Phase::Flight: {
        const double total = flightMs_ * timeScale_;
        const double t = total <= 0 ? 1.0 : std::min(1.0, double(clock_.elapsed()) / total);
        const QPointF p = QPointF(flightFrom_) + (QPointF(flightTo_) - QPointF(flightFrom_)) * EaseInOut(t);
        PlaceWindow(t >= 1 ? flightTo_ : p.toPoint());
        if (t >= 1)
            Finish();
        else
            Schedule(16);
        return;
    }
    case Phase::Words: {
        // A word every quarter second or so, longer words a little longer; the mouth moves meanwhile.
        ++mouthStep_;
        double due = 0;
        for (int i = 0; i < wordsShown_; ++i)
            due += 180 + 18 * words_[i].size();
        if (double(clock_.elapsed()) >= due * timeScale_) {
            ++wordsShown_;
            balloon_->Reveal(wordsShown_);
        }
        if (wordsShown_ >= words_.size()) {
            phase_ = Phase::Hold;
            holdMs_ = double(clock_.elapsed()) + kHoldMs * timeScale_;
        }
        ShowFrame(shown_, kMouthCycle[mouthStep_ % 4]);
        Schedule(kMouthMs);
        return;
    }
    case Phase::Hold: {
        // The balloon stays a moment after the last word, and as long as the voice still speaks
        // (at most a generous while, in case an audio device never reports the end).
        const bool speaking = VoiceBusy() && clock_.elapsed() < 30000;
        ++mouthStep_;
        ShowFrame(shown_, speaking ? kMouthCycle[mouthStep_ % 4] : 0);
        if (!speaking && double(clock_.elapsed()) >= holdMs_) {
            Finish();
            return;
        }
        Schedule(kMouthMs);
        return;
    }
    }
}

void EngineCharacter::StartFrames(const std::vector<CharacterFrame>* frames) {
    // Back in front at every gesture: a window opened since (the About window) may cover the
    // guide where no window manager keeps it on top.
    if (window_->isVisible()) window_->raise();
    frames_ = frames;
    frameIndex_ = 0;
    phase_ = Phase::Frames;
    ShowFrame(frames->front(), -1);
    Schedule(frames->front().ms);
}

void EngineCharacter::ShowFrame(const CharacterFrame& f, int mouth) {
    shown_ = f;
    mouth_ = mouth;
    window_->Shape(f.picture);
    window_->update();
}

QImage EngineCharacter::CurrentFrame() const {
    if (shown_.picture < 0 || size_t(shown_.picture) >= data_.pictures.size()) return {};
    const QImage& base = data_.pictures[size_t(shown_.picture)];
    if (mouth_ < 0 || size_t(mouth_) >= data_.mouths.size()) return base;
    QImage out = base;
    const QImage& m = data_.pictures[size_t(data_.mouths[size_t(mouth_)])];
    QPainter g(&out);
    g.drawImage(shown_.mouth - QPoint(m.width() / 2, m.height() / 2), m);
    return out;
}

void EngineCharacter::StartIdleTimer() {
    if (!idleEnabled_ || !visible_ || data_.idle.isEmpty()) return;
    const int ms = 6000 + int(QRandomGenerator::global()->bounded(8000));
    idleTimer_.start(int(std::lround(ms * std::max(timeScale_, 0.001))));
}

void EngineCharacter::PlayIdle() {
    if (running_ || !queue_.empty() || !visible_ || !idleEnabled_ || data_.idle.isEmpty()) return;
    const QString name = data_.idle[int(QRandomGenerator::global()->bounded(data_.idle.size()))];
    if (const auto* frames = data_.Animation(name)) {
        idling_ = true;
        StartFrames(frames);
    }
}

void EngineCharacter::StopIdle() {
    idleTimer_.stop();
    if (!idling_) return;
    idling_ = false;
    frames_ = nullptr;
    phase_ = Phase::Idle;
    timer_.stop();
    if (const auto* rest = data_.Animation(data_.rest)) ShowFrame(rest->front(), -1);
}

void EngineCharacter::PlaceWindow(QPoint p) {
    pos_ = p;
    window_->move(p);
}

QMenu* EngineCharacter::BuildMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("mnuPersonaje"));
    for (const CommandEntry& e : commands_.VisibleEntries()) {
        QAction* a = menu->addAction(e.caption);
        a->setObjectName(e.name);
        a->setEnabled(e.enabled);
        const QString name = e.name;
        QPointer<EngineControl> control = control_;
        connect(a, &QAction::triggered, this, [control, name] {
            if (control) emit control->Command(name);
        });
    }
    return menu;
}

void EngineCharacter::MouseClick(int button, int shift, QPoint global) {
    if (control_) emit control_->Click(id_, button, shift, global.x(), global.y());
    if (button != 2) return;
    QMenu* menu = BuildMenu(window_.get());
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (menu->actions().isEmpty()) {
        delete menu;
        return;
    }
    menu->popup(global);
}

// ---------------------------------------------------------------------------------------------
// Voice

void EngineCharacter::VoiceReady(int job, const QByteArray& pcm, int rate) {
    if (pcm.isEmpty() || rate <= 0) return;
    const bool queued =
        std::any_of(queue_.begin(), queue_.end(), [job](const Request& r) { return r.voice == job; });
    if (running_ && running_->voice == job && running_->kind == Request::Speak &&
        (phase_ == Phase::Words || phase_ == Phase::Hold)) {
        StartVoice(pcm, rate);
    } else if (queued) {
        voices_[job] = {pcm, rate};
    }
}

void EngineCharacter::StartVoice(const QByteArray& pcm, int rate) {
    StopVoice();
    QAudioFormat format;
    format.setSampleRate(rate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull() || !device.isFormatSupported(format)) return;
    sinkBuffer_ = new QBuffer(this);
    sinkBuffer_->setData(pcm);
    sinkBuffer_->open(QIODevice::ReadOnly);
    sink_ = new QAudioSink(device, format, this);
    connect(sink_, &QAudioSink::stateChanged, this, [this](QAudio::State s) {
        if (s == QAudio::IdleState || s == QAudio::StoppedState) voicePlaying_ = false;
    });
    voicePlaying_ = true;
    sink_->start(sinkBuffer_);
    if (sink_->error() != QAudio::NoError) voicePlaying_ = false;
}

void EngineCharacter::StopVoice() {
    voicePlaying_ = false;
    if (sink_) {
        sink_->disconnect(this);
        sink_->stop();
        sink_->deleteLater();
        sink_ = nullptr;
    }
    if (sinkBuffer_) {
        sinkBuffer_->deleteLater();
        sinkBuffer_ = nullptr;
    }
}

bool EngineCharacter::VoiceBusy() const {
    return voicePlaying_;
}

} // namespace agent
