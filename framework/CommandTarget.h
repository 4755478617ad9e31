#pragma once

#include <functional>
#include <map>
#include <optional>

#include <QString>

// Something that handles commands by numeric id: the views, the document, the frame and
// the application. A command travels a route of targets; the first one with a handler
// runs it.

namespace framework {

// What an update handler says about one command's menu items and buttons.
class CommandUI {
public:
    explicit CommandUI(int id) : commandId(id) {}

    void Enable(bool on = true) { enabled = on; }
    void SetCheck(bool on) { checked = on; }
    // A status-bar prompt in place of the command's own, for commands whose effect changes.
    void SetPrompt(const QString& text) { prompt = text; }

    int id() const { return commandId; }
    // Unset when no update handler decided; the command's reachability decides then.
    std::optional<bool> enabled;
    std::optional<bool> checked;
    std::optional<QString> prompt;

private:
    int commandId;
};

class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    bool hasCommandHandler(int id) const { return commands.contains(id); }
    // Runs the handler of id; false when this target has none.
    bool runCommand(int id);
    // Lets the update handler of id fill ui; false when this target has none.
    bool runUpdate(CommandUI& ui);

protected:
    void onCommand(int id, std::function<void()> handler);
    void onCommandRange(int first, int last, std::function<void(int id)> handler);
    void onUpdate(int id, std::function<void(CommandUI&)> handler);
    void onUpdateRange(int first, int last, std::function<void(CommandUI&)> handler);

private:
    std::map<int, std::function<void()>> commands;
    std::map<int, std::function<void(CommandUI&)>> updates;
};

}  // namespace framework
