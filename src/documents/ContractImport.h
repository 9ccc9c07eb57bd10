#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <optional>

namespace documents {

// Contract rows (ContrattiRighe) imported into a customer invoice.
class ContractImport {
public:
    struct Choice {
        qint64 rowId = 0;      // ContrattiRighe.IDX
        qint64 contractId = 0; // ContrattiTestata.Id
        QString label;         // " Num. Riga: 1 Data inizio:01/01/2025 data fine: 31/12/2025"
        qint64 number = 0;     // the contract's Numero
        QDate date;            // the contract's Data
        qint64 rowNumber = 0;  // NumeroRiga
    };
    // The customer's contract rows not yet invoiced.
    static QList<Choice> available(db::Database& db, qint64 customerId);

    // Imports a contract row: marks it invoiced by this invoice, links it
    // once, replaces an earlier import of it and recomputes. One transaction.
    static std::optional<common::Failure> import(db::Database& db, qint64 invoiceId,
                                                 qint64 contractRowId);
    // Removes it: the contract row can be invoiced again, its invoice rows
    // (stock back) and its link go, totals recomputed.
    static void remove(db::Database& db, qint64 invoiceId, qint64 contractRowId);
};

} // namespace documents
