#include "app/StartupSequence.h"

#include "app/ServerWait.h"
#include "app/UpgradeScript.h"
#include "calendar/CalendarRules.h"
#include "common/Installation.h"
#include "common/Interaction.h"
#include "common/SqlText.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/ArchiveLocation.h"
#include "db/ArchiveOpening.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "staff/StaffRules.h"

#include <QDir>
#include <QFileInfo>

namespace app {

namespace {

QString cell(const db::Row& row, const QString& column) {
    return row.isNull(column) ? QString() : row.text(column);
}

QString dateCell(const db::Row& row, const QString& column) {
    return row.isNull(column) ? QString() : common::italianDate(row.date(column));
}

QString amountCell(const db::Row& row, const QString& column) {
    return row.isNull(column) ? QString() : common::euroText(row.number(column));
}

} // namespace

CutOffDates CutOffDates::forToday(const QDate& today) {
    CutOffDates d;
    d.today = today;
    d.yearStart = QDate(today.year(), 1, 1);
    d.orderCutOff = QDate(today.year() - 1, today.month(), 1);
    return d;
}

StartupSequence::StartupSequence(db::Database& db, common::Interaction& interaction,
                                 StartupOptions options)
    : m_db(db), m_ui(interaction), m_options(std::move(options)) {
    if (m_options.installationFolder.isEmpty())
        m_options.installationFolder = common::Installation::folder();
    if (m_options.helpFile.isEmpty())
        m_options.helpFile = defaultHelpFile();
    if (!m_options.today.isValid())
        m_options.today = QDate::currentDate();
}

QString StartupSequence::defaultHelpFile() {
    return QDir(common::Installation::dataFolder(QStringLiteral("help")))
        .filePath(QStringLiteral("index.html"));
}

QStringList StartupSequence::scratchCleanupStatements(const QString& workstation) {
    const QString ws = common::sqlQuote(workstation) + u'\'';
    return {
        QStringLiteral("delete * from TempStampa where NomeComputer ='") + ws,
        QStringLiteral("delete * from TempAvvisi where NomeComputer ='") + ws,
        QStringLiteral("delete * from TempAvvisiClienti where NomeComputer ='") + ws,
        QStringLiteral("delete * from tempStoriaContabilitaTestata where NomeComputer ='") + ws,
        // Emptied whole: its rows are rebuilt by whoever prints the history.
        QStringLiteral("delete * from tempStoriaContabilitaRighe"),
        QStringLiteral("delete * from TempBilancio where NomeComputer ='") + ws,
        QStringLiteral(
            "delete * from TempContabilitaRegistroVenditeTrimestre where NomeComputer ='") +
            ws,
        QStringLiteral("delete * from TempContabilitaRegistroVendite where NomeComputer ='") + ws,
        QStringLiteral(
            "delete * from TempContabilitaRegistroAcquistiTrimestre where NomeComputer ='") +
            ws,
        QStringLiteral("delete * from TempContabilitaRegistroAcquisti where NomeComputer ='") + ws,
    };
}

QStringList StartupSequence::historyStatements(const QDate& today) {
    const CutOffDates d = CutOffDates::forToday(today);
    const QString year = common::jetDate(d.yearStart) + u'#';
    const QString order = common::jetDate(d.orderCutOff) + u'#';
    const QString day = common::jetDate(d.today);
    // Bring back only what is dated today, up to its last second.
    const QString todayRange =
        day + QStringLiteral("# and Data <= #") + day + QStringLiteral(" 23.59.59#");
    return {
        QStringLiteral("UPDATE Ddt SET Storico = true where Storico = false and Data < #") + year,
        QStringLiteral("UPDATE Ddt SET Storico = false where Storico = true and Data >= #") + year,
        QStringLiteral(
            "UPDATE OrdiniTestata SET Storico = true where Storico = false and Data < #") +
            order,
        QStringLiteral(
            "UPDATE OrdiniTestata SET Storico = false where Storico = true and Data >= #") +
            order,
        QStringLiteral(
            "UPDATE OrdiniClientiTestata SET Storico = true where Storico = false and Data < #") +
            order,
        QStringLiteral(
            "UPDATE OrdiniClientiTestata SET Storico = false where Storico = true and Data >= #") +
            order,
        QStringLiteral("UPDATE finanzia SET Storico = true where Storico = false and Data < #") +
            year,
        QStringLiteral("UPDATE finanzia SET Storico = false where Storico = true and Data >= #") +
            year,
        QStringLiteral("UPDATE Fattura SET Storico = true WHERE Storico = false and Carico = false "
                       "and Data < #") +
            year,
        QStringLiteral("UPDATE Fattura SET Storico = false where Storico = true and Carico = false "
                       "and Data >= #") +
            year,
        // Supplier invoices belong to the year they were registered in.
        QStringLiteral("UPDATE Fattura SET Storico = true WHERE Storico = false and Carico = true "
                       "and DataRegistrazione < #") +
            year,
        QStringLiteral("UPDATE Fattura SET Storico = false where Storico = true and Carico = true "
                       "and DataRegistrazione >= #") +
            year,
        QStringLiteral("UPDATE TotaliCo SET Storico = true where Storico = false and Data < #") +
            year,
        QStringLiteral("UPDATE TotaliCo SET Storico = false where Storico = true and Data >= #") +
            year,
        QStringLiteral(
            "UPDATE PreventiTestata SET Storico = true where Storico = false and Data < #") +
            year,
        QStringLiteral(
            "UPDATE PreventiTestata SET Storico = false WHERE Storico = true and Data >= #") +
            year,
        QStringLiteral("UPDATE Movimenti SET Storico = true where Scarico = true and Storico = "
                       "false and Data < #") +
            day + u'#',
        QStringLiteral("UPDATE Movimenti SET Storico = false where Scarico = true and Storico = "
                       "true and Data >= #") +
            todayRange,
        QStringLiteral("UPDATE Assistenza SET Storico = true where Storico = false and "
                       "DataConsegnaCliente < #") +
            year,
        QStringLiteral("UPDATE Assistenza SET Storico = false where Storico = true and "
                       "DataConsegnaCliente >= #") +
            year,
        QStringLiteral(
            "UPDATE RegCassaTestata SET Storico = true where Storico = false and Data < #") +
            day + u'#',
        QStringLiteral(
            "UPDATE RegCassaTestata SET Storico = false where Storico = true and Data >= #") +
            todayRange,
    };
}

QStringList StartupSequence::paidFlagStatements() {
    return {
        QStringLiteral("UPDATE FatturaScadenze SET Pagato = true where Pagato = false and "
                       "DataPagamento Is Not Null"),
        QStringLiteral("UPDATE FatturaScadenze SET Pagato = false where Pagato = true and "
                       "DataPagamento Is Null"),
    };
}

QStringList StartupSequence::calendarStatements(const QDate& today) {
    return calendar::historyStatements(CutOffDates::forToday(today).yearStart);
}

void StartupSequence::ensureNoticeRow(db::Database& db) {
    const QString ws = db.workstation();
    const db::Result r = db.query(QStringLiteral("select top 1 * from TempAvvisi where "
                                                 "NomeComputer ='") +
                                  common::sqlQuote(ws) + u'\'');
    if (r.empty())
        db.insert(QStringLiteral("TempAvvisi"), {{QStringLiteral("NomeComputer"), ws}});
}

QString StartupSequence::caption(db::Database& db) {
    const db::Result r = db.query(QStringLiteral("select * from ditta"));
    QString name;
    if (!r.empty() && !r.first().isNull(QStringLiteral("RagSoc")))
        name = r.first().text(QStringLiteral("RagSoc"));
    return QStringLiteral("Ossarion - ") + name;
}

ReminderList StartupSequence::dueInstalments(db::Database& db, const QDate& today) {
    ReminderList list;
    list.title = QStringLiteral("Scadenze passate");
    list.header = {QStringLiteral("Data Scadenza"), QStringLiteral("Operazione"),
                   QStringLiteral("Cliente"),       QStringLiteral("Fornitore"),
                   QStringLiteral("Importo"),       QStringLiteral("Mod.Pagamento"),
                   QStringLiteral("Note"),          QStringLiteral("id_scad"),
                   QStringLiteral("Tipo")};
    const db::Result r = db.query(
        QStringLiteral(
            "SELECT FatturaScadenze.Operazione,FatturaScadenze.Tipo, FatturaScadenze.DataScadenza, "
            "FatturaScadenze.Id as IdeScadenza, FatturaScadenze.Importo, FatturaScadenze.Note,  "
            "Fornitor.Fornitore, ModPagamento.Descrizione as ModoPagamento, "
            "Clienti.NominativoDocumenti as Cliente FROM ((FatturaScadenze LEFT JOIN ModPagamento "
            "ON FatturaScadenze.ModPagamento_Id = ModPagamento.id) LEFT JOIN Clienti ON "
            "FatturaScadenze.Cliente_id = Clienti.Id) LEFT JOIN Fornitor ON "
            "FatturaScadenze.Fornitore_id = Fornitor.Id Where DataPagamento is null and "
            "DataScadenza <=#") +
        common::jetDate(today) +
        QStringLiteral("# ORDER BY FatturaScadenze.DataScadenza, FatturaScadenze.Operazione"));
    for (const db::Row& row : r) {
        list.rows.append(
            {dateCell(row, QStringLiteral("DataScadenza")), cell(row, QStringLiteral("Operazione")),
             cell(row, QStringLiteral("Cliente")), cell(row, QStringLiteral("Fornitore")),
             amountCell(row, QStringLiteral("Importo")), cell(row, QStringLiteral("ModoPagamento")),
             cell(row, QStringLiteral("Note")), cell(row, QStringLiteral("IdeScadenza")),
             cell(row, QStringLiteral("Tipo"))});
        list.ids.append(row.integer(QStringLiteral("IdeScadenza")));
    }
    return list;
}

ReminderList StartupSequence::calendarNotices(db::Database& db, const QDate& today) {
    ReminderList list;
    list.title = QStringLiteral("Avvisi Calendario");
    list.header = {QStringLiteral("Data"), QStringLiteral("Tipologia"), QStringLiteral("Cliente"),
                   QStringLiteral("Personale"), QStringLiteral("Note")};
    const db::Result r = calendar::reminders(db, today);
    for (const db::Row& row : r) {
        list.rows.append(
            {dateCell(row, QStringLiteral("Data")),
             cell(row, QStringLiteral("TipologiaCalendario")), cell(row, QStringLiteral("Cliente")),
             cell(row, QStringLiteral("Personale")), cell(row, QStringLiteral("Note"))});
        list.ids.append(row.integer(QStringLiteral("Id")));
        list.screens.append(QString());
    }
    // The staff deadlines due for a reminder follow, shown on their due date.
    for (const db::Row& row : staff::deadlineReminders(db, today)) {
        QString note = QStringLiteral("Scadenza: ") + cell(row, QStringLiteral("Descrizione"));
        if (const QString more = cell(row, QStringLiteral("Note")); !more.isEmpty())
            note += QStringLiteral(" - ") + more;
        list.rows.append({dateCell(row, QStringLiteral("DataScadenza")),
                          cell(row, QStringLiteral("Tipologia")), QString(),
                          cell(row, QStringLiteral("Personale")), note});
        list.ids.append(row.integer(QStringLiteral("Id")));
        list.screens.append(QStringLiteral("scadenzaPersonale"));
    }
    return list;
}

void StartupSequence::stopAndClose() {
    m_db.close();
}

bool StartupSequence::connect(StartupResult& result, bool createIfMissing) {
    if (!reachArchiveServer(m_ui, result.archive))
        return false;
    try {
        const bool created =
            db::ArchiveOpening::open(m_db, result.archive,
                                     createIfMissing ? db::ArchiveOpening::IfMissing::Create
                                                     : db::ArchiveOpening::IfMissing::Refuse);
        if (created)
            m_ui.information(common::titles::warning, db::ArchiveOpening::createdNotice(m_db));
        return true;
    } catch (const db::DbError& e) {
        stopAndClose();
        m_ui.error(common::titles::error, e.message());
        return false;
    }
}

bool StartupSequence::applyUpgradeScript(StartupResult& result, const QString& folder) {
    const QString path = QDir(folder).filePath(upgradeScriptName());
    const UpgradeScriptResult r = UpgradeScript::apply(m_db, path);
    if (!r.found)
        return true;
    if (!r.applied) {
        // Nothing of the script reached the archive and the file stays for
        // the next start.
        stopAndClose();
        m_ui.error(common::titles::error, r.error);
        return false;
    }
    result.scriptApplied = true;
    if (!r.error.isEmpty())
        m_ui.warning(common::titles::warning, r.error);
    return true;
}

bool StartupSequence::checkPassword(const StartupResult& result, const QString& password) {
    if (password.isEmpty() || result.permissions.passwordExempt())
        return true;
    // Three tries; a wrong one is said, and so is the last. Closing the
    // window ends quietly: the user chose to.
    constexpr int kTries = 3;
    for (int attempt = 1; attempt <= kTries; ++attempt) {
        QString typed;
        if (!m_ui.askPassword(QStringLiteral("Password"), QStringLiteral("Inserisci la Password"),
                              &typed))
            return false;
        if (typed == password)
            return true;
        m_ui.error(QStringLiteral("Password"),
                   attempt < kTries
                       ? QStringLiteral("Password errata: riprovare (maiuscole e minuscole "
                                        "contano).")
                       : QStringLiteral("Password errata per tre volte: il programma si chiude."));
    }
    return false;
}

StartupResult StartupSequence::run() {
    StartupResult result;
    const QDate today = m_options.today;

    // Permissions come first: without them nothing else is touched.
    const std::optional<Permissions> permissions = Permissions::load(m_options.installationFolder);
    if (!permissions) {
        Permissions::showMissing(m_ui);
        return result;
    }
    result.permissions = *permissions;
    if (permissions->isEmpty())
        m_ui.warning(common::titles::warning,
                     QStringLiteral("Il file dei permessi (%1) è vuoto: si vedono solo i video. "
                                    "Indicarvi le schede e i pulsanti permessi, o ALL per tutti.")
                         .arg(Permissions::fileName()));

    db::ArchiveLocation location(m_options.installationFolder);
    result.archive = location.read();

    result.helpFile = QFileInfo(m_options.helpFile).absoluteFilePath();
    result.helpFound = QFileInfo(result.helpFile).isFile();
    if (!result.helpFound)
        m_ui.warning(common::titles::warning,
                     QStringLiteral("File di Help non Trovato") + result.helpFile);

    // Only the installation's own default archive is created when missing,
    // and an empty PostgreSQL database prepared for the firm: a path that
    // cannot be reached must not turn into a new empty archive.
    if (!connect(result, result.archive == location.defaultArchive() ||
                             db::Database::isPostgresAddress(result.archive)))
        return result;
    if (!applyUpgradeScript(result, location.archiveFolder(result.archive)))
        return result;

    try {
        const db::Result options = m_db.query(QStringLiteral("select * from opzioni"));
        const db::Row opzioni = options.empty() ? db::Row() : options.first();
        const bool hasOptions = !options.empty();
        const QString password =
            hasOptions ? opzioni.text(QStringLiteral("PasswordAmministratore")) : QString();
        if (!checkPassword(result, password)) {
            stopAndClose();
            return result;
        }

        {
            db::Transaction tx(m_db);
            QStringList statements = scratchCleanupStatements(m_db.workstation());
            statements += historyStatements(today);
            statements += paidFlagStatements();
            statements += calendarStatements(today);
            for (const QString& s : statements)
                m_db.exec(s);
            ensureNoticeRow(m_db);
            tx.commit();
        }

        result.caption = caption(m_db);
        result.startTab = hasOptions ? int(opzioni.integer(QStringLiteral("TabIniziale"))) : 0;
        result.remindersEnabled =
            hasOptions && opzioni.boolean(QStringLiteral("PromemoriaScadenze"));
        if (result.remindersEnabled) {
            result.dueInstalments = dueInstalments(m_db, today);
            result.calendarNotices = calendarNotices(m_db, today);
        }
    } catch (const db::DbError& e) {
        stopAndClose();
        m_ui.error(common::titles::error, e.message());
        return result;
    }

    result.stop = false;
    return result;
}

} // namespace app
