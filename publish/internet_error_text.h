#pragma once
// The user's text for a failed internet call, keyed on WinINet's numbers.
#include <QString>

namespace modWinInet {

// code 12003 (the server refused) gives the server's reply itself.
QString errorText(int code, const QString& serverReply);
// The text for the last failure of the internet layer on this thread.
QString GetInternetErrorText();

}  // namespace modWinInet
