#pragma once
// The words the search index stores for a text: every pair of neighbouring
// characters, ASCII letters folded to lower case as Like folds them, so that
// a keyword of two or more characters is a phrase of its pairs wherever it
// stands. The pairs are spelt so that SQLite's built-in "ascii" tokenizer
// reads each as one word and no two pairs alike: characters outside ASCII,
// digits and the letters a to y stand as they are; every other ASCII
// character (the letter z, punctuation, spaces, control characters) becomes
// "z" and its two hex digits. Any SQLite can therefore read and write the
// index; nothing has to be registered.
#include <QByteArray>

namespace SearchPairs {

// The pairs of a UTF-8 text, separated by spaces, in the order they stand
// ("" for a text of fewer than two characters). Bytes that are no UTF-8
// count as one character each, so every text has its pairs.
QByteArray of(const QByteArray& utf8);

// Length of the character starting at p, of at most `left` bytes: its UTF-8
// sequence, or 1 for a byte that starts no whole sequence. A sequence never
// takes in a byte that starts another, so a keyword's characters are split
// alike in any text that holds it.
int characterLength(const unsigned char* p, qsizetype left);

}  // namespace SearchPairs
