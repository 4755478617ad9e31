#include "framework/CommandTarget.h"

namespace framework {

bool CommandTarget::runCommand(int id) {
    const auto found = commands.find(id);
    if (found == commands.end()) {
        return false;
    }
    // A copy, since a handler may replace the handlers of its own target.
    const std::function<void()> handler = found->second;
    handler();
    return true;
}

bool CommandTarget::runUpdate(CommandUI& ui) {
    const auto found = updates.find(ui.id());
    if (found == updates.end()) {
        return false;
    }
    found->second(ui);
    return true;
}

void CommandTarget::onCommand(int id, std::function<void()> handler) {
    commands[id] = std::move(handler);
}

void CommandTarget::onCommandRange(int first, int last, std::function<void(int)> handler) {
    for (int id = first; id <= last; ++id) {
        commands[id] = [handler, id] { handler(id); };
    }
}

void CommandTarget::onUpdate(int id, std::function<void(CommandUI&)> handler) {
    updates[id] = std::move(handler);
}

void CommandTarget::onUpdateRange(int first, int last, std::function<void(CommandUI&)> handler) {
    for (int id = first; id <= last; ++id) {
        updates[id] = handler;
    }
}

}  // namespace framework
