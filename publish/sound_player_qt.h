#pragma once
// The sound played after a successful upload.
#include <QString>

namespace Publish {

// Plays the file without waiting; a missing or unplayable file, or an empty
// name, plays nothing and says nothing, as the old sound command did.
void playSound(const QString& file);

}  // namespace Publish
