#pragma once

#include <QString>

namespace registries {

// Checks of Italian tax codes, VAT numbers and IBANs. They never block a
// save: each gives the warning to show, or an empty text when the value is
// empty or looks right.
class TaxCodes {
public:
    // Personal codice fiscale (16 characters, substituted digits allowed) or
    // the 11-digit numeric code of a company.
    static QString taxCodeWarning(const QString& taxCode);
    // Italian partita IVA. A VAT number of another country (country code
    // given and not IT) is not checked; a leading "IT" is ignored.
    static QString vatNumberWarning(const QString& vatNumber, const QString& country = {});
    // Any country's IBAN: its layout, its length where known, mod-97.
    static QString ibanWarning(const QString& iban);

    // The check character of the first 15 characters of a personal code.
    static QChar taxCodeCheckCharacter(const QString& first15);
    // The check digit of the first 10 digits of a partita IVA.
    static int vatNumberCheckDigit(const QString& first10);
    // Remainder of the IBAN's mod-97 check (1 for a valid IBAN).
    static int ibanRemainder(const QString& compactIban);
    // Upper case, spaces and dashes removed.
    static QString compact(const QString& text);
    // A VAT number as stored and written in electronic invoices: compact,
    // without the country prefix its country's numbers are quoted with
    // ("IT01234567890" → "01234567890", Greek "EL…"). An empty country is
    // Italy.
    static QString withoutCountryPrefix(const QString& vatNumber, const QString& country = {});
};

} // namespace registries
