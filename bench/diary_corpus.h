#pragma once
// A diary of many years for the benchmarks: one to three entries a day of
// about 600 characters of Japanese text, some private, with genres and
// weather, in a database made from the shipped schema.
#include <QDate>
#include <QString>

void makeDiaryCorpus(const QString& databasePath, const QString& schemaPath, const QDate& first, const QDate& last);
