#pragma once

#include "ui/CardScreen.h"
#include "ui/LazyChoice.h"
#include "ui/ListScreen.h"

#include <QList>
#include <QPixmap>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace ui {
class ScreenRegistry;
}

namespace cemetery::ui {

::ui::ScreenDefinition deceasedDefinition();
::ui::ScreenDefinition deceasedCategoriesDefinition();

// The deceased list ("Defunti"). In selection mode "Avanti" and a double
// click close the list and leave the selected rows as the choice.
class DeceasedList : public ::ui::ListScreen {
public:
    DeceasedList(::ui::AppContext& context, QWidget* parent = nullptr, bool selectionMode = false);

    QString condition() const override;
    // The deceased chosen in selection mode.
    QList<qint64> chosen() const { return m_chosen; }
    // A new deceased saved from its card is linked to this contract.
    void setLinkContract(qint64 contractId) { m_linkContract = contractId; }
    // "cerca" and "reset".
    void search();
    void resetSearch();
    QLineEdit* nameBox() const { return m_name; }
    QComboBox* categoryBox() const { return m_category; }
    QComboBox* areaBox() const { return m_area; }

protected:
    qint64 insertRow() override;
    void openCard(qint64 key, bool isNew) override;

private:
    void fillChoices();

    bool m_selectionMode;
    qint64 m_linkContract = 0;
    QList<qint64> m_chosen;
    QString m_applied; // condition of the last "cerca"
    QLineEdit* m_name;
    QLineEdit* m_taxCode;
    QLineEdit* m_notes;
    ::ui::LazyChoice* m_category;
    ::ui::LazyChoice* m_area;
};

// The deceased card ("Defunti"): pages "  Defunto  " and "  Foto  ".
class DeceasedCard : public ::ui::CardScreen {
public:
    DeceasedCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                 bool isNew, QWidget* parent = nullptr);

    void setLinkContract(qint64 contractId) { m_linkContract = contractId; }
    // Reads the photo again from the stored path.
    void reloadPicture();
    // Shows the duplicate warnings of the tax code and of the name.
    void checkTaxCode();
    void checkName();
    QLabel* picture() const { return m_picture; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    std::optional<common::Failure> validate(const QVariantMap& values) const override;
    void writeExtra(db::Database& db, const QVariantMap& values) override;

private:
    void newCategory();
    void openCategory();
    void newMunicipality(const QString& field);
    void openMunicipality(const QString& field);
    void fillPositions();
    void takePhoto();
    void showFullPicture();
    QString birthDateTyped() const;

    qint64 m_linkContract = 0;
    bool m_namesTyped = false;
    QLabel* m_picture = nullptr;
    QPixmap m_pixmap;
};

// Categories of deceased, reachable from the list and the card.
void openDeceasedCategories(::ui::AppContext& context, QWidget* parent);

void registerDeceasedScreens(::ui::ScreenRegistry& registry);

} // namespace cemetery::ui
