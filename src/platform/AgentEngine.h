#pragma once
// Our character engine: the agent control of Agent.h, playing characters from our own character
// files (CharacterFile.h) in frameless, translucent, topmost windows of their own.
//
// Each character runs one queue. Show, Hide, MoveTo, Play and Speak append a request and return;
// a timer performs the requests one after another in the order issued, so a second script simply
// waits behind the first. While nothing is queued and the character is on screen it plays a
// quiet idle animation now and then; a new request cuts that idle short (it was never asked for).
//
// Choices where the contract leaves room:
// - While hidden, MoveTo only sets where the next Show appears; Play and Speak are skipped (the
//   user hid the guide: no balloon pops out of nowhere). Unknown animations are skipped.
// - Show on a shown character and Hide on a hidden one do nothing.
// - Speak reveals the sentence word by word in a balloon over the character, moves the mouth and,
//   when the program was built with espeak-ng and the system has an audio output, says it in
//   Spanish; the voice is synthesised off the user-interface thread as soon as Speak is called.
// - A left click raises Click; dragging with the left button moves the character instead. A
//   right click raises Click with button 2 and then opens the menu of visible commands.
// - The windows never take the focus and never keep the process running.
// - He never covers a message box, dialog, modal window or marked panel of the program
//   (AgentPlacement.h): he steps beside one that opens where he stands, a MoveTo into one lands
//   beside it, and he goes back to where he was sent when it closes.
// - Requests issued between TieRequests(w) and TieRequests(nullptr) belong to the window w: when it
//   closes, those not yet done are dropped and the one running ends at once (a tour of the About
//   window does not go on over the window the user went back to).
#include "platform/Agent.h"
#include "platform/CharacterFile.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <deque>
#include <map>
#include <memory>

class QAudioSink;
class QBuffer;
class QMenu;
class QWidget;

namespace agent {

class EngineCharacter;
class CharacterWindow;
class BalloonWindow;
class Placement;

class EngineControl : public AgentControl {
    Q_OBJECT
public:
    explicit EngineControl(QObject* parent = nullptr);
    ~EngineControl() override;
    // Reads the file (throws AgentError when it is missing or damaged); the character starts
    // hidden at the screen's top-left corner. Loading the same id again replaces the character.
    void CharactersLoad(const QString& id, const QString& path) override;
    // The character, or throws AgentError for an id never loaded.
    Character* CharactersItem(const QString& id) override;
    EngineCharacter* Engine(const QString& id);

private:
    std::map<QString, std::unique_ptr<EngineCharacter>> characters_;
};

class EngineCharacter : public QObject, public Character {
    Q_OBJECT
public:
    EngineCharacter(const QString& id, CharacterData data, EngineControl* control);
    ~EngineCharacter() override;

    bool Visible() const override { return visible_; }
    void Show() override;
    void Hide() override;
    void MoveTo(int x, int y) override;
    void Play(const QString& animation) override;
    void Speak(const QString& text) override;
    agent::Commands& Commands() override { return commands_; }
    void TieRequests(QObject* owner) override;

    // Requests issued and not yet finished, the running one included.
    int Pending() const { return int(queue_.size()) + (running_ ? 1 : 0); }
    // 1 plays in real time; 0.1 ten times faster; 0 as fast as the event loop turns (tests).
    void SetTimeScale(double scale) { timeScale_ = scale < 0 ? 0 : scale; }
    void SetIdleEnabled(bool on);
    void SetVoiceEnabled(bool on) { voiceWanted_ = on; }
    const CharacterData& Data() const { return data_; }
    QWidget* Window() const;
    QWidget* Balloon() const;
    // Where the frame's top-left corner is now, in screen pixels.
    QPoint Position() const { return pos_; }
    // Where the last MoveTo (or the user's drag) sent him, obstacles aside.
    QPoint Wanted() const { return wanted_; }
    // Requests tied to `owner` not yet finished, the running one included.
    int PendingTiedTo(const QObject* owner) const;
    // The pop-up menu of the visible commands, in their order; choosing one raises Command.
    QMenu* BuildMenu(QWidget* parent = nullptr);
    // The picture shown now, mouth included (what the window paints).
    QImage CurrentFrame() const;

signals:
    // "Show", "Hide", "MoveTo x,y", "Play name", "Speak text", as each request begins and ends.
    void RequestStarted(const QString& request);
    void RequestFinished(const QString& request);
    // The visible guide was raised above a window the program has just shown.
    void BroughtToFront();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    friend class CharacterWindow;
    struct Request {
        enum Kind { Show, Hide, Move, Play, Speak } kind;
        QString text;
        QPoint to;
        int voice = 0; // synthesis job of a Speak, 0 none
        bool tied = false;
        QPointer<QObject> owner; // the window the request belongs to, when tied

        QString Describe() const;
    };
    enum class Phase { Idle, Frames, Flight, Words, Hold };

    void ToFront();
    void Enqueue(Request r);
    void Next();
    void Finish();
    void Tick();
    void Schedule(double ms);
    void StartFrames(const std::vector<CharacterFrame>* frames);
    void ShowFrame(const CharacterFrame& f, int mouth);
    void StartIdleTimer();
    void PlayIdle();
    void StopIdle();
    void PlaceWindow(QPoint p);
    void DragTo(QPoint p);
    QPoint Aside() const;
    void Reposition();
    void DropTiedTo(const QObject* owner);
    void VoiceReady(int job, const QByteArray& pcm, int rate);
    void StartVoice(const QByteArray& pcm, int rate);
    void StopVoice();
    bool VoiceBusy() const;
    void MouseClick(int button, int shift, QPoint global);

    QString id_;
    CharacterData data_;
    QPointer<EngineControl> control_;
    agent::Commands commands_;
    std::unique_ptr<CharacterWindow> window_;
    std::unique_ptr<BalloonWindow> balloon_;

    std::deque<Request> queue_;
    std::unique_ptr<Request> running_;
    Phase phase_ = Phase::Idle;
    QTimer timer_;
    QTimer idleTimer_;
    bool idleEnabled_ = true;
    bool idling_ = false;
    double timeScale_ = 1.0;

    bool visible_ = false;
    QPoint pos_;
    QPoint wanted_;
    std::unique_ptr<Placement> placement_;
    bool repositionDue_ = false;
    QPointer<QObject> tie_;
    const std::vector<CharacterFrame>* frames_ = nullptr;
    size_t frameIndex_ = 0;
    CharacterFrame shown_;
    int mouth_ = -1;

    QPoint flightFrom_, flightTo_;
    double flightMs_ = 0;
    QElapsedTimer clock_;

    QStringList words_;
    int wordsShown_ = 0;
    int mouthStep_ = 0;
    double holdMs_ = 0;

    bool voiceWanted_ = true;
    std::map<int, std::pair<QByteArray, int>> voices_; // job -> pcm, sample rate
    QAudioSink* sink_ = nullptr;
    QBuffer* sinkBuffer_ = nullptr;
    bool voicePlaying_ = false;
};

} // namespace agent
