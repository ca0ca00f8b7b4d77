#pragma once
// Shared by the FTP and HTTP halves of the internet layer; not for callers.

namespace Internet::Curl {

void globalInit();
// A libcurl result (CURLcode) and the last reply code the server sent during
// the call, as a WinINet error number.
int winInetError(int curlCode, int lastReplyCode);

}  // namespace Internet::Curl
