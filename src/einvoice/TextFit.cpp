#include "einvoice/TextFit.h"

#include "einvoice/XmlText.h"
#include "registries/InvoicePhone.h"

#include <QRegularExpression>

namespace einvoice {

namespace {

// Basic Latin only: accented letters lose their accent, anything else that
// remains outside is reported.
QString basicLatin(const QString& text, QString* refused) {
    QString out;
    for (QChar c : text) {
        if (c.unicode() < 0x80) {
            out += c;
            continue;
        }
        QString plain;
        for (QChar d : QString(c).normalized(QString::NormalizationForm_KD))
            if (d.unicode() < 0x80)
                plain += d;
        if (plain.isEmpty() && refused)
            *refused += c;
        out += plain;
    }
    return out;
}

QString cutKeepingExtension(const QString& name, int max) {
    const qsizetype dot = name.lastIndexOf(u'.');
    const QString extension = dot > 0 && name.size() - dot <= 10 ? name.mid(dot) : QString();
    return name.left(max - extension.size()).trimmed() + extension;
}

} // namespace

FittedText fitText(const ElementRule& rule, const QString& text) {
    FittedText out;
    QString t = xmlSafeText(text);
    switch (rule.chars) {
    case ElementRule::Chars::Latin1:
        break;
    case ElementRule::Chars::BasicLatin: {
        QString refused;
        t = basicLatin(t, &refused);
        if (!refused.isEmpty()) {
            out.problem = QStringLiteral("il carattere \"%1\" non è ammesso").arg(refused.left(1));
            return out;
        }
        break;
    }
    case ElementRule::Chars::Code:
        t = basicLatin(t, nullptr).toUpper().remove(u' ');
        break;
    case ElementRule::Chars::Phone:
        t = registries::InvoicePhone::fitted(t);
        if (t.isEmpty() && !text.trimmed().isEmpty()) {
            out.note = QStringLiteral("\"%1\" non entra nei 12 caratteri ammessi (cifre, spazi e "
                                      "+): non è stato scritto")
                           .arg(text.trimmed());
            return out;
        }
        break;
    case ElementRule::Chars::Email:
        t = t.trimmed();
        break;
    }
    if (t.trimmed().isEmpty())
        return out;

    if (rule.maxLength > 0 && t.size() > rule.maxLength) {
        switch (rule.overflow) {
        case ElementRule::Overflow::Stop:
            out.problem = QStringLiteral("è di %1 caratteri, il massimo è %2")
                              .arg(t.size())
                              .arg(rule.maxLength);
            return out;
        case ElementRule::Overflow::Cut:
            out.note = QStringLiteral("è stata tagliata a %1 caratteri").arg(rule.maxLength);
            t = t.left(rule.maxLength);
            break;
        case ElementRule::Overflow::KeepExtension:
            out.note = QStringLiteral("è stato accorciato a \"%1\"")
                           .arg(cutKeepingExtension(t, rule.maxLength));
            t = cutKeepingExtension(t, rule.maxLength);
            break;
        case ElementRule::Overflow::Split:
            for (qsizetype i = 0; i < t.size(); i += rule.maxLength)
                out.pieces << t.mid(i, rule.maxLength);
            return out;
        }
    }
    if (t.size() < rule.minLength) {
        out.problem = QStringLiteral("\"%1\" è di %2 caratteri, il minimo è %3")
                          .arg(t)
                          .arg(t.size())
                          .arg(rule.minLength);
        return out;
    }
    if (rule.pattern) {
        const QRegularExpression pattern(
            QRegularExpression::anchoredPattern(QString::fromLatin1(rule.pattern)));
        if (!pattern.match(t).hasMatch()) {
            out.problem = QStringLiteral("il valore \"%1\" non è ammesso").arg(text.trimmed());
            return out;
        }
    }
    out.pieces << t;
    return out;
}

} // namespace einvoice
