#include "notices/Notices.h"

#include "common/Money.h"
#include "common/SqlText.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "printing/Formats.h"

#include <QRegularExpression>

namespace notices {

namespace {

common::Failure missing(const QString& text, const QString& field) {
    return {common::titles::errorCapitalised, text, field};
}

const QString missingText = QStringLiteral("Attenzione manca il testo");

// The workstation's row of TempAvvisi, made when missing.
qint64 workRow(db::Database& db) {
    const QVariant id = db.scalar(
        QStringLiteral("select top 1 Id from TempAvvisi where NomeComputer = ? order by Id"),
        {db.workstation()});
    if (!id.isNull())
        return id.toLongLong();
    return db.insert(QStringLiteral("TempAvvisi"),
                     {{QStringLiteral("NomeComputer"), db.workstation()}});
}

const QRegularExpression& fieldPattern() {
    static const QRegularExpression re(QStringLiteral("\\{([A-Za-z_][A-Za-z0-9_]*)\\}"));
    return re;
}

// Instalments of customer invoices still to be paid.
const char* const unpaidCondition =
    "(FatturaScadenze.DataPagamento is null or FatturaScadenze.DataPagamento<#01/01/1900#)";

} // namespace

std::optional<common::Failure> checkNotice(const QVariantMap& values) {
    if (values.value(QStringLiteral("Descrizione")).toString().trimmed().isEmpty())
        return missing(QStringLiteral("Attenzione manca la Descrizione"),
                       QStringLiteral("Descrizione"));
    if (values.value(QStringLiteral("Testo")).toString().trimmed().isEmpty())
        return missing(missingText, QStringLiteral("Testo"));
    return std::nullopt;
}

QString catalogueQuery() {
    return QStringLiteral("select * from Avvisi Order by Descrizione");
}

qint64 insertNotice(db::Database& db) {
    db::Transaction tx(db);
    // Inserted with a placeholder so the row is never without a description
    // between the insert and the key read back.
    const qint64 id = db.insert(QStringLiteral("Avvisi"),
                                {{QStringLiteral("Descrizione"), QStringLiteral("Nuovo avviso")}});
    db.exec(QStringLiteral("update Avvisi set Descrizione = '' where Id = ?"), {id});
    tx.commit();
    return id;
}

bool deleteNotice(db::Database& db, common::Interaction& ui, qint64 id) {
    if (!ui.question(common::titles::warning,
                     QStringLiteral("Sei sicuro di voler eliminare il tipo di avviso ?")))
        return false;
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from Avvisi where Id = ?"), {id});
    tx.commit();
    return true;
}

QString workText(db::Database& db) {
    const qint64 id = workRow(db);
    return db.scalar(QStringLiteral("select Testo from TempAvvisi where Id = ?"), {id}).toString();
}

std::optional<common::Failure> saveWorkText(db::Database& db, const QString& text) {
    if (text.trimmed().isEmpty())
        return missing(missingText, QStringLiteral("Testo"));
    db::Transaction tx(db);
    const qint64 id = workRow(db);
    db.exec(QStringLiteral("update TempAvvisi set Testo = ? where Id = ?"), {text, id});
    tx.commit();
    return std::nullopt;
}

bool importNotice(db::Database& db, common::Interaction& ui, qint64 noticeId) {
    if (!ui.question(common::titles::warning,
                     QStringLiteral("Sei sicuro di voler importare il tipo di avviso ?")))
        return false;
    const db::Result r =
        db.query(QStringLiteral("select Testo from Avvisi where Id = ?"), {noticeId});
    if (r.empty())
        return false;
    db::Transaction tx(db);
    const qint64 id = workRow(db);
    db.exec(QStringLiteral("update TempAvvisi set Testo = ? where Id = ?"),
            {r.first().text(QStringLiteral("Testo")), id});
    tx.commit();
    return true;
}

QString customerQuery(const Filters& f) {
    QString sql = QStringLiteral("SELECT distinct Clienti.NominativoVisualizzato, "
                                 "Clienti.CodFiscale,Clienti.Iva,Clienti.Id FROM Clienti");
    const bool instalments = f.paid || f.dueFrom.isValid() || f.dueTo.isValid();
    if (instalments)
        sql += QStringLiteral(" INNER JOIN FatturaScadenze ON FatturaScadenze.Cliente_id = "
                              "Clienti.Id");
    sql += QStringLiteral(" WHERE Clienti.Annullato=False");
    if (!f.paymentId.isNull())
        sql += QStringLiteral(" and Clienti.Pagamento_ID=") +
               QString::number(f.paymentId.toLongLong());
    if (!f.categoryId.isNull())
        sql += QStringLiteral(" and Clienti.Categoria_ID=") +
               QString::number(f.categoryId.toLongLong());
    if (!f.comuneId.isNull())
        sql += QStringLiteral(" and Clienti.Comune_id=") + QString::number(f.comuneId.toLongLong());
    if (!f.province.trimmed().isEmpty())
        sql += QStringLiteral(" and Clienti.Provincia ='") +
               common::sqlQuote(f.province.trimmed()) + QStringLiteral("'");
    if (f.publicAdministration)
        sql += QStringLiteral(" and Clienti.PubblicaAmministrazione=true");
    if (!f.notes.isEmpty())
        sql += QStringLiteral(" and Clienti.Note like '") + common::sqlQuote(f.notes) +
               QStringLiteral("*'");
    if (instalments) {
        if (f.paid)
            sql += QStringLiteral(" and (FatturaScadenze.DataPagamento is not null or "
                                  "FatturaScadenze.DataPagamento>#01/01/2000#)");
        else
            sql += QStringLiteral(" and ") + QLatin1String(unpaidCondition);
        if (f.dueFrom.isValid())
            sql += QStringLiteral(" and FatturaScadenze.DataScadenza >=#") +
                   common::jetDate(f.dueFrom) + QStringLiteral("#");
        if (f.dueTo.isValid())
            sql += QStringLiteral(" and FatturaScadenze.DataScadenza <=#") +
                   common::jetDateEndOfDay(f.dueTo) + QStringLiteral("#");
    }
    return sql;
}

QList<Customer> chooseCustomers(db::Database& db, const Filters& filters) {
    QList<Customer> out;
    for (const db::Row& r : db.query(customerQuery(filters) +
                                     QStringLiteral(" order by Clienti.NominativoVisualizzato, "
                                                    "Clienti.Id")))
        out.append(
            {r.integer(QStringLiteral("Id")), r.text(QStringLiteral("NominativoVisualizzato"))});
    return out;
}

QStringList fieldNames() {
    return {QStringLiteral("Cliente"),       QStringLiteral("Indirizzo"),
            QStringLiteral("Comune"),        QStringLiteral("CodiceFiscale"),
            QStringLiteral("ImportoDovuto"), QStringLiteral("Scadenze")};
}

std::optional<common::Failure> checkFields(const QString& text) {
    if (text.trimmed().isEmpty())
        return missing(missingText, QStringLiteral("Testo"));
    auto it = fieldPattern().globalMatch(text);
    while (it.hasNext()) {
        const QString name = it.next().captured(1);
        if (!fieldNames().contains(name, Qt::CaseInsensitive))
            return missing(QStringLiteral("Attenzione il testo contiene il campo {%1} che non "
                                          "esiste.\nCampi disponibili: {%2}")
                               .arg(name, fieldNames().join(QStringLiteral("}, {"))),
                           QStringLiteral("Testo"));
    }
    return std::nullopt;
}

QString fillFields(db::Database& db, const QString& text, qint64 customerId, const QDate& dueFrom,
                   const QDate& dueTo) {
    const db::Result c = db.query(QStringLiteral("select NominativoDocumenti, Via, Numero, Cap, "
                                                 "Citta, Provincia, CodFiscale from Clienti where "
                                                 "Id = ?"),
                                  {customerId});
    if (c.empty())
        return text;
    const db::Row& r = c.first();
    const auto joined = [](const QStringList& parts) {
        QStringList kept;
        for (const QString& p : parts)
            if (!p.trimmed().isEmpty())
                kept.append(p.trimmed());
        return kept.join(u' ');
    };
    QString province = r.text(QStringLiteral("Provincia")).trimmed();
    if (!province.isEmpty())
        province = QStringLiteral("(") + province + QStringLiteral(")");

    QString sql = QStringLiteral("select DataScadenza, Importo from FatturaScadenze where "
                                 "FatturaScadenze.Cliente_id = ? and (Tipo is null or "
                                 "(Tipo<>'C' and Tipo<>'B')) and ") +
                  QLatin1String(unpaidCondition);
    if (dueFrom.isValid())
        sql += QStringLiteral(" and DataScadenza >=#") + common::jetDate(dueFrom) +
               QStringLiteral("#");
    if (dueTo.isValid())
        sql += QStringLiteral(" and DataScadenza <=#") + common::jetDateEndOfDay(dueTo) +
               QStringLiteral("#");
    sql += QStringLiteral(" order by DataScadenza, Numero");
    double due = 0;
    QStringList lines;
    for (const db::Row& s : db.query(sql, {customerId})) {
        const double amount = s.number(QStringLiteral("Importo"));
        due += amount;
        lines.append(s.date(QStringLiteral("DataScadenza")).toString(QStringLiteral("dd/MM/yyyy")) +
                     QStringLiteral("  ") + printing::formatValue(amount, QStringLiteral("euro")));
    }

    const QList<std::pair<QString, QString>> values = {
        {QStringLiteral("Cliente"), r.text(QStringLiteral("NominativoDocumenti")).trimmed()},
        {QStringLiteral("Indirizzo"),
         joined({r.text(QStringLiteral("Via")), r.text(QStringLiteral("Numero"))})},
        {QStringLiteral("Comune"),
         joined({r.text(QStringLiteral("Cap")), r.text(QStringLiteral("Citta")), province})},
        {QStringLiteral("CodiceFiscale"), r.text(QStringLiteral("CodFiscale")).trimmed()},
        {QStringLiteral("ImportoDovuto"),
         printing::formatValue(common::round2(due), QStringLiteral("euro"))},
        {QStringLiteral("Scadenze"), lines.join(u'\n')},
    };
    // One pass, so that a value holding braces is never read as a field.
    QString out;
    qsizetype last = 0;
    auto it = fieldPattern().globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        QString value = m.captured(0);
        for (const auto& [name, v] : values)
            if (name.compare(m.captured(1), Qt::CaseInsensitive) == 0)
                value = v;
        out += value;
        last = m.capturedEnd();
    }
    out += text.mid(last);
    return out;
}

std::optional<common::Failure> prepareLetters(db::Database& db, const QList<qint64>& customers,
                                              const QDate& dueFrom, const QDate& dueTo) {
    const QString text = workText(db);
    if (auto f = checkFields(text))
        return f;
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from TempAvvisiClienti where NomeComputer = ?"),
            {db.workstation()});
    for (const qint64 id : customers)
        db.insert(QStringLiteral("TempAvvisiClienti"),
                  {{QStringLiteral("NomeComputer"), db.workstation()},
                   {QStringLiteral("Cliente_ID"), id},
                   {QStringLiteral("Testo"), fillFields(db, text, id, dueFrom, dueTo)}});
    tx.commit();
    return std::nullopt;
}

} // namespace notices
