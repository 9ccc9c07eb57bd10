#pragma once

#include <QString>

namespace einvoice {

// The field of the program behind an element of the electronic invoice, as
// the user knows it: "/…/CedentePrestatore/Contatti/Telefono" is "Telefono
// della ditta", "/…/DettaglioLinee[3]/Descrizione" is "Descrizione della
// riga 3". Repeated blocks carry their position (rows their line number).
class DocumentFields {
public:
    static QString of(const QString& elementPath);
};

} // namespace einvoice
