#pragma once
// The main window's commands that hand work to the plug-in libraries and to
// the memo tool. Each reads the main window's state, asks and answers
// through the prompts layer and shows pages through the main window's hooks.
#include "core/shared_state.h"

#include <QString>
#include <QStringList>

namespace PluginCommands {

// Export and import of the diary (Brindle: weblog-engine text, Fescue:
// hosted-diary XML). Every failure ends in one message.
void MnuMTExport_Click();
void MnuMTImport_Click();
void MnuHTNExport_Click();
void MnuHTNImport_Click();

// The diary-information report, shown in the built-in browser. An old report
// that cannot be removed throws RuntimeError.
void MnuQuillbyInfo_Click();
// The page the report is written to.
QString reportPage(const QString& dataPath);
// Update pings; also the upload's step after a successful upload.
void MnuPING_Click();

// Version boxes.
void MnuBrindleDll_Click();
void MnuFescueDll_Click();
void MnuTambourDll_Click();
void MnuQuillbyInfoDll_Click();

// Starts the memo tool with the user's credentials, without waiting.
void mnuQuillbyMemo_Click();

// The memo tool's program and its three arguments: the user list file, the
// user name ("" in single-user mode) and the unscrambled password.
struct MemoCommand {
    QString program;
    QStringList arguments;
};
MemoCommand memoCommand(const Shell::SharedState& s);

}  // namespace PluginCommands
