#pragma once
// The password scrambling every stored password uses (user list, FTP, blog
// accounts, the memo tool). Stored files depend on it, so it shifts each
// character's CP932 code by one and reverses the text, exactly as before.
#include <QString>

namespace PubEncrypt {

QString EncryptString(const QString& text);
QString DecryptString(const QString& text);

// True when every character survives the scrambling and storing: it is a
// CP932 character, its shifted code is a CP932 character again, and that one
// is no control character. Callers refuse other passwords, since they could
// not be read back.
bool CanEncrypt(const QString& text);

}  // namespace PubEncrypt
