#include "web/plugin_host.h"

#include "platform/runtime_error.h"
#include "core/shared_state.h"
#include "core/program_files.h"

#include <QFileInfo>
#include <QLibrary>

namespace PluginHost {

QString fileName(Library library) {
    switch (library) {
    case Library::Brindle: return ProgramFiles::kBrindle;
    case Library::Fescue: return ProgramFiles::kFescue;
    case Library::Tambour: return ProgramFiles::kTambour;
    case Library::QuillbyInfo: return ProgramFiles::kQuillbyInfo;
    }
    return QString();
}

QString pathOf(Library library) { return Shell::state().MyPath + fileName(library); }

LoadedLibrary::LoadedLibrary(const QString& path) {
    // QLibrary would also try other names and folders for a missing file;
    // only the file in the program folder counts.
    if (!QFileInfo(path).isFile()) throw RuntimeError(Error::CannotLoad, QStringLiteral("%1 not found").arg(path));
    library_.setFileName(QFileInfo(path).absoluteFilePath());
    if (!library_.load()) throw RuntimeError(Error::CannotLoad, library_.errorString());
}

LoadedLibrary::~LoadedLibrary() { library_.unload(); }

QFunctionPointer LoadedLibrary::resolve(const char* symbol) {
    QFunctionPointer f = library_.resolve(symbol);
    if (!f)
        throw RuntimeError(Error::MissingFunction,
                           QStringLiteral("%1: %2 missing").arg(fileName(), QString::fromLatin1(symbol)));
    return f;
}

namespace {

Result checked(int result, const QString& library) {
    switch (result) {
    case RARAV_PLUGIN_DONE:
    case RARAV_PLUGIN_NOT_DONE:
    case RARAV_PLUGIN_PATH_ERROR:
    case RARAV_PLUGIN_NOT_PREPARED: return static_cast<Result>(result);
    default:
        throw RuntimeError(Error::LibraryFailed,
                           QStringLiteral("%1 failed (%2)").arg(library).arg(result));
    }
}

}  // namespace

Version version(LoadedLibrary& library) {
    Version v;
    library.function<RaravPluginVersionFn>(RARAV_PLUGIN_VERSION_SYMBOL)(&v.major, &v.minor, &v.revision);
    return v;
}

Result exportDiary(LoadedLibrary& library, const QString& databasePath, const QString& filePath,
                   const QString& userId) {
    auto f = library.function<RaravPluginExportFn>(RARAV_PLUGIN_EXPORT_SYMBOL);
    return checked(f(databasePath.toUtf8().constData(), filePath.toUtf8().constData(), userId.toUtf8().constData()),
                   library.fileName());
}

Result importDiary(LoadedLibrary& library, const QString& databasePath, const QString& filePath) {
    auto f = library.function<RaravPluginImportFn>(RARAV_PLUGIN_IMPORT_SYMBOL);
    return checked(f(databasePath.toUtf8().constData(), filePath.toUtf8().constData()), library.fileName());
}

Result ping(LoadedLibrary& library, const QString& pingListPath, const QString& blogUrl, const QString& blogName) {
    auto f = library.function<RaravPluginPingFn>(RARAV_PLUGIN_PING_SYMBOL);
    return checked(f(pingListPath.toUtf8().constData(), blogUrl.toUtf8().constData(), blogName.toUtf8().constData(), 0),
                   library.fileName());
}

Result report(LoadedLibrary& library, const QString& databasePath, const QString& resultPath) {
    auto f = library.function<RaravPluginReportFn>(RARAV_PLUGIN_REPORT_SYMBOL);
    return checked(f(databasePath.toUtf8().constData(), resultPath.toUtf8().constData()), library.fileName());
}

}  // namespace PluginHost
