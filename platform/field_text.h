#pragma once
// The text of a plain-text field as the user sees it, with LF line ends.
#include <QString>

class QPlainTextEdit;

namespace FieldText {

// Unlike QPlainTextEdit::toPlainText(), which turns every no-break space into
// a blank and every line separator into a line end, only the document's own
// paragraph breaks become LF: text pasted from web pages keeps each of its
// characters.
QString of(const QPlainTextEdit* field);

}  // namespace FieldText
