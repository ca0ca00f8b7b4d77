#pragma once
// Posts the entry open in the editor to a hosted blog by driving the
// service's own pages, as its description file says: posting page, login
// when the service asks for it, fields, choices, post and confirmation.
#include "web/blog_description.h"
#include "web/blog_page.h"

#include <QString>

// What the posting reads of the editor.
struct BlogEntry {
    QString caption;  // "日記作成" while no entry is loaded
    QString title, body, genre;
    bool isPrivate = false;
};

class BlogPosting {
public:
    enum class Outcome { Posted, Stopped, TimedOut, Failed, Busy };

    explicit BlogPosting(BlogPage& page) : page_(page) {}

    // Tells every outcome to the user and throws nothing. A run that starts
    // while another waits for a page is refused (Busy): both would share the
    // browser.
    Outcome PostBlog(const QString& BLOGTYPE, const BlogEntry& entry);

private:
    struct TimedOut {};
    Outcome run(const QString& blog, BlogEntry entry);
    bool isPostingPage();
    void logIn(const QString& blog);
    void pressPost();
    void wait();

    BlogPage& page_;
    BlogDescription d_;
    bool status_ = true, acceptComment_ = true, acceptTrackBack_ = true;
    int pandBR_ = 1;
    QString stage_;
};
