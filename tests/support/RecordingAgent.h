#pragma once
// A stand-in guide for tests: the character records every request as one line of text
// ("MoveTo 333,320", "Play Wave", "Speak ¡Hola!", "Show", "Hide") instead of performing it.
//
//   auto guia = InstalarGuiaGrabadora();      // CargarAgente now loads a RecordingCharacter
//   CargarAgente("Genie");                     // AgenteActivo, Personaje set
//   ... run the code under test ...
//   EXPECT_EQ(guia->Log(), (QStringList{"Show", "Play Greet"}));
//   DescargarAgente();
//
// Visible() follows Show and Hide at once (a real character follows them when it gets there);
// SetVisible changes it without recording, to set up a test.
#include "guide/MSAgent.h"
#include "platform/Agent.h"

#include <QStringList>
#include <map>
#include <memory>

class RecordingCharacter : public agent::Character {
public:
    bool Visible() const override { return visible_; }
    void Show() override {
        log_ << QStringLiteral("Show");
        visible_ = true;
    }
    void Hide() override {
        log_ << QStringLiteral("Hide");
        visible_ = false;
    }
    void MoveTo(int x, int y) override { log_ << QStringLiteral("MoveTo %1,%2").arg(x).arg(y); }
    void Play(const QString& animation) override { log_ << QStringLiteral("Play ") + animation; }
    void Speak(const QString& text) override { log_ << QStringLiteral("Speak ") + text; }
    agent::Commands& Commands() override { return commands_; }

    void SetVisible(bool v) { visible_ = v; }
    const QStringList& Log() const { return log_; }
    void Clear() { log_.clear(); }

private:
    QStringList log_;
    bool visible_ = false;
    agent::Commands commands_;
};

// The control behind the stand-in. Loading fails (AgentError) when `fail` was set.
class RecordingControl : public agent::AgentControl {
public:
    explicit RecordingControl(bool fail = false) : fail_(fail) {}
    void CharactersLoad(const QString& id, const QString& path) override {
        if (fail_) throw agent::AgentError(QStringLiteral("No se puede cargar «%1».").arg(path));
        loadedFrom = path;
        characters_[id] = std::make_shared<RecordingCharacter>();
    }
    agent::Character* CharactersItem(const QString& id) override {
        auto it = characters_.find(id);
        if (it == characters_.end())
            throw agent::AgentError(QStringLiteral("No hay personaje «%1».").arg(id));
        return it->second.get();
    }
    std::shared_ptr<RecordingCharacter> Item(const QString& id) { return characters_[id]; }
    QString loadedFrom;

private:
    bool fail_;
    std::map<QString, std::shared_ptr<RecordingCharacter>> characters_;
};

// What a test keeps after installing the stand-in: the character of the last CargarAgente.
class GuiaGrabadora {
public:
    RecordingCharacter* Character() const { return static_cast<RecordingCharacter*>(Personaje); }
    QStringList Log() const { return Personaje ? Character()->Log() : QStringList(); }
    void Clear() {
        if (Personaje) Character()->Clear();
    }
    // The control of the last host created, or nullptr.
    RecordingControl* control = nullptr;
};

// Makes every later CargarAgente use a RecordingControl (failing to load when `fail` is set).
// Call InstalarFabricaAgente(nullptr) to restore the real engine.
inline std::shared_ptr<GuiaGrabadora> InstalarGuiaGrabadora(bool fail = false) {
    auto guia = std::make_shared<GuiaGrabadora>();
    InstalarFabricaAgente([guia, fail]() -> std::unique_ptr<agent::AgentControl> {
        auto c = std::make_unique<RecordingControl>(fail);
        guia->control = c.get();
        return c;
    });
    return guia;
}
