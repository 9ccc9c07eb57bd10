#pragma once

#include "TestArchive.h"

#include <QDate>
#include <QVariant>

// Builders of the documents, rows and movements the accounting tests read,
// written straight into the tables as the document screens leave them.
namespace fixture {

// Seeded VAT codes used by the tests.
namespace vat {
inline constexpr int standard = 1; // 22%
inline constexpr int reduced = 2;  // 10%
inline constexpr int minimum = 4;  // 4%
inline constexpr int outside = 6;  // N2.1
inline constexpr int flatRate = 7; // N2.2
inline constexpr int exempt = 16;  // N4
double rateOf(int code);
} // namespace vat

qint64 supplierDocument(db::Database& db, bool credit, const QDate& date, const QDate& registered,
                        const QString& number = QStringLiteral("A1"),
                        const QString& supplier = QStringLiteral("Marmi Rossi"));
// A supplier row with its stored net.
qint64 supplierRow(db::Database& db, bool credit, qint64 document, double net, int vatCode,
                   const QVariant& account = 1);
qint64 customerDocument(db::Database& db, bool credit, const QDate& date, bool splitPayment = false,
                        int number = 1, const QString& customer = QStringLiteral("Bianchi Mario"));
qint64 customerRow(db::Database& db, bool credit, qint64 document, double quantity, double price,
                   double discount, int vatCode, const QVariant& account = 1);
qint64 movement(db::Database& db, const QDate& date, double in, double out, bool takings,
                const QVariant& vatCode = {});

// A year of every kind of document, with rows on every code, discounts,
// negative rows, split payment, late registrations and stock unloads.
void generate(db::Database& db, int year, quint32 seed, int documents);

} // namespace fixture
