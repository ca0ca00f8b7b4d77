#pragma once
// Clipboard text for the editor and the clipboard imports.
#include <QString>

namespace ClipboardText {

// Empty lines become paragraph breaks and the other line ends "<BR>"; the
// whole is wrapped in the paragraph tag ("<P " + pTagAdd + ">" when the
// attribute text is not empty). Line ends are CR LF.
QString AddParagraphTags(const QString& text, const QString& pTagAdd);
// The same with the attribute text read from rarav.ini on every call.
QString AddParagraphTags(const QString& text);

// The clipboard's plain text with CR LF line ends, converted when withHtml is
// non-zero; "" after a message when there is no text. Lives in the window
// library, since the clipboard needs the GUI.
QString GetClipboardText(int withHtml);

// The clipboard imports into the user's database (see clipboard_import.h);
// false when nothing was read or stored, and the caller then stops quietly.
bool ImportTaggedDiariesFromClipboard(int WithHtml);
bool ImportPlainRaravFromClipboard(int WithHtml);

}  // namespace ClipboardText
