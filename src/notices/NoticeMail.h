#pragma once

#include "notices/Notices.h"

#include <QList>
#include <QString>
#include <utility>

// Notices sent by e-mail: one message per ticked customer with an address,
// the filled text as its body and the letter as a PDF attachment.
namespace notices {

struct MailOutcome {
    QStringList reached;                       // names of the customers reached
    QList<Customer> noAddress;                 // customers without an e-mail address
    QList<std::pair<QString, QString>> failed; // name, reason
    bool stopped = false;                      // "Interrompi" before the end
};

struct MailRequest {
    QList<qint64> customers; // ticked, in list order
    QDate dueFrom;
    QDate dueTo;
    QString subject;
    bool attachLetter = true;
    QString caFile;              // certificates to trust: tests only
    QStringList templateFolders; // the letter's templates: empty for the shipped ones
};

// The fields are checked first (nothing is sent when one does not exist)
// and the mail options; then each customer in turn, the progress window
// telling who is next and able to stop. A customer that fails does not stop
// the others. The filled texts stay as this workstation's ticked customers,
// so the letters of those without address can be printed next.
std::optional<common::Failure> sendNotices(db::Database& db, common::Interaction& ui,
                                           const MailRequest& request, MailOutcome* outcome);

// The summary shown at the end.
QString outcomeText(const MailOutcome& outcome);

// The report request's selection for some of this workstation's letters
// (all of them when customers is empty).
QString letterSelection(const QString& workstation, const QList<qint64>& customers = {});

} // namespace notices
