#pragma once
// The guide's hidden host: a window that is never shown, holding the agent control and
// answering its two events.
#include "platform/Agent.h"
#include "platform/Form.h"

#include <memory>

class frmAgentServer : public Form {
    Q_OBJECT
public:
    frmAgentServer();
    ~frmAgentServer() override;

    // The loaded host, created (with its agent control) on first use.
    static frmAgentServer* Anfitrion();

    // The agent control, owned by this window.
    agent::AgentControl* agtAgente = nullptr;

    // A left click (button 1) explains the current window; other buttons do nothing here (the
    // right button's menu belongs to the control).
    void agtAgente_Click(const QString& characterId, int button, int shift, int x, int y);
    // "Salir" ends the process at once, "Ayuda" opens the help page, "Explicar" explains the
    // current window; any other name does nothing.
    void agtAgente_Command(const QString& name);

private:
    std::unique_ptr<agent::AgentControl> control_;
};

// The agent control for a new host (the engine, or what a test installed: see MSAgent.h).
std::unique_ptr<agent::AgentControl> CrearControlAgente();
