#include "publish/sound_player_qt.h"

#include "platform/program_modules.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace Publish {

void playSound(const QString& file) {
    if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    using Play = void (*)(const QString* file);
    // Without its module the program plays nothing, as for a file it cannot
    // play.
    static const auto play = reinterpret_cast<Play>(ProgramModules::entry(
        QCoreApplication::applicationDirPath(), QStringLiteral("librarav_sound.so"), "rarav_play_sound"));
    if (play) play(&file);
}

}  // namespace Publish
