#include "registries/TaxCodes.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using registries::TaxCodes;

TEST(TaxCodes, PersonalTaxCode) {
    for (const char* valid : {"RSSMRA85T10A562S", "RSSNNA50B41H501E", "BNCGPP80A01F205H",
                              "rssmra85t10a562s", " RSSMRA 85T10 A562S ",
                              // substituted digits keep their own check character
                              "RSSMRA85T10A56NH"})
        EXPECT_EQ(TaxCodes::taxCodeWarning(valid), "") << valid;
    EXPECT_EQ(TaxCodes::taxCodeWarning(""), "");

    EXPECT_EQ(TaxCodes::taxCodeWarning("RSSMRA85T10A562T"),
              "Attenzione il carattere di controllo del codice fiscale non è corretto");
    // Swapping two characters changes the check.
    EXPECT_NE(TaxCodes::taxCodeWarning("RSSMRA58T10A562S"), "");
    EXPECT_EQ(TaxCodes::taxCodeWarning("RSSMRA85T10A562"),
              "Attenzione il codice fiscale deve essere di 16 caratteri (11 cifre per le società)");
    // Month letter F does not exist; day 35 is neither a man's nor a woman's.
    EXPECT_EQ(TaxCodes::taxCodeWarning("RSSMRA85F10A562S"),
              "Attenzione il codice fiscale non ha un formato valido");
    EXPECT_EQ(TaxCodes::taxCodeWarning("RSSMRA85T35A562S"),
              "Attenzione il codice fiscale non ha un formato valido");
}

TEST(TaxCodes, NumericTaxCodeOfCompanies) {
    EXPECT_EQ(TaxCodes::taxCodeWarning("00793010000"), "");
    EXPECT_EQ(TaxCodes::taxCodeWarning("00793010001"),
              "Attenzione la cifra di controllo del codice fiscale numerico non è corretta");
    EXPECT_NE(TaxCodes::taxCodeWarning("0079301000"), "");
}

TEST(TaxCodes, VatNumber) {
    for (const char* valid :
         {"01234567897", "12345678903", "02112690991", "IT01234567897", "012 3456 7897"})
        EXPECT_EQ(TaxCodes::vatNumberWarning(valid), "") << valid;
    EXPECT_EQ(TaxCodes::vatNumberWarning("01234567890"),
              "Attenzione la cifra di controllo della partita IVA non è corretta");
    EXPECT_EQ(TaxCodes::vatNumberWarning("0123456789"),
              "Attenzione la partita IVA deve essere di 11 cifre");
    EXPECT_EQ(TaxCodes::vatNumberWarning("0123456789A"),
              "Attenzione la partita IVA deve essere di 11 cifre");
    // Other countries' numbers are not checked.
    EXPECT_EQ(TaxCodes::vatNumberWarning("FR12345", "FR"), "");
    EXPECT_NE(TaxCodes::vatNumberWarning("01234567890", "it"), "");
}

// The prefix a VAT number is quoted with is not part of it.
TEST(TaxCodes, VatNumberWithoutCountryPrefix) {
    EXPECT_EQ(TaxCodes::withoutCountryPrefix("IT 01234567897"), "01234567897");
    EXPECT_EQ(TaxCodes::withoutCountryPrefix("it01234567897", "IT"), "01234567897");
    EXPECT_EQ(TaxCodes::withoutCountryPrefix("01234567897"), "01234567897");
    EXPECT_EQ(TaxCodes::withoutCountryPrefix("EL094014201", "GR"), "094014201");
    EXPECT_EQ(TaxCodes::withoutCountryPrefix("FR12345678901", "FR"), "12345678901");
    // Letters of the number itself stay; another country's prefix too.
    EXPECT_EQ(TaxCodes::withoutCountryPrefix("NL123456789B01", "NL"), "123456789B01");
    EXPECT_EQ(TaxCodes::withoutCountryPrefix("ITALIA1", "IT"), "ITALIA1");
    EXPECT_EQ(TaxCodes::withoutCountryPrefix("DE811907980", "AT"), "DE811907980");
}

TEST(TaxCodes, Iban) {
    for (const char* valid :
         {"IT60X0542811101000000123456", "IT60 X054 2811 1010 0000 0123 456",
          "DE89370400440532013000", "GB29NWBK60161331926819", "it60x0542811101000000123456"})
        EXPECT_EQ(TaxCodes::ibanWarning(valid), "") << valid;
    EXPECT_EQ(TaxCodes::ibanWarning("IT61X0542811101000000123456"),
              "Attenzione il codice di controllo dell'IBAN non è corretto");
    EXPECT_EQ(TaxCodes::ibanWarning("IT60X054281110100000012345"),
              "Attenzione l'IBAN italiano deve essere di 27 caratteri");
    EXPECT_EQ(TaxCodes::ibanWarning("DE8937040044053201300"),
              "Attenzione l'IBAN del paese DE deve essere di 22 caratteri");
    EXPECT_EQ(TaxCodes::ibanWarning("60IT0542811101000000123456"),
              "Attenzione l'IBAN non ha un formato valido");
    EXPECT_EQ(TaxCodes::ibanWarning(""), "");
}
