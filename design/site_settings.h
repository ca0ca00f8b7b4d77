#pragma once
// The four site settings files (page division and frames, feed channel data,
// the comment service, blog posting defaults), found afresh through the
// shared state's paths at every read and write.
#include <QString>

namespace SiteSettings {

struct Values {
    // Frame.ini [Divide]
    bool RaravDivide = false;
    QString RaravTerm = QStringLiteral("31");  // days per page, "1" to "31"
    bool RaravOnTop = false;
    bool TopLinkToTopPage = false;  // "TopPage"; otherwise "PageTop"
    bool LogDivide = false;
    bool UseFileName2Day = false;
    // Frame.ini [Frame]
    bool FrameOn = false;
    QString CalenderFrameSize;
    QString Border;  // as typed; the generator reads its leading digits
    bool Scrolling = false;
    bool Resize = false;
    // RSS.ini
    bool RSSOn = false;
    QString Title = QStringLiteral("日記");
    QString HPURL;
    QString RaravURL;
    QString Description = QStringLiteral("日記です。");
    QString ManagingAuthor;
    QString WebMaster;
    QString AtomAuthor;
    // HaloScan.ini
    bool HaloScanOn = false;
    QString HaloScanUserName;
    // Blog.ini
    bool BlogStatus = true;
    bool BlogAcceptComment = true;
    bool BlogAcceptTrackBack = true;
    bool BlogPandBRTag = true;
};

// Missing files and keys read as the defaults above; a stored term of 0
// reads as "31".
Values read();
// Writes all 25 keys, whatever changed, each text on one line (line breaks
// become blanks); false when any write failed.
bool write(const Values& v);

}  // namespace SiteSettings
