#include "platform/Sound.h"

#include "platform/Files.h"
#include "platform/Locator.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>
#include <optional>

namespace sound {

namespace {

// Qt Multimedia behind the one-sound-at-a-time rule: one player, a new file replaces the old.
class QtPlayer : public Player {
public:
    void Play(const QString& path, bool wait) override {
        if (!QCoreApplication::instance()) return;
        if (!player_) {
            player_ = new QMediaPlayer(QCoreApplication::instance());
            output_ = new QAudioOutput(player_);
            player_->setAudioOutput(output_);
        }
        player_->stop();
        if (!files::IsRegular(path))
            return; // silence: no default alert for a missing file, a FIFO or a device
        player_->setSource(QUrl::fromLocalFile(path));
        player_->play();
        if (!wait) return;
        QEventLoop loop;
        QObject::connect(player_, &QMediaPlayer::playbackStateChanged, &loop,
                         [&](QMediaPlayer::PlaybackState s) {
                             if (s == QMediaPlayer::StoppedState) loop.quit();
                         });
        QObject::connect(player_, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit); // a stuck device never freezes the program
        if (player_->playbackState() == QMediaPlayer::PlayingState) loop.exec();
    }

    bool HasDevice() override { return !QMediaDevices::audioOutputs().isEmpty(); }

private:
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
};

// Keeps the latest request while sound is held.
class Deferred : public Player {
public:
    void Play(const QString& path, bool) override { pending = path; }
    bool active = false;
    std::optional<QString> pending;
};

constinit platform::Locator<Player> locator([]() -> std::shared_ptr<Player> {
    return std::make_shared<QtPlayer>();
});

Deferred& deferred() {
    static Deferred d;
    return d;
}

Player& RealPlayer() {
    return locator.Current();
}

} // namespace

Player& Current() {
    if (deferred().active) return deferred();
    return RealPlayer();
}

void Install(std::shared_ptr<Player> player) {
    locator.Install(std::move(player));
}

void Hold() {
    deferred().active = true;
}

void Resume() {
    Deferred& e = deferred();
    e.active = false;
    if (!e.pending) return;
    const QString path = *e.pending;
    e.pending.reset();
    RealPlayer().Play(path, false);
}

bool Held() {
    return deferred().active;
}

} // namespace sound
