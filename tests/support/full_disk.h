#pragma once
// Runs code while no file can grow beyond a few bytes, as on a full disk:
// writes fail with EFBIG (SIGXFSZ is ignored), and no privilege or mount is
// needed. The limit is the process's own, lowered for the call and raised
// again after it: a forked child would inherit the program's worker threads
// only as locks that nobody releases.
#include <functional>

// work's result; what it throws counts as false.
bool onFullDisk(const std::function<bool()>& work, long bytesAllowed = 4);
