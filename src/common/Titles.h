#pragma once

#include <QString>

// Titles of the message boxes, spelled as the users have always seen them.
namespace common::titles {

inline const QString error = QStringLiteral("Messaggio di errore");
inline const QString errorCapitalised = QStringLiteral("Messaggio di Errore");
inline const QString warning = QStringLiteral("Messaggio di avviso");
inline const QString warningCapitalised = QStringLiteral("Messaggio di Avviso");
inline const QString warningUrgent = QStringLiteral("Messaggio di avviso!!");
inline const QString warningUrgentCapitalised = QStringLiteral("Messaggio di Avviso!!");
inline const QString warningExclaimed = QStringLiteral("Messaggio di Avviso !");
inline const QString confirmation = QStringLiteral("Messaggio di Conferma");
inline const QString attention = QStringLiteral("Attenzione");

} // namespace common::titles
