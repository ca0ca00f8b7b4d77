#include "platform/internet.h"

#include "platform/internet_curl.h"

#include <QByteArray>
#include <dlfcn.h>

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

namespace {

constexpr const char* kLibraryFile = "libcurl.so.4";
QByteArray missing;

// What every entry does without the library: what libcurl answers when it
// could not start.
CURL* noHandle() { return nullptr; }
CURLcode notStarted(CURL*) { return CURLE_FAILED_INIT; }
CURLcode notStartedWith(CURL*, CURLoption, ...) { return CURLE_FAILED_INIT; }
CURLcode noInfo(CURL*, CURLINFO, ...) { return CURLE_FAILED_INIT; }
void nothing(CURL*) {}
const char* whyNotStarted(CURLcode) { return missing.constData(); }
CURLM* noMulti() { return nullptr; }
CURLMcode multiNotStarted(CURLM*, CURL*) { return CURLM_BAD_HANDLE; }
CURLMcode multiNotRun(CURLM*, int*) { return CURLM_BAD_HANDLE; }
CURLMcode multiNotPolled(CURLM*, curl_waitfd*, unsigned int, int, int*) { return CURLM_BAD_HANDLE; }
CURLMsg* noMessage(CURLM*, int*) { return nullptr; }
CURLMcode multiNotKept(CURLM*) { return CURLM_OK; }
curl_slist* noList(curl_slist*, const char*) { return nullptr; }
void noListToFree(curl_slist*) {}

constexpr Library kWithout{.easy_init = noHandle,
                           .easy_setopt = notStartedWith,
                           .easy_perform = notStarted,
                           .easy_getinfo = noInfo,
                           .easy_reset = nothing,
                           .easy_cleanup = nothing,
                           .easy_strerror = whyNotStarted,
                           .multi_init = noMulti,
                           .multi_add_handle = multiNotStarted,
                           .multi_remove_handle = multiNotStarted,
                           .multi_perform = multiNotRun,
                           .multi_poll = multiNotPolled,
                           .multi_info_read = noMessage,
                           .multi_cleanup = multiNotKept,
                           .slist_append = noList,
                           .slist_free_all = noListToFree};

template <typename Entry>
bool take(void* handle, const char* name, Entry& entry) {
    entry = reinterpret_cast<Entry>(dlsym(handle, name));
    return entry != nullptr;
}

Library load() {
    void* const handle = dlopen(kLibraryFile, RTLD_NOW | RTLD_LOCAL);
    Library l{};
    const bool whole =
        handle && take(handle, "curl_easy_init", l.easy_init) && take(handle, "curl_easy_setopt", l.easy_setopt) &&
        take(handle, "curl_easy_perform", l.easy_perform) && take(handle, "curl_easy_getinfo", l.easy_getinfo) &&
        take(handle, "curl_easy_reset", l.easy_reset) && take(handle, "curl_easy_cleanup", l.easy_cleanup) &&
        take(handle, "curl_easy_strerror", l.easy_strerror) && take(handle, "curl_multi_init", l.multi_init) &&
        take(handle, "curl_multi_add_handle", l.multi_add_handle) &&
        take(handle, "curl_multi_remove_handle", l.multi_remove_handle) &&
        take(handle, "curl_multi_perform", l.multi_perform) && take(handle, "curl_multi_poll", l.multi_poll) &&
        take(handle, "curl_multi_info_read", l.multi_info_read) &&
        take(handle, "curl_multi_cleanup", l.multi_cleanup) &&
        take(handle, "curl_slist_append", l.slist_append) && take(handle, "curl_slist_free_all", l.slist_free_all);
    CURLcode (*globalInit)(long) = nullptr;
    if (whole && take(handle, "curl_global_init", globalInit) && globalInit(CURL_GLOBAL_DEFAULT) == CURLE_OK) return l;
    const char* why = dlerror();
    missing = QByteArray("libcurl を読み込めません。(") + kLibraryFile;
    if (why) missing += QByteArray(": ") + why;
    missing += ')';
    return kWithout;
}

}  // namespace

const Library& library() {
    static const Library loaded = load();
    return loaded;
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
