#include "app/OptionsRules.h"

#include "common/Money.h"
#include "common/Titles.h"
#include "db/SingleRow.h"

#include <QDir>
#include <QFileInfo>

namespace app {

db::Row OptionsRules::load(db::Database& db) {
    return db::SingleRow::load(db, QStringLiteral("opzioni"));
}

void OptionsRules::save(db::Database& db, const db::Values& values) {
    db::Transaction tx(db);
    db::SingleRow::save(db, QStringLiteral("opzioni"), values);
    // The invoicing series switch lives in both rows; they must agree.
    for (const auto& [column, value] : values)
        if (column.compare(QStringLiteral("FatturazioneMultipla"), Qt::CaseInsensitive) == 0)
            db::SingleRow::save(db, QStringLiteral("ditta"), {{column, value}});
    tx.commit();
}

QList<ExportFormat> OptionsRules::exportFormats(db::Database& db) {
    QList<ExportFormat> out;
    const db::Result r = db.query(
        QStringLiteral("select Numero, Descrizione, Estensione from TipoEsportazioniCrystalReport "
                       "where Attivo = true order by Descrizione"));
    for (const db::Row& row : r)
        out.append({int(row.integer(QStringLiteral("Numero"))),
                    row.text(QStringLiteral("Descrizione")),
                    row.text(QStringLiteral("Estensione"))});
    return out;
}

QString OptionsRules::exportExtension(db::Database& db, int number) {
    return db
        .scalar(
            QStringLiteral("select Estensione from TipoEsportazioniCrystalReport where Numero = ?"),
            {number})
        .toString();
}

double OptionsRules::vatRate(db::Database& db, qint64 vatId) {
    return db.scalar(QStringLiteral("select Iva from Iva where ID = ?"), {vatId}).toDouble();
}

std::optional<common::Failure> OptionsRules::checkFolder(const QString& path, bool picturesFolder) {
    const QString title = common::titles::error;
    if (path.trimmed().isEmpty())
        return common::Failure{title,
                               picturesFolder
                                   ? QStringLiteral("Attenzione manca la Cartella dele immagini")
                                   : QStringLiteral("Attenzione manca la Cartella di Lavoro"),
                               QString()};
    if (!QFileInfo(path).isDir())
        return common::Failure{title,
                               QStringLiteral("la Cartella: ") + path +
                                   QStringLiteral(" non esiste più o non è raggiungibile!!!"),
                               QString()};
    return std::nullopt;
}

int OptionsRules::applyVatToArticles(db::Database& db, qint64 vatId, double rate) {
    db::Transaction tx(db);
    const db::Result articles =
        db.query(QStringLiteral("select ID, Prezzo, Sconto, Fornitore_ValoreUnitario, "
                                "Fornitore_Sconto1, Fornitore_Sconto2, "
                                "Fornitore_Sconto3, Fornitore_Sconto4 from prezziar where "
                                "Annullato = false or Annullato is "
                                "null order by Descrizione"));
    auto gross = [rate](double price, double d1, double d2, double d3, double d4) {
        const double net = common::rowNet4(false, 1, price, d1, d2, d3, d4);
        const double vat = common::rowVat(false, 1, price, d1, d2, d3, d4, rate);
        return common::round2(net + vat);
    };
    int changed = 0;
    for (const db::Row& a : articles) {
        const double sale =
            gross(a.number(QStringLiteral("Prezzo")), a.number(QStringLiteral("Sconto")), 0, 0, 0);
        const double purchase = gross(a.number(QStringLiteral("Fornitore_ValoreUnitario")),
                                      a.number(QStringLiteral("Fornitore_Sconto1")),
                                      a.number(QStringLiteral("Fornitore_Sconto2")),
                                      a.number(QStringLiteral("Fornitore_Sconto3")),
                                      a.number(QStringLiteral("Fornitore_Sconto4")));
        db.update(QStringLiteral("prezziar"), a.integer(QStringLiteral("ID")),
                  {{QStringLiteral("AliquotaIva"), rate},
                   {QStringLiteral("Iva_Id"), vatId},
                   {QStringLiteral("PrezzoCompleto"), sale},
                   {QStringLiteral("Fornitore_AliquotaIva"), rate},
                   {QStringLiteral("Fornitore_Iva_id"), vatId},
                   {QStringLiteral("PrezzoFornitore"), purchase}});
        ++changed;
    }
    tx.commit();
    return changed;
}

bool OptionsRules::applyDefaultVatToArticles(db::Database& db, common::Interaction& ui,
                                             qint64 vatId, double rate) {
    if (vatId <= 0) {
        ui.error(common::titles::error, QStringLiteral("Attenzione manca l'Iva predefinita"));
        return false;
    }
    if (!ui.question(common::titles::warning,
                     QStringLiteral("Vuoi applicare l'aliquota Iva predefinita a tutti gli "
                                    "articoli ?\nI prezzi Iva compresa verranno ricalcolati.")))
        return false;
    applyVatToArticles(db, vatId, rate);
    ui.information(common::titles::warning, QStringLiteral("Articoli cambiati con successo !"));
    return true;
}

const QList<std::pair<QString, QString>>& OptionsRules::accountColumns() {
    static const QList<std::pair<QString, QString>> columns = {
        {QStringLiteral("conto_ID_Predefinito_su_FattureVendita_Merce"),
         QStringLiteral("Fatture di vendita - merce")},
        {QStringLiteral("conto_ID_Predefinito_su_FattureVendita_SpeseTrasporto"),
         QStringLiteral("Fatture di vendita - spese di trasporto")},
        {QStringLiteral("conto_ID_Predefinito_su_FattureVendita_SpeseIncasso"),
         QStringLiteral("Fatture di vendita - spese di incasso")},
        {QStringLiteral("conto_ID_Predefinito_su_FattureAcquisto_Merce"),
         QStringLiteral("Fatture di acquisto - merce")},
        {QStringLiteral("conto_ID_Predefinito_su_FattureAcquisto_SpeseTrasporto"),
         QStringLiteral("Fatture di acquisto - spese di trasporto")},
        {QStringLiteral("conto_ID_Predefinito_su_FattureAcquisto_SpeseIncasso"),
         QStringLiteral("Fatture di acquisto - spese di incasso")},
        {QStringLiteral("conto_ID_Predefinito_su_NoteCreditoVendita_Merce"),
         QStringLiteral("Note credito di vendita - merce")},
        {QStringLiteral("conto_ID_Predefinito_su_NoteCreditoVendita_SpeseTrasporto"),
         QStringLiteral("Note credito di vendita - spese di trasporto")},
        {QStringLiteral("conto_ID_Predefinito_su_NoteCreditoVendita_SpeseIncasso"),
         QStringLiteral("Note credito di vendita - spese di incasso")},
        {QStringLiteral("conto_ID_Predefinito_su_NoteCreditoAcquisto_Merce"),
         QStringLiteral("Note credito di acquisto - merce")},
        {QStringLiteral("conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseTrasporto"),
         QStringLiteral("Note credito di acquisto - spese di trasporto")},
        {QStringLiteral("conto_ID_Predefinito_su_NoteCreditoAcquisto_SpeseIncasso"),
         QStringLiteral("Note credito di acquisto - spese di incasso")},
        {QStringLiteral("conto_ID_Predefinito_su_Corrispettivi"), QStringLiteral("Corrispettivi")},
    };
    return columns;
}

const QList<std::pair<int, QString>>& OptionsRules::encryptionProtocols() {
    static const QList<std::pair<int, QString>> items = {
        {0, QStringLiteral("SSL 2")},
        {1, QStringLiteral("SSL 2/3 (negoziato)")},
        {2, QStringLiteral("SSL 3")},
        {4, QStringLiteral("TLS implicito (porta 465)")},
    };
    return items;
}

const QList<std::pair<int, QString>>& OptionsRules::vCardActions() {
    static const QList<std::pair<int, QString>> items = {
        {0, QStringLiteral("Chiedi ogni volta")},
        {1, QStringLiteral("Aggiorna il contatto esistente")},
        {2, QStringLiteral("Inserisci sempre un nuovo contatto")},
    };
    return items;
}

} // namespace app
