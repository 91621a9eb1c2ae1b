#pragma once
// The sound player. One for the whole program: a new request cuts the sound that is playing.
#include <QString>
#include <memory>

namespace sound {

class Player {
public:
    virtual ~Player() = default;
    // Stops the current sound if any, then plays the file at `path` (a native path). Returns at
    // once unless `wait` is true, in which case it returns when the sound has ended. Never throws
    // and never reports anything: a missing or unplayable file is silence.
    virtual void Play(const QString& path, bool wait) = 0;
    // Whether the computer has anything to play sound on: without it every request is silence,
    // which the one request a user makes to hear something (a pronunciation) must not pass over.
    virtual bool HasDevice() { return true; }
};

// The player in use (the Qt Multimedia one unless a test installed another).
Player& Current();
// Installs a player (tests install a recording one); nullptr restores the default.
void Install(std::shared_ptr<Player> player);

// Between Hold and Resume no request reaches the player, so the Qt Multimedia back end (whose
// plug-in scan costs hundreds of milliseconds on a first start) is not made: the latest request
// waits, as a newer one would have cut it, and plays at Resume. A request that asks to wait for
// the end of its sound returns at once while held. The start holds sound until its first window
// is on the screen.
void Hold();
void Resume();
bool Held();

} // namespace sound
