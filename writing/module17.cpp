#include "writing/module17.h"

#include "shell/rarav_ini.h"
#include "shell/shared_state.h"

namespace Module17 {

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

}  // namespace Module17
