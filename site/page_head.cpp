#include "site/page_head.h"

#include "core/addresses.h"

namespace PageHead {

QString styleSheetLine(const QString& url) {
    return QStringLiteral("<Link Rel=stylesheet type=\"Text/css\" href=") + url + QStringLiteral(">");
}

QString commentScriptLine(const QString& account) {
    return QStringLiteral("<script type=\"text/javascript\" src=\"") + Addresses::kCommentServiceBase +
           QStringLiteral("/load/") + account + QStringLiteral("\"> </script>");
}

QString bodyTag(const SiteContext& ctx) {
    return QStringLiteral("<BODY TEXT='%1' BGCOLOR='%2' background='%3' link='%4' alink='%5' vlink='%6'>")
        .arg(ctx.designText("Body", "TextColor"), ctx.designText("Body", "BackColor"),
             ctx.designText("Body", "BackImage"), ctx.designText("Body", "LinkColor"),
             ctx.designText("Body", "ALinkColor"), ctx.designText("Body", "VLinkColor"));
}

}  // namespace PageHead
