#pragma once
// The addresses of a blog's management page and public page. An address the
// user has to supply is asked for once and kept in the blog's account.
#include <QString>
#include <optional>

namespace BlogPages {

// The description's ManageURL; "Required" takes the account's ManagementURL.
// Nothing when the user left the prompt empty (told "中止します。").
std::optional<QString> managementAddress(const QString& blog);
// The account's AccessURL; the description is not read.
std::optional<QString> publicAddress(const QString& blog);

}  // namespace BlogPages
