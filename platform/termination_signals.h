#pragma once
// SIGTERM, SIGINT and SIGHUP (logout, kill, Ctrl+C in a terminal) reach the
// program as an ordinary event, so that it shuts down through its windows and
// stores what they store instead of dying mid-write.
#include <functional>

namespace TerminationSignals {
// Installs the handlers; handler runs on the thread of the event loop.
void install(std::function<void()> handler);
}  // namespace TerminationSignals
