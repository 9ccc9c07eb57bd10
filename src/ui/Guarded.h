#pragma once

#include "ui/AppContext.h"

#include <functional>
#include <optional>

namespace common {
class Interaction;
struct Failure;
} // namespace common

namespace ui {

// Runs one screen action. A database error ends it and is shown to the user
// with the error title (not shown when there is no one to ask); false then.
bool guarded(common::Interaction* interaction, const std::function<void()>& action);

inline bool guarded(const AppContext& context, const std::function<void()>& action) {
    return guarded(context.interaction, action);
}

// Runs a rule that may refuse. A database error is shown as by guarded; a
// refusal goes to onRefusal, which shows it where the screen wants. True
// only when the rule ran and did not refuse.
bool guardedRule(const AppContext& context,
                 const std::function<std::optional<common::Failure>()>& rule,
                 const std::function<void(const common::Failure&)>& onRefusal);

} // namespace ui
