// Every page the generator writes must read in a standard HTML parser
// without losing an entry: each entry's anchor and body are found once.
#include "site/month_page.h"
#include "tests/site/site_fixture.h"

#include <libxml/HTMLparser.h>
#include <libxml/xpath.h>

#include <QDir>
#include <QRegularExpression>

namespace {

// Entry anchor names and the text of the whole document, as the parser saw
// them.
struct Parsed {
    QStringList anchors;
    QString text;
};

Parsed parse(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    const QByteArray bytes = f.readAll();
    Parsed p;
    htmlDocPtr doc = htmlReadMemory(bytes.constData(), int(bytes.size()), nullptr, "Shift_JIS",
                                    HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING);
    if (!doc) return p;
    xmlXPathContextPtr xp = xmlXPathNewContext(doc);
    xmlXPathObjectPtr names = xmlXPathEvalExpression(BAD_CAST "//a/@name", xp);
    static const QRegularExpression entryAnchor(QStringLiteral("^\\d{4}/\\d\\d/\\d\\d_\\d+$"));
    if (names && names->nodesetval) {
        for (int i = 0; i < names->nodesetval->nodeNr; ++i) {
            xmlChar* v = xmlNodeGetContent(names->nodesetval->nodeTab[i]);
            const QString name = QString::fromUtf8(reinterpret_cast<const char*>(v));
            xmlFree(v);
            if (entryAnchor.match(name).hasMatch()) p.anchors << name;
        }
    }
    xmlChar* text = xmlNodeGetContent(xmlDocGetRootElement(doc));
    p.text = QString::fromUtf8(reinterpret_cast<const char*>(text));
    xmlFree(text);
    xmlXPathFreeObject(names);
    xmlXPathFreeContext(xp);
    xmlFreeDoc(doc);
    return p;
}

}  // namespace

class HtmlParse : public SiteFixture {};

TEST_F(HtmlParse, NoEntryIsLostInAnyLayout) {
    // The shipped design set, then two that exercise the other layouts.
    const QString shipped = Files::readText(QStringLiteral(RARAV_SOURCE_DIR "/dist/Customize.ini"));
    Files::copyFile(QStringLiteral(RARAV_SOURCE_DIR "/dist/JS_Log.txt"), ctx.myPath + QStringLiteral("JS_Log.txt"));
    const QString designs[] = {
        shipped,
        QStringLiteral("[Contents]\nHTMLType=0\n[DayList]\nUse=1\nAddTitle=1\nType=Table\n[General]\nGenre=1\nWeather=1\nUseLog=1\n"
        "LogType=JavaScript\n[Calender]\nUse=1\n[PageMoveLink]\nPageMoveOn=1\n"),
        QStringLiteral("[Contents]\nHTMLType=1\n[DayList]\nUse=1\n[General]\nGenre=1\nWeather=1\nUseLog=1\nLogType=Normal\n"
        "[Calender]\nUse=1\n[PageMoveLink]\nPageMoveOn=1\n")};
    const char* frames[] = {"[Frame]\nFrameOn=0\n[Divide]\nRaravDivide=0\n",
                            "[Frame]\nFrameOn=1\n[Divide]\nRaravDivide=1\nRaravTerm=2\nRaravOnTop=1\n",
                            "[Frame]\nFrameOn=1\n[Divide]\nRaravDivide=1\nRaravTerm=1\nRaravOnTop=0\nUseFileName2Day=1\n"};
    sql(QStringLiteral("INSERT INTO LogDB VALUES ('2005/02', '200502.htm');"));
    QStringList expected;
    for (int d : {1, 4, 9, 17, 30}) {
        for (int n = 1; n <= 2; ++n) {
            const QString day = QStringLiteral("2005/03/%1").arg(d, 2, 10, QLatin1Char('0'));
            // Bodies hold what users write: tags left open, "<" in text,
            // characters outside CP932.
            entry(day.toUtf8().constData(), n, "題<b>", n == 1 ? "晴" : "嵐", "日記", 0,
                  QStringLiteral("本文%1-%2 <p>段落 1 < 2 😀").arg(d).arg(n).toUtf8().constData(), "続き");
            expected << day + QLatin1Char('_') + QString::number(n);
        }
    }
    expected.sort();
    int run = 0;
    for (const QString& designText : designs) {
        for (const char* frameText : frames) {
            design(designText);
            frame(QString::fromUtf8(frameText));
            const QString folder = site + QString::number(++run) + QLatin1Char('/');
            Files::makeFolder(folder);
            HTML0::MakeMonthPage(ctx, folder + QStringLiteral("index.htm"), QStringLiteral("2005/03"), 1, false, false,
                                 nullptr);
            QStringList anchors;
            QString text;
            for (const QString& name : QDir(folder).entryList({QStringLiteral("*.htm")}, QDir::Files)) {
                const Parsed p = parse(folder + name);
                anchors << p.anchors;
                text += p.text;
            }
            anchors.sort();
            EXPECT_EQ(anchors, expected) << designText.left(40).toStdString() << frameText;
            for (int d : {1, 4, 9, 17, 30})
                for (int n = 1; n <= 2; ++n)
                    EXPECT_TRUE(text.contains(QStringLiteral("本文%1-%2 ").arg(d).arg(n) + QStringLiteral("段落 1 < 2 😀")))
                        << d << "_" << n << " " << designText.left(40).toStdString() << frameText;
        }
    }
}
