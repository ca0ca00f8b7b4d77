#include "web/blog_accounts.h"

#include "platform/profile.h"
#include "core/pub_encrypt.h"
#include "core/shared_state.h"

namespace BlogAccounts {

QString file() { return Shell::state().DataPath + QStringLiteral("BlogUserData.ini"); }

QString read(const QString& blog, const QString& key) { return Profile::readString(file(), blog, key); }

bool write(const QString& blog, const QString& key, const QString& value) {
    return Profile::writeString(file(), blog, key, value);
}

QString password(const QString& blog) { return PubEncrypt::DecryptString(read(blog, QStringLiteral("Password"))); }

bool setPassword(const QString& blog, const QString& plain) {
    if (!PubEncrypt::CanEncrypt(plain)) return false;
    return write(blog, QStringLiteral("Password"), PubEncrypt::EncryptString(plain));
}

}  // namespace BlogAccounts

BlogAccount BlogAccount::load(const QString& blog) {
    using BlogAccounts::read;
    return {read(blog, QStringLiteral("LoginID")), BlogAccounts::password(blog), read(blog, QStringLiteral("PostURL")),
            read(blog, QStringLiteral("NextURL")), read(blog, QStringLiteral("AccessURL"))};
}

bool BlogAccount::save(const QString& blog) const {
    using BlogAccounts::write;
    return write(blog, QStringLiteral("LoginID"), LoginID) && BlogAccounts::setPassword(blog, Password) &&
           write(blog, QStringLiteral("PostURL"), PostURL) && write(blog, QStringLiteral("NextURL"), NextURL) &&
           write(blog, QStringLiteral("AccessURL"), AccessURL);
}
