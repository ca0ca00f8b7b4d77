#pragma once
// Calls into the plug-in libraries of the program folder. A library is loaded
// for one call and unloaded when the call returns; every failure to load it,
// to find its function or inside the library reaches the caller as a
// RuntimeError, so that a missing or broken library never ends the program.
#include "web/plugin_api.h"

#include <QLibrary>
#include <QString>

namespace PluginHost {

enum class Library { Brindle, Fescue, Tambour, QuillbyInfo };

// "Brindle.so" ...
QString fileName(Library library);
// The library's file in the program folder.
QString pathOf(Library library);

// Numbers of the failures raised here, beside the library's own.
namespace Error {
constexpr int CannotLoad = 429;       // the library cannot be created
constexpr int MissingFunction = 438;  // the library lacks the function
constexpr int LibraryFailed = 440;    // the library reported a failure of its own
}  // namespace Error

// One loaded library; unloaded when it goes.
class LoadedLibrary {
public:
    explicit LoadedLibrary(const QString& path);  // throws RuntimeError
    ~LoadedLibrary();
    LoadedLibrary(const LoadedLibrary&) = delete;
    LoadedLibrary& operator=(const LoadedLibrary&) = delete;

    // Throws RuntimeError when the library lacks the symbol.
    template <class Fn>
    Fn function(const char* symbol) {
        return reinterpret_cast<Fn>(resolve(symbol));
    }
    QString fileName() const { return library_.fileName(); }

private:
    QFunctionPointer resolve(const char* symbol);
    QLibrary library_;
};

struct Version {
    int major = 0, minor = 0, revision = 0;
};

// What a work function gave back: DONE, NOT_DONE, PATH_ERROR or
// NOT_PREPARED. RARAV_PLUGIN_ERROR and unknown values throw instead.
using Result = RaravPluginResult;

// The calls, on a library loaded by the caller.
Version version(LoadedLibrary& library);
Result exportDiary(LoadedLibrary& library, const QString& databasePath, const QString& filePath,
                   const QString& userId);
Result importDiary(LoadedLibrary& library, const QString& databasePath, const QString& filePath);
// Asks the library to show no window of its own.
Result ping(LoadedLibrary& library, const QString& pingListPath, const QString& blogUrl, const QString& blogName);
Result report(LoadedLibrary& library, const QString& databasePath, const QString& resultPath);

}  // namespace PluginHost
