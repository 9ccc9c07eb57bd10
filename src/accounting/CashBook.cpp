#include "accounting/CashBook.h"

#include "common/Money.h"
#include "common/TextForms.h"
#include "common/Titles.h"
#include "db/ConditionNames.h"
#include "db/Database.h"
#include "documents/DocumentOptions.h"

namespace accounting {

qint64 CashBook::add(db::Database& db, const QDate& today) {
    db::Transaction tx(db);
    const qint64 id =
        db.insert(QStringLiteral("finanzia"), {{QStringLiteral("Tipo"), QStringLiteral("A")},
                                               {QStringLiteral("Data"), today},
                                               {QStringLiteral("Storico"), false},
                                               {QStringLiteral("Corrispettivi"), false},
                                               {QStringLiteral("Tipologia_ID"), 1}});
    tx.commit();
    return id;
}

void CashBook::copyVatRate(db::Database& db, qint64 movementId) {
    const QVariant rate =
        db.scalar(QStringLiteral("SELECT Iva.Iva FROM finanzia INNER JOIN Iva ON "
                                 "finanzia.Iva_Id = Iva.ID WHERE finanzia.ID = ?"),
                  {movementId});
    db.exec(QStringLiteral("UPDATE finanzia SET AliquotaIva = ? WHERE ID = ?"),
            {rate.isNull() ? QVariant(QMetaType(QMetaType::Double)) : rate, movementId});
}

std::optional<common::Failure> CashBook::validate(const QVariantMap& m) {
    if (m.value(QStringLiteral("Data")).isNull() || !m.value(QStringLiteral("Data")).isValid())
        return common::Failure{common::titles::error, QStringLiteral("Attenzione manca la data"),
                               QStringLiteral("Data")};
    if (m.value(QStringLiteral("Operazione")).toString().trimmed().isEmpty())
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione manca l'Operazione"),
                               QStringLiteral("Operazione")};
    const QVariant code = m.value(QStringLiteral("Iva_Id"));
    if (m.value(QStringLiteral("Corrispettivi")).toBool() &&
        (code.isNull() || code.toLongLong() <= 0))
        return common::Failure{common::titles::error,
                               QStringLiteral("Attenzione manca l'Aliquota Iva"),
                               QStringLiteral("Iva_Id")};
    return std::nullopt;
}

bool CashBook::belongsToDocument(db::Database& db, qint64 movementId) {
    if (!documents::DocumentOptions::load(db).cashBook)
        return false;
    return db.scalar(QStringLiteral("select Fattura_ID from finanzia where ID = ?"), {movementId})
               .toLongLong() > 0;
}

bool CashBook::remove(db::Database& db, common::Interaction& ui, qint64 movementId) {
    if (!ui.question(common::titles::warning,
                     QStringLiteral("Sei sicuro di voler eliminare l'operazione?")))
        return false;
    if (belongsToDocument(db, movementId)) {
        ui.error(common::titles::error,
                 QStringLiteral("Attenzione questo record è legato ad una fattura. Per eliminarlo "
                                "si deve modificare o cancellare il pagamento della fattura!!"));
        return false;
    }
    db::Transaction tx(db);
    db.exec(QStringLiteral("delete * from finanzia where ID = ?"), {movementId});
    tx.commit();
    return true;
}

double CashBook::Totals::total() const {
    return common::round2(in - out);
}

QStringList CashBook::movementColumns() {
    return {"Data",    "Operazione", "Note",    "ID",      "Tipologia_ID", "Tipo",
            "Entrata", "Uscita",     "Reparto", "Storico", "Fattura_ID"};
}

CashBook::Totals CashBook::totals(db::Database& db, const QString& jetCondition) {
    const bool own = db::conditionNamesOnly(jetCondition, movementColumns());
    QString sql = QStringLiteral("SELECT sum(Entrata) as Entrate, sum(Uscita) as Uscite FROM ") +
                  (own ? QStringLiteral("finanzia")
                       : QStringLiteral("(") + listSelect() + QStringLiteral(") AS PrimaNota"));
    if (!jetCondition.trimmed().isEmpty())
        sql += QStringLiteral(" where ") + jetCondition;
    const db::Result r = db.query(sql);
    Totals t;
    if (!r.empty()) {
        t.in = common::round2(r.first().number(QStringLiteral("Entrate")));
        t.out = common::round2(r.first().number(QStringLiteral("Uscite")));
    }
    return t;
}

