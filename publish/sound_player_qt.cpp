#include "publish/sound_player_qt.h"

#include <QAudioOutput>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace Publish {

void playSound(const QString& file) {
    if (file.isEmpty() || !QFileInfo(file).isFile()) return;
    // One player for the program's life: a sound outlives the upload run.
    static QMediaPlayer* player = [] {
        auto* p = new QMediaPlayer(QCoreApplication::instance());
        p->setAudioOutput(new QAudioOutput(p));
        return p;
    }();
    player->stop();
    player->setSource(QUrl::fromLocalFile(file));
    player->play();
}

}  // namespace Publish
