#include "platform/Sound.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
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
        if (!QFileInfo(path).isFile()) return; // silence: no default alert for a missing file
        player_->setSource(QUrl::fromLocalFile(path));
        player_->play();
        if (!wait) return;
        QEventLoop loop;
        QObject::connect(player_, &QMediaPlayer::playbackStateChanged, &loop, [&](QMediaPlayer::PlaybackState s) {
            if (s == QMediaPlayer::StoppedState) loop.quit();
        });
        QObject::connect(player_, &QMediaPlayer::errorOccurred, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit); // a stuck device never freezes the program
        if (player_->playbackState() == QMediaPlayer::PlayingState) loop.exec();
    }

private:
    QMediaPlayer* player_ = nullptr;
    QAudioOutput* output_ = nullptr;
};

// Keeps the latest request while sound is held.
class Espera : public Player {
public:
    void Play(const QString& path, bool) override { pendiente = path; }
    bool activa = false;
    std::optional<QString> pendiente;
};

std::shared_ptr<Player>& instalado() {
    static std::shared_ptr<Player> p;
    return p;
}

Espera& espera() {
    static Espera e;
    return e;
}

Player& Reproductor() {
    if (instalado()) return *instalado();
    static QtPlayer real;
    return real;
}

} // namespace

Player& Current() {
    if (espera().activa) return espera();
    return Reproductor();
}

void Install(std::shared_ptr<Player> player) { instalado() = std::move(player); }

void Hold() { espera().activa = true; }

void Resume() {
    Espera& e = espera();
    e.activa = false;
    if (!e.pendiente) return;
    const QString path = *e.pendiente;
    e.pendiente.reset();
    Reproductor().Play(path, false);
}

bool Held() { return espera().activa; }

} // namespace sound
