#include "einvoice/FileNameRule.h"

#include "registries/TaxCodes.h"

#include <QRegularExpression>

namespace einvoice {

namespace {

const int width = 5;
const char* const alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

qint64 power(qint64 base, int exponent) {
    qint64 out = 1;
    while (exponent-- > 0)
        out *= base;
    return out;
}

// Codes of `rest` characters after a prefix: all of them when the prefix
// holds a letter, else only those that bring one.
qint64 completions(bool hasLetter, int rest) {
    return hasLetter ? power(36, rest) : power(36, rest) - power(10, rest);
}

} // namespace

QString FileNameRule::transmitterCode(const db::Row& company) {
    return company.boolean(QStringLiteral("Trasmissione_CodFisc"))
               ? registries::TaxCodes::compact(company.text(QStringLiteral("CodFisc")))
               : registries::TaxCodes::withoutCountryPrefix(
                     company.text(QStringLiteral("PIva")), company.text(QStringLiteral("IdPaese")));
}

QString FileNameRule::progressive(qint64 number) {
    const qint64 decimal = power(10, width);
    if (number < 0)
        return {};
    if (number < decimal)
        return QString::number(number).rightJustified(width, u'0');
    // The k-th code holding a letter, in the order of the alphabet.
    qint64 k = number - decimal;
    if (k >= completions(false, width))
        return {};
    QString out;
    bool hasLetter = false;
    for (int position = 0; position < width; ++position) {
        const int rest = width - position - 1;
        for (int c = 0; c < 36; ++c) {
            const bool letter = hasLetter || c >= 10;
            const qint64 n = completions(letter, rest);
            if (k < n) {
                out += QLatin1Char(alphabet[c]);
                hasLetter = letter;
                break;
            }
            k -= n;
        }
    }
    return out;
}

QString FileNameRule::fileName(const db::Row& company, const QString& sequence) {
    bool numeric = false;
    const qint64 number = sequence.toLongLong(&numeric);
    const QString code = numeric ? progressive(number) : QString();
    return company.text(QStringLiteral("IdPaese")) + transmitterCode(company) + u'_' +
           (code.isEmpty() ? sequence.left(width).rightJustified(width, u'0') : code) +
           QStringLiteral(".xml");
}

bool FileNameRule::accepted(const QString& fileName) {
    static const QRegularExpression form(
        QStringLiteral("^[A-Z]{2}[A-Za-z0-9]{1,28}_[A-Za-z0-9]{1,5}\\.(xml|XML)$"));
    return form.match(fileName).hasMatch();
}

QString FileNameRule::refusedName(const QString& fileName) {
    return QStringLiteral(
               "Errore 00001 - il Sistema di Interscambio scarta un file di nome \"%1\": "
               "il nome deve essere come IT01234567890_00001.xml (paese, codice del "
               "trasmittente, \"_\", progressivo). Rinominare il file prima dell'invio.")
        .arg(fileName);
}

} // namespace einvoice
