#include "registries/InvoicePhone.h"

#include <QRegularExpression>

namespace registries {

QString InvoicePhone::fitted(const QString& typed) {
    static const QRegularExpression other(QStringLiteral("[^0-9+ ]"));
    QString text = typed;
    text.remove(other);
    text = text.simplified();
    if (text.size() > 12)
        text.remove(u' ');
    return text.size() < 5 || text.size() > 12 ? QString() : text;
}

QString InvoicePhone::warning(const QString& label, const QString& typed) {
    if (typed.trimmed().isEmpty() || !fitted(typed).isEmpty())
        return {};
    return QStringLiteral("Attenzione il %1 \"%2\" non entra nei 12 caratteri (cifre, spazi e +) "
                          "delle fatture elettroniche, che non lo riporteranno.")
        .arg(label, typed.trimmed());
}

} // namespace registries
