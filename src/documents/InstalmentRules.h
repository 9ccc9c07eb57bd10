#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "documents/DocumentKind.h"

#include <QDate>
#include <QVariantMap>
#include <optional>

namespace documents {

// One instalment (FatturaScadenze) as its card and the editors' instalment
// buttons handle it: adding one by hand, recording a payment, deleting it,
// and the cash-book movement to show. Each action that writes is one
// transaction.
class InstalmentRules {
public:
    // The editors' add button: a new unpaid instalment numbered after the
    // existing ones, with the document's terms, bank and customer, amount 0,
    // due on the document date (today when it has none). Its Id.
    static qint64 add(db::Database& db, DocumentKind kind, qint64 documentId,
                      const QDate& today = QDate::currentDate());
    // The same by the instalments' Tipo: "C" and "B" (supplier documents)
    // take the document's supplier instead of its customer.
    static qint64 add(db::Database& db, const QString& instalmentType, qint64 documentId,
                      const QDate& today = QDate::currentDate());

    static QVariantMap load(db::Database& db, qint64 instalmentId);

    // The card's checks, in order: due date, description, amount, number,
    // payment terms.
    static std::optional<common::Failure> validate(const QVariantMap& instalment);
    // "Salva": with a payment date the instalment is paid and, when the
    // company mirrors invoicing in the cash book, its movement is written or
    // updated; without one the payment and its movement are removed. The
    // record is read back.
    static std::optional<common::Failure> save(db::Database& db, QVariantMap& instalment);

    // Deletes the instalment and, when the cash book mirrors invoicing, its
    // movement.
    static void remove(db::Database& db, qint64 instalmentId);
    static QString removeQuestion() {
        return QStringLiteral("Sei sicuro di voler eliminare il Record?");
    }

    // "prima nota" of the editors: the instalment's movement when it has
    // one, else the document's issue movement; 0 for none.
    static qint64 documentMovement(db::Database& db, DocumentKind kind, qint64 documentId,
                                   qint64 instalmentId);
    // "prima nota" of the card: the instalment's own movement, when the
    // cash book mirrors invoicing; 0 for none.
    static qint64 instalmentMovement(db::Database& db, qint64 instalmentId);
};

} // namespace documents
