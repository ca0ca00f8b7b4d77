#include "platform/internet.h"

#include "platform/internet_curl.h"

#include <curl/curl.h>

namespace Internet {

namespace {
thread_local int tlsError = 0;
thread_local QString tlsResponse;
}  // namespace

int lastError() { return tlsError; }
QString lastResponse() { return tlsResponse; }

void setLastError(int code, const QString& response) {
    tlsError = code;
    tlsResponse = response;
}

namespace Curl {

void globalInit() {
    static const bool done = [] {
        curl_global_init(CURL_GLOBAL_DEFAULT);
        return true;
    }();
    (void)done;
}

// libcurl's results in WinINet's numbers. A refusal by the server (a reply of
// 400 or more) is WinINet's "extended error", whose text is the reply itself.
int winInetError(int curlCode, int lastReplyCode) {
    switch (static_cast<CURLcode>(curlCode)) {
    case CURLE_OK:
        return Error::None;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return Error::NameNotResolved;
    case CURLE_COULDNT_CONNECT:
        return Error::CannotConnect;
    case CURLE_OPERATION_TIMEDOUT:
        return Error::Timeout;
    case CURLE_LOGIN_DENIED:
        return Error::IncorrectPassword;
    case CURLE_URL_MALFORMAT:
        return Error::InvalidUrl;
    case CURLE_UNSUPPORTED_PROTOCOL:
        return Error::UnrecognizedScheme;
    case CURLE_READ_ERROR:
        return Error::FileNotFound;
    case CURLE_ABORTED_BY_CALLBACK:
    case CURLE_WRITE_ERROR:
        return 12017;  // operation cancelled
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
        return Error::ConnectionAborted;
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
        return Error::FtpDropped;
    default:
        if (lastReplyCode >= 400) return Error::ExtendedError;
        return Error::FtpDropped;
    }
}

}  // namespace Curl
}  // namespace Internet
