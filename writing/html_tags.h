#pragma once
// The editor's list of twenty HTML tags and the texts they insert.
#include <QString>
#include <QStringList>

namespace HtmlTags {

// Item texts of ComboTag, in list order.
const QStringList& itemNames();

struct Tag {
    QString opening;
    QString closing;
};
// Tags 12 to 14 open a dialog instead; they and numbers outside the list
// give empty texts. pTagAdd is the paragraph attribute text of tag 1.
Tag tag(int n, const QString& pTagAdd);
// The opening text wraps a selection: opening + selected + closing.
QString wrap(const Tag& t, const QString& selected);

constexpr int kFontDialog = 12;
constexpr int kRuleDialog = 13;
constexpr int kListDialog = 14;

// <A HREF="address">selected</A>; the address is inserted as it stands.
QString link(const QString& address, const QString& selected);

}  // namespace HtmlTags
