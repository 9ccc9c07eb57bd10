#include "db/SqliteFunctions.h"

#include "db/DbError.h"

#include <QString>
#include <sqlite3.h>

namespace db {

namespace {

QString folded(const void* data, int bytes) {
    return QString::fromUtf8(static_cast<const char*>(data), bytes).toCaseFolded();
}

int compareNoCase(void*, int n1, const void* s1, int n2, const void* s2) {
    // Plain ASCII is compared in place; anything else goes through Unicode folding.
    const auto* a = static_cast<const unsigned char*>(s1);
    const auto* b = static_cast<const unsigned char*>(s2);
    const int n = n1 < n2 ? n1 : n2;
    int i = 0;
    for (; i < n; ++i) {
        const unsigned char ca = a[i], cb = b[i];
        if (ca >= 0x80 || cb >= 0x80)
            break;
        const int la = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
        const int lb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
        if (la != lb)
            return la - lb;
    }
    if (i == n && (i == n1 || a[i] < 0x80) && (i == n2 || b[i] < 0x80))
        return n1 - n2;
    return folded(a + i, n1 - i).compare(folded(b + i, n2 - i));
}

// Searches ignore accents: "citta" finds "Città".
QString withoutAccents(const QString& text) {
    bool plain = true;
    for (const QChar c : text)
        if (c.unicode() >= 0x80) {
            plain = false;
            break;
        }
    if (plain)
        return text;
    QString out;
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    out.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            out += c;
    return out;
}

void likeFunction(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const unsigned char* pattern = sqlite3_value_text(argv[0]);
    const unsigned char* text = sqlite3_value_text(argv[1]);
    if (!pattern || !text) {
        sqlite3_result_null(ctx);
        return;
    }
    if (argc == 3) {
        sqlite3_result_error(ctx, "ESCAPE non ammesso", -1);
        return;
    }
    const QString p = withoutAccents(folded(pattern, sqlite3_value_bytes(argv[0])));
    const QString t = withoutAccents(folded(text, sqlite3_value_bytes(argv[1])));
    sqlite3_result_int(ctx, likeMatch(reinterpret_cast<const char16_t*>(p.utf16()), p.size(),
                                      reinterpret_cast<const char16_t*>(t.utf16()), t.size())
                                ? 1
                                : 0);
}

} // namespace

bool likeMatch(const char16_t* p, qsizetype plen, const char16_t* t, qsizetype tlen) {
    // Iterative match with backtracking to the last %.
    // A backslash makes the next character of the pattern plain.
    qsizetype pi = 0, ti = 0, starP = -1, starT = 0;
    while (ti < tlen) {
        if (pi + 1 < plen && p[pi] == u'\\' && p[pi + 1] == t[ti]) {
            pi += 2;
            ++ti;
        } else if (pi < plen && p[pi] != u'\\' && p[pi] != u'%' &&
                   (p[pi] == u'_' || p[pi] == t[ti])) {
            ++pi;
            ++ti;
        } else if (pi < plen && p[pi] == u'%') {
            starP = pi++;
            starT = ti;
        } else if (starP >= 0) {
            pi = starP + 1;
            ti = ++starT;
        } else {
            return false;
        }
    }
    while (pi < plen && p[pi] == u'%')
        ++pi;
    return pi == plen;
}

void installSqliteTextRules(sqlite3* handle) {
    int rc = sqlite3_create_collation(handle, "NOCASE", SQLITE_UTF8, nullptr, compareNoCase);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(handle, "like", 2, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                     likeFunction, nullptr, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_function(handle, "like", 3, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                                     likeFunction, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw DbError(QStringLiteral("Impossibile preparare l'archivio SQLite: %1")
                          .arg(QString::fromUtf8(sqlite3_errmsg(handle))));
}

} // namespace db
