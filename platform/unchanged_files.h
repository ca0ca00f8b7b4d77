#pragma once
// Comparing the same pairs of files again and again (the parts files of
// every page against their copies, once per log month) without reading them
// each time.
#include <QString>

namespace UnchangedFiles {

// Files::sameBytes(a, b), answered from memory when this process found the
// pair equal before and neither file has changed since. A change is told by
// the file's identity and change time: every write, truncation, change of
// dates or rename over the file moves the change time on, and no program can
// set it back. A pair is remembered only on a local file system that stamps
// times from this machine's clock, and only when both change times lie
// before the comparison began, so that a change within the same tick of the
// clock is never taken for no change.
bool sameBytes(const QString& a, const QString& b);

}  // namespace UnchangedFiles
