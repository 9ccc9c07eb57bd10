#pragma once

#include "db/Database.h"

// Documents and registry rows the printing tests draw.
struct Samples {
    qint64 customer = 0;
    qint64 supplier = 0;
    qint64 terms = 0;
    qint64 bank = 0;
    qint64 invoice = 0;
    qint64 creditNote = 0;
    qint64 quote = 0;
    qint64 receipt = 0;
    qint64 ddt = 0;
    qint64 order = 0;
    qint64 deceased = 0;
    qint64 staff = 0;
    qint64 supplierOrder = 0;
    qint64 settlement = 0;
    qint64 monthlySettlement = 0;

    static Samples create(db::Database& db);
    // The sample a report of the catalogue prints, by its code: a document
    // or a registry row; null for the lists, which print what they select.
    QVariant recordFor(int code) const;
    // Adds rows to the invoice until it holds count rows.
    static void addInvoiceRows(db::Database& db, qint64 invoice, int count);
    static void addAccountingSamples(db::Database& db, Samples& s);
    // A drawn logo in ditta.Logo, or none.
    static void setLogo(db::Database& db, bool present);
    static void setOption(db::Database& db, const QString& column, const QVariant& value);
};
