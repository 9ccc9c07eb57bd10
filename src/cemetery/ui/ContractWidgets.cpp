#include "cemetery/ui/ContractWidgets.h"

#include "db/DbError.h"
#include "ui/AppContext.h"
#include "ui/CardFields.h"
#include "ui/CardScreen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

namespace cemetery::ui::contractwidgets {

using ::ui::CardField;
using ::ui::FieldKind;

QDate today() {
    return QDate::currentDate();
}

CardField field(const QString& column, const QString& label, bool sameRow, int width,
                FieldKind kind) {
    CardField f = ::ui::PageField(column, label, QString(), sameRow, width);
    f.kind = kind;
    return f;
}

::ui::Lookup customerLookup() {
    return {QStringLiteral("select ID, NominativoVisualizzato, Annullato from Clienti order by "
                           "NominativoVisualizzato"),
            QStringLiteral("ID"), QStringLiteral("NominativoVisualizzato"),
            QStringLiteral("Annullato")};
}

bool guarded(::ui::AppContext& context, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const db::DbError& e) {
        context.interaction->error(kError, e.message());
        return false;
    }
}

int typedYear(const QString& text) {
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    return ok && year >= 1900 && year <= 2999 ? year : 0;
}

FieldButtons attachButtons(::ui::CardScreen* card, const QString& fieldName,
                           const QList<QPushButton*>& buttons, bool stretch) {
    QWidget* e = card->editor(fieldName);
    auto* holder = new QWidget(e->parentWidget());
    auto* h = new QHBoxLayout(holder);
    h->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* b : buttons)
        h->addWidget(b);
    if (!stretch)
        h->addStretch(1);
    return {e, holder, stretch};
}

void placeAttached(const QList<FieldButtons>& attached) {
    for (const FieldButtons& a : attached) {
        auto* grid = qobject_cast<QGridLayout*>(a.holder->parentWidget()->layout());
        const int at = grid ? grid->indexOf(a.editor) : -1;
        if (at < 0)
            continue;
        int row = 0, column = 0, rows = 0, columns = 0;
        grid->getItemPosition(at, &row, &column, &rows, &columns);
        grid->removeWidget(a.editor);
        grid->removeWidget(a.holder);
        static_cast<QHBoxLayout*>(a.holder->layout())->insertWidget(0, a.editor, a.stretch ? 1 : 0);
        grid->addWidget(a.holder, row, column, rows, columns);
        a.editor->show();
        a.holder->show();
    }
}

} // namespace cemetery::ui::contractwidgets
