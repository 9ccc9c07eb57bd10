#pragma once

#include "db/Database.h"

#include <QHash>
#include <optional>
#include <vector>

namespace einvoice {

// Everything an electronic invoice is made of, read once: the customer
// invoice or credit note, its rows, instalments and attachments, the
// company, the customer and the options.
struct ExportSource {
    qint64 documentId = 0;
    bool creditNote = false;
    db::Row header;                         // fattura
    db::Row company;                        // ditta
    std::optional<db::Row> customer;        // Clienti of Cliente_ID, when it exists
    db::Row options;                        // opzioni
    std::vector<db::Row> rows;              // fattdett / NotaCreditoRighe by NumeroRiga
    std::vector<db::Row> instalments;       // FatturaScadenze by DataScadenza, Numero
    std::vector<db::Row> attachments;       // Fattura_Allegati by NomeAttachment
    QHash<qint64, QString> natureByVatCode; // Iva.Id → Pa_Natura_Codice
    // The transmission progressive written (ProgressivoInvio): the
    // document's, until the export takes a new one.
    QString progressive;

    // Empty when the document is not a customer invoice or credit note.
    static std::optional<ExportSource> load(db::Database& db, qint64 documentId);
};

} // namespace einvoice
