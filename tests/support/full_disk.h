#pragma once
// Runs code in a child process that cannot grow any file beyond a few bytes,
// as on a full disk: writes fail with EFBIG (SIGXFSZ is ignored), and no
// privilege or mount is needed.
#include <functional>

// The child's result: true when work returned true. Whatever the child
// changed on disk is visible to the caller afterwards.
bool onFullDisk(const std::function<bool()>& work, long bytesAllowed = 4);
