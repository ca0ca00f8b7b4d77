#pragma once
// How a blog description's VALUE_/Type_ pairs act on the page: fields,
// buttons, the genre list and the three choices.
#include "web/blog_description.h"
#include "web/blog_page.h"

namespace BlogFields {

// "NAME": the named element of the form; "TEXTAREA" (where allowed): the
// indexed multi-line field; anything else: the indexed "INPUT" element.
void setField(BlogPage& page, const BlogField& field, int form, const QString& value, bool textareaAllowed = false);
// "NAME" clicks, "SUBMIT" submits the form, any other type clicks the
// indexed "INPUT" element.
void pressButton(BlogPage& page, const BlogField& button, int form);
// "NAME", "SUBMIT" and "INPUT"; any other type triggers nothing.
void pressLogin(BlogPage& page, const BlogField& button, int form);
// Skipped when the genre's VALUE_ is "".
void chooseGenre(BlogPage& page, const BlogDescription& d, const QString& genre);

enum class Stem { UnderWrite, AcceptComment, AcceptPing };
// flag: the blog setting of the stem; a type the stem does not handle leaves
// the page unchanged.
void applyChoice(BlogPage& page, const BlogChoice& choice, Stem stem, bool flag, int postForm);

// The text of an index key as a number; throws RuntimeError (type mismatch)
// when it is not one.
int indexOf(const QString& text);

}  // namespace BlogFields
