#include "calendar/CalendarRules.h"

#include "cemetery/TableDefaults.h"
#include "common/SqlText.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/Row.h"

namespace calendar {

namespace {

const QString kTable = QStringLiteral("Calendario");

QDateTime moment(const QVariant& value) {
    if (value.isNull())
        return {};
    if (value.metaType().id() == QMetaType::QDate)
        return QDateTime(value.toDate(), QTime(0, 0));
    return db::Row::toDateTime(value);
}

// "<column> like '<text>*'" for a text typed in a search box.
void addLike(QStringList& parts, const QString& column, const QString& text) {
    if (!text.isEmpty())
        parts << QStringLiteral("%1 like '%2*'").arg(column, common::sqlQuote(text));
}

} // namespace

std::optional<common::Failure> checkEntry(const QVariantMap& values) {
    if (!moment(values.value(QStringLiteral("Data"))).isValid())
        return common::Failure{common::titles::error, QStringLiteral("Attenzione manca la Data"),
                               QStringLiteral("Data")};
    return std::nullopt;
}

std::optional<common::Failure> checkReminder(const QVariantMap& values) {
    const QDateTime when = moment(values.value(QStringLiteral("Data")));
    const QDateTime remind = moment(values.value(QStringLiteral("DataAvviso")));
    if (when.isValid() && remind.isValid() && when < remind)
        return common::Failure{
            common::titles::error,
            QStringLiteral("Attenzione la Data di avviso è minore della data dell'impegno"),
            QStringLiteral("DataAvviso")};
    return std::nullopt;
}

std::optional<common::Failure> checkType(const QVariantMap& values) {
    if (values.value(QStringLiteral("Descrizione")).toString().trimmed().isEmpty())
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione manca la Descrizione"),
                               QStringLiteral("Descrizione")};
    return std::nullopt;
}

qint64 insertEntry(db::Database& db, const QDate& day) {
    db::Transaction tx(db);
    db::Values values{{QStringLiteral("Data"), QDateTime(day, QTime(0, 0))},
                      {QStringLiteral("Storico"), false},
                      {QStringLiteral("Conclusa"), false}};
    cemetery::TableDefaults::apply(db, kTable, values);
    const qint64 id = db.insert(kTable, values);
    tx.commit();
    return id;
}

void copyNames(db::Database& db, qint64 id) {
    db::Transaction tx(db);
    const db::Result r = db.query(
        QStringLiteral("select Personale_Id, Cliente_ID from Calendario where Id = ?"), {id});
    if (r.empty())
        return;
    const db::Row& row = r.first();
    QVariant staff;
    QVariant customer;
    if (!row.isNull(QStringLiteral("Personale_Id")))
        staff = db.scalar(QStringLiteral("select Personale from Personale where Id = ?"),
                          {row.integer(QStringLiteral("Personale_Id"))});
    if (!row.isNull(QStringLiteral("Cliente_ID")))
        customer = db.scalar(QStringLiteral("select NominativoDocumenti from Clienti where Id = ?"),
                             {row.integer(QStringLiteral("Cliente_ID"))});
    db.update(kTable, id,
              {{QStringLiteral("Personale"), staff}, {QStringLiteral("Cliente"), customer}});
    tx.commit();
}

std::optional<common::Failure> searchCondition(const Search& search, QString* condition) {
    QStringList parts;
    addLike(parts, QStringLiteral("Personale"), search.staff.trimmed());
    addLike(parts, QStringLiteral("TipologiaCalendario"), search.type.trimmed());
    addLike(parts, QStringLiteral("Cliente"), search.customer.trimmed());
    addLike(parts, QStringLiteral("Note"), search.notes.trimmed());
    if (search.day.isValid())
        parts << QStringLiteral("Data >= #%1# and Data <#%2#")
                     .arg(common::jetDate(search.day), common::jetDate(search.day.addDays(1)));
    const std::pair<QString, QString> dates[] = {
        {search.from.trimmed(), QStringLiteral("Dalla Data")},
        {search.to.trimmed(), QStringLiteral("alla Data")},
    };
    for (int i = 0; i < 2; ++i) {
        const auto& [text, caption] = dates[i];
        if (text.isEmpty())
            continue;
        const QDate date = common::parseItalianDate(text);
        if (!date.isValid())
            return common::Failure{
                common::titles::error, QStringLiteral("Attenzione data non valida: ") + caption,
                i == 0 ? QStringLiteral("txtDallaData") : QStringLiteral("txtAllaData")};
        parts << (i == 0 ? QStringLiteral("Data >= #%1#").arg(common::jetDate(date))
                         : QStringLiteral("Data <= #%1#").arg(common::jetDateEndOfDay(date)));
    }
    *condition = parts.join(QStringLiteral(" and "));
    return std::nullopt;
}

QString periodCondition(bool history, const QDate& from, const QDate& to) {
    if (!history)
        return QStringLiteral("Storico = false");
    if (from.isValid() && to.isValid())
        return QStringLiteral("Data >= #%1# and Data <= #%2#")
            .arg(common::jetDate(from), common::jetDateEndOfDay(to));
    return QStringLiteral("Storico = true");
}

QList<QDate> busyDays(db::Database& db, const QString& condition, int year, int month) {
    const QDate first(year, month, 1);
    if (!first.isValid())
        return {};
    QString where = QStringLiteral("Data >= #%1# and Data < #%2#")
                        .arg(common::jetDate(first), common::jetDate(first.addMonths(1)));
    if (!condition.isEmpty())
        where += QStringLiteral(" and ") + condition;
    QList<QDate> days;
    for (const db::Row& row : db.query(QStringLiteral("select Data from Calendario where ") +
                                       where + QStringLiteral(" order by Data"))) {
        const QDate day = row.dateTime(QStringLiteral("Data")).date();
        if (days.isEmpty() || days.last() != day)
            days.append(day);
    }
    return days;
}

QStringList historyStatements(const QDate& yearStart) {
    const QString start = common::jetDate(yearStart) + u'#';
    return {
        QStringLiteral("UPDATE Calendario SET Storico = true where Conclusa=true and Storico = "
                       "false and Data < #") +
            start,
        QStringLiteral("UPDATE Calendario SET Storico = false where Conclusa=false and Storico = "
                       "true and Data >= #") +
            start,
    };
}

db::Result reminders(db::Database& db, const QDate& today) {
    return db.query(
        QStringLiteral("SELECT Calendario.Data, Calendario.Personale, Calendario.Cliente, "
                       "Calendario.TipologiaCalendario, Calendario.Note, Calendario.Id FROM "
                       "Calendario  Where Conclusa=false and DataAvviso <=#") +
        common::jetDate(today) + QStringLiteral("# ORDER BY Calendario.DataAvviso"));
}

} // namespace calendar
