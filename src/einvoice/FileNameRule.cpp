#include "einvoice/FileNameRule.h"

namespace einvoice {

QString FileNameRule::transmitterCode(const db::Row& company) {
    return company.boolean(QStringLiteral("Trasmissione_CodFisc"))
               ? company.text(QStringLiteral("CodFisc")).toUpper()
               : company.text(QStringLiteral("PIva"));
}

QString FileNameRule::fileName(const db::Row& company, const QString& sequence) {
    return company.text(QStringLiteral("IdPaese")) + transmitterCode(company) + u'_' +
           sequence.left(5).rightJustified(5, u'0') + QStringLiteral(".xml");
}

} // namespace einvoice
