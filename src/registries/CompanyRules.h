#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QByteArray>
#include <QImage>
#include <optional>

namespace registries {

// The company row (ditta) and its logo.
class CompanyRules {
public:
    static db::Row load(db::Database& db);
    // One transaction. The EORI code is kept in both of its columns, the
    // invoicing-series switch in both ditta and opzioni.
    static void save(db::Database& db, const db::Values& values);

    // The company name; empty when not set.
    static QString name(db::Database& db);

    // Reads a PNG or JPEG picture for the logo; a failure for anything else.
    static std::optional<common::Failure> readLogo(const QString& path, QByteArray* bytes);
    static QImage logoImage(const QByteArray& bytes);
    // Stores or removes (empty bytes) the logo on its own.
    static void saveLogo(db::Database& db, const QByteArray& bytes);
};

} // namespace registries
