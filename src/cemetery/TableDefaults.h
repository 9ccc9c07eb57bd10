#pragma once

#include "db/Database.h"

#include <QList>
#include <QString>
#include <QVariantMap>

namespace cemetery {

// Values a workstation wants on every new row of a table (Personalizzazioni:
// NomeComputer, NomeTabella, NomeCampo, Valore). Valore is text as the user
// typed it: dates dd/MM/yyyy, numbers with a decimal comma, yes/no as
// "Sì"/"No" (also "Vero"/"Falso", "1"/"0", "true"/"false").
class TableDefaults {
public:
    struct Entry {
        QString column;
        QString value;
    };

    // Sets the stored defaults of this workstation for the table on a row
    // about to be inserted. A default replaces a value already given; a
    // column the table does not have, or a text that cannot be read as the
    // column's type, is skipped.
    static void apply(db::Database& db, const QString& table, db::Values& values);
    static void apply(db::Database& db, const QString& table, QVariantMap& values);

    // The text converted to the column's type; null when it cannot be read.
    static QVariant convert(const QString& table, const QString& column, const QString& text);

    // This workstation's defaults for the table, by column.
    static QList<Entry> entries(db::Database& db, const QString& table);
    // Replaces this workstation's defaults for the table (one transaction).
    // Rows with an empty column are dropped.
    static void store(db::Database& db, const QString& table, const QList<Entry>& entries);
    // Columns a default may be set for: all but the key, in schema order.
    static QStringList columns(const QString& table);
};

} // namespace cemetery
