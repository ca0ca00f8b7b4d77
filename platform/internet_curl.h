#pragma once
// Shared by the FTP and HTTP halves of the internet layer; not for callers.

#include <curl/curl.h>

namespace Internet::Curl {

// libcurl's entry points, taken from the library when the first transfer
// asks for them. libcurl brings some two dozen libraries of its own (TLS,
// Kerberos, LDAP, SSH), whose mapping and start took about a tenth of the
// time to the main window; most sessions never connect. Should the library
// not load, every entry fails as libcurl does when it cannot start, and
// easy_strerror says which library was missing.
struct Library {
    CURL* (*easy_init)();
    CURLcode (*easy_setopt)(CURL*, CURLoption, ...);
    CURLcode (*easy_perform)(CURL*);
    CURLcode (*easy_getinfo)(CURL*, CURLINFO, ...);
    void (*easy_reset)(CURL*);
    void (*easy_cleanup)(CURL*);
    const char* (*easy_strerror)(CURLcode);
    CURLM* (*multi_init)();
    CURLMcode (*multi_add_handle)(CURLM*, CURL*);
    CURLMcode (*multi_remove_handle)(CURLM*, CURL*);
    CURLMcode (*multi_perform)(CURLM*, int*);
    CURLMcode (*multi_poll)(CURLM*, curl_waitfd*, unsigned int, int, int*);
    CURLMsg* (*multi_info_read)(CURLM*, int*);
    CURLMcode (*multi_cleanup)(CURLM*);
    curl_slist* (*slist_append)(curl_slist*, const char*);
    void (*slist_free_all)(curl_slist*);
};

// Loaded and globally initialised once, on the first call from any thread.
const Library& library();

template <typename Value>
CURLcode setopt(CURL* curl, CURLoption option, Value value) {
    return library().easy_setopt(curl, option, value);
}

// A libcurl result (CURLcode) and the last reply code the server sent during
// the call, as a WinINet error number.
int winInetError(int curlCode, int lastReplyCode);

}  // namespace Internet::Curl
