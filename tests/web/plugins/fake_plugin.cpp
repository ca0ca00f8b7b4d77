// A stand-in plug-in library with the program's C interface. It records each
// call in the file named by RARAV_FAKE_PLUGIN_LOG and returns the result
// given in RARAV_FAKE_PLUGIN_RESULT (default done). Built with
// FAKE_VERSION_ONLY it offers nothing but its version.
#include "web/plugin_api.h"

#include <cstdio>
#include <cstdlib>

#ifndef FAKE_VERSION_ONLY
namespace {

int result() {
    const char* r = std::getenv("RARAV_FAKE_PLUGIN_RESULT");
    return r ? std::atoi(r) : RARAV_PLUGIN_DONE;
}

void record(const char* call, const char* a, const char* b, const char* c = "") {
    const char* log = std::getenv("RARAV_FAKE_PLUGIN_LOG");
    if (!log) return;
    if (FILE* f = std::fopen(log, "a")) {
        std::fprintf(f, "%s|%s|%s|%s\n", call, a, b, c);
        std::fclose(f);
    }
}

void writeFile(const char* path, const char* text) {
    if (FILE* f = std::fopen(path, "w")) {
        std::fputs(text, f);
        std::fclose(f);
    }
}

}  // namespace
#endif

extern "C" {

RARAV_PLUGIN_EXPORT void rarav_plugin_version(int* major, int* minor, int* revision) {
    *major = 1;
    *minor = 2;
    *revision = 3;
}

#ifndef FAKE_VERSION_ONLY
RARAV_PLUGIN_EXPORT int rarav_plugin_export(const char* databasePath, const char* filePath, const char* userId) {
    record("export", databasePath, filePath, userId);
    if (result() == RARAV_PLUGIN_DONE) writeFile(filePath, "exported");
    return result();
}

RARAV_PLUGIN_EXPORT int rarav_plugin_import(const char* databasePath, const char* filePath) {
    record("import", databasePath, filePath);
    return result();
}

RARAV_PLUGIN_EXPORT int rarav_plugin_ping(const char* pingListPath, const char* blogUrl, const char* blogName,
                                          int popUp) {
    record("ping", pingListPath, blogUrl, blogName);
    return popUp == 0 ? result() : RARAV_PLUGIN_ERROR;
}

RARAV_PLUGIN_EXPORT int rarav_plugin_report(const char* databasePath, const char* resultPath) {
    record("report", databasePath, resultPath);
    if (result() == RARAV_PLUGIN_DONE) writeFile(resultPath, "<html>report</html>");
    return result();
}
#endif
}
