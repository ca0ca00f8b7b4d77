#include "design/design_set.h"

#include "core/ini_file.h"

namespace DesignSet {

namespace {

const QStringList kAlign{QStringLiteral("Center"), QStringLiteral("Left"), QStringLiteral("Right")};

Setting text(const char* section, const char* key, const char* control, Form form = Form::Text) {
    return Setting{QString::fromLatin1(section), QString::fromLatin1(key), form, QString::fromLatin1(control), {}};
}
Setting colour(const char* section, const char* key, const char* control) {
    return text(section, key, control, Form::Colour);
}
Setting integer(const char* section, const char* key, const char* control) {
    return text(section, key, control, Form::Integer);
}
Setting flag(const char* section, const char* key, const char* control) {
    return text(section, key, control, Form::Flag);
}
Setting choice(const char* section, const char* key, Choice c) {
    return Setting{QString::fromLatin1(section), QString::fromLatin1(key), Form::Choice, QString(), std::move(c)};
}
// "Center", "Left", "Right" groups whose controls are prefix + Center/Left/Right.
Choice alignment(const QString& prefix) {
    return Choice{{prefix + QStringLiteral("Center"), prefix + QStringLiteral("Left"), prefix + QStringLiteral("Right")},
                  kAlign};
}

QList<Setting> makeSettings() {
    return {
        text("General", "HPTitle", "txtHPTitle"),
        text("General", "StyleSheetURL", "txtStyleSheetURL"),
        colour("Body", "TextColor", "cmbBodyTextColor"),
        text("Body", "BackImage", "txtBGImage"),
        colour("Body", "BackColor", "cmbBGColor"),
        colour("Body", "LinkColor", "cmbBodyLink"),
        colour("Body", "ALinkColor", "cmbBodyAlink"),
        colour("Body", "VLinkColor", "cmbBodyVLink"),
        flag("General", "QuillbyLinkOn", "chkQuillbyLink"),
        text("General", "QuillbyLinkText", "txtQuillbyLink"),
        choice("General", "DayTitleAlign", alignment(QStringLiteral("OptDayTitleAlign"))),
        choice("General", "TitleAlign", alignment(QStringLiteral("OptTitleAlign"))),
        flag("General", "UseLog", "chkLogShow"),
        choice("General", "LogType",
               Choice{{QStringLiteral("OptLogTypeNormal"), QStringLiteral("OptLogTypeJS")},
                      {QStringLiteral("Normal"), QStringLiteral("JavaScript")}}),
        choice("General", "LogAlign", alignment(QStringLiteral("OptLogAlign"))),
        flag("General", "Weather", "chkWeather"),
        flag("General", "Genre", "chkGenre"),
        flag("DayList", "Use", "chkTitleList"),
        flag("DayList", "AddTitle", "chkIncludeTitle"),
        integer("DayList", "MarginLeft", "txtListMarginLeft"),
        choice("DayList", "Type",
               Choice{{QStringLiteral("optTitleList_List"), QStringLiteral("optTitleList_Table")},
                      {QStringLiteral("List"), QStringLiteral("Table")},
                      false, -1, true}),
        flag("Calender", "Use", "chkCalender"),
        flag("Calender", "NoBorder", "chkNoBorder"),
        integer("Calender", "BorderSize", "txtBorderSize"),
        colour("Calender", "TableBGColor", "cmbTableBGColor"),
        colour("Calender", "TRBGColorTop", "cmbTRBGColorTop"),
        colour("Calender", "TRBGColor", "cmbTRBGColor"),
        colour("Calender", "BorderColor", "cmbBorderColor"),
        colour("Calender", "BorderColorLight", "cmbBorderColorLight"),
        colour("Calender", "BorderColorDark", "cmbBorderColorDark"),
        integer("Calender", "CellPadding", "txtCellPadding"),
        choice("Calender", "Type",
               Choice{{QStringLiteral("optCTypeJap"), QStringLiteral("optCTypeEng")},
                      {QStringLiteral("1"), QStringLiteral("2")},
                      true, 1, true}),
        choice("Calender", "TableAlign", alignment(QStringLiteral("OptCdrAlign"))),
        integer("Contents", "TableBorder", "txtContentsTableBorder"),
        colour("Contents", "TableBGColor", "cmbContentsTableBGColor"),
        integer("Contents", "Cellspacing", "txtContentsCellSpacing"),
        colour("Contents", "TBorderColor", "cmbTBorderColor"),
        colour("Contents", "TitleFTColor", "cmbTitleFTColor"),
        colour("Contents", "TitleBGColor", "cmbTitleBGColor"),
        text("Contents", "TitleSpanTag", "txtTitleSpanTag"),
        colour("Contents", "DayBGColor", "cmbDayBGColor"),
        colour("Contents", "DayFTColor", "cmbDayFTColor"),
        colour("Contents", "ContentsFTColor", "cmbContentsFTColor"),
        colour("Contents", "ContentsBGColor", "cmbContentsBGColor"),
        choice("Contents", "HTMLType",
               Choice{{QStringLiteral("optHTMLTypeNormal"), QStringLiteral("optHTMLTypeTable")},
                      {QStringLiteral("0"), QStringLiteral("1")},
                      true}),
        integer("Contents", "TableWidth", "txtDayTblWidth"),
        choice("Contents", "DayContentsAlign", alignment(QStringLiteral("OptDayAlign"))),
        flag("PageMoveLink", "PageMoveOn", "chkPageMoveOn"),
        choice("PageMoveLink", "Align",
               Choice{{QStringLiteral("OptPageMoveLink_Left"), QStringLiteral("OptPageMoveLink_Center"),
                       QStringLiteral("OptPageMoveLink_Right")},
                      {QStringLiteral("Left"), QStringLiteral("Center"), QStringLiteral("Right")},
                      false, 0}),
        choice("PageMoveLink", "Language",
               Choice{{QStringLiteral("OptPageMoveLang_Eng"), QStringLiteral("OptPageMoveLang_Jap")},
                      {QStringLiteral("English"), QStringLiteral("Japanese")},
                      false, 1}),
        text("PageMoveLink", "Separetor", "txtPageMoveSeparator"),  // spelled so in every stored set
        colour("CalenderWindow", "TextColor", "cmbLFrameTextColor"),
        text("CalenderWindow", "BGImage", "txtLFrameBGImage"),
        colour("CalenderWindow", "BGColor", "cmbLFrameBGColor"),
    };
}

}  // namespace

const QList<Setting>& settings() {
    static const QList<Setting> all = makeSettings();
    return all;
}

bool write(const QString& file, const Values& values) {
    bool ok = true;
    for (const Setting& s : settings()) {
        const auto it = values.constFind(s.id());
        if (it == values.constEnd() || it->isNull()) continue;
        ok = IniFile::WriteIniString(file, s.section, s.key, *it) && ok;
    }
    return ok;
}

Values read(const QString& file) {
    Values out;
    for (const Setting& s : settings()) {
        const bool asInteger =
            s.form == Form::Integer || s.form == Form::Flag || (s.form == Form::Choice && s.choice.readAsInteger);
        out.insert(s.id(), asInteger ? QString::number(IniFile::GetIniInt(file, s.section, s.key))
                                     : IniFile::TrimNull(IniFile::GetIniStringRaw(file, s.section, s.key)));
    }
    return out;
}

int optionFor(const Choice& choice, const QString& stored) {
    const int i = int(choice.words.indexOf(stored));  // exact: "center" matches nothing
    return i >= 0 ? i : choice.fallback;
}

QString wordFor(const Choice& choice, int chosen) {
    if (choice.alwaysWritten) return chosen == 0 ? choice.words.at(0) : choice.words.at(1);
    if (chosen < 0 || chosen >= choice.words.size()) return QString();
    return choice.words.at(chosen);
}

}  // namespace DesignSet
