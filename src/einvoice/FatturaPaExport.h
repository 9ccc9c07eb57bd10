#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QString>

namespace einvoice {

// "Esporta xml": writes one saved customer invoice or credit note as a
// FatturaPA file, with its checks and questions, and marks it exported.
class FatturaPaExport {
public:
    struct Request {
        qint64 documentId = 0;
        // The file to write; empty asks for it with the save dialog in the
        // export folder of the options (and confirms an overwrite).
        QString file;
    };
    struct Result {
        bool written = false;
        QString file;
        QString failure; // the text of the message that stopped the export
    };

    static Result run(db::Database& db, common::Interaction& interaction, const Request& request);
};

} // namespace einvoice
