#pragma once
// Addresses of the outside world that the program names. Kept in one place so
// that a distributor can change them.
#include <QByteArray>
#include <QString>

namespace Addresses {

// The maker's pages shown from the Help menu.
inline const QString kHomePage = QStringLiteral("https://quillby.example.jp/");
inline const QString kProductInfoPage = QStringLiteral("https://quillby.example.jp/rarav/");
inline const QString kDeveloperDiary = QStringLiteral("https://quillby.example.jp/diary/");
inline const QString kLumenfoldPage = QStringLiteral("https://lumenfold.example.jp/");

// The update descriptor; RARAV_UPDATE_URL overrides it (tests, mirrors).
inline QString updateUrl() {
    const QByteArray env = qgetenv("RARAV_UPDATE_URL");
    return env.isEmpty() ? QStringLiteral("http://quillby.example.jp/update/update.txt") : QString::fromUtf8(env);
}

}  // namespace Addresses
