#pragma once

// What a screen under test is built with: a fresh archive, the scripted
// answers it gets instead of message boxes, and the context that joins them.

#include "TestArchive.h"
#include "common/ScriptedInteraction.h"
#include "ui/AppContext.h"

#include <gtest/gtest.h>

namespace uitest {

struct ScreenArchive {
    explicit ScreenArchive(db::Engine engine = db::Engine::SQLite);
    ScreenArchive(const ScreenArchive&) = delete;
    ScreenArchive& operator=(const ScreenArchive&) = delete;

    db::Database& db() { return archive.db(); }

    TestArchive archive;
    common::ScriptedInteraction interaction;
    ui::AppContext context;
};

// The same as a GoogleTest fixture, on SQLite.
class ScreenTest : public ::testing::Test, public ScreenArchive {};

} // namespace uitest
