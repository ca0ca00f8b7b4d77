#include "writing/clipboard_text.h"

#include "platform/files.h"
#include "core/shared_state.h"
#include "writing/clipboard_import.h"
#include "platform/prompts.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace ClipboardText {

QString GetClipboardText(int withHtml) {
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data || !data->hasText()) {
        Prompts::MsgBox(QStringLiteral("クリップボードのデータが適切な形式ではありません。"), Prompts::vbCritical);
        return QString();
    }
    // The Linux clipboard gives LF; the converters count CR LF.
    const QString text = Files::toCrLf(data->text());
    if (text.isEmpty()) {
        Prompts::MsgBox(QStringLiteral("クリップボードの中に何も入っていません。"), Prompts::vbCritical);
        return QString();
    }
    return withHtml != 0 ? AddParagraphTags(text) : text;
}

bool ImportTaggedDiariesFromClipboard(int WithHtml) {
    const QString text = GetClipboardText(0);
    return !text.isEmpty() && ClipboardImport::importTagged(Shell::state().databasePath(), text, WithHtml);
}

bool ImportPlainRaravFromClipboard(int WithHtml) {
    const QString text = GetClipboardText(0);
    return !text.isEmpty() && ClipboardImport::importPlain(Shell::state().databasePath(), text, WithHtml);
}

}  // namespace ClipboardText
