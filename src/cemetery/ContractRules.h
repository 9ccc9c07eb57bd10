#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "db/RegistryRecord.h"

#include <QDate>
#include <QList>
#include <QVariantMap>
#include <optional>

namespace cemetery {

// Concession contracts: a header (ContrattiTestata), priced rows covering a
// period each (ContrattiRighe, key IDX) and the linked deceased
// (ContrattiDefunti). Every write below is one transaction unless it says it
// runs inside the caller's.
class ContractRules {
public:
    // "Aggiungi" on the list: number = highest number of every contract + 1,
    // dated today, not in history, with the table's defaults. Its key.
    static qint64 insertNew(db::Database& db, const QDate& today);

    // "Salva" checks, in order: number, date, customer.
    static std::optional<common::Failure> validateHeader(const QVariantMap& header);

    // The header columns copied from the chosen customer: Cliente_ID,
    // Cliente (the document name) and, when the customer has payment terms,
    // ModPagamento_Id. Empty when the customer does not exist.
    static db::Values customerValues(db::Database& db, qint64 customerId);
    // The card's save: the customer's columns copied onto the contract when
    // the customer differs from previousCustomerId or no name was copied yet.
    // One transaction.
    static void copyCustomer(db::Database& db, qint64 contractId, qint64 customerId,
                             qint64 previousCustomerId);

    // Closed when no row of the contract is open (a contract without rows
    // counts as closed). Writes and returns the flag; runs inside the
    // caller's transaction when there is one.
    static bool recomputeClosed(db::Database& db, qint64 contractId);

    // ---- rows

    // The columns every new row starts with: the contract, its date (today
    // when it has none), the period of the current year, not closed, not
    // invoiced, not in history, and the row number (rows + 1 when the
    // option IncrementaNumeroRigaArticoli is on, else 1).
    static QVariantMap newRow(db::Database& db, qint64 contractId, const QDate& today);

    // Adds the article with that code (not cancelled), priced for the
    // contract's customer as an invoice row. The failure when the code is
    // not in the price list; rowId receives the new key.
    static std::optional<common::Failure> addByCode(db::Database& db, qint64 contractId,
                                                    const QString& code, const QDate& today,
                                                    qint64* rowId = nullptr);
    // One row per article, in the given order. The new keys.
    static QList<qint64> addArticles(db::Database& db, qint64 contractId,
                                     const QList<qint64>& articleIds, const QDate& today);
    // "Articolo non in archivio": a free row at 1 plus the default VAT.
    static qint64 addFreeRow(db::Database& db, qint64 contractId, const QDate& today);

    // Row editor checks, in order: quantity, unit price, VAT.
    static std::optional<common::Failure> validateRow(const QVariantMap& row);
    // Pagato follows DataPagamento; net and gross recomputed as on invoices.
    static void completeRow(QVariantMap& row);
    // The row editor's save, once the framework wrote the typed fields: the
    // completed columns written and the contract's closed flag recomputed.
    // One transaction; the row receives the completed values.
    static void completeRowSave(db::Database& db, qint64 rowId, QVariantMap& row);
    // The VAT code's rate into AliquotaIva (Iva_ID already set), amounts again.
    static void chooseVat(db::Database& db, QVariantMap& row);
    // Deletes a row (an article row gives its quantity back to stock) and
    // recomputes the contract's flag.
    static void deleteRow(db::Database& db, qint64 rowId);
    // Inside the caller's transaction: the stock back, then the row goes.
    static void removeRowInTransaction(db::Database& db, qint64 rowId);

    // Deletes the contract: its rows (stock back), its links, the header.
    static void deleteContract(db::Database& db, qint64 contractId);
    static void deleteContractInTransaction(db::Database& db, qint64 contractId);

    // ---- deceased

    // The question to ask before linking a deceased who is already in a
    // contract; nothing when the deceased is in none.
    static std::optional<QString> alreadyLinkedQuestion(db::Database& db, qint64 deceasedId);
    // Links the deceased (with a copy of the displayed name); the new IdX.
    static qint64 linkDeceased(db::Database& db, qint64 contractId, qint64 deceasedId);
    static void unlinkDeceased(db::Database& db, qint64 linkId);

    // ---- list

    struct Filter {
        QDate from;
        QDate to;
        qint64 number = 0;
        qint64 customerId = 0;
        qint64 deceasedId = 0;
    };
    // The Jet condition of the list's filter (empty for no filter).
    static QString filterCondition(db::Database& db, const Filter& filter);

    // ---- invoice

    // The invoice a row was put on (Fattura_ID), when it still exists.
    struct InvoiceRef {
        qint64 id = 0;
        QString number; // series/number as shown
        QDate date;
    };
    static std::optional<InvoiceRef> invoiceOfRow(db::Database& db, qint64 rowId);
};

} // namespace cemetery
