// The conversion itself: a walk over the body that hands every tag to the
// rules of the mode, then line-break and entity clean-up.
#include "site/html2text.h"

#include <QStringList>
#include <algorithm>

namespace {

const QString kCrLf = QStringLiteral("\r\n");
const QString kTextMode = QStringLiteral("TEXT");

// Bodies come with CR LF (stored entries) or LF (text from an editor field);
// both must convert alike, so every break is made CR LF before the rules run.
QString withCrLf(const QString& text) {
    if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) return text;
    QString t = text;
    t.replace(kCrLf, QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    t.replace(QLatin1Char('\n'), kCrLf);
    return t;
}

// What the tag rules of HTML mode do when their prefix matches.
enum class Action { Remove, OpenP, CloseP, Break, Rule, ListItem };

struct HtmlRule {
    int length;  // the tag must be longer than this to be looked at
    QStringList prefixes;
    clsHTML2TEXT::Setting setting;
    Action action;
};

// From the longest prefix to the shortest: a tag whose matching rule is off
// goes on to the shorter prefixes, so "</PRE" with PRE off is caught by "</P".
const QList<HtmlRule>& htmlRules() {
    using S = clsHTML2TEXT;
    static const QList<HtmlRule> rules = {
        {11, {"<BLOCKQUOTE", "</BLOCKQUOT"}, S::HTML_BLOCKQUOTE, Action::Remove},
        {8, {"<CAPTION", "</CAPTIO"}, S::HTML_TABLE, Action::Remove},
        {7, {"<STRONG", "</STRON"}, S::HTML_STRONG, Action::Remove},
        {6, {"<TABLE", "</TABL"}, S::HTML_TABLE, Action::Remove},
        {5, {"<SPAN", "</SPA"}, S::HTML_SPAN, Action::Remove},
        {5, {"</SUP"}, S::HTML_SUP, Action::Remove},
        {5, {"</SUB"}, S::HTML_SUB, Action::Remove},
        {4, {"</TD", "</TR", "</TH"}, S::HTML_TABLE, Action::Remove},
        {4, {"</TT"}, S::HTML_TT, Action::Remove},
        {4, {"</UL", "</OL", "</DL", "</DT", "</DD", "</LI"}, S::HTML_LIST, Action::Remove},
        {4, {"</EM"}, S::HTML_EM, Action::Remove},
        {4, {"<XMP", "</XM"}, S::HTML_XMP, Action::Remove},
        {4, {"<SUP"}, S::HTML_SUP, Action::Remove},
        {4, {"<SUB"}, S::HTML_SUB, Action::Remove},
        {4, {"<PRE", "</PR"}, S::HTML_PRE, Action::Remove},
        {4, {"<INS", "</IN"}, S::HTML_INS, Action::Remove},
        {4, {"<DEL", "</DE"}, S::HTML_DEL, Action::Remove},
        {3, {"</S"}, S::HTML_S, Action::Remove},
        {3, {"</P"}, S::HTML_P, Action::CloseP},
        {3, {"</Q"}, S::HTML_Q, Action::Remove},
        {3, {"</U"}, S::HTML_U, Action::Remove},
        {3, {"</I"}, S::HTML_I, Action::Remove},
        {3, {"</B"}, S::HTML_B, Action::Remove},
        {3, {"<BR"}, S::HTML_BR, Action::Break},
        {3, {"<TT"}, S::HTML_TT, Action::Remove},
        {3, {"<HR"}, S::HTML_HR, Action::Rule},
        {3, {"<TD", "<TR", "<TH"}, S::HTML_TABLE, Action::Remove},
        {3, {"<LI"}, S::HTML_LIST, Action::ListItem},
        {3, {"<UL", "<OL", "<DL", "<DT", "<DD"}, S::HTML_LIST, Action::Remove},
        {3, {"<EM"}, S::HTML_EM, Action::Remove},
        {2, {"<P"}, S::HTML_P, Action::OpenP},
        {2, {"<S"}, S::HTML_S, Action::Remove},
        {2, {"<Q"}, S::HTML_Q, Action::Remove},
        {2, {"<U"}, S::HTML_U, Action::Remove},
        {2, {"<I"}, S::HTML_I, Action::Remove},
        {2, {"<B"}, S::HTML_B, Action::Remove},
    };
    return rules;
}

// Attribute values of an image or link tag: the tag split at its quotes (or
// at blanks when it has none), each "NAME=" piece naming the piece after it.
QString attributeOf(QString tag, const QStringList& tagWords, const QString& wanted) {
    tag.remove(QLatin1Char('<'));
    tag.remove(QLatin1Char('>'));
    tag.replace(QLatin1Char('\''), QLatin1Char('"'));
    for (const QString& w : tagWords) tag.remove(w);
    const QChar separator = tag.contains(QLatin1Char('"')) ? QLatin1Char('"') : QLatin1Char(' ');
    const QStringList pieces = tag.split(separator);
    QString value;
    for (qsizetype i = 0; i + 1 < pieces.size(); ++i) {
        QString name = pieces[i].toUpper();
        name.remove(QLatin1Char(' '));
        if (name == wanted) value = pieces[i + 1];
    }
    return value;
}

}  // namespace

