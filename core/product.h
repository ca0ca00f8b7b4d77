#pragma once
// The maker's texts that the menus, the splash and the About window show.
#include <QString>

namespace Product {

inline const QString kName = QStringLiteral("Quillby");
inline const QString kMakerName = QStringLiteral("Quillby Works");
inline const QString kCreditLine = QStringLiteral("Copyright (C) Quillby Works. All rights reserved.");
inline const QString kDisclaimer =
    QStringLiteral("本ソフトウェアの使用によって生じたいかなる損害についても、作者は責任を負いません。");
inline const QString kLabelRecommendation = QStringLiteral("Lumenfold レーベルの作品もよろしくお願いします。");

}  // namespace Product
