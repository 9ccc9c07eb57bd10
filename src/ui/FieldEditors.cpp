#include "ui/FieldEditors.h"

#include "common/TextForms.h"
#include "db/SchemaCatalog.h"
#include "ui/DateBox.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDateTime>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>

namespace ui {

QColor colourFromStored(const QVariant& stored) {
    if (stored.isNull() || !stored.isValid())
        return QColor();
    const qint64 v = stored.toLongLong();
    return QColor(int(v & 0xff), int((v >> 8) & 0xff), int((v >> 16) & 0xff));
}

QVariant storedColour(const QColor& colour) {
    if (!colour.isValid())
        return QVariant();
    return qint64(colour.red()) | (qint64(colour.green()) << 8) | (qint64(colour.blue()) << 16);
}

ColourButton::ColourButton(QWidget* parent) : QPushButton(parent) {
    setMinimumWidth(90);
    connect(this, &QPushButton::clicked, this, &ColourButton::choose);
    setColour(QColor());
}

void ColourButton::setColour(const QColor& colour) {
    m_colour = colour;
    if (colour.isValid()) {
        setText(QString());
        setStyleSheet(QStringLiteral("background-color: %1;").arg(colour.name()));
    } else {
        setText(QStringLiteral("Nessuno"));
        setStyleSheet(QString());
    }
}

void ColourButton::choose() {
    const QColor picked = QColorDialog::getColor(m_colour.isValid() ? m_colour : Qt::white, this,
                                                 QStringLiteral("Scegli il colore"));
    if (picked.isValid()) {
        setColour(picked);
        emit colourChanged();
    }
}

FieldKind resolvedKind(const QString& table, const CardField& field) {
    if (field.kind != FieldKind::Auto)
        return field.kind;
    if (!field.lookup.sql.isEmpty())
        return FieldKind::Lookup;
    const auto type = db::SchemaCatalog::instance().columnType(table, field.field);
    if (!type)
        return FieldKind::Text;
    switch (*type) {
    case db::ColumnType::Memo:
        return FieldKind::Memo;
    case db::ColumnType::Integer:
    case db::ColumnType::Counter:
        return FieldKind::Integer;
    case db::ColumnType::Double:
        return FieldKind::Amount;
    case db::ColumnType::DateTime:
        return FieldKind::Date;
    case db::ColumnType::YesNo:
        return FieldKind::Check;
    default:
        return FieldKind::Text;
    }
}

QWidget* createEditor(const QString& table, const CardField& field, QWidget* parent) {
    QWidget* editor = nullptr;
    switch (resolvedKind(table, field)) {
    case FieldKind::Auto:
    case FieldKind::Text: {
        auto* e = new QLineEdit(parent);
        if (field.maxLength > 0)
            e->setMaxLength(field.maxLength);
        editor = e;
        break;
    }
    case FieldKind::Memo: {
        auto* e = new QPlainTextEdit(parent);
        e->setTabChangesFocus(true);
        e->setMinimumHeight(60);
        editor = e;
        break;
    }
    case FieldKind::Integer: {
        auto* e = new QLineEdit(parent);
        e->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,9}")), e));
        e->setAlignment(Qt::AlignRight);
        editor = e;
        break;
    }
    case FieldKind::Amount: {
        auto* e = new QLineEdit(parent);
        e->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("-?[0-9.]*,?[0-9]*")), e));
        e->setAlignment(Qt::AlignRight);
        editor = e;
        break;
    }
    case FieldKind::Date: {
        editor = DateBox(parent, QString());
        break;
    }
    case FieldKind::DateTime: {
        editor = DateTimeBox(parent, QString());
        break;
    }
    case FieldKind::Time: {
        editor = TimeBox(parent, QString());
        break;
    }
    case FieldKind::Check:
        editor = new QCheckBox(parent);
        break;
    case FieldKind::Lookup: {
        auto* combo = new QComboBox(parent);
        // Long descriptions must not widen the card.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        combo->setMinimumContentsLength(16);
        editor = combo;
        break;
    }
    case FieldKind::Colour:
        editor = new ColourButton(parent);
        break;
    }
    editor->setObjectName(field.field);
    if (field.readOnly) {
        if (auto* e = qobject_cast<QLineEdit*>(editor))
            e->setReadOnly(true);
        else if (auto* m = qobject_cast<QPlainTextEdit*>(editor))
            m->setReadOnly(true);
        else
            editor->setEnabled(false);
    }
    if (field.width > 0)
        editor->setFixedWidth(field.width);
    return editor;
}

