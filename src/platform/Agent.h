#pragma once
// The agent control: the program's side of the animated guide character.
//
// Contract (what the guide code relies on; every implementation honours it):
// - AgentControl::CharactersLoad(id, path) loads a character, hidden; it throws AgentError when
//   the file is missing or is not a valid character. CharactersItem(id) returns it (owned by the
//   control, valid until the control is destroyed).
// - Character requests Show, Hide, MoveTo, Play and Speak return at once. The character carries
//   them out one after another in the order they were issued; nothing waits, stops or
//   interrupts a request. MoveTo places the top-left corner of the character's frame at screen
//   pixel (x, y); while hidden it sets where the next Show appears.
// - Commands().Add registers a pop-up menu entry in call order; Command(name).SetVisible hides or
//   restores it. A right click on the character shows the visible entries; choosing one raises
//   AgentControl::Command with its name. A left click raises AgentControl::Click.
// - The one exception to "nothing stops a request": requests tied to a window (TieRequests) are
//   dropped when that window closes.
#include <QObject>
#include <QString>
#include <stdexcept>
#include <vector>

namespace agent {

class AgentError : public std::runtime_error {
public:
    explicit AgentError(const QString& what) : std::runtime_error(what.toStdString()) {}
};

struct CommandEntry {
    QString name;
    QString caption;
    bool enabled = true;
    bool visible = true;
    void SetVisible(bool v) { visible = v; }
    bool Visible() const { return visible; }
};

// The character's own pop-up menu entries.
class Commands {
public:
    void Add(const QString& name, const QString& caption, const QString& voice = QString(),
             bool enabled = true, bool visible = true);
    // The entry of that name; throws AgentError when there is none.
    CommandEntry& Command(const QString& name);
    const std::vector<CommandEntry>& Entries() const { return entries_; }
    // The visible entries, in the order they were added.
    std::vector<CommandEntry> VisibleEntries() const;

private:
    std::vector<CommandEntry> entries_;
};

class Character {
public:
    virtual ~Character() = default;
    virtual bool Visible() const = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual void MoveTo(int x, int y) = 0;
    virtual void Play(const QString& animation) = 0;
    virtual void Speak(const QString& text) = 0;
    virtual agent::Commands& Commands() = 0;
    // Requests issued from now on belong to `owner` (a window) until this is called with nullptr:
    // when that window closes, those not yet done are dropped. Nothing by default.
    virtual void TieRequests(QObject* owner) { (void)owner; }
};

class AgentControl : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~AgentControl() override = default;
    virtual void CharactersLoad(const QString& id, const QString& path) = 0;
    virtual Character* CharactersItem(const QString& id) = 0;

signals:
    // button: 1 left, 2 right, 4 middle; shift: 1 Shift, 2 Ctrl, 4 Alt; x, y screen pixels.
    void Click(const QString& characterId, int button, int shift, int x, int y);
    void Command(const QString& name);
};

} // namespace agent
