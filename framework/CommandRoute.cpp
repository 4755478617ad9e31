#include "framework/CommandRoute.h"

namespace framework {

bool routeCommand(const CommandRoute& route, int id) {
    for (CommandTarget* target : route) {
        if (target != nullptr && target->runCommand(id)) {
            return true;
        }
    }
    return false;
}

CommandUI routeUpdate(const CommandRoute& route, int id) {
    CommandUI ui(id);
    for (CommandTarget* target : route) {
        if (target != nullptr && target->runUpdate(ui)) {
            break;
        }
    }
    if (!ui.enabled) {
        bool handled = false;
        for (CommandTarget* target : route) {
            handled = handled || (target != nullptr && target->hasCommandHandler(id));
        }
        ui.enabled = handled;
    }
    return ui;
}

}  // namespace framework
