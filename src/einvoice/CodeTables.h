#pragma once

#include <QString>
#include <QStringList>

namespace db {
class Database;
}

namespace einvoice {

// The FatturaPA 1.2 code tables shipped with the archive (key Codice, label
// Descrizione). No screen edits them; the screens offer them in drop-downs.
namespace codetables {

// PA_Natura, PA_RegimeFiscale, PA_ModalitaPagamento, PA_IscrizRea_SocioUnico,
// PA_IscrizRea_StatoLiquidazione.
QStringList names();

// Jet select of a drop-down over a code table: Codice is stored, Descrizione
// shown, ordered by Descrizione.
QString dropDownSql(const QString& table);

// The description of a code in its table; empty when the code is unknown.
QString description(db::Database& db, const QString& table, const QString& code);

// The program's own label of a VAT nature, given to the VAT codes the
// invoice import creates for rate-0 rows; empty for any other code.
QString natureLabel(const QString& code);

} // namespace codetables

} // namespace einvoice
