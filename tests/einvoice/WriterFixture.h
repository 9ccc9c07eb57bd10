#pragma once

#include "TestArchive.h"
#include "common/ScriptedInteraction.h"
#include "einvoice/FatturaPaExport.h"

#include <QStringList>
#include <QTemporaryDir>
#include <memory>

// Builders of saved invoices and credit notes, and a reader of the files
// the writer makes: schema validation and XPath look-ups with libxml2.
namespace writer {

void setCompany(db::Database& db, const db::Values& values);
void setOptions(db::Database& db, const db::Values& values);
// The company "Onoranze Funebri Rossi Srl" of Padova, with extra columns.
void company(db::Database& db, const db::Values& extra = {});

// A customer; the defaults are a private person "Mario Rossi" in Padova.
qint64 customer(db::Database& db, const db::Values& values = {});
// A VAT code (Iva) with its nature code.
qint64 vatCode(db::Database& db, double rate, const QString& nature);
qint64 bank(db::Database& db, const QString& name, const QString& iban,
            const QString& beneficiary = QString());
qint64 paymentTerms(db::Database& db, int instalments, const QString& method);

// A saved document: number 15 of 15/03/2026, progressive 42, FPR12, EUR;
// totals are filled by addRow.
qint64 invoice(db::Database& db, qint64 customerId, const db::Values& values = {});
// The company, a customer and an invoice of one row of 100,00.
qint64 plainInvoice(db::Database& db);
qint64 creditNote(db::Database& db, qint64 customerId, const db::Values& values = {});
// A row whose TotaleImponibile is the rounded net; the document totals are
// brought up to date.
void addRow(db::Database& db, qint64 documentId, double quantity, double price, double discount = 0,
            double rate = 22, qint64 vatId = 1, const db::Values& extra = {});
qint64 instalment(db::Database& db, qint64 documentId, const QDate& due, double amount,
                  qint64 bankId = 0, qint64 methodId = 0);

// The parsed file.
class Xml {
public:
    explicit Xml(const QString& file);
    ~Xml();
    Xml(const Xml&) = delete;
    Xml& operator=(const Xml&) = delete;

    bool parsed() const { return m_doc != nullptr; }
    // Empty when the file is valid against the FatturaPA 1.2.3 schema, else
    // libxml2's messages.
    QString schemaErrors() const;
    // Text of every node the XPath selects ("p" is the FatturaPA namespace).
    QStringList all(const QString& xpath) const;
    QString one(const QString& xpath) const;
    int count(const QString& xpath) const { return all(xpath).size(); }
    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    void* m_doc = nullptr;
};

// The exchange system's arithmetic controls read from the file alone: the
// row totals (00423), the tax of each summary (00421) and the taxable per
// rate (00422). One line per failing control.
QStringList sdiArithmetic(const Xml& xml);

// The name the tests answer the save dialog with: one the exchange system
// takes.
inline constexpr const char* savedName = "IT01234567890_00001.xml";

// One export with scripted answers into a temporary folder.
struct Export {
    QTemporaryDir dir;
    common::ScriptedInteraction ui;
    einvoice::FatturaPaExport::Result result;
    std::unique_ptr<Xml> xml;

    // Runs the export; the file is chosen through the save dialog unless
    // file is given.
    void run(db::Database& db, qint64 documentId, const QString& file = QString());
    QString path(const QString& name) const { return dir.filePath(name); }
};

} // namespace writer
