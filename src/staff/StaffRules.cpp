#include "staff/StaffRules.h"

#include "common/Money.h"
#include "common/SqlText.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/RegistryRecord.h"
#include "db/Row.h"

#include <QDir>
#include <QFileInfo>

namespace staff {

namespace {

common::Failure failure(const QString& text, const QString& field) {
    return common::Failure{common::titles::error, text, field};
}

bool blank(const QVariantMap& values, const char* field) {
    const QVariant v = values.value(QString::fromLatin1(field));
    return v.isNull() || v.toString().trimmed().isEmpty();
}

double amount(const QVariantMap& values, const char* field) {
    const QVariant v = values.value(QString::fromLatin1(field));
    return v.isNull() ? 0.0 : v.toDouble();
}

// The first of the required fields found empty, in the order given.
std::optional<common::Failure>
firstMissing(const QVariantMap& values,
             std::initializer_list<std::pair<const char*, const char*>> required) {
    for (const auto& [field, text] : required)
        if (blank(values, field))
            return failure(QString::fromUtf8(text), QString::fromLatin1(field));
    return std::nullopt;
}

} // namespace

std::optional<common::Failure> checkStaff(const QVariantMap& values) {
    return firstMissing(values, {{"Personale", "Attenzione manca il nominativo !"},
                                 {"IdPaese", "Attenzione manca la nazione !"}});
}

void renameOnCalendar(db::Database& db, qint64 staffId) {
    db.exec(QStringLiteral("update Calendario set Personale = (select Personale from Personale "
                           "where Personale.ID = ?) where Personale_Id = ?"),
            {staffId, staffId});
}

std::optional<common::Failure> dailyRate(const QVariant& monthlyPay, double* rate) {
    if (monthlyPay.isNull() || !(monthlyPay.toDouble() > 0))
        return failure(QStringLiteral("Attenzione Inserisci la paga mensile per poter calcolare "
                                      "la tariffa giornaliera!"),
                       QStringLiteral("PagaMensile"));
    *rate = common::round2(monthlyPay.toDouble() / 21.0);
    return std::nullopt;
}

std::optional<common::Failure> hourlyRate(const QVariant& dailyRate, double* rate) {
    if (dailyRate.isNull() || !(dailyRate.toDouble() > 0))
        return failure(QStringLiteral("Attenzione Inserisci la Tariffa giornaliera per poter "
                                      "calcolare la tariffa Oraria!"),
                       QStringLiteral("TariffaGiornaliera"));
    *rate = common::round2(dailyRate.toDouble() * 0.125);
    return std::nullopt;
}

std::optional<common::Failure> checkWorkingFolder(const QString& path) {
    if (path.trimmed().isEmpty())
        return failure(QStringLiteral("Attenzione manca la Cartella di Lavoro"),
                       QStringLiteral("CartellaServer"));
    if (!QFileInfo(path).isDir())
        return failure(QStringLiteral("la Cartella: ") + path +
                           QStringLiteral(" non esiste più o non è raggiungibile!!!"),
                       QStringLiteral("CartellaServer"));
    return std::nullopt;
}

std::optional<common::Failure> checkDeadline(const QVariantMap& values) {
    return firstMissing(values,
                        {{"Descrizione", "Attenzione manca la Descrizione"},
                         {"DataAvviso", "Attenzione manca la Data di avviso della scadenza"},
                         {"DataScadenza", "Attenzione manca la data di Scadenza"}});
}

std::optional<common::Failure> checkCost(const QVariantMap& values) {
    return firstMissing(values, {{"Data", "Attenzione manca la Data"},
                                 {"TipologiaCosto_id", "Attenzione manca la Tipologia"},
                                 {"Importo", "Attenzione manca l' Importo"}});
}

std::optional<common::Failure> checkSalary(const QVariantMap& values) {
    return firstMissing(values, {{"Anno", "Attenzione manca l' Anno"},
                                 {"ImportoBonifico", "Attenzione manca l' Importo del bonifico"},
                                 {"Mese", "Attenzione manca il Mese"}});
}

double salaryTotal(const QVariantMap& values) {
    return amount(values, "Base") + amount(values, "Trasferta") + amount(values, "Addebiti") -
           amount(values, "Accrediti");
}

qint64 insertDeadline(db::Database& db, qint64 staffId, const QDate& today) {
    db::Transaction tx(db);
    const qint64 id =
        db.insert(QStringLiteral("PersonaleScadenze"), {{QStringLiteral("Personale_ID"), staffId},
                                                        {QStringLiteral("DataScadenza"), today},
                                                        {QStringLiteral("DataAvviso"), today},
                                                        {QStringLiteral("Validato"), false}});
    tx.commit();
    return id;
}

qint64 insertCost(db::Database& db, qint64 staffId, const QDate& today) {
    db::Transaction tx(db);
    const qint64 id =
        db.insert(QStringLiteral("PersonaleCosti"),
                  {{QStringLiteral("Personale_ID"), staffId}, {QStringLiteral("Data"), today}});
    tx.commit();
    return id;
}

qint64 insertSalary(db::Database& db, qint64 staffId, const QDate& today) {
    db::Transaction tx(db);
    const QVariant pay =
        db.scalar(QStringLiteral("select PagaMensile from Personale where ID = ?"), {staffId});
    const qint64 id =
        db.insert(QStringLiteral("PersonaleStipendi"), {{QStringLiteral("Personale_ID"), staffId},
                                                        {QStringLiteral("Base"), pay},
                                                        {QStringLiteral("Anno"), today.year()}});
    tx.commit();
    return id;
}

void deleteDependents(db::Database& db, qint64 staffId) {
    for (const char* table : {"PersonaleScadenze", "PersonaleCosti", "PersonaleStipendi"})
        db.exec(QStringLiteral("delete * from %1 where Personale_ID = ?").arg(QLatin1String(table)),
                {staffId});
}

QString deadlineDeleteQuestion() {
    return QStringLiteral("Sei sicuro di voler eliminare la scadenza?");
}

QString costDeleteQuestion() {
    return QStringLiteral("Sei sicuro di voler eliminare il Costo ?");
}

QString salaryDeleteQuestion() {
    return QStringLiteral("Sei sicuro di voler eliminare lo Stipendio ?");
}

db::Result deadlineReminders(db::Database& db, const QDate& today) {
    return db.query(
        QStringLiteral("SELECT PersonaleScadenze.ID as Id, PersonaleScadenze.Personale_ID, "
                       "Personale.Personale, PersonaleScadenze.Descrizione, "
                       "PersonaleScadenze.Tipologia, PersonaleScadenze.DataScadenza, "
                       "PersonaleScadenze.DataAvviso, PersonaleScadenze.Note FROM "
                       "PersonaleScadenze INNER JOIN Personale ON PersonaleScadenze.Personale_ID = "
                       "Personale.ID WHERE PersonaleScadenze.Validato = false and "
                       "Personale.Annullato = false and PersonaleScadenze.DataAvviso <= #") +
        common::jetDate(today) +
        QStringLiteral("# ORDER BY PersonaleScadenze.DataAvviso, PersonaleScadenze.ID"));
}

std::optional<common::Failure> printSelection(const PrintChoice& choice, QString* selection) {
    QString table;
    QString dateColumn;
    switch (choice.kind) {
    case PrintKind::List:
    case PrintKind::Documents:
    case PrintKind::Contacts:
        break;
    case PrintKind::Deadlines:
    case PrintKind::OpenDeadlines:
        table = QStringLiteral("PersonaleScadenze");
        dateColumn = QStringLiteral("DataScadenza");
        break;
    case PrintKind::Costs:
    case PrintKind::CostsByType:
    case PrintKind::CostSummary:
        table = QStringLiteral("PersonaleCosti");
        dateColumn = QStringLiteral("Data");
        break;
    case PrintKind::Salaries:
    case PrintKind::SalariesByMonth:
    case PrintKind::SalaryDescriptions:
    case PrintKind::SalariesByYear:
        table = QStringLiteral("PersonaleStipendi");
        dateColumn = QStringLiteral("DataPagamento");
        break;
    }
    QStringList parts;
    if (choice.person > 0)
        parts << (table.isEmpty() ? QStringLiteral("Personale.ID = %1")
                                  : table + QStringLiteral(".Personale_ID = %1"))
                     .arg(choice.person);
    if (!table.isEmpty()) {
        QDate dates[2];
        const std::pair<QString, QString> typed[] = {
            {choice.from.trimmed(), QStringLiteral("Dalla Data")},
            {choice.to.trimmed(), QStringLiteral("alla Data")}};
        for (int i = 0; i < 2; ++i) {
            if (typed[i].first.isEmpty())
                continue;
            dates[i] = common::parseItalianDate(typed[i].first);
            if (!dates[i].isValid())
                return failure(QStringLiteral("Attenzione data non valida: ") + typed[i].second,
                               i == 0 ? QStringLiteral("txtDallaData")
                                      : QStringLiteral("txtAllaData"));
        }
        if (dates[0].isValid() && dates[1].isValid() && dates[1] < dates[0])
            return failure(QStringLiteral("Attenzione la data finale è minore di quella iniziale"),
                           QStringLiteral("txtAllaData"));
        const QString column = table + u'.' + dateColumn;
        if (dates[0].isValid())
            parts << QStringLiteral("%1 >= #%2#").arg(column, common::jetDate(dates[0]));
        if (dates[1].isValid())
            parts << QStringLiteral("%1 <= #%2#").arg(column, common::jetDateEndOfDay(dates[1]));
    }
    if (table == QStringLiteral("PersonaleStipendi")) {
        if (choice.year > 0)
            parts << QStringLiteral("PersonaleStipendi.Anno = %1").arg(choice.year);
        if (choice.month > 0)
            parts << QStringLiteral("PersonaleStipendi.Mese = %1").arg(choice.month);
    }
    *selection = parts.join(QStringLiteral(" and "));
    return std::nullopt;
}

QString listSelect() {
    return QStringLiteral(
        "select Personale.*, CategoriePersonale.Descrizione as Categoria, Comuni.Comune as "
        "NomeComune, Comuni.Provincia as Provincia from (Personale left join CategoriePersonale "
        "on Personale.CategoriaPersonale_ID = CategoriePersonale.ID) left join Comuni on "
        "Personale.Comune_Id = Comuni.ID");
}

QByteArray exportVCards(db::Database& db, const QList<qint64>& ids) {
    QList<registries::VCardContact> cards;
    for (qint64 id : ids) {
        const db::RegistryRecord r = db::readRecord(db, QStringLiteral("Personale"), id);
        if (r.isEmpty())
            continue;
        registries::VCardContact c;
        c.surname = db::recordText(r, "Cognome");
        c.givenName = db::recordText(r, "Nome");
        c.prefix = db::recordText(r, "Titolo");
        c.formattedName = db::recordText(r, "Personale");
        if (c.formattedName.isEmpty())
            c.formattedName = (c.surname + u' ' + c.givenName).trimmed();
        c.street = db::recordText(r, "Indirizzo");
        c.houseNumber = db::recordText(r, "Numero");
        c.postcode = db::recordText(r, "Cap");
        c.country = db::recordText(r, "IdPaese");
        const auto town = [&db](qint64 key) -> db::Result {
            return db.query(QStringLiteral("select Comune, Provincia from Comuni where ID = ?"),
                            {key});
        };
        if (const qint64 comune = db::RecordKey(r, "Comune_Id"); comune > 0) {
            const db::Result t = town(comune);
            if (!t.empty()) {
                c.city = t.first().text(QStringLiteral("Comune"));
                c.region = t.first().text(QStringLiteral("Provincia"));
            }
        }
        if (const qint64 birth = db::RecordKey(r, "LuogoNascita_id"); birth > 0) {
            const db::Result t = town(birth);
            if (!t.empty())
                c.birthPlace = t.first().text(QStringLiteral("Comune"));
        }
        c.phone = db::recordText(r, "Tel");
        c.phone2 = db::recordText(r, "Telefono2");
        c.fax = db::recordText(r, "Fax");
        c.mobile = db::recordText(r, "Cell");
        c.email = db::recordText(r, "Email");
        c.skype = db::recordText(r, "Skype");
        c.note = db::recordValue(r, "Note").toString();
        c.taxCode = db::recordText(r, "CodFisc");
        c.vatNumber = db::recordText(r, "Iva");
        c.birthday = db::recordDate(r, "DataNascita");
        cards.append(c);
    }
    return registries::VCard::write(cards);
}

namespace {

// The municipality of that name; with a province, the one in it. 0 when none.
qint64 townNamed(db::Database& db, const QString& name, const QString& province) {
    if (name.trimmed().isEmpty())
        return 0;
    const db::Result r =
        db.query(QStringLiteral("select ID, Provincia from Comuni where Comune = ? order by ID"),
                 {name.trimmed()});
    for (const db::Row& row : r)
        if (province.isEmpty() ||
            row.text(QStringLiteral("Provincia")).compare(province, Qt::CaseInsensitive) == 0)
            return row.integer(QStringLiteral("ID"));
    return r.empty() ? 0 : r.first().integer(QStringLiteral("ID"));
}

QString countryCode(db::Database& db, const QString& country) {
    const QString t = country.trimmed();
    if (t.size() == 2)
        return t.toUpper();
    const QString code =
        t.isEmpty() ? QString()
                    : db.scalar(QStringLiteral("select SIGLA from Nazioni where DENOMINAZ = ?"),
                                {t.toUpper()})
                          .toString();
    return code.isEmpty() ? QStringLiteral("IT") : code;
}

QVariant textOrNull(const QString& text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

} // namespace

registries::VCardImportReport importVCards(db::Database& db, const QByteArray& data) {
    registries::VCardImportReport report;
    db::Transaction tx(db);
    for (const registries::VCardContact& c : registries::VCard::read(data)) {
        if (c.formattedName.isEmpty()) {
            ++report.skipped;
            continue;
        }
        const qint64 town = townNamed(db, c.city, c.region);
        const qint64 birthPlace = townNamed(db, c.birthPlace, QString());
        db.insert(QStringLiteral("Personale"),
                  {{QStringLiteral("Personale"), c.formattedName},
                   {QStringLiteral("Cognome"), textOrNull(c.surname)},
                   {QStringLiteral("Nome"), textOrNull(c.givenName)},
                   {QStringLiteral("Titolo"), textOrNull(c.prefix)},
                   {QStringLiteral("Indirizzo"), textOrNull(c.street)},
                   {QStringLiteral("Numero"), textOrNull(c.houseNumber)},
                   {QStringLiteral("Cap"), textOrNull(c.postcode)},
                   {QStringLiteral("Comune_Id"), town > 0 ? QVariant(town) : QVariant()},
                   {QStringLiteral("IdPaese"), countryCode(db, c.country)},
                   {QStringLiteral("Tel"), textOrNull(c.phone)},
                   {QStringLiteral("Telefono2"), textOrNull(c.phone2)},
                   {QStringLiteral("Fax"), textOrNull(c.fax)},
                   {QStringLiteral("Cell"), textOrNull(c.mobile)},
                   {QStringLiteral("Email"), textOrNull(c.email)},
                   {QStringLiteral("Skype"), textOrNull(c.skype)},
                   {QStringLiteral("Note"), textOrNull(c.note)},
                   {QStringLiteral("CodFisc"), textOrNull(c.taxCode)},
                   {QStringLiteral("Iva"), textOrNull(c.vatNumber)},
                   {QStringLiteral("DataNascita"),
                    c.birthday.isValid() ? QVariant(c.birthday) : QVariant()},
                   {QStringLiteral("LuogoNascita_id"),
                    birthPlace > 0 ? QVariant(birthPlace) : QVariant()},
                   {QStringLiteral("Annullato"), false},
                   {QStringLiteral("PrivacyFirmata"), false}});
        ++report.imported;
    }
    tx.commit();
    return report;
}

} // namespace staff
