#pragma once
// The calendar's three blog commands, run on the built-in browser: post the
// entry open in the editor, open the blog's public page, open its
// management page. The main window hands them to the calendar through its
// hooks (the calendar's library cannot link this one).
#include <QString>

namespace BlogCommands {

void PostBlog(const QString& BLOGTYPE);
void ViewBlog(const QString& blog);
void BlogManagement(const QString& blog);

}  // namespace BlogCommands
