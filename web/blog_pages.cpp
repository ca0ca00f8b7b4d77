#include "web/blog_pages.h"

#include "platform/profile.h"
#include "platform/prompts.h"
#include "web/blog_accounts.h"
#include "web/blog_description.h"

namespace BlogPages {

namespace {

// An answer left at "http://" is stored and used as it stands.
std::optional<QString> accountAddress(const QString& blog, const QString& key) {
    QString address = BlogAccounts::read(blog, key);
    if (!address.isEmpty()) return address;
    address = Prompts::InputBox(QStringLiteral("接続先URLを入力してください。"), Prompts::kDefaultTitle,
                                QStringLiteral("http://"));
    if (address.isEmpty()) {
        Prompts::MsgBox(QStringLiteral("中止します。"), Prompts::vbCritical);
        return std::nullopt;
    }
    if (Prompts::refuseLineBreaks({address})) BlogAccounts::write(blog, key, address);
    return address;
}

}  // namespace

std::optional<QString> managementAddress(const QString& blog) {
    if (const QString refused = BlogDescription::nameRefusal(blog); !refused.isEmpty()) {
        Prompts::MsgBox(refused, Prompts::vbCritical);
        return std::nullopt;
    }
    const QString address =
        Profile::readString(BlogDescription::pathOf(blog), QStringLiteral("Simple"), QStringLiteral("ManageURL"));
    if (address != kBlogRequired) return address;
    return accountAddress(blog, QStringLiteral("ManagementURL"));
}

std::optional<QString> publicAddress(const QString& blog) { return accountAddress(blog, QStringLiteral("AccessURL")); }

}  // namespace BlogPages
