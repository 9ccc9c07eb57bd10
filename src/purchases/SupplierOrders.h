#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QDate>
#include <QStringList>
#include <QVariantMap>
#include <optional>

namespace purchases {

// Purchase orders sent to suppliers (OrdiniTestata, rows in OrdiniRighe):
// numbering, the checks before rows are added, rows from the price list or
// free, the import of the supplier's articles under their minimum stock,
// totals, the e-mail text. Every function that writes is one transaction.
class SupplierOrders {
public:
    static QString lockName() { return QStringLiteral("numero ordine fornitore"); }
    static QString title() { return QStringLiteral("Messaggio di Avviso!!"); }

    // "Aggiungi": Numero = the highest of the orders not in history + 1.
    static qint64 create(db::Database& db, bool history, const QDate& today = QDate::currentDate());
    static QVariantMap load(db::Database& db, qint64 id);
    // Number, date and supplier must be saved before rows are added.
    static std::optional<common::Failure> validate(const QVariantMap& header);
    // Writes the header (supplier name copied) and its totals.
    static std::optional<common::Failure> save(db::Database& db, QVariantMap& header);
    static void remove(db::Database& db, qint64 id);

    // A price-list article at the supplier's conditions; its row key.
    static qint64 addArticle(db::Database& db, qint64 orderId, qint64 articleId,
                             double quantity = 1);
    // The code box: articles not cancelled only.
    static std::optional<common::Failure> addByCode(db::Database& db, qint64 orderId,
                                                    const QString& code, qint64* rowId = nullptr);
    // "Articolo non in archivio" and "Spese di Trasporto".
    static qint64 addFreeRow(db::Database& db, qint64 orderId);
    static qint64 addTransport(db::Database& db, qint64 orderId);
    // "Importa tutti gli articoli Sottoscorta": the supplier's articles under
    // their minimum stock never ordered from it, each for what is missing.
    // The descriptions of the articles added.
    static QStringList importUnderStock(db::Database& db, qint64 orderId);
    static QString underStockMessage(const QStringList& added);

    static QVariantMap loadRow(db::Database& db, qint64 rowId);
    static void saveRow(db::Database& db, QVariantMap& row);
    static void removeRow(db::Database& db, qint64 rowId);
    static void recompute(db::Database& db, qint64 orderId);

    // "Invia Email": the supplier's address, subject and text, or why the
    // order cannot be sent.
    struct Email {
        QString address;
        QString subject;
        QString text;
    };
    static std::optional<common::Failure> email(db::Database& db, qint64 orderId, Email* out);
};

} // namespace purchases