double CashBook::configuredOpeningBalance(db::Database& db) {
    return common::round2(
        db.scalar(QStringLiteral("select SaldoInizialePrimaNota from opzioni")).toDouble());
}

double CashBook::openingBalance(db::Database& db, const QDate& firstDay) {
    const double configured = configuredOpeningBalance(db);
    const db::Result r = db.query(QStringLiteral("SELECT SUM(Entrata) as Entrate, SUM(Uscita) as "
                                                 "Uscite from finanzia where Data < ?"),
                                  {firstDay});
    return common::round2(configured + r.first().number(QStringLiteral("Entrate")) -
                          r.first().number(QStringLiteral("Uscite")));
}

double CashBook::bankOpeningBalance(db::Database& db, const QDate& firstDay, qint64 bankId) {
    const double start =
        db.scalar(QStringLiteral("SELECT SaldoInizioAnno from Bank where Id = ?"), {bankId})
            .toDouble();
    const db::Result r =
        db.query(QStringLiteral("SELECT SUM(Entrata) as Entrate, SUM(Uscita) as "
                                "Uscite from finanzia where Data < ? and Banca_ID = ?"),
                 {firstDay, bankId});
    return common::round2(start + r.first().number(QStringLiteral("Entrate")) -
                          r.first().number(QStringLiteral("Uscite")));
}

std::optional<common::Failure> CashBook::checkMonthlyPrint(const QVariant& month,
                                                           const QString& year,
                                                           const QString& openingBalance,
                                                           bool byBank, const QVariant& bank) {
    const auto refuse = [](const QString& text, const QString& field) {
        return common::Failure{common::titles::warningUrgent, text, field};
    };
    if (month.isNull() || month.toInt() < 1 || month.toInt() > 12)
        return refuse(QStringLiteral("Attenzione E' necessario definire il mese..."),
                      QStringLiteral("Mese"));
    if (byBank && (bank.isNull() || bank.toLongLong() <= 0))
        return refuse(QStringLiteral("Attenzione E' necessario definire la Banca..."),
                      QStringLiteral("Banca"));
    bool ok = false;
    year.trimmed().toInt(&ok);
    if (!ok || year.trimmed().size() != 4)
        return refuse(QStringLiteral("Attenzione E' necessario definire l'anno..."),
                      QStringLiteral("Anno"));
    double amount = 0;
    if (openingBalance.trimmed().isEmpty() ||
        !common::parseItalianAmount(openingBalance.trimmed(), &amount))
        return refuse(QStringLiteral("Attenzione E' necessario definire il Saldo Iniziale..."),
                      QStringLiteral("SaldoIniziale"));
    return std::nullopt;
}

QString CashBook::listSelect() {
    return QStringLiteral(
               "SELECT finanzia.Data, finanzia.Operazione, Fornitor.Fornitore, "
               "Clienti.NominativoDocumenti as Cliente, finanzia.Entrata, finanzia.Uscita, "
               "finanzia.Note, finanzia.ID, ModPagamento.Descrizione AS ModPagamento, "
               "finanzia.Tipologia_ID, finanzia.Tipo, Bank.Id AS IdeBanca, Bank.Banca, Bank.Iban, "
               "TipologiaPrimaNota.Descrizione AS Tipologia, finanzia.Fattura_ID, "
               "finanzia.Reparto, finanzia.Storico ") +
           listFrom();
}

QString CashBook::listFrom() {
    return QStringLiteral(
        "FROM ((((finanzia LEFT JOIN Clienti ON finanzia.Cliente_id = Clienti.Id) "
        "LEFT JOIN Fornitor ON finanzia.Fornitore_id = Fornitor.Id) "
        "LEFT JOIN ModPagamento ON finanzia.ModPagamento_Id = ModPagamento.id) "
        "LEFT JOIN Bank ON finanzia.Banca_ID = Bank.Id) "
        "LEFT JOIN TipologiaPrimaNota ON finanzia.Tipologia_ID = TipologiaPrimaNota.Id");
}

} // namespace accounting
