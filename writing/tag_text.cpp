#include "writing/tag_text.h"

#include "platform/database.h"
#include "core/path_parts.h"

#include <QStringList>
#include <cmath>

namespace TagText {

namespace {

QString quoted(const QString& name, const QString& value) {
    return name + QStringLiteral("=\"") + value + QLatin1Char('"');
}

// The leading digits of a text as a number, 0 without any.
int leadingNumber(const QString& text) {
    int value = 0;
    for (const QChar c : text) {
        if (!c.isDigit() || c.unicode() > 127) break;
        if (value > 100000000) break;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

}  // namespace

QString listTag(bool ordered, int ulStyle, int olStyle, const QString& start, const QString& lines,
                bool deleteLastLi) {
    static const char* const kUl[] = {"disc", "circle", "square"};
    static const char* const kOl[] = {"1", "I", "i", "A", "a"};
    QString opening;
    QString closing;
    if (!ordered) {
        const QString style = ulStyle >= 0 && ulStyle < 3 ? QLatin1String(kUl[ulStyle]) : QString();
        opening = QStringLiteral("<UL TYPE='") + style + QStringLiteral("'>");
        closing = QStringLiteral("</UL>");
    } else {
        const QString style = olStyle >= 0 && olStyle < 5 ? QLatin1String(kOl[olStyle]) : QString();
        opening = QStringLiteral("<OL TYPE='") + style + QStringLiteral("' START='") + start + QStringLiteral("'>");
        closing = QStringLiteral("</OL>");
    }
    QString items = lines;
    items.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    items.replace(QLatin1Char('\n'), QStringLiteral("<li>"));
    if (deleteLastLi && items.endsWith(QStringLiteral("<li>"))) items.chop(4);
    return opening + QStringLiteral("<li>") + items + closing;
}

bool isNumeric(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    return ok && std::isfinite(v);
}

bool toWholeNumber(const QString& text, int& value) {
    if (!isNumeric(text)) return false;
    const double rounded = std::nearbyint(text.trimmed().toDouble());
    if (rounded < -32768 || rounded > 32767) return false;
    value = int(rounded);
    return true;
}

WidthCheck checkRuleWidth(const QString& text, bool pixels) {
    if (!isNumeric(text)) return WidthCheck::NotNumeric;
    const double v = text.trimmed().toDouble();
    if (!pixels && (v > 100 || v <= 0)) return WidthCheck::OutOfRange;
    return WidthCheck::Ok;
}

QString ruleTag(const Rule& rule) {
    QString tag = QStringLiteral("<HR Size=") + QString::number(rule.size);
    // A pixel width is never the full width, so it always carries its
    // alignment.
    if (rule.pixels || rule.width != 100) {
        tag += QStringLiteral(" Width=") + QString::number(rule.width);
        if (!rule.pixels) tag += QLatin1Char('%');
        if (rule.align == 0)
            tag += QStringLiteral(" Align='Left'");
        else if (rule.align == 2)
            tag += QStringLiteral(" Align='Right'");
    }
    if (rule.noshade) tag += QStringLiteral(" NOSHADE");
    if (!rule.color.isEmpty()) tag += QStringLiteral(" Color='") + rule.color + QLatin1Char('\'');
    return tag + QLatin1Char('>');
}

QString fontTag(const QString& size, const QString& color, const QString& face) {
    QString tag = QStringLiteral("<FONT");
    if (!size.isEmpty()) tag += QLatin1Char(' ') + quoted(QStringLiteral("Size"), size);
    if (!color.isEmpty()) tag += QLatin1Char(' ') + quoted(QStringLiteral("Color"), color);
    if (!face.isEmpty()) tag += QLatin1Char(' ') + quoted(QStringLiteral("Face"), face);
    return tag + QLatin1Char('>');
}

QString imageTag(const Image& i) {
    QStringList items{quoted(QStringLiteral("SRC"), i.src)};
    const QString percent = QStringLiteral("%");
    if (i.width) items << quoted(QStringLiteral("width"), i.widthText + (i.widthPercent ? percent : QString()));
    if (i.height) items << quoted(QStringLiteral("height"), i.heightText + (i.heightPercent ? percent : QString()));
    if (i.align) items << quoted(QStringLiteral("align"), i.alignText);
    if (i.border) items << quoted(QStringLiteral("border"), i.borderText);
    if (i.hspace) items << quoted(QStringLiteral("hspace"), i.hspaceText);
    if (i.vspace) items << quoted(QStringLiteral("vspace"), i.vspaceText);
    if (i.alt) items << quoted(QStringLiteral("alt"), i.altText);
    if (i.other) items << i.otherText;
    const QString img = QStringLiteral("<IMG ") + items.join(QLatin1Char(' ')) + QLatin1Char('>');
    if (!i.div) return img;
    return QStringLiteral("<div ") + i.divText + QLatin1Char('>') + img + QStringLiteral("</div>");
}

QString autoPictureName(const QString& day, const QStringList& registeredNames, const QString& extension) {
    // The greatest number, not the greatest name: past 99 the names no longer
    // sort by their numbers, and a repeated name would leave the new picture
    // pointing at an older one.
    int last = 0;
    for (const QString& name : registeredNames) {
        const QString base = PathParts::RemoveExtension(name);
        last = std::max(last, leadingNumber(base.mid(base.lastIndexOf(QLatin1Char('_')) + 1)));
    }
    QString digits = day;
    digits.remove(QLatin1Char('/'));
    return QStringLiteral("dimage") + digits + QLatin1Char('_') + QStringLiteral("%1").arg(last + 1, 2, 10, QLatin1Char('0')) +
           QLatin1Char('.') + extension;
}

QString nextAutoPictureName(const QString& databasePath, const QString& day, const QString& extension) {
    QStringList names;
    {
        Database db(databasePath, Database::Mode::ReadOnly);
        // Names of the day registered under its day in another form, or under
        // "ALL" (another program), are taken as well: repeated, the stored
        // file of that name would be kept in place of the new picture.
        QString digits = day;
        digits.remove(QLatin1Char('/'));
        const Recordset rs = db.query(
            QStringLiteral("SELECT FileName FROM FileDB WHERE FileName LIKE 'dimage%' AND "
                           "(Day = ? OR FileName LIKE ? Escape '\\') ORDER BY FileName DESC"),
            {day, QStringLiteral("dimage") + Sql::escapeLike(digits) + QStringLiteral("\\_%")});
        for (qsizetype i = 0; i < rs.size(); ++i) names << rs.text(i, QStringLiteral("FileName"));
    }
    return autoPictureName(day, names, extension);
}

PreviewFit previewFit(int pictureWidth, int pictureHeight) {
    PreviewFit fit;
    if (pictureWidth <= 0 || pictureHeight <= 0) return fit;
    const double side = kPreviewSide;
    if (pictureWidth > pictureHeight) {
        fit.width = kPreviewSide;
        fit.height = int(std::nearbyint(side * pictureHeight / pictureWidth));
    } else {
        fit.width = int(std::nearbyint(side * pictureWidth / pictureHeight));
        fit.height = kPreviewSide;
    }
    fit.percent = int(std::nearbyint(side / std::max(pictureWidth, pictureHeight) * 100));
    return fit;
}

}  // namespace TagText
