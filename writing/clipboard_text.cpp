#include "writing/clipboard_text.h"

#include "core/rarav_ini.h"
#include "core/shared_state.h"

namespace ClipboardText {

QString AddParagraphTags(const QString& text, const QString& pTagAdd) {
    const QString crlf = QStringLiteral("\r\n");
    const QString opening = pTagAdd.isEmpty() ? QStringLiteral("<P>") : QStringLiteral("<P ") + pTagAdd + QStringLiteral(">");
    const QString close = QStringLiteral("</P>");
    QString s = text;
    s.replace(crlf + crlf, close + opening);
    s.replace(crlf, QStringLiteral("<BR>") + crlf);
    s.replace(close + opening, close + crlf + opening);
    return opening + s + close;
}

QString AddParagraphTags(const QString& text) {
    return AddParagraphTags(text, RaravIni::read(Shell::state().RaravIniFile, RaravIni::P_TagAdd));
}

}  // namespace ClipboardText
