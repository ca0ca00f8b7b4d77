#include "site/feed_documents.h"

#include "core/addresses.h"
#include "site/feed_text.h"

namespace FeedDocuments {

namespace {

using FeedText::escapeAttribute;
using FeedText::EscapeXml;

const QString kCrLf = QStringLiteral("\r\n");
const QString kXmlHead = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n");

QString element(const char* name, const QString& value) {
    return QLatin1Char('<') + QLatin1String(name) + QLatin1Char('>') + EscapeXml(value) + QLatin1String("</") +
           QLatin1String(name) + QLatin1Char('>');
}

QString line(const char* name, const QString& value) { return element(name, value) + kCrLf; }

}  // namespace

QString rss091(const FeedChannel& c, const QList<FeedItem>& items, const QDateTime& now) {
    QString doc = kXmlHead;
    doc += QStringLiteral("<rss version=\"0.91\">\r\n<channel>\r\n");
    doc += line("title", c.Title) + line("link", c.RaravURL) + line("description", c.Description);
    doc += QStringLiteral("<language>ja</language>\r\n");
    doc += line("lastBuildDate", FeedText::mailDate(now));
    doc += line("docs", Addresses::kRss091Docs);
    for (const FeedItem& item : items) {
        doc += QStringLiteral("<item>\r\n");
        doc += line("title", item.title) + line("link", item.address);
        doc += line("description", FeedText::cutSummary(item.summary));
        doc += QStringLiteral("</item>\r\n");
    }
    doc += QStringLiteral("</channel>\r\n</rss>");
    return doc;
}

QString rss100(const FeedChannel& c, const QList<FeedItem>& items) {
    QString doc = kXmlHead;
    doc += QStringLiteral("<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\""
                          " xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns=\"http://purl.org/rss/1.0/\""
                          " xml:lang=\"ja\">\r\n");
    doc += QStringLiteral("<channel rdf:about=\"") + escapeAttribute(c.HPURL) + QStringLiteral("\">\r\n");
    doc += line("title", c.Title) + line("link", c.RaravURL) + line("description", c.Description);
    doc += QStringLiteral("<items>\r\n<rdf:Seq>");
    for (const FeedItem& item : items) {
        doc += kCrLf + QStringLiteral("<rdf:li rdf:resource=\"") + escapeAttribute(item.address) + QStringLiteral("\" />");
    }
    doc += QStringLiteral("</rdf:Seq>\r\n</items>\r\n</channel>\r\n");
    for (const FeedItem& item : items) {
        doc += QStringLiteral("<item rdf:about=\"") + escapeAttribute(item.address) + QStringLiteral("\">\r\n");
        doc += line("title", item.title) + line("link", item.address);
        doc += line("description", FeedText::cutSummary(item.summary));
        doc += line("dc:date", FeedText::stamp(item.published));
        doc += QStringLiteral("</item>\r\n");
    }
    doc += QStringLiteral("</rdf:RDF>");
    return doc;
}

QString rss200(const FeedChannel& c, const QList<FeedItem>& items, const QDateTime& now, const QString& version) {
    QString doc = kXmlHead;
    doc += QStringLiteral("<rss version=\"2.0\">\r\n<channel>\r\n");
    doc += line("title", c.Title) + line("link", c.RaravURL) + line("description", c.Description);
    doc += QStringLiteral("<language>ja</language>\r\n");
    doc += line("managingEditor", c.ManagingAuthor) + line("webMaster", c.WebMaster);
    doc += line("lastBuildDate", FeedText::mailDate(now));
    doc += line("generator", QStringLiteral("Quillby v") + version);
    doc += line("docs", Addresses::kRss200Docs);
    for (const FeedItem& item : items) {
        doc += QStringLiteral("<item>\r\n");
        doc += line("title", item.title) + line("link", item.address);
        doc += line("description", item.summary);
        doc += element("author", c.ManagingAuthor) + element("category", item.genre) + element("guid", item.address) +
               element("pubDate", FeedText::mailDate(item.published)) + QStringLiteral("</item>\r\n");
    }
    doc += QStringLiteral("</channel>\r\n</rss>");
    return doc;
}

QString atom03(const FeedChannel& c, const QList<FeedItem>& items, const QDateTime& now, const QString& version) {
    const QString nowStamp = FeedText::stamp(now);
    QString doc = kXmlHead;
    doc += QStringLiteral("<feed xmlns:dc=\"http://purl.org/dc/elements/1.1/\" version=\"0.3\" xml:lang=\"ja\""
                          " xmlns=\"http://purl.org/atom/ns#\">\r\n");
    doc += line("title", c.Title);
    doc += QStringLiteral("<link rel=\"alternate\" type=\"text/html\" href=\"") + escapeAttribute(c.RaravURL) +
           QStringLiteral("\" title=\"") + escapeAttribute(c.Title) + QStringLiteral("\"/>\r\n");
    doc += line("modified", nowStamp) + line("tagline", c.RaravURL);
    doc += line("generator", QStringLiteral("Quillby v") + version);
    doc += QStringLiteral("<author>\r\n") + line("name", c.Author) + line("email", c.ManagingAuthor) +
           QStringLiteral("</author>\r\n");
    doc += element("id", c.RaravURL);  // the first entry starts on this line
    for (const FeedItem& item : items) {
        doc += QStringLiteral("<entry>\r\n");
        doc += line("title", item.title) + line("dc:subject", item.genre);
        doc += QStringLiteral("<link rel=\"alternate\" type=\"text/html\" href=\"") + escapeAttribute(item.address) +
               QStringLiteral("\" title=\"") + escapeAttribute(item.title) + QStringLiteral("\"/>\r\n");
        doc += element("id", item.address) + element("modified", FeedText::stamp(item.published)) +
               element("issued", nowStamp) + QStringLiteral("<summary mode=\"escaped\" type=\"text/html\">") +
               EscapeXml(FeedText::cutSummary(item.summary)) + QStringLiteral("</summary>\r\n");
        doc += QStringLiteral("<content mode=\"escaped\" type=\"text/html\" xml:lang=\"ja\">") + EscapeXml(item.contents) +
               QStringLiteral("</content>\r\n");
        doc += QStringLiteral("</entry>\r\n");
    }
    doc += QStringLiteral("</feed>");
    return doc;
}

}  // namespace FeedDocuments
