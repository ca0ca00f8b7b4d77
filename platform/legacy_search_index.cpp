#include "platform/legacy_search_index.h"

#include "platform/database.h"
#include "platform/search_pairs.h"

#include <cstring>
#include <sqlite3.h>

namespace LegacySearchIndex {

namespace {

struct Pairs {};

int createPairs(void*, const char**, int, Fts5Tokenizer** out) {
    *out = reinterpret_cast<Fts5Tokenizer*>(new Pairs);
    return SQLITE_OK;
}

void deletePairs(Fts5Tokenizer* t) { delete reinterpret_cast<Pairs*>(t); }

// The old index's words: each pair of neighbouring characters. Deleting a
// row from it must produce exactly the words it once stored.
int tokenizePairs(Fts5Tokenizer*, void* ctx, int, const char* text, int size,
                  int (*token)(void*, int, const char*, int, int, int)) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    int first = 0;
    if (size <= 0) return SQLITE_OK;
    int firstLength = SearchPairs::characterLength(p, size);
    while (first + firstLength < size) {
        const int second = first + firstLength;
        const int secondLength = SearchPairs::characterLength(p + second, size - second);
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

bool present(Database& db) {
    return db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE ") + kObjects).toInt() > 0;
}

void drop(Database& db) {
    db.execScript(QStringLiteral("DROP TRIGGER IF EXISTS ContentsSearchInsert;\n"
                                 "DROP TRIGGER IF EXISTS ContentsSearchDelete;\n"
                                 "DROP TRIGGER IF EXISTS ContentsSearchUpdate;\n"
                                 "DROP TABLE IF EXISTS ContentsSearch;\n"));
}

}  // namespace LegacySearchIndex
