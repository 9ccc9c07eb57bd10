#include "printing/Formats.h"

#include "common/TextForms.h"
#include "db/Row.h"

#include <QLocale>
#include <cmath>

namespace printing {

namespace {

bool isNumberType(const QVariant& v) {
    switch (v.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return false;
    }
}

QString quantityText(double v) {
    static const QLocale italian(QLocale::Italian, QLocale::Italy);
    QString s = italian.toString(v, 'f', 3);
    const QChar comma = u',';
    if (s.contains(comma)) {
        while (s.endsWith(u'0'))
            s.chop(1);
        if (s.endsWith(comma))
            s.chop(1);
    }
    if (s == QStringLiteral("-0"))
        s = QStringLiteral("0");
    return s;
}

QString dateText(const QVariant& v, bool withTime) {
    const QDateTime dt = db::Row::toDateTime(v);
    if (!dt.isValid())
        return v.toString();
    if (withTime && dt.time() != QTime(0, 0))
        return dt.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
    return dt.date().toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

bool numericValue(const QVariant& value, double* number) {
    if (value.isNull() || !value.isValid())
        return false;
    if (value.typeId() == QMetaType::Bool) {
        *number = value.toBool() ? 1 : 0;
        return true;
    }
    if (isNumberType(value)) {
        *number = value.toDouble();
        return true;
    }
    bool ok = false;
    const double d = value.toString().trimmed().toDouble(&ok);
    if (ok)
        *number = d;
    return ok;
}

bool isKnownFormat(const QString& f) {
    static const QStringList known = {QString(),
                                      QStringLiteral("text"),
                                      QStringLiteral("date"),
                                      QStringLiteral("datetime"),
                                      QStringLiteral("time"),
                                      QStringLiteral("euro"),
                                      QStringLiteral("money"),
                                      QStringLiteral("price"),
                                      QStringLiteral("iban"),
                                      QStringLiteral("qty"),
                                      QStringLiteral("pct"),
                                      QStringLiteral("int"),
                                      QStringLiteral("yesno"),
                                      QStringLiteral("upper")};
    return known.contains(f);
}

QString monthName(int month) {
    static const char* const names[] = {"Gennaio",   "Febbraio", "Marzo",    "Aprile",
                                        "Maggio",    "Giugno",   "Luglio",   "Agosto",
                                        "Settembre", "Ottobre",  "Novembre", "Dicembre"};
    if (month < 1 || month > 12)
        return QString();
    return QString::fromLatin1(names[month - 1]);
}

QString formatValue(const QVariant& value, const QString& format) {
    if (value.isNull() || !value.isValid())
        return QString();
    double n = 0;
    if (format == u"date")
        return dateText(value, false);
    if (format == u"datetime")
        return dateText(value, true);
    if (format == u"time") {
        const QDateTime dt = db::Row::toDateTime(value);
        return dt.isValid() ? dt.toString(QStringLiteral("HH:mm")) : value.toString();
    }
    if (format == u"euro" || format == u"money") {
        if (!numericValue(value, &n))
            return value.toString();
        const QString s = common::euroText(n);
        return format == u"euro" ? s + QStringLiteral(" €") : s;
    }
    if (format == u"price") {
        // A unit price with the decimals it has: two at least, four at most.
        if (!numericValue(value, &n))
            return value.toString();
        static const QLocale italian(QLocale::Italian, QLocale::Italy);
        QString s = italian.toString(std::round(n * 10000) / 10000, 'f', 4);
        while (s.endsWith(u'0') && s.indexOf(u',') < s.size() - 3)
            s.chop(1);
        return s == QStringLiteral("-0,00") ? QStringLiteral("0,00") : s;
    }
    if (format == u"iban") {
        // Groups of four, as printed on bank papers.
        QString compact = value.toString().toUpper();
        compact.remove(u' ');
        QStringList groups;
        for (qsizetype i = 0; i < compact.size(); i += 4)
            groups << compact.mid(i, 4);
        return groups.join(u' ');
    }
    if (format == u"qty") {
        if (!numericValue(value, &n))
            return value.toString();
        return quantityText(n);
    }
    if (format == u"pct") {
        if (!numericValue(value, &n))
            return value.toString();
        return quantityText(n) + u'%';
    }
    if (format == u"int") {
        if (!numericValue(value, &n))
            return value.toString();
        return QString::number(qint64(std::llround(n)));
    }
    if (format == u"yesno") {
        return db::Row::toBool(value) ? QStringLiteral("Sì") : QStringLiteral("No");
    }
    if (format == u"upper")
        return formatValue(value).toUpper();

    // Plain text: dates in the Italian form, numbers without trailing zeros.
    switch (value.typeId()) {
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return dateText(value, true);
    case QMetaType::Double:
    case QMetaType::Float:
        return quantityText(value.toDouble());
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("Sì") : QStringLiteral("No");
    default:
        return value.toString();
    }
}

} // namespace printing
