#include "site/past_log_list.h"

#include "platform/database.h"
#include "site/page_text.h"

namespace HTML2 {

QString WriteLogList(const SiteContext& ctx) {
    const QString logType = ctx.designText("General", "LogType");
    const QString logAlign = ctx.designText("General", "LogAlign");
    const int marginLeft = ctx.design("DayList", "MarginLeft");
    const int frameOn = ctx.frame("Frame", "FrameOn");

    Recordset logs;
    {
        Database db(ctx.databasePath, Database::Mode::ReadOnly);
        logs = db.query(QStringLiteral("SELECT LogMonth, LogFileName FROM LogDB ORDER BY LogMonth DESC"));
    }

    QString out;
    line(out, QStringLiteral("<HR>"));
    line(out, QStringLiteral("<P Align=") + logAlign + QStringLiteral(">"));
    const bool left = logAlign == QLatin1String("Left");
    if (left) line(out, QStringLiteral("<div style=margin-left:") + QString::number(marginLeft) + QStringLiteral("pt>"));
    if (logType == QLatin1String("Normal")) {
        line(out, QStringLiteral("<A HREF=\"#this_month\">今月分</A><BR>"));
        const QString target = frameOn == 0 ? QStringLiteral("\">") : QStringLiteral("\" target=\"RARAV\">");
        for (const QVariantList& row : logs.rows)
            line(out, QStringLiteral("<A HREF=\"./RaravLog/") + row[1].toString() + target + row[0].toString() +
                          QStringLiteral("月分</A><BR>"));
    } else if (logType == QLatin1String("JavaScript")) {
        line(out, QStringLiteral("<FORM name=\"selectionform\">過去ログ　<SELECT NAME=\"logselect\">"));
        for (const QVariantList& row : logs.rows)
            line(out, QStringLiteral("<OPTION VALUE=\"") + row[1].toString() + QStringLiteral("\">") + row[0].toString());
        line(out, QStringLiteral("</SELECT>"));
        const QString where = frameOn == 0 ? QStringLiteral("location.href") : QStringLiteral("parent.RARAV.location.href");
        line(out, QStringLiteral("<INPUT type=button value=\"ＯＫ\" onclick=\"{") + where +
                      QStringLiteral("='./RaravLog/' + GetSelectionText(this.form,logselect) }\"></FORM>"));
    }
    if (left) line(out, QStringLiteral("</DIV>"));
    line(out, QStringLiteral("</P>"));
    return out;
}

}  // namespace HTML2
