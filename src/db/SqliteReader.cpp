#include "db/SqliteReader.h"

#include <QByteArray>
#include <memory>
#include <sqlite3.h>

namespace db {

std::optional<DirectRows> readSqlite(sqlite3* handle, const QString& sql) {
    if (!handle)
        return std::nullopt;
    const QByteArray text = sql.toUtf8();
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(handle, text.constData(), int(text.size()), &raw, nullptr) !=
            SQLITE_OK ||
        !raw) {
        sqlite3_finalize(raw);
        return std::nullopt;
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> statement(raw, sqlite3_finalize);
    // Only reads: anything that writes goes the ordinary way.
    if (!sqlite3_stmt_readonly(raw))
        return std::nullopt;
    DirectRows out;
    const int columns = sqlite3_column_count(raw);
    for (int c = 0; c < columns; ++c)
        out.names.append(QString::fromUtf8(sqlite3_column_name(raw, c)));
    for (;;) {
        const int rc = sqlite3_step(raw);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            return std::nullopt;
        QVariantList values;
        values.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            switch (sqlite3_column_type(raw, c)) {
            case SQLITE_INTEGER:
                values.append(qint64(sqlite3_column_int64(raw, c)));
                break;
            case SQLITE_FLOAT:
                values.append(sqlite3_column_double(raw, c));
                break;
            case SQLITE_BLOB:
                values.append(QByteArray(static_cast<const char*>(sqlite3_column_blob(raw, c)),
                                         sqlite3_column_bytes(raw, c)));
                break;
            case SQLITE_NULL:
                values.append(QVariant(QMetaType::fromType<QString>()));
                break;
            default:
                values.append(
                    QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(raw, c)),
                                      sqlite3_column_bytes(raw, c)));
            }
        }
        out.rows.push_back(std::move(values));
    }
    return out;
}

} // namespace db
