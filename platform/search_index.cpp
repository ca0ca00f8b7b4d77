#include "platform/search_index.h"

#include "platform/database.h"

#include <cstring>
#include <sqlite3.h>

namespace SearchIndex {

namespace {

// Length of the UTF-8 sequence starting at p (a stray byte counts as one
// character: Like reads bound text, which is always well formed).
int sequenceLength(const unsigned char* p, int left) {
    int n = 1;
    if (p[0] >= 0xF0) n = 4;
    else if (p[0] >= 0xE0) n = 3;
    else if (p[0] >= 0xC0) n = 2;
    if (n > left) return 1;
    for (int i = 1; i < n; ++i)
        if ((p[i] & 0xC0) != 0x80) return 1;
    return n;
}

struct Pairs {};

int createPairs(void*, const char**, int, Fts5Tokenizer** out) {
    *out = reinterpret_cast<Fts5Tokenizer*>(new Pairs);
    return SQLITE_OK;
}

void deletePairs(Fts5Tokenizer* t) { delete reinterpret_cast<Pairs*>(t); }

// Emits each pair of neighbouring characters as one token at successive
// positions, so that a phrase of a keyword's pairs matches exactly where the
// keyword stands.
int tokenizePairs(Fts5Tokenizer*, void* ctx, int, const char* text, int size,
                  int (*token)(void*, int, const char*, int, int, int)) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    int first = 0;
    if (size <= 0) return SQLITE_OK;
    int firstLength = sequenceLength(p, size);
    while (first + firstLength < size) {
        const int second = first + firstLength;
        const int secondLength = sequenceLength(p + second, size - second);
        char pair[8];
        const int length = firstLength + secondLength;
        std::memcpy(pair, text + first, size_t(length));
        for (int i = 0; i < length; ++i)
            if (pair[i] >= 'A' && pair[i] <= 'Z') pair[i] = char(pair[i] - 'A' + 'a');
        const int rc = token(ctx, 0, pair, length, first, second + secondLength);
        if (rc != SQLITE_OK) return rc;
        first = second;
        firstLength = secondLength;
    }
    return SQLITE_OK;
}

fts5_api* fts5Of(sqlite3* db) {
    fts5_api* api = nullptr;
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT fts5(?1)", -1, &st, nullptr) != SQLITE_OK) return nullptr;
    sqlite3_bind_pointer(st, 1, static_cast<void*>(&api), "fts5_api_ptr", nullptr);
    sqlite3_step(st);
    sqlite3_finalize(st);
    return api;
}

}  // namespace

bool registerTokenizer(sqlite3* db) {
    fts5_api* api = fts5Of(db);
    if (!api) return false;
    static fts5_tokenizer pairs{createPairs, deletePairs, tokenizePairs};
    return api->xCreateTokenizer(api, "rarav_pairs", nullptr, &pairs, nullptr) == SQLITE_OK;
}

QString schemaSql() {
    return QStringLiteral(
        "CREATE VIRTUAL TABLE ContentsSearch USING fts5(Title, Contents, content='Contents', tokenize='rarav_pairs', "
        "detail='full');\n"
        "CREATE TRIGGER ContentsSearchInsert AFTER INSERT ON Contents BEGIN\n"
        "  INSERT INTO ContentsSearch (rowid, Title, Contents) VALUES (new.rowid, new.Title, new.Contents);\n"
        "END;\n"
        "CREATE TRIGGER ContentsSearchDelete AFTER DELETE ON Contents BEGIN\n"
        "  INSERT INTO ContentsSearch (ContentsSearch, rowid, Title, Contents) VALUES ('delete', old.rowid, old.Title, "
        "old.Contents);\n"
        "END;\n"
        "CREATE TRIGGER ContentsSearchUpdate AFTER UPDATE OF Title, Contents ON Contents BEGIN\n"
        "  INSERT INTO ContentsSearch (ContentsSearch, rowid, Title, Contents) VALUES ('delete', old.rowid, old.Title, "
        "old.Contents);\n"
        "  INSERT INTO ContentsSearch (rowid, Title, Contents) VALUES (new.rowid, new.Title, new.Contents);\n"
        "END;\n");
}

void ensure(Database& db) {
    if (db.tableExists(kTable)) return;
    Transaction t(db);
    db.execScript(schemaSql());
    db.exec(QStringLiteral("INSERT INTO ContentsSearch (ContentsSearch) VALUES ('rebuild')"));
    t.commit();
}

bool available(Database& db) {
    if (db.tableExists(kTable)) return true;
    try {
        Database writer(db.path());
        ensure(writer);
    } catch (const RuntimeError&) {
        return false;
    }
    return db.tableExists(kTable);
}

QString matchQuery(const QString& keyword) {
    if (keyword.toUcs4().size() < 2) return QString();
    QString quoted = keyword;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace SearchIndex
