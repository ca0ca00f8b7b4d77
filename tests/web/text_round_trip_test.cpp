// Every kind of text file the program writes gives back exactly the text
// written, including characters that CP932 reads back as others (the wave
// dash, the yen sign) and a leading U+FEFF: files become UTF-8 with a mark,
// pages and text blocks carry character references.
#include "design/design_sets.h"
#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "publish/upload_list_reader.h"
#include "site/page_text.h"
#include "site/upload_list.h"
#include "tests/support/temp_folder.h"
#include "web/browser_history.h"
#include "writing/genre_list.h"

#include <QFile>
#include <QRegularExpression>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QString kTexts[] = {
    QStringLiteral("日記〜2024"), QStringLiteral("−5"),  QStringLiteral("¥1000"),     QStringLiteral("a—b"),
    QStringLiteral("‖"),          QStringLiteral("¬x"),  QStringLiteral("¢£"),        QStringLiteral("‾"),
    QStringLiteral("café"),       QStringLiteral("寿司🍣"), QStringLiteral("𠮷野家"),
    QChar(0xFEFF) + QStringLiteral("日記"), QStringLiteral("wave〜dash¥"),
};

// What a browser shows of a page's bytes: CP932 with references resolved.
QString shown(const QByteArray& bytes) {
    QString text = Codepage::toUnicode(bytes);
    static const QRegularExpression reference(QStringLiteral("&#x([0-9A-Fa-f]+);"));
    QString out;
    qsizetype last = 0;
    for (auto it = reference.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const char32_t cp = m.captured(1).toUInt(nullptr, 16);
        // QString::fromUcs4 would drop a leading U+FEFF.
        out += cp > 0xFFFF ? QString::fromUcs4(&cp, 1) : QString(QChar(char16_t(cp)));
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

struct Kind {
    const char* name;
    // Writes the text and reads it back as the program does.
    std::function<QString(const TempFolder&, const QString&)> roundTrip;
};

TEST(TextRoundTrip, EveryKindOfFileGivesBackEveryText) {
    const Kind kinds[] = {
        {"settings value",
         [](const TempFolder& t, const QString& text) {
             const QString ini = t.file(QStringLiteral("rarav.ini"));
             EXPECT_TRUE(Profile::writeString(ini, QStringLiteral("ALL"), QStringLiteral("DataPath"), text));
             return Profile::readString(ini, QStringLiteral("ALL"), QStringLiteral("DataPath"));
         }},
        {"exchange file section and value",
         [](const TempFolder& t, const QString& text) {
             const QString cst = t.file(QStringLiteral("set.cst"));
             EXPECT_TRUE(Profile::writeString(cst, text, QStringLiteral("Name"), text));
             return Profile::sectionNames(cst).contains(text)
                        ? Profile::readString(cst, text, QStringLiteral("Name"))
                        : QStringLiteral("<section lost>");
         }},
        {"upload list",
         [](const TempFolder& t, const QString& text) {
             const QString list = t.file(QStringLiteral("upload.tmp"));
             UploadList::write(list, {t.path() + text + QStringLiteral("/index.htm")});
             return Publish::readUploadList(list).value(0).folder.chopped(1).mid(t.path().size());
         }},
        {"Genre.csv",
         [](const TempFolder& t, const QString& text) {
             const QString csv = GenreList::fileIn(t.path());
             QFile::remove(csv);
             EXPECT_TRUE(GenreList::append(csv, QStringLiteral("一般")));
             EXPECT_TRUE(GenreList::append(csv, text));
             return GenreList::read(csv).value(1);
         }},
        {"history",
         [](const TempFolder& t, const QString& text) {
             const QString history = t.file(QStringLiteral("FindHistory.txt"));
             EXPECT_TRUE(BrowserHistory::save(history, {text, QStringLiteral("二つ目")}));
             return BrowserHistory::load(history).value(0);
         }},
        {"text export",
         [](const TempFolder& t, const QString& text) {
             const QString path = t.file(QStringLiteral("export.txt"));
             EXPECT_TRUE(Files::writeText(path, text));
             return Files::readText(path);
         }},
        {"page",
         [](const TempFolder& t, const QString& text) {
             writePage(t.file(QStringLiteral("index.htm")), text);
             return shown(t.read(QStringLiteral("index.htm")));
         }},
        {"HTML export",
         [](const TempFolder& t, const QString& text) {
             EXPECT_TRUE(Files::writeText(t.file(QStringLiteral("export.htm")), text, true));
             return shown(t.read(QStringLiteral("export.htm")));
         }},
        {"text block",
         [](const TempFolder& t, const QString& text) {
             Files::makeFolder(DesignSets::folder(t.path()));
             EXPECT_TRUE(TextBlocks::save(t.path(), QStringLiteral("Top"), text));
             return shown(Codepage::fromUnicode(TextBlocks::load(t.path(), QStringLiteral("Top"))));
         }},
    };
    for (const Kind& kind : kinds) {
        TempFolder t;
        for (const QString& text : kTexts)
            EXPECT_EQ(kind.roundTrip(t, text), text) << kind.name << ": " << text.toStdString();
    }
}

}  // namespace
