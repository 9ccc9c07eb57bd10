#include "registries/TaxCodes.h"

#include <QHash>
#include <QRegularExpression>

namespace registries {

namespace {

// Values of the characters in odd positions (1st, 3rd, ...), indexed by
// letter; a digit counts as the letter in the same place (0 = A, 1 = B ...).
constexpr int kOddValues[26] = {1,  0,  5, 7, 9, 13, 15, 17, 19, 21, 2,  4,  18,
                                20, 11, 3, 6, 8, 12, 14, 16, 10, 22, 25, 24, 23};

int characterIndex(QChar c) {
    if (c.isDigit())
        return c.unicode() - '0';
    return c.unicode() - 'A';
}

// Digits replaced by letters when two people would otherwise share a code.
const QString kSubstitutes = QStringLiteral("LMNPQRSTUV");

QChar plainDigit(QChar c) {
    const qsizetype i = kSubstitutes.indexOf(c);
    return i >= 0 ? QChar('0' + int(i)) : c;
}

bool isNumeric(const QString& text) {
    for (QChar c : text)
        if (!c.isDigit())
            return false;
    return !text.isEmpty();
}

// Length of the IBAN of each country that uses one.
const QHash<QString, int>& ibanLengths() {
    static const QHash<QString, int> lengths = {
        {"AD", 24}, {"AE", 23}, {"AL", 28}, {"AT", 20}, {"AZ", 28}, {"BA", 20}, {"BE", 16},
        {"BG", 22}, {"BH", 22}, {"BR", 29}, {"BY", 28}, {"CH", 21}, {"CR", 22}, {"CY", 28},
        {"CZ", 24}, {"DE", 22}, {"DK", 18}, {"DO", 28}, {"EE", 20}, {"EG", 29}, {"ES", 24},
        {"FI", 18}, {"FO", 18}, {"FR", 27}, {"GB", 22}, {"GE", 22}, {"GI", 23}, {"GL", 18},
        {"GR", 27}, {"GT", 28}, {"HR", 21}, {"HU", 28}, {"IE", 22}, {"IL", 23}, {"IQ", 23},
        {"IS", 26}, {"IT", 27}, {"JO", 30}, {"KW", 30}, {"KZ", 20}, {"LB", 28}, {"LC", 32},
        {"LI", 21}, {"LT", 20}, {"LU", 20}, {"LV", 21}, {"MC", 27}, {"MD", 24}, {"ME", 22},
        {"MK", 19}, {"MR", 27}, {"MT", 31}, {"MU", 30}, {"NL", 18}, {"NO", 15}, {"PK", 24},
        {"PL", 28}, {"PS", 29}, {"PT", 25}, {"QA", 29}, {"RO", 24}, {"RS", 22}, {"SA", 24},
        {"SC", 31}, {"SE", 24}, {"SI", 19}, {"SK", 24}, {"SM", 27}, {"ST", 25}, {"SV", 28},
        {"TL", 23}, {"TN", 24}, {"TR", 26}, {"UA", 29}, {"VA", 22}, {"VG", 24}, {"XK", 20},
    };
    return lengths;
}

} // namespace

QString TaxCodes::compact(const QString& text) {
    QString out;
    for (QChar c : text)
        if (!c.isSpace() && c != u'-')
            out.append(c.toUpper());
    return out;
}

QString TaxCodes::withoutCountryPrefix(const QString& vatNumber, const QString& country) {
    const QString code = compact(vatNumber);
    QString prefix = country.trimmed().toUpper();
    if (prefix.isEmpty())
        prefix = QStringLiteral("IT");
    for (const QString& p : {prefix, prefix == u"GR" ? QStringLiteral("EL") : QString()})
        if (!p.isEmpty() && code.size() > p.size() && code.startsWith(p) &&
            code.at(p.size()).isDigit())
            return code.mid(p.size());
    return code;
}

QChar TaxCodes::taxCodeCheckCharacter(const QString& first15) {
    int sum = 0;
    for (int i = 0; i < 15 && i < first15.size(); ++i) {
        const int index = characterIndex(first15.at(i));
        if (index < 0 || index > 25)
            return QChar();
        // Positions count from 1: index 0 is an odd position.
        sum += (i % 2 == 0) ? kOddValues[index] : index;
    }
    return QChar('A' + sum % 26);
}

int TaxCodes::vatNumberCheckDigit(const QString& first10) {
    int sum = 0;
    for (int i = 0; i < 10 && i < first10.size(); ++i) {
        int d = first10.at(i).unicode() - '0';
        if (i % 2 == 1) {
            d *= 2;
            if (d > 9)
                d -= 9;
        }
        sum += d;
    }
    return (10 - sum % 10) % 10;
}

int TaxCodes::ibanRemainder(const QString& compactIban) {
    if (compactIban.size() < 4)
        return -1;
    const QString moved = compactIban.mid(4) + compactIban.left(4);
    int remainder = 0;
    for (QChar c : moved) {
        if (c.isDigit()) {
            remainder = (remainder * 10 + (c.unicode() - '0')) % 97;
        } else if (c >= u'A' && c <= u'Z') {
            const int value = c.unicode() - 'A' + 10;
            remainder = (remainder * 100 + value) % 97;
        } else {
            return -1;
        }
    }
    return remainder;
}

QString TaxCodes::taxCodeWarning(const QString& taxCode) {
    const QString code = compact(taxCode);
    if (code.isEmpty())
        return {};
    if (isNumeric(code)) {
        if (code.size() != 11)
            return QStringLiteral("Attenzione il codice fiscale numerico deve essere di 11 cifre");
        if (vatNumberCheckDigit(code) != code.at(10).unicode() - '0')
            return QStringLiteral(
                "Attenzione la cifra di controllo del codice fiscale numerico non è corretta");
        return {};
    }
    if (code.size() != 16)
        return QStringLiteral("Attenzione il codice fiscale deve essere di 16 caratteri "
                              "(11 cifre per le società)");
    static const QRegularExpression layout(
        QStringLiteral("^[A-Z]{6}[0-9LMNPQRSTUV]{2}[ABCDEHLMPRST][0-9LMNPQRSTUV]{2}[A-Z][0-"
                       "9LMNPQRSTUV]{3}[A-Z]$"));
    if (!layout.match(code).hasMatch())
        return QStringLiteral("Attenzione il codice fiscale non ha un formato valido");
    // Day of birth: 1-31 for men, 41-71 for women.
    const int day = QString(plainDigit(code.at(9))).append(plainDigit(code.at(10))).toInt();
    if (!((day >= 1 && day <= 31) || (day >= 41 && day <= 71)))
        return QStringLiteral("Attenzione il codice fiscale non ha un formato valido");
    if (taxCodeCheckCharacter(code.left(15)) != code.at(15))
        return QStringLiteral(
            "Attenzione il carattere di controllo del codice fiscale non è corretto");
    return {};
}

QString TaxCodes::vatNumberWarning(const QString& vatNumber, const QString& country) {
    const QString c = country.trimmed().toUpper();
    if (!c.isEmpty() && c != u"IT")
        return {};
    QString code = compact(vatNumber);
    if (code.startsWith(u"IT"))
        code = code.mid(2);
    if (code.isEmpty())
        return {};
    if (code.size() != 11 || !isNumeric(code))
        return QStringLiteral("Attenzione la partita IVA deve essere di 11 cifre");
    if (vatNumberCheckDigit(code) != code.at(10).unicode() - '0')
        return QStringLiteral("Attenzione la cifra di controllo della partita IVA non è corretta");
    return {};
}

QString TaxCodes::ibanWarning(const QString& iban) {
    const QString code = compact(iban);
    if (code.isEmpty())
        return {};
    static const QRegularExpression layout(QStringLiteral("^[A-Z]{2}[0-9]{2}[A-Z0-9]{11,30}$"));
    if (!layout.match(code).hasMatch())
        return QStringLiteral("Attenzione l'IBAN non ha un formato valido");
    const QString country = code.left(2);
    const int expected = ibanLengths().value(country, 0);
    if (expected > 0 && code.size() != expected) {
        if (country == u"IT")
            return QStringLiteral("Attenzione l'IBAN italiano deve essere di 27 caratteri");
        return QStringLiteral("Attenzione l'IBAN del paese %1 deve essere di %2 caratteri")
            .arg(country)
            .arg(expected);
    }
    if (ibanRemainder(code) != 1)
        return QStringLiteral("Attenzione il codice di controllo dell'IBAN non è corretto");
    return {};
}

} // namespace registries
