#pragma once

#include "db/RegistryRecord.h"

#include <QByteArray>
#include <QDate>
#include <QList>

namespace registries {

// One contact as a vCard carries it.
struct VCardContact {
    bool organization = false; // KIND:org
    QString formattedName;     // FN
    QString surname, givenName, prefix;
    QString company; // ORG
    QString street, houseNumber, city, region, postcode, country;
    QString phone, phone2, fax, mobile;
    QString email, pec, url, skype;
    QString note;
    QString taxCode, vatNumber;
    QDate birthday;
    QString birthPlace;
};

// Counts of an import, and the sentence that tells them.
struct VCardImportReport {
    int imported = 0;
    int skipped = 0;
    QString text() const;
};

// vCard files of customers and suppliers: written as version 4.0 (CRLF line
// ends, lines folded at 75 octets), read in versions 3.0 and 4.0 (2.1 files
// from old phones are read as far as their text goes).
class VCard {
public:
    static QByteArray write(const QList<VCardContact>& contacts);
    // Every card of the file, those without a name included.
    static QList<VCardContact> read(const QByteArray& data);

    // Text value escaping: \ , ; and line breaks.
    static QString escape(const QString& text);
    // Splits one content line into physical lines of at most 75 octets.
    static QByteArray fold(const QByteArray& line);

    static VCardContact fromCustomer(const db::RegistryRecord& customer);
    static VCardContact fromSupplier(const db::RegistryRecord& supplier);
    static db::RegistryRecord toCustomer(const VCardContact& contact);
    static db::RegistryRecord toSupplier(const VCardContact& contact);

    static QByteArray exportCustomers(db::Database& db, const QList<qint64>& ids);
    static QByteArray exportSuppliers(db::Database& db, const QList<qint64>& ids);
    // Each card with a name becomes a new row; all in one transaction.
    static VCardImportReport importCustomers(db::Database& db, const QByteArray& data);
    static VCardImportReport importSuppliers(db::Database& db, const QByteArray& data);
};

} // namespace registries
