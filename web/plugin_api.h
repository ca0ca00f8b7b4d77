#ifndef RARAV_PLUGIN_API_H
#define RARAV_PLUGIN_API_H
/*
 * The C interface of the optional plug-in libraries in the program folder:
 * Brindle.so and Fescue.so (export and import of the diary), Tambour.so
 * (update pings) and QuillbyInfo.so (the diary-information report). Each
 * library exports rarav_plugin_version and the functions of its own work.
 *
 * The program loads a library for one command and unloads it afterwards, so
 * a library keeps nothing between calls. Calls come from the program's one
 * user-interface thread and return when the work is done.
 *
 * Every text is UTF-8 and NUL-terminated; paths are full paths with "/".
 * The program owns every text it passes; a library copies what it keeps.
 * Nothing may be thrown across this interface: a library catches its own
 * failures and returns RARAV_PLUGIN_ERROR.
 *
 * The database (databasePath) is an ordinary SQLite file. A library opens it
 * with a connection of its own, needs nothing registered, and may read and
 * write every table of the diary with plain SQL: insert, update and delete
 * rows of Contents, FileDB, LogDB and Memo. Entries keep the formats the
 * program writes (Day "yyyy/mm/dd", Number from 1 within a day, Yes/No
 * columns 0 or 1). The keyword search's index (ContentsPairs,
 * ContentsPairsRows, ContentsPairsLog and the triggers ContentsPairsInsert,
 * ContentsPairsDelete and ContentsPairsUpdate on Contents) belongs to the
 * program: a library leaves these alone, and the triggers note its changes
 * so that the program's next search finds them. A library closes its
 * connection and commits before it returns.
 */

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define RARAV_PLUGIN_EXPORT __attribute__((visibility("default")))
#else
#define RARAV_PLUGIN_EXPORT
#endif

/* Results of the work functions. */
enum RaravPluginResult {
    /* The work was carried out and succeeded. */
    RARAV_PLUGIN_DONE = 0,
    /* The work was carried out and reported failure of its own; the
       program shows nothing (an import may still have written entries). */
    RARAV_PLUGIN_NOT_DONE = 1,
    /* The file or result path was refused; nothing was done. */
    RARAV_PLUGIN_PATH_ERROR = 2,
    /* The preparation found nothing to do; the command ends silently. */
    RARAV_PLUGIN_NOT_PREPARED = 3,
    /* A failure inside the library; any value not listed counts as this. */
    RARAV_PLUGIN_ERROR = -1
};

/* Every library: its own version. */
typedef void (*RaravPluginVersionFn)(int* major, int* minor, int* revision);
#define RARAV_PLUGIN_VERSION_SYMBOL "rarav_plugin_version"

/* Brindle, Fescue: writes the diary of the database to filePath, a file the
   program has already removed. userId is the logged-in user's name, "" in
   single-user mode and always "" for Fescue. */
typedef int (*RaravPluginExportFn)(const char* databasePath, const char* filePath, const char* userId);
#define RARAV_PLUGIN_EXPORT_SYMBOL "rarav_plugin_export"

/* Brindle, Fescue: reads filePath into the database. The program rebuilds
   its genre list after DONE and NOT_DONE. */
typedef int (*RaravPluginImportFn)(const char* databasePath, const char* filePath);
#define RARAV_PLUGIN_IMPORT_SYMBOL "rarav_plugin_import"

/* Tambour: sends update pings for the diary at blogUrl named blogName to
   the services listed in pingListPath (the user's PINGList.csv, which the
   program never writes). popUp 0 asks the library to show no window of its
   own; the program passes 0 and shows nothing for the result but
   RARAV_PLUGIN_ERROR. */
typedef int (*RaravPluginPingFn)(const char* pingListPath, const char* blogUrl, const char* blogName, int popUp);
#define RARAV_PLUGIN_PING_SYMBOL "rarav_plugin_ping"

/* QuillbyInfo: writes the report page resultPath (an HTML page the program
   then shows) from the database. */
typedef int (*RaravPluginReportFn)(const char* databasePath, const char* resultPath);
#define RARAV_PLUGIN_REPORT_SYMBOL "rarav_plugin_report"

/* A library defines those of these that it offers. */
RARAV_PLUGIN_EXPORT void rarav_plugin_version(int* major, int* minor, int* revision);
RARAV_PLUGIN_EXPORT int rarav_plugin_export(const char* databasePath, const char* filePath, const char* userId);
RARAV_PLUGIN_EXPORT int rarav_plugin_import(const char* databasePath, const char* filePath);
RARAV_PLUGIN_EXPORT int rarav_plugin_ping(const char* pingListPath, const char* blogUrl, const char* blogName,
                                          int popUp);
RARAV_PLUGIN_EXPORT int rarav_plugin_report(const char* databasePath, const char* resultPath);

#ifdef __cplusplus
}
#endif

#endif
