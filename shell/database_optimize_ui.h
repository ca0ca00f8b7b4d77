#pragma once
// The start-up check and the optimise command with frmDBUpdater as their
// window.
#include <functional>

namespace DatabaseMaintenance {

// Runs the start-up check on the shared state's database; false when
// rarav.mdb cannot be read as a database, and the program is to end.
// beforeTelling runs before the first message.
bool checkAtStartUp(const std::function<void()>& beforeTelling);
// The menu command "&Optimize Database".
void MnuOptimize_Click();

}  // namespace DatabaseMaintenance
