#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QList>
#include <QString>
#include <optional>
#include <utility>

namespace app {

// A document export format offered by the options.
struct ExportFormat {
    int number = 0;
    QString description;
    QString extension;
};

// What the options screen does besides plain editing of opzioni.
class OptionsRules {
public:
    static db::Row load(db::Database& db);
    // One transaction: the whole row as edited (the invoicing-series switch
    // is copied to ditta, which holds it too).
    static void save(db::Database& db, const db::Values& values);

    // Active formats, by description.
    static QList<ExportFormat> exportFormats(db::Database& db);
    // The extension that goes with a format number; empty when unknown.
    static QString exportExtension(db::Database& db, int number);
    // The rate of a VAT code; 0 when unknown.
    static double vatRate(db::Database& db, qint64 vatId);

    // The check made before a folder is opened in the file manager.
    static std::optional<common::Failure> checkFolder(const QString& path, bool picturesFolder);

    // Gives every article (not cancelled) the VAT code and rate and
    // recomputes its prices including VAT. Returns the articles changed.
    static int applyVatToArticles(db::Database& db, qint64 vatId, double rate);
    // The same, after asking, with the closing message.
    static bool applyDefaultVatToArticles(db::Database& db, common::Interaction& ui, qint64 vatId,
                                          double rate);

    // Default-account columns with their captions, in screen order.
    static const QList<std::pair<QString, QString>>& accountColumns();
    // Encryption protocols of the mail connection (SmtpCriptaggioTipo).
    static const QList<std::pair<int, QString>>& encryptionProtocols();
    // What importing a vCard does with a contact already present.
    static const QList<std::pair<int, QString>>& vCardActions();
};

} // namespace app
