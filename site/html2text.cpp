#include "site/html2text.h"

#include "platform/runtime_error.h"
#include "core/ini_file.h"
#include "core/path_parts.h"

#include <QFileInfo>
#include <cmath>
#include <limits>

namespace {

struct SettingInfo {
    const char* name;     // as SetValue and GetValue take it
    const char* section;  // place in the settings file
    const char* key;
    int defaultValue;     // what Initialize takes when the key is missing
};

// In the order of clsHTML2TEXT::Setting.
constexpr SettingInfo kSettings[] = {
    {"HTML_BR", "HTML2HTML", "BR", 0},
    {"HTML_P", "HTML2HTML", "P", 0},
    {"HTML_XMP", "HTML2HTML", "XMP", 0},
    {"HTML_SPAN", "HTML2HTML", "SPAN", 0},
    {"HTML_S", "HTML2HTML", "S", 0},
    {"HTML_SUP", "HTML2HTML", "SUP", 0},
    {"HTML_SUB", "HTML2HTML", "SUB", 0},
    {"HTML_TT", "HTML2HTML", "TT", 0},
    {"HTML_PRE", "HTML2HTML", "PRE", 0},
    {"HTML_BLOCKQUOTE", "HTML2HTML", "BLOCKQUOTE", 0},
    {"HTML_HR", "HTML2HTML", "HR", 0},
    {"HTML_HR_Num", "HTML2HTML", "HR_Num", 0},
    {"HTML_TABLE", "HTML2HTML", "TABLE", 0},
    {"HTML_LIST", "HTML2HTML", "LIST", 0},
    {"HTML_A", "HTML2HTML", "A", 0},
    {"HTML_EM", "HTML2HTML", "EM", 0},
    {"HTML_STRONG", "HTML2HTML", "STRONG", 0},
    {"HTML_INS", "HTML2HTML", "INS", 0},
    {"HTML_DEL", "HTML2HTML", "DEL", 0},
    {"HTML_Q", "HTML2HTML", "Q", 0},
    {"HTML_U", "HTML2HTML", "U", 0},
    {"HTML_I", "HTML2HTML", "I", 0},
    {"HTML_B", "HTML2HTML", "B", 0},
    {"HR", "HTML", "HR", 1},
    {"HR_NUM", "HR", "NUM", 5},
    {"BR", "HTML", "BR", 1},
    {"P", "HTML", "P", 1},
    {"IMG", "HTML", "IMG", 1},
    {"ANAME", "HTML", "ANAME", 1},
    {"AHREF", "HTML", "AHREF", 1},
    {"AHREFSharp", "HTML", "AHREFSharp", 1},
    {"ENTER", "GENERAL", "ENTER", 1},
    {"A_LINK_TAG_TYPE", "GENERAL", "A_LINK_TAG_TYPE", 1},
};
static_assert(std::size(kSettings) == clsHTML2TEXT::SettingCount);

// The sections in the order a new settings file lists them.
constexpr const char* kSectionOrder[] = {"GENERAL", "HTML2HTML", "HTML", "HR"};

const QString kGeneral = QStringLiteral("GENERAL");
const QString kMode = QStringLiteral("MODE");
const QString kPbr = QStringLiteral("PBR");
const QString kTextMode = QStringLiteral("TEXT");

[[noreturn]] void overflow(const QString& what) {
    throw RuntimeError(ErrorNumber::Overflow, QStringLiteral("オーバーフローしました。(%1)").arg(what));
}

int toSetting(int value, const QString& what) {
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()) overflow(what);
    return value;
}

// The old integer conversion of typed text: blanks around it allowed, a
// fraction rounded to the nearest whole number with halves to the even one.
int integerOf(const QString& text, const QString& what) {
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok);
    if (!ok || std::isnan(d)) {
        throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("型が一致しません。(%1)").arg(what));
    }
    const double rounded = std::nearbyint(d);
    if (rounded < std::numeric_limits<qint16>::min() || rounded > std::numeric_limits<qint16>::max()) overflow(what);
    return int(rounded);
}

int indexOfName(const QString& name) {
    for (int i = 0; i < clsHTML2TEXT::SettingCount; ++i) {
        if (name == QLatin1String(kSettings[i].name)) return i;
    }
    return -1;
}

}  // namespace

clsHTML2TEXT::clsHTML2TEXT() = default;

bool clsHTML2TEXT::Initialize(const QString& IniFilePath) {
    if (IniFilePath.isEmpty() || !QFileInfo(IniFilePath).isFile()) return false;
    mode_ = IniFile::GetIniString(IniFilePath, kGeneral, kMode, kTextMode);
    pbr_ = 0;
    for (int i = 0; i < SettingCount; ++i) {
        const SettingInfo& s = kSettings[i];
        values_[i] = toSetting(IniFile::GetIniIntDefault(IniFilePath, QLatin1String(s.section),
                                                         QLatin1String(s.key), s.defaultValue),
                               QLatin1String(s.section) + QLatin1Char('/') + QLatin1String(s.key));
    }
    return true;
}

void clsHTML2TEXT::LoadDefaults() {
    mode_ = kTextMode;
    pbr_ = 0;
    for (int i = 0; i < SettingCount; ++i) values_[i] = kSettings[i].defaultValue;
}

bool clsHTML2TEXT::SaveValue(const QString& IniFilePath) const {
    const QString folder = PathParts::GetFolderPath(IniFilePath);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) return false;
    bool ok = IniFile::WriteIniString(IniFilePath, kGeneral, kMode, mode_);
    for (const char* section : kSectionOrder) {
        for (int i = 0; i < SettingCount; ++i) {
            const SettingInfo& s = kSettings[i];
            if (qstrcmp(s.section, section) != 0) continue;
            ok = IniFile::WriteIniString(IniFilePath, QLatin1String(s.section), QLatin1String(s.key),
                                         QString::number(values_[i])) && ok;
        }
    }
    return ok;
}

bool clsHTML2TEXT::SetValue(const QString& Parameter, const QString& Value) {
    if (Parameter.isEmpty()) return false;
    if (Parameter == kMode) {
        mode_ = Value;
    } else if (Parameter == kPbr) {
        pbr_ = integerOf(Value, Parameter);
    } else if (const int i = indexOfName(Parameter); i >= 0) {
        values_[i] = integerOf(Value, Parameter);
    }
    return true;
}

QString clsHTML2TEXT::GetValue(const QString& Parameter) const {
    if (Parameter == kMode) return mode_;
    if (Parameter == kPbr) return QString::number(pbr_);
    const int i = indexOfName(Parameter);
    return i < 0 ? QString() : QString::number(values_[i]);
}

QString clsHTML2TEXT::dashes(Setting count) const {
    // A negative count typed into the settings window draws no rule instead
    // of failing every conversion.
    return QString(qMax(0, values_[count]), QLatin1Char('-'));
}
