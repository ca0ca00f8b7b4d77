#pragma once
// The two ways a rebuild of rarav.mdb starts: the start-up check of an older
// database and the optimise command. They ask and tell the user through the
// prompts layer and show the rebuild in a window the caller supplies, so that
// they link no widgets.
#include "core/database_upgrade.h"
#include "core/shared_state.h"

#include <functional>

namespace DatabaseMaintenance {

// The window that shows a rebuild: shown before it starts, unloaded after the
// closing message.
class RebuildWindow {
public:
    virtual ~RebuildWindow() = default;
    virtual DatabaseUpgrade::UpgradeProgress& show() = 0;
    virtual void unload() = 0;
};

// Start-up: a database older than the current layout is backed up and
// rebuilt after telling the user. Current when the database is current
// afterwards; NotRebuilt when the rebuild failed (the user has been told, and
// the old file is untouched); Unreadable when rarav.mdb cannot be read as a
// database (the user has been told that the program ends, and nothing was
// backed up). beforeTelling runs first when there is something to tell
// (start-up closes its splash there).
enum class StartUpCheck { Current, NotRebuilt, Unreadable };
StartUpCheck checkAtStartUp(const Shell::SharedState& s, RebuildWindow& window,
                            const std::function<void()>& beforeTelling = {});

// The optimise command: asks, backs up and rebuilds the current database.
// True when it was rebuilt.
bool optimize(const Shell::SharedState& s, RebuildWindow& window);

}  // namespace DatabaseMaintenance
