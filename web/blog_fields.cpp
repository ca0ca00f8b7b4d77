#include "web/blog_fields.h"

#include "platform/runtime_error.h"

namespace BlogFields {

namespace {

const QString kName = QStringLiteral("NAME");
const QString kSubmit = QStringLiteral("SUBMIT");
const QString kInput = QStringLiteral("INPUT");
const QString kSelect = QStringLiteral("SELECT");

BlogElement input(const QString& index) { return BlogElement::byTag(kInput, indexOf(index)); }

void checkBoxes(BlogPage& page, const BlogElement& first, bool firstChecked, const BlogElement& second) {
    page.setChecked(first, firstChecked);
    page.setChecked(second, !firstChecked);
}

}  // namespace

int indexOf(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok) throw RuntimeError(ErrorNumber::TypeMismatch, QStringLiteral("型が一致しません。"));
    return n;
}

void setField(BlogPage& page, const BlogField& field, int form, const QString& value, bool textareaAllowed) {
    if (field.type == kName)
        page.setValue(BlogElement::inForm(form, field.value), value);
    else if (textareaAllowed && field.type == QStringLiteral("TEXTAREA"))
        page.setValue(BlogElement::byTag(QStringLiteral("TEXTAREA"), indexOf(field.value)), value);
    else
        page.setValue(input(field.value), value);
}

void pressButton(BlogPage& page, const BlogField& button, int form) {
    if (button.type == kName)
        page.click(BlogElement::inForm(form, button.value));
    else if (button.type == kSubmit)
        page.submit(form);
    else
        page.click(input(button.value));
}

void pressLogin(BlogPage& page, const BlogField& button, int form) {
    if (button.type == kName || button.type == kSubmit || button.type == kInput) pressButton(page, button, form);
}

void chooseGenre(BlogPage& page, const BlogDescription& d, const QString& genre) {
    if (d.Genre.value.isEmpty()) return;
    if (d.Genre.type != kSelect && d.Genre.type != kName) return;
    page.selectOptionByText(BlogElement::firstNamed(d.Genre.value), genre);
    if (d.Genre.type == kName) page.setValue(input(d.Genre2), genre);
}

void applyChoice(BlogPage& page, const BlogChoice& c, Stem stem, bool flag, int postForm) {
    const QString& type = c.type;
    if (type == QStringLiteral("NAMECHECKBOX")) {
        // Marker "1": the box means the setting itself; otherwise its opposite
        // (a draft box for the publication choice).
        const bool standsForFlag = c.no == QStringLiteral("1");
        page.setChecked(BlogElement::inForm(postForm, c.yes), standsForFlag ? flag : !flag);
    } else if (type == QStringLiteral("INPUTCHECKBOX")) {
        if (stem != Stem::UnderWrite) return;
        const bool firstMeansFlag = c.radioNo == QStringLiteral("1");
        checkBoxes(page, input(c.yes), firstMeansFlag ? flag : !flag, input(c.no));
    } else if (type == QStringLiteral("NAMESELECT") || type == QStringLiteral("INPUTSELECT")) {
        const bool named = type == QStringLiteral("NAMESELECT");
        QString on = c.radioYes, off = c.radioNo;
        if (named && stem == Stem::AcceptPing) {
            on = QStringLiteral("1");
            off = QStringLiteral("0");
        }
        const BlogElement first = named ? BlogElement::inForm(postForm, c.yes) : input(c.yes);
        const BlogElement second = named ? BlogElement::inForm(postForm, c.no) : input(c.no);
        page.setValue(first, flag ? on : off);
        page.setValue(second, flag ? off : on);
    } else if (type == kSelect) {
        if (stem == Stem::AcceptPing) return;
        if (c.yes.isEmpty())
            throw RuntimeError(ErrorNumber::InvalidArgument, QStringLiteral("選択リストの名前がありません。"));
        page.selectOptionByText(BlogElement::firstNamed(c.yes), flag ? c.radioYes : c.radioNo);
    }
}

}  // namespace BlogFields
