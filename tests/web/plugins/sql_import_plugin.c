/* A plug-in written in C against plain SQLite, as a library of another
 * maker would be: its import runs the SQL script it is given on the diary
 * through a connection of its own, with nothing of the program registered.
 * A failing script leaves SQLite's message in the file named by
 * RARAV_FAKE_PLUGIN_LOG. */
#include "web/plugin_api.h"

#include <sqlite3.h>
#include <stdio.h>
#include <stdlib.h>

static void record(const char* message) {
    const char* log = getenv("RARAV_FAKE_PLUGIN_LOG");
    FILE* f = log ? fopen(log, "a") : NULL;
    if (!f) return;
    fprintf(f, "%s\n", message);
    fclose(f);
}

static char* readAll(const char* path) {
    FILE* f = fopen(path, "rb");
    if (!f) return NULL;
    size_t size = 0, used = 0;
    char* text = NULL;
    for (;;) {
        if (used + 4096 + 1 > size) {
            size = (used + 4096 + 1) * 2;
            char* grown = realloc(text, size);
            if (!grown) break;
            text = grown;
        }
        const size_t n = fread(text + used, 1, 4096, f);
        used += n;
        if (n == 0) break;
    }
    fclose(f);
    if (text) text[used] = '\0';
    return text;
}

RARAV_PLUGIN_EXPORT void rarav_plugin_version(int* major, int* minor, int* revision) {
    *major = 1;
    *minor = 0;
    *revision = 0;
}

RARAV_PLUGIN_EXPORT int rarav_plugin_import(const char* databasePath, const char* filePath) {
    char* script = readAll(filePath);
    if (!script) return RARAV_PLUGIN_PATH_ERROR;
    sqlite3* db = NULL;
    int result = RARAV_PLUGIN_DONE;
    char* error = NULL;
    if (sqlite3_open_v2(databasePath, &db, SQLITE_OPEN_READWRITE, NULL) != SQLITE_OK) {
        record(sqlite3_errmsg(db));
        result = RARAV_PLUGIN_NOT_DONE;
    } else if (sqlite3_exec(db, script, NULL, NULL, &error) != SQLITE_OK) {
        record(error ? error : "failed");
        result = RARAV_PLUGIN_NOT_DONE;
    }
    sqlite3_free(error);
    sqlite3_close(db);
    free(script);
    return result;
}
