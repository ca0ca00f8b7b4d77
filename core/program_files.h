#pragma once
// Names of the optional files in the program folder.
#include <QString>
#include <QStringList>

namespace ProgramFiles {

inline const QString kUserList = QStringLiteral("quillbyuser.ini");
inline const QString kBrindle = QStringLiteral("Brindle.so");
inline const QString kFescue = QStringLiteral("Fescue.so");
inline const QString kTambour = QStringLiteral("Tambour.so");
inline const QString kQuillbyInfo = QStringLiteral("QuillbyInfo.so");
inline const QString kZettik = QStringLiteral("Zettik");
inline const QStringList kWeatherIcons = {QStringLiteral("Shinny.gif"), QStringLiteral("Cloudy.gif"),
                                          QStringLiteral("Rainy.gif"), QStringLiteral("Thunder.gif"),
                                          QStringLiteral("Snowy.gif")};

}  // namespace ProgramFiles
