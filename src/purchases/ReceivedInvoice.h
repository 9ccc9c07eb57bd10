#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

namespace purchases {

// One DettaglioLinee of a received invoice.
struct ReceivedLine {
    int number = 0;
    QString description;
    double quantity = 1; // 1 when the file has none
    double unitPrice = 0;
    double discounts[4] = {0, 0, 0, 0}; // the first four "SC" percentages
    double total = 0;                   // PrezzoTotale
    double vatRate = 0;
    QString nature;
};

// One DettaglioPagamento.
struct ReceivedPayment {
    QString conditions; // CondizioniPagamento of its group
    QString method;     // ModalitaPagamento
    QDate due;
    double amount = 0;
    QString code; // CodicePagamento
};

// An invoice a credit note refers to (DatiFattureCollegate).
struct ReceivedLink {
    QString number;
    QDate date;
};

// A file the supplier embedded (Allegati), already decoded.
struct ReceivedAttachment {
    QString name;
    QString format;
    QString description;
    QByteArray data;
};

// One FatturaElettronicaBody.
struct ReceivedBody {
    QString type; // TipoDocumento
    QString number;
    QDate date;
    double withholding = 0; // sum of ImportoRitenuta
    double stamp = 0;       // ImportoBollo
    bool stampVirtual = false;
    double total = 0; // ImportoTotaleDocumento, 0 when absent
    QList<ReceivedLine> lines;
    QList<ReceivedPayment> payments;
    QList<ReceivedLink> links;
    QList<ReceivedAttachment> attachments;
};

// The seller as the file names it.
struct ReceivedSeller {
    QString country, vatNumber, taxCode;
    QString name, firstName, lastName, title, eori;
    QString street, civic, postcode, town, province, nation;
    QString phone, fax, email;

    // Denominazione, or surname and name as documents name a person.
    QString displayName() const;
};

// A received FatturaPA file read into what the import needs. Texts are
// Unicode as the supplier wrote them, whatever the file's encoding.
struct ReceivedInvoice {
    QString error;  // set when the file cannot be imported at all
    QString format; // FormatoTrasmissione
    QString recipientCode, recipientPec;
    ReceivedSeller seller;
    QString buyerTaxCode, buyerVatNumber;
    QList<ReceivedBody> bodies;

    static ReceivedInvoice parse(const QByteArray& xml);
};

} // namespace purchases
