#include "core/update_journal.h"

#include "platform/files.h"
#include "core/update_descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace UpdateJournal {
namespace {

const QString kJournal = QStringLiteral("journal");

QByteArray nativeName(const QString& path) { return QFile::encodeName(path); }

bool present(const QString& path) {
    struct stat st{};
    return ::lstat(nativeName(path).constData(), &st) == 0;
}

struct Step {
    char kind;
    QString relative;
};

// The complete lines of the journal; a line cut short by a kill names a step
// that was never taken.
QList<Step> readSteps(const QString& workFolder, bool* committed) {
    QList<Step> steps;
    *committed = false;
    QFile f(workFolder + kJournal);
    if (!f.open(QIODevice::ReadOnly)) return steps;
    const QByteArray all = f.readAll();
    qsizetype from = 0;
    for (qsizetype end = all.indexOf('\n'); end >= 0; from = end + 1, end = all.indexOf('\n', from)) {
        const QByteArray line = all.mid(from, end - from);
        if (line == "C") {
            *committed = true;
            continue;
        }
        if (line.size() < 3 || line[1] != ' ') continue;
        steps.append({line[0], QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(2)))});
    }
    return steps;
}

// The name of a work folder up to the six characters QTemporaryDir fills in.
QString workFolderPrefix(const QFileInfo& program) {
    return QLatin1Char('.') + program.fileName() + QStringLiteral("-update-");
}

// The program folder where its files really lie: reached through a link to
// another disk, the folder beside the link is on the wrong one, and no file
// could be renamed from there into place.
QFileInfo programFolderOf(const QString& programFolder) {
    const QString canonical = QFileInfo(programFolder).canonicalFilePath();
    return QFileInfo(canonical.isEmpty() ? QDir::cleanPath(programFolder) : canonical);
}

}  // namespace

QString workFolderTemplate(const QString& programFolder) {
    const QFileInfo program = programFolderOf(programFolder);
    return program.absolutePath() + QLatin1Char('/') + workFolderPrefix(program) + QStringLiteral("XXXXXX");
}

Writer::~Writer() {
    if (fd_ >= 0) ::close(fd_);
}

bool Writer::open(const QString& workFolder) {
    fd_ = ::open(nativeName(workFolder + kJournal).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    return fd_ >= 0;
}

// One write of a whole line: a kill leaves the line whole or cut short, and
// the kernel keeps what was written even when the process dies at once.
bool Writer::append(char kind, const QString& relative) {
    if (fd_ < 0) return false;
    QByteArray line(1, kind);
    if (!relative.isNull()) line += ' ' + relative.toUtf8().toPercentEncoding("/");
    line += '\n';
    return Files::writeAll(fd_, line.constData(), line.size());
}

bool Writer::newFolder(const QString& relative) { return append('D', relative); }
bool Writer::newFile(const QString& relative) { return append('F', relative); }
bool Writer::replaced(const QString& relative) { return append('R', relative); }

// The commit must outlive a power cut as well: a finished update is never
// taken back for a record the disk did not keep.
bool Writer::commit() { return append('C', QString()) && ::fsync(fd_) == 0; }

bool undo(const QString& workFolder, const QString& programFolder) {
    bool committed = false;
    const QList<Step> steps = readSteps(workFolder, &committed);
    bool restored = true;
    for (auto it = steps.crbegin(); it != steps.crend(); ++it) {
        const QString target = programFolder + it->relative;
        switch (it->kind) {
        case 'F':
            if (present(target)) restored = ::unlink(nativeName(target).constData()) == 0 && restored;
            break;
        case 'R': {
            // Without the kept copy the old file was never moved: it is still there.
            const QString saved = savedPath(workFolder, it->relative);
            if (present(saved))
                restored = std::rename(nativeName(saved).constData(), nativeName(target).constData()) == 0 && restored;
            break;
        }
        case 'D':
            if (present(target)) restored = ::rmdir(nativeName(target).constData()) == 0 && restored;
            break;
        default:
            break;
        }
    }
    return restored;
}

Recovery recover(const QString& programFolder) {
    Recovery result;
    const QString folder = QDir::cleanPath(programFolder) + QLatin1Char('/');
    const QFileInfo program = programFolderOf(programFolder);
    const QString prefix = workFolderPrefix(program);
    const QDir parent(program.absolutePath());
    const QStringList left = parent.entryList({prefix + QLatin1Char('*')}, QDir::Dirs | QDir::Hidden | QDir::NoSymLinks);
    for (const QString& name : left) {
        // The template's six characters exactly, so that no other folder is taken.
        if (name.size() != prefix.size() + 6) continue;
        const QString work = parent.filePath(name) + QLatin1Char('/');
        bool committed = false;
        const QList<Step> steps = readSteps(work, &committed);
        if (committed) {
            UpdateDescriptor::markUpdated(UpdateDescriptor::path(folder));
            result.outcome = Recovery::Finished;
        } else if (!steps.isEmpty()) {
            if (!undo(work, folder)) {
                result.outcome = Recovery::NotRestored;
                result.keptIn = savedPath(work, QString());
                continue;
            }
            if (result.outcome == Recovery::Nothing) result.outcome = Recovery::Undone;
        }
        QDir(work).removeRecursively();
    }
    return result;
}

}  // namespace UpdateJournal
