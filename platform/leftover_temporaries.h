#pragma once
// Clearing a folder of the temporary files a killed run left there
// (Files::removeLeftoverTemporaries) once per process: a folder this process
// has cleared gets no more of them, since a write of its own that fails
// removes its temporary file. A folder made again under the same name is
// told apart by its birth time, and cleared again.
#include <QString>

namespace LeftoverTemporaries {

void removeOnce(const QString& folder);

}  // namespace LeftoverTemporaries
