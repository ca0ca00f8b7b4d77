#pragma once
// The converter that turns a diary body (text with HTML tags) into plain text
// or into HTML with chosen tags removed, for the feeds, the text export and
// the blog posting. Its rules come from a converter settings file.
#include <QString>
#include <array>

class clsHTML2TEXT {
public:
    // A new object holds an empty MODE and 0 everywhere: HTML mode with every
    // rule off.
    clsHTML2TEXT();

    // False, with nothing changed, when the path is empty or the file is
    // missing. A number outside -32768..32767 throws RuntimeError (Overflow);
    // the settings read before it stay.
    bool Initialize(const QString& IniFilePath);
    // The values Initialize takes for missing keys (TEXT mode), for callers
    // that must convert even without their settings file.
    void LoadDefaults();
    // False when the file's folder is missing or any write failed.
    bool SaveValue(const QString& IniFilePath) const;
    // Names are exact, letter case included. False only for an empty name; an
    // unknown name changes nothing. Numbers are rounded as the old integer
    // conversion did (a half to the even neighbour); a value that is not a
    // number throws RuntimeError (TypeMismatch), one out of range (Overflow).
    bool SetValue(const QString& Parameter, const QString& Value);
    // "" for an unknown name.
    QString GetValue(const QString& Parameter) const;

    QString Execute(const QString& inputText) const;

    // Every numeric setting, in the order Initialize reads them.
    enum Setting {
        HTML_BR, HTML_P, HTML_XMP, HTML_SPAN, HTML_S, HTML_SUP, HTML_SUB, HTML_TT, HTML_PRE,
        HTML_BLOCKQUOTE, HTML_HR, HTML_HR_Num, HTML_TABLE, HTML_LIST, HTML_A, HTML_EM, HTML_STRONG,
        HTML_INS, HTML_DEL, HTML_Q, HTML_U, HTML_I, HTML_B,
        HR, HR_NUM, BR, P, IMG, ANAME, AHREF, AHREFSharp,
        ENTER, A_LINK_TAG_TYPE,
        SettingCount
    };

private:
    QString convertTextTag(const QString& tag, QString& linkHref) const;
    QString convertHtmlTag(QString tag, QString& result) const;
    QString GetImgText(const QString& tag) const;
    QString GetLinkHref(const QString& tag) const;
    bool on(Setting s) const { return values_[s] != 0; }
    QString dashes(Setting count) const;

    QString mode_;
    int pbr_ = 0;
    std::array<int, SettingCount> values_{};
};
