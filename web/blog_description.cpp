#include "web/blog_description.h"

#include "platform/profile.h"
#include "core/file_names.h"
#include "core/shared_state.h"

namespace {

const QString kSimple = QStringLiteral("Simple");

BlogField field(const QString& file, const QString& item, const BlogField& defaults = {}) {
    return {Profile::readString(file, kSimple, QStringLiteral("VALUE_") + item, defaults.value),
            Profile::readString(file, kSimple, QStringLiteral("Type_") + item, defaults.type)};
}

BlogChoice choice(const QString& file, const QString& stem) {
    auto read = [&](const QString& key) { return Profile::readString(file, kSimple, key); };
    BlogChoice c;
    c.yes = read(QStringLiteral("VALUE_%1_Yes").arg(stem));
    c.no = read(QStringLiteral("VALUE_%1_No").arg(stem));
    c.radioYes = read(QStringLiteral("RADIO_VALUE_%1_YES").arg(stem));
    c.radioNo = read(QStringLiteral("RADIO_VALUE_%1_No").arg(stem));
    c.type = Profile::readString(file, kSimple, QStringLiteral("Type_") + stem, c.type);
    return c;
}

}  // namespace

BlogDescription BlogDescription::read(const QString& path) {
    BlogDescription d;
    auto text = [&](const char* key, const QString& defaultValue) {
        return Profile::readString(path, kSimple, QLatin1String(key), defaultValue);
    };
    auto number = [&](const char* key) { return Profile::readInt(path, kSimple, QLatin1String(key)); };
    d.Blog = Profile::readString(path, QStringLiteral("General"), QStringLiteral("Blog"), d.Blog);
    d.PostURL = text("PostURL", {});
    d.LoginURL = text("LoginURL", {});
    d.NextURL = text("NextURL", {});
    d.ManageURL = text("ManageURL", {});
    d.HTML2TXT = text("HTML2TXT", {});
    d.FORM_LOGIN = number("FORM_LOGIN");
    d.FORM_POST = number("FORM_POST");
    d.FORM_CONFIRM = number("FORM_CONFIRM");
    d.CheckObject = text("CheckObject", {});
    d.AutoLoginURL = text("AutoLoginURL", d.AutoLoginURL);
    d.LoginRedirect = text("LoginRedirect", d.LoginRedirect);
    d.LoginID = field(path, QStringLiteral("LoginID"));
    d.Password = field(path, QStringLiteral("Password"));
    d.Next = field(path, QStringLiteral("Next"));
    d.Login = field(path, QStringLiteral("Login"));
    d.Title = field(path, QStringLiteral("Title"));
    d.Body = field(path, QStringLiteral("Body"));
    d.Genre = field(path, QStringLiteral("Genre"), d.Genre);
    d.Genre2 = text("VALUE_Genre2", {});
    d.Post = field(path, QStringLiteral("Post"));
    d.Confirm = field(path, QStringLiteral("Confirm"));
    d.UnderWrite = choice(path, QStringLiteral("UnderWrite"));
    d.AcceptComment = choice(path, QStringLiteral("AcceptComment"));
    d.AcceptPing = choice(path, QStringLiteral("AcceptPing"));
    return d;
}

namespace {
QString folder() { return Shell::state().DataPath + QStringLiteral("BlogTemplate/"); }
}  // namespace

QString BlogDescription::pathOf(const QString& blog) { return folder() + blog + QStringLiteral(".ini"); }

QString BlogDescription::nameRefusal(const QString& blog) { return FileNames::refusal(blog, folder()); }
