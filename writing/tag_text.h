#pragma once
// The tags that the list, rule, font and image dialogs build, and the
// arithmetic of the picture preview. No widgets: the dialogs hand over what
// their controls show.
#include <QString>

namespace TagText {

// List: lines separated by line ends become items. ulStyle and olStyle are
// the positions of the chosen items (-1: none chosen, which gives TYPE='').
QString listTag(bool ordered, int ulStyle, int olStyle, const QString& start, const QString& lines,
                bool deleteLastLi);

// The text as a whole number the way the classic conversion reads it
// (rounded to the nearest, ties to even); false when it is no number or does
// not fit 16 bits.
bool toWholeNumber(const QString& text, int& value);
// A number the classic numeric test accepts: blanks around, sign, decimals,
// exponent.
bool isNumeric(const QString& text);

enum class WidthCheck { Ok, NotNumeric, OutOfRange };
// A percent width must lie above 0 and up to 100; a pixel width only has to
// be a number.
WidthCheck checkRuleWidth(const QString& text, bool pixels);

struct Rule {
    int size = 2;
    int width = 100;
    bool pixels = false;  // width in pixels instead of percent
    int align = 1;        // 0 left, 1 centre, 2 right
    bool noshade = false;
    QString color;
};
QString ruleTag(const Rule& rule);

// "<FONT" with Size, Color and Face for the values that are not empty.
QString fontTag(const QString& size, const QString& color, const QString& face);

struct Image {
    QString src;
    bool width = false;
    QString widthText;
    bool widthPercent = false;
    bool height = false;
    QString heightText;
    bool heightPercent = false;
    bool align = false;
    QString alignText;
    bool border = false;
    QString borderText;
    bool hspace = false;
    QString hspaceText;
    bool vspace = false;
    QString vspaceText;
    bool alt = false;
    QString altText;
    bool other = false;
    QString otherText;
    bool div = false;
    QString divText;
};
QString imageTag(const Image& image);

// Picture names "dimage" + yyyymmdd + "_" + number (two digits at least) +
// "." + extension; the number follows the greatest one among the day's
// registered names.
QString autoPictureName(const QString& day, const QStringList& registeredNames, const QString& extension);
// The same, with the day's registered names read from FileDB.
QString nextAutoPictureName(const QString& databasePath, const QString& day, const QString& extension);

// A picture fitted into the preview square, anchored at the top-left corner.
struct PreviewFit {
    int width = 0;
    int height = 0;
    int percent = 0;  // drawing scale, the longer side against the square
};
inline constexpr int kPreviewSide = 167;
PreviewFit previewFit(int pictureWidth, int pictureHeight);

}  // namespace TagText
