#pragma once

#include "db/Database.h"

#include <QDate>
#include <algorithm>

// Customers and instalments of the notice tests.
struct NoticeSamples {
    qint64 rossi = 0;   // two unpaid instalments in March, one paid in March
    qint64 bianchi = 0; // one unpaid instalment in April, two invoices
    qint64 verdi = 0;   // no instalment, no e-mail address
    qint64 neri = 0;    // cancelled
    qint64 fornitore = 0;

    static qint64 customer(db::Database& db, const QString& name, const db::Values& more = {}) {
        db::Values v = {{"NominativoDocumenti", name}, {"NominativoVisualizzato", name}};
        v.append(more);
        if (std::none_of(more.begin(), more.end(),
                         [](const auto& p) { return p.first == "Annullato"; }))
            v.append({"Annullato", false});
        return db.insert("Clienti", v);
    }
    static void instalment(db::Database& db, qint64 customer, const QDate& due, double amount,
                           const QVariant& paidOn = {}, const QString& type = QStringLiteral("F")) {
        db.insert("FatturaScadenze", {{"Cliente_id", customer},
                                      {"DataScadenza", QDateTime(due, QTime(0, 0))},
                                      {"Importo", amount},
                                      {"Tipo", type},
                                      {"Numero", 1},
                                      {"Pagato", !paidOn.isNull()},
                                      {"DataPagamento", paidOn}});
    }

    static NoticeSamples create(db::Database& db) {
        NoticeSamples s;
        s.rossi = customer(db, "Rossi Mario",
                           {{"Via", "Via Roma"},
                            {"Numero", "12"},
                            {"Cap", "10121"},
                            {"Citta", "Torino"},
                            {"Provincia", "TO"},
                            {"CodFiscale", "RSSMRA60A01L219X"},
                            {"EMail", "mario.rossi@esempio.it"},
                            {"Note", "Loculo 14"}});
        s.bianchi = customer(db, "Bianchi Anna",
                             {{"Via", "Corso Francia"},
                              {"Cap", "10138"},
                              {"Citta", "Torino"},
                              {"Provincia", "TO"},
                              {"CodFiscale", "BNCNNA70B41L219Y"},
                              {"EMail", "anna.bianchi@esempio.it"},
                              {"PubblicaAmministrazione", true}});
        s.verdi = customer(db, "Verdi Luigi", {{"Via", "Via Po"}, {"Citta", "Asti"}});
        s.neri = customer(db, "Neri Carla", {{"Annullato", true}});
        s.fornitore = customer(db, "D'Angelo Pietro", {{"EMail", "pietro@esempio.it"}});
        instalment(db, s.rossi, QDate(2026, 3, 10), 1234.5);
        instalment(db, s.rossi, QDate(2026, 3, 31), 100);
        instalment(db, s.rossi, QDate(2026, 3, 15), 80, QDateTime(QDate(2026, 3, 16), QTime()));
        instalment(db, s.bianchi, QDate(2026, 4, 1), 50);
        instalment(db, s.bianchi, QDate(2026, 4, 30), 25);
        instalment(db, s.neri, QDate(2026, 3, 10), 10);
        // A supplier-side instalment is never a customer's debt.
        instalment(db, s.fornitore, QDate(2026, 3, 12), 999, {}, QStringLiteral("C"));
        return s;
    }
};