QVariant editorValue(QWidget* editor, FieldKind kind, bool* ok) {
    if (ok)
        *ok = true;
    if (auto* check = qobject_cast<QCheckBox*>(editor))
        return check->isChecked();
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        const QVariant data = combo->currentIndex() >= 0 ? combo->currentData() : QVariant();
        return data.isValid() && !data.isNull() ? data : QVariant();
    }
    if (auto* colour = qobject_cast<ColourButton*>(editor))
        return storedColour(colour->colour());
    QString text;
    if (auto* memo = qobject_cast<QPlainTextEdit*>(editor))
        text = memo->toPlainText();
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        text = line->text();
    switch (kind) {
    case FieldKind::Integer: {
        if (text.trimmed().isEmpty())
            return QVariant();
        bool good = false;
        const qint64 v = text.trimmed().toLongLong(&good);
        if (ok)
            *ok = good;
        return good ? QVariant(v) : QVariant();
    }
    case FieldKind::Amount: {
        if (text.trimmed().isEmpty())
            return QVariant();
        double v = 0;
        const bool good = common::parseItalianAmount(text.trimmed(), &v);
        if (ok)
            *ok = good;
        return good ? QVariant(v) : QVariant();
    }
    case FieldKind::Date: {
        if (text.trimmed().isEmpty())
            return QVariant();
        const QDate d = common::parseItalianDate(text.trimmed());
        if (ok)
            *ok = d.isValid();
        return d.isValid() ? QVariant(d) : QVariant();
    }
    case FieldKind::DateTime: {
        if (text.trimmed().isEmpty())
            return QVariant();
        const QDateTime t = readDateTime(text);
        if (ok)
            *ok = t.isValid();
        return t.isValid() ? QVariant(t) : QVariant();
    }
    case FieldKind::Time: {
        if (text.trimmed().isEmpty())
            return QVariant();
        const QTime t = readTime(text);
        if (ok)
            *ok = t.isValid();
        return t.isValid() ? QVariant(t) : QVariant();
    }
    default:
        return text.isEmpty() ? QVariant() : QVariant(text);
    }
}

namespace {

QString amountText(double v, int decimals) {
    if (decimals == 2)
        return common::euroText(v);
    QString t = QLocale(QLocale::Italian, QLocale::Italy).toString(v, 'f', decimals);
    return t;
}

} // namespace

void setEditorValue(QWidget* editor, FieldKind kind, const QVariant& value, int decimals) {
    if (auto* check = qobject_cast<QCheckBox*>(editor)) {
        check->setChecked(!value.isNull() && db::Row::toBool(value));
        return;
    }
    if (auto* combo = qobject_cast<QComboBox*>(editor)) {
        int found = value.isNull() ? 0 : -1;
        for (int i = 0; i < combo->count() && !value.isNull(); ++i)
            if (combo->itemData(i).toString().compare(value.toString(), Qt::CaseInsensitive) == 0)
                found = i;
        combo->setCurrentIndex(found);
        return;
    }
    if (auto* colour = qobject_cast<ColourButton*>(editor)) {
        colour->setColour(colourFromStored(value));
        return;
    }
    QString text;
    if (!value.isNull()) {
        switch (kind) {
        case FieldKind::Amount:
            text = amountText(value.toDouble(), decimals);
            break;
        case FieldKind::Date:
            text = common::italianDate(db::Row::toDate(value));
            break;
        case FieldKind::DateTime: {
            const QDateTime dt = db::Row::toDateTime(value);
            text = dt.isValid() ? dt.toString(QStringLiteral("dd/MM/yyyy HH:mm")) : QString();
            break;
        }
        case FieldKind::Time: {
            const QDateTime dt = db::Row::toDateTime(value);
            text = dt.isValid() ? dt.toString(QStringLiteral("HH:mm")) : QString();
            break;
        }
        case FieldKind::Integer:
            text = QString::number(value.toLongLong());
            break;
        default:
            text = value.toString();
            break;
        }
    }
    if (auto* memo = qobject_cast<QPlainTextEdit*>(editor))
        memo->setPlainText(text);
    else if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->setText(text);
}

void fillLookup(db::Database& db, QWidget* editor, const Lookup& lookup, const QVariant& current) {
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo)
        return;
    combo->clear();
    combo->addItem(QString(), QVariant());
    const db::Result rows = db.query(lookup.sql);
    for (const db::Row& r : rows) {
        const QVariant key = r.value(lookup.keyColumn);
        const bool isCurrent = !current.isNull() &&
                               key.toString().compare(current.toString(), Qt::CaseInsensitive) == 0;
        if (!lookup.cancelledColumn.isEmpty() && r.boolean(lookup.cancelledColumn) && !isCurrent)
            continue;
        combo->addItem(r.text(lookup.displayColumn), key);
    }
    // A value whose row is gone is still shown as it stands.
    if (!current.isNull() && combo->findData(current) < 0) {
        bool present = false;
        for (int i = 0; i < combo->count(); ++i)
            present |=
                combo->itemData(i).toString().compare(current.toString(), Qt::CaseInsensitive) == 0;
        if (!present)
            combo->addItem(current.toString(), current);
    }
}

} // namespace ui
