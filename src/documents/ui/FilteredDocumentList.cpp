#include "documents/ui/FilteredDocumentList.h"

#include "ui/Guarded.h"

#include <QComboBox>
#include <QLineEdit>

namespace documents::ui {

FilteredDocumentList::FilteredDocumentList(::ui::AppContext& context,
                                           const ::ui::ScreenDefinition& definition,
                                           QWidget* parent)
    : ::ui::ListScreen(context, definition, ReadLater{}, parent) {}

QString FilteredDocumentList::condition() const {
    QString c = ::ui::ListScreen::condition();
    if (!m_applied.isEmpty())
        c += QStringLiteral(" and ") + m_applied;
    return c;
}

QLineEdit* FilteredDocumentList::filterBox(const QString& name) const {
    return findChild<QLineEdit*>(name);
}

QComboBox* FilteredDocumentList::filterChoice(const QString& name) const {
    return findChild<QComboBox*>(name);
}

void FilteredDocumentList::search() {
    m_applied = selection();
    refresh();
}

void FilteredDocumentList::resetFilter() {
    for (QLineEdit* box : findChildren<QLineEdit*>())
        if (box->objectName().startsWith(QLatin1String("txt")))
            box->clear();
    for (QComboBox* c : findChildren<QComboBox*>())
        c->setCurrentIndex(0);
    m_applied.clear();
    refresh();
}

void FilteredDocumentList::removeCurrentWith(const std::function<bool(qint64)>& askAndRemove) {
    const qint64 key = currentKey();
    if (key == 0)
        return;
    bool removed = false;
    if (::ui::guarded(context(), [&] { removed = askAndRemove(key); }) && removed)
        refresh();
}

} // namespace documents::ui
