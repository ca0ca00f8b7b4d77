#pragma once
// A diary of a given size for benchmarks: a database made from the shipped
// schema and filled with entries of realistic length, deterministically.
#include <QString>

namespace Corpus {

struct Shape {
    int years = 10;
    int entriesPerDay = 1;
    int bodyChars = 600;  // characters of Japanese and markup per body
};

// Writes rarav.mdb into folder (which must exist) and returns its path.
QString makeDiary(const QString& folder, const Shape& shape);

}  // namespace Corpus
