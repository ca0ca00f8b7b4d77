// The sound module: Qt Multimedia behind one entry. Its libraries (the sound
// server's client and every codec) are loaded at the first sound, not with
// the program (platform/program_modules.h).
#include <QAudioOutput>
#include <QCoreApplication>
#include <QMediaPlayer>
#include <QString>
#include <QUrl>

extern "C" __attribute__((visibility("default"))) void rarav_play_sound(const QString* file) {
    // One player for the program's life: a sound outlives the upload run.
    static QMediaPlayer* player = [] {
        auto* p = new QMediaPlayer(QCoreApplication::instance());
        p->setAudioOutput(new QAudioOutput(p));
        return p;
    }();
    player->stop();
    player->setSource(QUrl::fromLocalFile(*file));
    player->play();
}
