#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>
#include <optional>

// Customer notices: the catalogue of prepared texts (Avvisi), the text being
// prepared on this workstation (TempAvvisi), the choice of customers and the
// fields filled per customer.
namespace notices {

// The catalogue card's checks: the description, then the text.
std::optional<common::Failure> checkNotice(const QVariantMap& values);
// The catalogue's order.
QString catalogueQuery();
// "Aggiungi": a notice with an empty description; its key.
qint64 insertNotice(db::Database& db);
// "Elimina" after the question; false when the user said no.
bool deleteNotice(db::Database& db, common::Interaction& ui, qint64 id);

// This workstation's text; its row is made when missing.
QString workText(db::Database& db);
// "Salva" and "Continua" of the first step: the text is required.
std::optional<common::Failure> saveWorkText(db::Database& db, const QString& text);
// Copies a catalogue notice's text into this workstation's text after the
// question; false when the user said no or the notice is gone.
bool importNotice(db::Database& db, common::Interaction& ui, qint64 noticeId);

// The second step's filters; null ids and empty texts are not applied.
struct Filters {
    QVariant paymentId;
    QVariant categoryId;
    QVariant comuneId;
    QString province;
    QString notes;
    QDate dueFrom;
    QDate dueTo;
    bool publicAdministration = false;
    bool paid = false;
};
// The customer query, built in the second step's fixed order.
QString customerQuery(const Filters& filters);

struct Customer {
    qint64 id = 0;
    QString name; // NominativoVisualizzato
};
// The customers the filters choose, each once, in the query's order.
QList<Customer> chooseCustomers(db::Database& db, const Filters& filters);

// The fields a text may name in braces.
QStringList fieldNames();
// The check made before anything is printed or sent: the text names only
// known fields.
std::optional<common::Failure> checkFields(const QString& text);
// The text with the customer's fields filled. The amount due and the
// instalments are the customer's unpaid ones due in the range (open ends
// when a date is null).
QString fillFields(db::Database& db, const QString& text, qint64 customerId, const QDate& dueFrom,
                   const QDate& dueTo);

// "Stampa": the fields checked, then this workstation's ticked customers
// replaced with these, each with the text filled for them, in one
// transaction. The report request is the caller's.
std::optional<common::Failure> prepareLetters(db::Database& db, const QList<qint64>& customers,
                                              const QDate& dueFrom, const QDate& dueTo);

} // namespace notices
