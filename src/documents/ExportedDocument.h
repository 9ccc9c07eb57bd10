#pragma once

#include <QString>
#include <QVariantMap>

namespace documents {

// What the invoice editor says of a document already exported as XML: the
// file may be at the SdI, so a change of its amounts is asked first.
class ExportedDocument {
public:
    // The line shown when the document opens; empty when it was not exported.
    static QString notice(const QVariantMap& header);
    // The question asked before the first change that alters its totals.
    static QString changeQuestion(const QVariantMap& header);
};

} // namespace documents