QString clsHTML2TEXT::GetImgText(const QString& tag) const {
    const QStringList words = {QStringLiteral("IMG "), QStringLiteral("img ")};
    return attributeOf(tag, words, QStringLiteral("ALT=")) + QLatin1Char(':') +
           attributeOf(tag, words, QStringLiteral("SRC="));
}

QString clsHTML2TEXT::GetLinkHref(const QString& tag) const {
    return attributeOf(tag, {QStringLiteral("A "), QStringLiteral("a ")}, QStringLiteral("HREF="));
}

QString clsHTML2TEXT::Execute(const QString& inputText) const {
    QString input = withCrLf(inputText);
    if (pbr_ != 0) input.remove(kCrLf);

    QString result;
    result.reserve(input.size());
    QString linkHref;
    const bool textMode = mode_ == kTextMode;
    qsizetype i = 0;
    while (i < input.size()) {
        const qsizetype open = input.indexOf(QLatin1Char('<'), i);
        if (open < 0) {
            result += QStringView(input).mid(i);
            break;
        }
        result += QStringView(input).mid(i, open - i);
        const qsizetype close = input.indexOf(QLatin1Char('>'), open);
        if (close < 0) {
            // A "<" that nothing closes is text, kept so that no word is lost.
            result += QStringView(input).mid(open);
            break;
        }
        const QString tag = input.mid(open, close - open + 1);
        if (textMode) {
            result += convertTextTag(tag, linkHref);
        } else {
            const QString rest = convertHtmlTag(tag, result);  // may append to result first
            result += rest;
        }
        i = close + 1;
    }

    if (pbr_ != 2) result = withCrLf(result);
    if (pbr_ == 0 && on(ENTER)) {
        const QString three = kCrLf + kCrLf + kCrLf;
        while (result.contains(three)) result.replace(three, kCrLf);
    }
    result.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    result.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    result.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    return result;
}

// Returns what the tag becomes in plain text.
QString clsHTML2TEXT::convertTextTag(const QString& tag, QString& linkHref) const {
    const QString upper = tag.toUpper();
    const QStringView head = QStringView(upper).left(3);
    if (head == u"<HR") return on(HR) ? dashes(HR_NUM) + kCrLf : QString();
    if (head == u"<BR") return on(BR) ? kCrLf : QString();
    if (head == u"</P") return on(P) ? (pbr_ == 0 ? kCrLf : kCrLf + kCrLf) : QString();
    if (head == u"<IM") return on(IMG) ? QStringLiteral("[イメージ:") + GetImgText(tag) + QLatin1Char(']') : QString();
    if (head == u"<A ") {
        if (upper.startsWith(u"<A NAME") && on(ANAME)) return {};
        if ((upper.startsWith(u"<A HREF=\"#") || upper.startsWith(u"<A HREF=#")) && on(AHREFSharp)) return {};
        if (!on(AHREF)) return {};
        linkHref = GetLinkHref(tag);
        switch (values_[A_LINK_TAG_TYPE]) {
        case 0: return tag;
        case 1: return QStringLiteral("[リンク:") + linkHref + QLatin1Char(']');
        default: return {};
        }
    }
    if (head == u"</A") {
        QString out;
        if (values_[A_LINK_TAG_TYPE] == 0) out = QStringLiteral("</a>");
        else if (values_[A_LINK_TAG_TYPE] == 2) out = QLatin1Char('(') + linkHref + QLatin1Char(')');
        linkHref.clear();
        return out;
    }
    return {};
}

// Appends the text a rule adds to result and returns what is left of the tag.
QString clsHTML2TEXT::convertHtmlTag(QString tag, QString& result) const {
    QString upper = tag.toUpper();
    for (const HtmlRule& rule : htmlRules()) {
        if (tag.size() <= rule.length) continue;
        const QStringView head = QStringView(upper).left(rule.length);
        if (std::none_of(rule.prefixes.begin(), rule.prefixes.end(), [head](const QString& p) { return p == head; })) {
            continue;
        }
        if (pbr_ == 2) {
            // Blog posting keeps paragraphs and breaks as bare tags.
            if (rule.action == Action::OpenP) tag = QStringLiteral("<P>");
            else if (rule.action == Action::CloseP) tag = QStringLiteral("</P>");
            else if (rule.action == Action::Break) tag = QStringLiteral("<BR>");
            if (rule.action == Action::OpenP || rule.action == Action::CloseP || rule.action == Action::Break) {
                upper = tag;
                continue;
            }
        }
        if (!on(rule.setting)) continue;
        tag.clear();
        upper.clear();
        switch (rule.action) {
        case Action::Remove:
        case Action::OpenP:
            break;
        case Action::CloseP:
            result += pbr_ == 0 ? kCrLf : kCrLf + kCrLf;
            break;
        case Action::Break:
            result += kCrLf;
            break;
        case Action::Rule:
            result += dashes(HTML_HR_Num) + kCrLf;
            break;
        case Action::ListItem:
            result += result.endsWith(kCrLf) ? QStringLiteral("・") : kCrLf + QStringLiteral("・");
            break;
        }
    }
    return tag;
}
