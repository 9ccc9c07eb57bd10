#include "ui/Guarded.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/DbError.h"

namespace ui {

bool guarded(common::Interaction* interaction, const std::function<void()>& action) {
    try {
        action();
        return true;
    } catch (const db::DbError& e) {
        if (interaction)
            interaction->errorWithDetails(common::titles::error, e.message(), e.details());
        return false;
    }
}

bool guardedRule(const AppContext& context,
                 const std::function<std::optional<common::Failure>()>& rule,
                 const std::function<void(const common::Failure&)>& onRefusal) {
    std::optional<common::Failure> refusal;
    if (!guarded(context, [&] { refusal = rule(); }))
        return false;
    if (refusal) {
        onRefusal(*refusal);
        return false;
    }
    return true;
}

} // namespace ui
