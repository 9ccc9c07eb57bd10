#pragma once

#include "common/Interaction.h"

#include <QString>
#include <QVariantMap>
#include <optional>

namespace db {
class Database;
}

namespace einvoice {

// The files attached to a customer invoice or credit note (Fattura_Allegati).
// The row only points at the file, which stays where it is and is read when
// the electronic invoice is written.
namespace attachments {

// A new row for the document, in its own transaction; its key.
qint64 add(db::Database& db, qint64 documentId);
// The row's editable columns (NomeAttachment, DescrizioneAttachment,
// AlgoritmoCompressione, FormatoAttachment, PercorsoCompleto); empty when
// the row is gone.
QVariantMap load(db::Database& db, qint64 attachmentId);
// The checks of "Salva", in order: name, path, the file must exist.
std::optional<common::Failure> check(const QVariantMap& values);
// Checks, then writes the editable columns in one transaction.
std::optional<common::Failure> save(db::Database& db, qint64 attachmentId,
                                    const QVariantMap& values);
void remove(db::Database& db, qint64 attachmentId);

// A chosen file fills path, name and format (the extension in upper case);
// the description is left alone.
void fillFromFile(QVariantMap& values, const QString& path);

} // namespace attachments

} // namespace einvoice
