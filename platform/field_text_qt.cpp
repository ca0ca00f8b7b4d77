#include "platform/field_text.h"

#include <QPlainTextEdit>
#include <QTextDocument>

namespace FieldText {

QString of(const QPlainTextEdit* field) {
    QString text = field->document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return text;
}

}  // namespace FieldText
