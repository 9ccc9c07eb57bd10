#pragma once

namespace db {

// The two engines an archive can live on.
enum class Engine { SQLite, PostgreSQL };

} // namespace db
