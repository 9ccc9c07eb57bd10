#include "TestArchive.h"

#include "db/Schema.h"

#include <QUrl>
#include <QUrlQuery>
#include <QUuid>

QString TestArchive::postgresAddress() {
    return qEnvironmentVariable("OSSARION_TEST_PG");
}

bool TestArchive::postgresAvailable() {
    return !postgresAddress().isEmpty();
}

TestArchive::TestArchive(db::Engine engine, Content content) {
    if (engine == db::Engine::SQLite) {
        m_address = m_dir.filePath(QStringLiteral("archivio.db"));
        m_db = std::make_unique<db::Database>();
        m_db->open(m_address, db::Database::OpenMode::CreateIfMissing);
    } else {
        // One schema per test keeps the tests apart on one server database.
        m_schema =
            QStringLiteral("t_") + QUuid::createUuid().toString(QUuid::Id128).left(16).toLower();
        db::Database admin;
        admin.open(postgresAddress());
        admin.execNative(QStringLiteral("CREATE SCHEMA ") + m_schema);
        QUrl url(postgresAddress());
        QUrlQuery q(url);
        q.addQueryItem(QStringLiteral("options"),
                       QStringLiteral("-csearch_path=%1,public").arg(m_schema));
        url.setQuery(q);
        m_address = url.toString();
        m_db = std::make_unique<db::Database>();
        m_db->open(m_address);
    }
    m_db->setWorkstation(QStringLiteral("TEST1"));
    if (content == Content::Structure)
        db::Schema::upgrade(*m_db, 1);
    else if (content == Content::Full)
        db::Schema::upgrade(*m_db);
}

TestArchive::~TestArchive() {
    m_db.reset();
    if (!m_schema.isEmpty()) {
        try {
            db::Database admin;
            admin.open(postgresAddress());
            admin.execNative(QStringLiteral("DROP SCHEMA ") + m_schema +
                             QStringLiteral(" CASCADE"));
        } catch (...) {
        }
    }
}

std::unique_ptr<db::Database> TestArchive::openAnother(const QString& workstation) {
    auto other = std::make_unique<db::Database>();
    other->open(m_address);
    other->setWorkstation(workstation);
    return other;
}
