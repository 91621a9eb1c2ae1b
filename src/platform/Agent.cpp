#include "platform/Agent.h"

namespace agent {

void Commands::Add(const QString& name, const QString& caption, const QString&, bool enabled, bool visible) {
    entries_.push_back({name, caption, enabled, visible});
}

CommandEntry& Commands::Command(const QString& name) {
    for (auto& e : entries_)
        if (e.name == name) return e;
    throw AgentError(QStringLiteral("No existe la orden «%1».").arg(name));
}

std::vector<CommandEntry> Commands::VisibleEntries() const {
    std::vector<CommandEntry> out;
    for (const auto& e : entries_)
        if (e.visible) out.push_back(e);
    return out;
}

} // namespace agent
