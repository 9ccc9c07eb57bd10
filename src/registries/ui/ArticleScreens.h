#pragma once

#include "registries/ArticleRules.h"
#include "ui/CardScreen.h"
#include "ui/ListScreen.h"

namespace ui {
class ScreenRegistry;
}

namespace registries::ui {

// The article and service list and card.
::ui::ScreenDefinition articleDefinition();

class ArticleList : public ::ui::ListScreen {
    Q_OBJECT
public:
    ArticleList(::ui::AppContext& context, QWidget* parent = nullptr);

protected:
    qint64 insertRow() override;
};

// The card of one article: the price including VAT follows the price, the
// discount and the VAT code; typing it gives the price back.
class ArticleCard : public ::ui::CardScreen {
    Q_OBJECT
public:
    ArticleCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                bool isNew, QWidget* parent = nullptr);

protected:
    std::optional<common::Failure> validate(const QVariantMap& values) const override;
    void writeExtra(db::Database& db, const QVariantMap& values) override;

private:
    db::RegistryRecord current() const;
    void netTyped();
    void grossTyped();
    void vatChosen();

    bool m_netEdited = false;
    bool m_grossEdited = false;
};

void registerArticleScreens(::ui::ScreenRegistry& registry);

} // namespace registries::ui
