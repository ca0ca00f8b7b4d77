#pragma once
// Head and body-tag lines shared by the month page and the divided pages.
#include "site/design_settings.h"

#include <QString>

namespace PageHead {

QString styleSheetLine(const QString& url);        // the address unquoted, as pages always had it
QString commentScriptLine(const QString& account);  // the comment service's loader
QString bodyTag(const SiteContext& ctx);            // the design set's colours, single-quoted

}  // namespace PageHead
