#include "documents/DocumentTables.h"

#include "db/DbError.h"

namespace documents {

namespace {

DocumentTables secondary(const char* header, const char* rows, const char* parent,
                         const char* rowKey, TotalsFamily totals, bool movesStock) {
    DocumentTables t;
    t.rows = QString::fromLatin1(rows);
    t.parent = QString::fromLatin1(parent);
    t.header = QString::fromLatin1(header);
    t.rowKey = QString::fromLatin1(rowKey);
    t.totals = totals;
    t.movesStock = movesStock;
    return t;
}

} // namespace

const DocumentTables& DocumentTables::of(DocumentKind kind) {
    static const DocumentTables invoice{QStringLiteral("fattdett"),
                                        QStringLiteral("NumFatt"),
                                        QStringLiteral("F"),
                                        QStringLiteral("1"),
                                        -1,
                                        false,
                                        QStringLiteral("fattura"),
                                        QStringLiteral("IDX"),
                                        TotalsFamily::Invoice};
    static const DocumentTables creditNote{QStringLiteral("NotaCreditoRighe"),
                                           QStringLiteral("NotaCredito_ID"),
                                           QStringLiteral("N"),
                                           QStringLiteral("2"),
                                           +1,
                                           true,
                                           QStringLiteral("fattura"),
                                           QStringLiteral("IDX"),
                                           TotalsFamily::CreditNote};
    static const DocumentTables ddt =
        secondary("Ddt", "DDTRighe", "DDT_ID", "Id", TotalsFamily::Ddt, true);
    static const DocumentTables quote =
        secondary("PreventiTestata", "PreventiRighe", "Prev_ID", "Id", TotalsFamily::Quote, false);
    static const DocumentTables order =
        secondary("OrdiniClientiTestata", "OrdiniClientiRighe", "Ordine_ID", "Id",
                  TotalsFamily::CustomerOrder, false);
    static const DocumentTables receipt =
        secondary("TotaliCo", "Conti", "Testata_ID", "IDX", TotalsFamily::Receipt, true);
    switch (kind) {
    case DocumentKind::CustomerInvoice:
        return invoice;
    case DocumentKind::CustomerCreditNote:
        return creditNote;
    case DocumentKind::Ddt:
        return ddt;
    case DocumentKind::Quote:
        return quote;
    case DocumentKind::CustomerOrder:
        return order;
    case DocumentKind::Receipt:
        return receipt;
    default:
        throw db::DbError(QStringLiteral("Documento di acquisto non gestito qui"));
    }
}

} // namespace documents
