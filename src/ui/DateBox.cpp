#include "ui/DateBox.h"

#include "common/TextForms.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace ui {

QLineEdit* DateBox(QWidget* parent, const QString& objectName, int width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9/.\\- ]{0,10}")), e));
    e->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    e->setMaxLength(10);
    if (width > 0)
        e->setMaximumWidth(width);
    QObject::connect(e, &QLineEdit::editingFinished, e, [e] {
        const QDate d = common::parseItalianDate(e->text());
        if (d.isValid() && e->text() != common::italianDate(d))
            e->setText(common::italianDate(d));
    });
    return e;
}

QDateTime readDateTime(const QString& text) {
    static const QRegularExpression parts(
        QStringLiteral("^(\\S+)(?:\\s+([0-9]{1,2})[:.]([0-9]{2}))?$"));
    static const QRegularExpression keypad(QStringLiteral("^([0-9]{8})([0-9]{2})([0-9]{2})$"));
    // Twelve digits typed on a keypad: ddMMyyyyhhmm.
    QString t = text.trimmed();
    if (const QRegularExpressionMatch k = keypad.match(t); k.hasMatch())
        t = k.captured(1) + u' ' + k.captured(2) + u':' + k.captured(3);
    const QRegularExpressionMatch m = parts.match(t);
    if (!m.hasMatch())
        return {};
    const QDate day = common::parseItalianDate(m.captured(1));
    const QTime hour =
        m.captured(2).isEmpty() ? QTime(0, 0) : QTime(m.captured(2).toInt(), m.captured(3).toInt());
    if (!day.isValid() || !hour.isValid())
        return {};
    return QDateTime(day, hour);
}

QLineEdit* DateTimeBox(QWidget* parent, const QString& objectName, int width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9/.\\-: ]{0,16}")), e));
    e->setPlaceholderText(QStringLiteral("gg/mm/aaaa hh:mm"));
    e->setMaxLength(16);
    if (width > 0)
        e->setMaximumWidth(width);
    QObject::connect(e, &QLineEdit::editingFinished, e, [e] {
        const QDateTime t = readDateTime(e->text());
        const QString shown =
            common::italianDate(t.date()) + u' ' + t.time().toString(QStringLiteral("HH:mm"));
        if (t.isValid() && e->text() != shown)
            e->setText(shown);
    });
    return e;
}

QTime readTime(const QString& text) {
    static const QRegularExpression hour(QStringLiteral("^([0-9]{1,2})(?:[:.]?([0-9]{2}))?$"));
    const QRegularExpressionMatch m = hour.match(text.trimmed());
    if (!m.hasMatch())
        return {};
    return QTime(m.captured(1).toInt(), m.captured(2).isEmpty() ? 0 : m.captured(2).toInt());
}

QLineEdit* TimeBox(QWidget* parent, const QString& objectName, int width) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.:]{0,5}")), e));
    e->setPlaceholderText(QStringLiteral("hh:mm"));
    e->setMaxLength(5);
    if (width > 0)
        e->setMaximumWidth(width);
    QObject::connect(e, &QLineEdit::editingFinished, e, [e] {
        const QTime t = readTime(e->text());
        const QString shown = t.toString(QStringLiteral("HH:mm"));
        if (t.isValid() && e->text() != shown)
            e->setText(shown);
    });
    return e;
}

} // namespace ui
