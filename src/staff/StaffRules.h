#pragma once

#include "common/Interaction.h"
#include "db/Database.h"
#include "registries/VCard.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QVariantMap>
#include <optional>

// The staff registry (table Personale) and the three lists hanging on each
// person: deadlines (PersonaleScadenze), costs (PersonaleCosti) and monthly
// salaries (PersonaleStipendi). Every failure carries the title "Messaggio
// di errore" and the column to focus.
namespace staff {

// The card's checks before it is written: the name, then the country.
std::optional<common::Failure> checkStaff(const QVariantMap& values);
// After the card is written (inside its transaction): the person's name
// reaches every calendar entry that refers to them.
void renameOnCalendar(db::Database& db, qint64 staffId);

// "Calcola" beside the daily rate: the monthly pay over 21 working days,
// rounded to cents. Fails (on PagaMensile) when the pay is not above zero.
std::optional<common::Failure> dailyRate(const QVariant& monthlyPay, double* rate);
// "Calcola" beside the hourly rate: an eighth of the daily rate, rounded.
// Fails (on TariffaGiornaliera) when the daily rate is not above zero.
std::optional<common::Failure> hourlyRate(const QVariant& dailyRate, double* rate);

// The working folder: its path must be given and the folder must exist.
std::optional<common::Failure> checkWorkingFolder(const QString& path);

// The dependent cards' checks, first failing one wins.
std::optional<common::Failure> checkDeadline(const QVariantMap& values);
std::optional<common::Failure> checkCost(const QVariantMap& values);
std::optional<common::Failure> checkSalary(const QVariantMap& values);

// The salary card's "Calcola": Base + Trasferta + Addebiti - Accrediti,
// empty amounts counting as zero, not rounded.
double salaryTotal(const QVariantMap& values);

// "Nuovo" on each dependent list, one transaction each; the new row's key.
// A deadline falls and is reminded on the day, not done.
qint64 insertDeadline(db::Database& db, qint64 staffId, const QDate& today);
// A cost dated on the day.
qint64 insertCost(db::Database& db, qint64 staffId, const QDate& today);
// A salary of the current year whose base is the person's monthly pay.
qint64 insertSalary(db::Database& db, qint64 staffId, const QDate& today);

// Before a person is deleted (inside the deletion's transaction): their
// deadlines, costs and salaries go with them.
void deleteDependents(db::Database& db, qint64 staffId);

// The delete questions of the three lists.
QString deadlineDeleteQuestion();
QString costDeleteQuestion();
QString salaryDeleteQuestion();

// Deadlines not done whose reminder date has come, of people not cancelled,
// by reminder date: Id, Personale_ID, Personale, Descrizione, Tipologia,
// DataScadenza, DataAvviso, Note.
db::Result deadlineReminders(db::Database& db, const QDate& today);

// What the staff print screen prints and its choices: the people (list,
// identity documents, telephone book), their deadlines (by person, or those
// not done by date), their costs (by person, by type, summed) and their
// salaries (by person, by month, with their descriptions, summed by year).
enum class PrintKind {
    List,
    Documents,
    Contacts,
    Deadlines,
    OpenDeadlines,
    Costs,
    CostsByType,
    CostSummary,
    Salaries,
    SalariesByMonth,
    SalaryDescriptions,
    SalariesByYear
};
struct PrintChoice {
    PrintKind kind = PrintKind::List;
    qint64 person = 0; // 0: everyone
    QString from;      // dd/MM/yyyy, or empty
    QString to;
    int year = 0;  // salaries; 0: any
    int month = 0; // salaries; 0: any
};
// The Jet selection of the print (empty: everything), or the failure of a
// date that does not exist (fields txtDallaData, txtAllaData) or of a
// range that ends before it starts. The prints of people take the person
// only; the dates limit the deadlines by their due date, the costs by their
// date and the salaries by their payment date; year and month limit the
// salaries.
std::optional<common::Failure> printSelection(const PrintChoice& choice, QString* selection);

// The staff list's fixed select (category and municipality by name) and
// its order.
QString listSelect();
inline QString listOrder() {
    return QStringLiteral("Personale");
}

// The people as vCard 4.0 cards, in the order of the keys.
QByteArray exportVCards(db::Database& db, const QList<qint64>& ids);
// Each card with a name becomes a new person, all in one transaction: the
// town and the place of birth found by name among the municipalities, the
// country by its code or name (Italy when the card has none).
registries::VCardImportReport importVCards(db::Database& db, const QByteArray& data);

} // namespace staff
