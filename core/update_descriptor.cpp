#include "core/update_descriptor.h"

#include "core/file_names.h"
#include "core/ini_file.h"

#include <QRegularExpression>

namespace UpdateDescriptor {

QString path(const QString& myPath) { return myPath + kFileName; }

Contents read(const QString& file, const QString& missingFileName) {
    auto text = [&file](const char* section, const char* key, const QString& def) {
        return IniFile::GetIniString(file, QString::fromLatin1(section), QString::fromLatin1(key), def);
    };
    Contents c;
    c.currentVersion = text("CurrentVersion", "version", kDefaultVersion);
    c.releaseVersion = text("Release", "version", kDefaultVersion);
    c.releaseUrl = text("Release", "URL_Full", QString());
    c.releaseFileName = text("Release", "FileName", missingFileName);
    c.patchVersion = text("Patch", "version", kDefaultVersion);
    c.requiredVersion = text("Patch", "requiredversion", kDefaultVersion);
    c.patchUrl = text("Patch", "URL_Full", QString());
    c.patchFileName = text("Patch", "FileName", missingFileName);
    return c;
}

bool writeCurrentVersion(const QString& file, const QString& version) {
    return IniFile::WriteIniString(file, QStringLiteral("CurrentVersion"), QStringLiteral("version"), version);
}

bool markUpdated(const QString& file) {
    return IniFile::WriteIniString(file, QStringLiteral("Update"), QStringLiteral("Updated"), QStringLiteral("1"));
}

bool isPlainFileName(const QString& name) { return FileNames::programFolderRefusal(name).isEmpty(); }

int compareVersions(const QString& a, const QString& b) {
    const QStringList x = a.trimmed().split(QLatin1Char('.'));
    const QStringList y = b.trimmed().split(QLatin1Char('.'));
    for (qsizetype i = 0; i < qMax(x.size(), y.size()); ++i) {
        const QString p = i < x.size() ? x[i].trimmed() : QString();
        const QString q = i < y.size() ? y[i].trimmed() : QString();
        // Leading digits as a number, anything after them ("1.2b") as text.
        qsizetype pd = 0, qd = 0;
        while (pd < p.size() && p[pd].isDigit()) ++pd;
        while (qd < q.size() && q[qd].isDigit()) ++qd;
        const QString pn = p.left(pd).remove(QRegularExpression(QStringLiteral("^0+")));
        const QString qn = q.left(qd).remove(QRegularExpression(QStringLiteral("^0+")));
        if (pn.size() != qn.size()) return pn.size() < qn.size() ? -1 : 1;
        if (const int c = pn.compare(qn); c != 0) return c < 0 ? -1 : 1;
        if (const int c = p.mid(pd).compare(q.mid(qd)); c != 0) return c < 0 ? -1 : 1;
    }
    return 0;
}

}  // namespace UpdateDescriptor
