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

} // namespace ui
