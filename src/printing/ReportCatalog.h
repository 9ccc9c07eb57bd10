#pragma once

#include "printing/ReportRequest.h"

#include <QString>
#include <optional>

namespace db {
class Database;
}

namespace printing {

// The options that choose among a report's variants.
struct VariantOptions {
    bool vatPerRow = true;   // DocumentiRigaIvato
    bool quotePrices = true; // PrezzoPreventivo
};

// What a report code writes into the request: file names, queries,
// parameter and Filtro.
struct CatalogEntry {
    QString report;    // portrait file name, "Fatture.rpt"
    QString landscape; // landscape file name, "FattureLan.rpt"
    QString query;
    QString subQuery[3];
    QString parameter;
    bool filter = false;
};

class ReportCatalog {
public:
    // The entry for the call, or none when the code has no entry or its
    // single document is missing (then the request carries no report).
    static std::optional<CatalogEntry> entry(const ReportCall& call, const VariantOptions& options);

    // False for the codes printed without the company letterhead.
    static bool hasLetterhead(int code);

    // "<Name>Lan.rpt" for "<Name>.rpt"; the price-less quote is the
    // exception ("PreventiviLan2.rpt").
    static QString landscapeName(const QString& report);

    // The codes this catalogue fills.
    static QList<int> codes();

    // The queries of the invoice and credit-note reports for a document id.
    static QString invoiceQuery(const QString& id);
    static QString invoiceInstalmentsQuery(const QString& id);
    static QString invoiceVatQuery(const QString& id);
    static QString creditNoteQuery(const QString& id);
    static QString creditNoteVatQuery(const QString& id);
};

} // namespace printing
