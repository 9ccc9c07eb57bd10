#pragma once

#include <QByteArray>
#include <QString>

namespace purchases {

// The XML of a received electronic invoice, as bytes in the file's own
// encoding: a plain ".xml" as it is, a ".p7m" taken out of its CMS
// signed-data envelope (DER, PEM, base64 in any wrapping, BER
// indefinite length). The signature is not verified. Only an envelope
// OpenSSL cannot read is searched as text for the invoice.
struct ReceivedFile {
    QByteArray xml;
    QString error;         // why there is no XML; empty on success
    bool searched = false; // the envelope was unreadable: the XML was found as text

    static ReceivedFile read(const QString& path);
    static ReceivedFile fromBytes(const QByteArray& bytes, bool signedEnvelope);

    // The content of a CMS envelope; empty when OpenSSL cannot read it.
    static QByteArray openEnvelope(const QByteArray& bytes);
    // The invoice found by text search in an envelope: from "<?xml" (or the
    // prefixed root) to the end of the root element; empty when absent.
    static QByteArray searchText(const QByteArray& bytes);
};

} // namespace purchases
