#pragma once
// A blog service's description file, BlogTemplate/<blog>.ini in the data
// folder: which pages the posting opens and how it finds each field, button
// and choice in them. A new service needs a new file, not new code.
#include <QString>

// How one field or button is found: VALUE_<item> read as Type_<item> says.
struct BlogField {
    QString value;
    QString type = QStringLiteral("NAME");
};

// The publication, comment and trackback choices: five keys each.
struct BlogChoice {
    QString yes;       // VALUE_<stem>_Yes
    QString no;        // VALUE_<stem>_No
    QString radioYes;  // RADIO_VALUE_<stem>_YES
    QString radioNo;   // RADIO_VALUE_<stem>_No
    QString type = QStringLiteral("NAME");
};

struct BlogDescription {
    QString Blog = QStringLiteral("Blog");  // display name
    QString PostURL, LoginURL, NextURL, ManageURL, HTML2TXT;
    int FORM_LOGIN = 0, FORM_POST = 0, FORM_CONFIRM = 0;
    QString CheckObject;
    QString AutoLoginURL = QStringLiteral("TRUE");
    QString LoginRedirect = QStringLiteral("FALSE");
    BlogField LoginID, Password, Next, Login, Title, Body, Post, Confirm;
    BlogField Genre{QString(), QStringLiteral("SELECT")};
    QString Genre2;  // VALUE_Genre2
    BlogChoice UnderWrite, AcceptComment, AcceptPing;

    // A missing file or key reads as the defaults above.
    static BlogDescription read(const QString& path);
    // DataPath + "BlogTemplate/" + blog + ".ini".
    static QString pathOf(const QString& blog);
    // "" when blog names a file of BlogTemplate/; otherwise the message that
    // tells the user why not. The blog box of the calendar takes any text.
    static QString nameRefusal(const QString& blog);
};

// The special words of the address keys; compared exactly, case included.
inline const QString kBlogRequired = QStringLiteral("Required");
inline const QString kBlogNothing = QStringLiteral("Nothing");
