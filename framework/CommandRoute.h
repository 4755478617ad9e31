#pragma once

#include <vector>

#include "framework/CommandTarget.h"

// The targets a command passes, in order: the active view, its document, the frame, the
// application.

namespace framework {

using CommandRoute = std::vector<CommandTarget*>;

// Runs id on the first target of route that handles it; false when none does.
bool routeCommand(const CommandRoute& route, int id);

// Whether id is enabled along route: the first update handler on the route decides; where
// none decides, a command is enabled exactly when some target on the route handles it.
CommandUI routeUpdate(const CommandRoute& route, int id);

}  // namespace framework
