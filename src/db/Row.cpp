#include "db/Row.h"

#include "db/DbError.h"

namespace db {

RowColumns::RowColumns(QStringList names) : m_names(std::move(names)) {
    for (int i = 0; i < m_names.size(); ++i) {
        const QString key = m_names.at(i).toLower();
        if (!m_index.contains(key))
            m_index.insert(key, i);
    }
    // The exact spelling may answer only for the first column of its name,
    // whatever the case of the later ones.
    for (int i = 0; i < m_names.size(); ++i)
        if (m_index.value(m_names.at(i).toLower()) == i)
            m_exact.insert(m_names.at(i), i);
}

int RowColumns::indexOf(const QString& name) const {
    // Most callers spell the column as the schema does: no lower-casing then.
    if (const auto it = m_exact.constFind(name); it != m_exact.constEnd())
        return it.value();
    // A qualified "table.column" answers only for a column so named: the
    // result does not tell which table its columns come from, and taking any
    // column of the same name would read another table's value.
    return m_index.value(name.toLower(), -1);
}

QVariant Row::value(const QString& column) const {
    const int i = m_columns ? m_columns->indexOf(column) : -1;
    if (i < 0)
        throw DbError(QStringLiteral("Colonna %1 assente nel risultato").arg(column));
    return m_values.value(i);
}

bool Row::isNull(const QString& column) const {
    return value(column).isNull();
}

QString Row::text(const QString& column) const {
    const QVariant v = value(column);
    if (v.isNull())
        return QString();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime: {
        const QDateTime dt = v.toDateTime();
        return dt.time() == QTime(0, 0) ? dt.date().toString(QStringLiteral("dd/MM/yyyy"))
                                        : dt.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    }
    default:
        return v.toString();
    }
}

qint64 Row::integer(const QString& column) const {
    return value(column).toLongLong();
}

double Row::number(const QString& column) const {
    return value(column).toDouble();
}

bool Row::boolean(const QString& column) const {
    return toBool(value(column));
}

QDate Row::date(const QString& column) const {
    return toDate(value(column));
}

QDateTime Row::dateTime(const QString& column) const {
    return toDateTime(value(column));
}

QDate Row::toDate(const QVariant& v) {
    return toDateTime(v).date();
}

QDateTime Row::toDateTime(const QVariant& v) {
    if (v.isNull())
        return QDateTime();
    switch (v.typeId()) {
    case QMetaType::QDate:
        return QDateTime(v.toDate(), QTime(0, 0));
    case QMetaType::QDateTime:
        return v.toDateTime();
    default:
        break;
    }
    // Text as stored: "YYYY-MM-DD", "YYYY-MM-DD HH:MM:SS", or Qt's ISO form.
    QString s = v.toString().trimmed();
    if (s.size() >= 10) {
        const QDate d = QDate::fromString(s.left(10), QStringLiteral("yyyy-MM-dd"));
        if (!d.isValid())
            return QDateTime();
        QTime t(0, 0);
        if (s.size() >= 19)
            t = QTime::fromString(s.mid(11, 8), QStringLiteral("HH:mm:ss"));
        return QDateTime(d, t.isValid() ? t : QTime(0, 0));
    }
    return QDateTime();
}

bool Row::toBool(const QVariant& v) {
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::Bool)
        return v.toBool();
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed().toLower();
        return s == u"1" || s == u"-1" || s == u"true" || s == u"t";
    }
    return v.toLongLong() != 0;
}

} // namespace db
