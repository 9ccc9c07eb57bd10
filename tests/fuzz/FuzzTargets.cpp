#include "FuzzTargets.h"

#include "common/ICalendar.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/JetTranslator.h"
#include "db/Schema.h"
#include "db/SchemaCatalog.h"
#include "einvoice/IpaImport.h"
#include "printing/ReportRenderer.h"
#include "purchases/ReceivedFile.h"
#include "purchases/ReceivedInvoice.h"
#include "registries/VCard.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <memory>

namespace fuzz {

namespace {

void jet(const QByteArray& data) {
    static const bool loaded = [] {
        db::Schema::loadCatalog();
        return true;
    }();
    Q_UNUSED(loaded);
    const QString text = QString::fromUtf8(data);
    for (db::Engine engine : {db::Engine::SQLite, db::Engine::PostgreSQL}) {
        try {
            db::JetTranslator(engine, &db::SchemaCatalog::instance()).translate(text);
        } catch (const db::DbError&) {
            // A statement the dialect layer refuses, with its message.
        }
    }
}

void reportTemplate(const QByteArray& data) {
    const QJsonDocument doc = QJsonDocument::fromJson(data);
    if (!doc.isObject())
        return;
    printing::ReportData empty;
    try {
        printing::ReportRenderer::render(doc.object(), empty);
    } catch (const printing::RenderError&) {
        // A template the print program refuses, with its message.
    }
}

// One archive for the whole run: each input replaces the directory.
void ipa(const QByteArray& data) {
    static QTemporaryDir dir;
    static std::unique_ptr<db::Database> archive = [] {
        db::Schema::loadCatalog();
        auto d = std::make_unique<db::Database>();
        d->open(dir.filePath(QStringLiteral("fuzz.db")), db::Database::OpenMode::CreateIfMissing);
        db::Schema::upgrade(*d);
        return d;
    }();
    const QString path = dir.filePath(QStringLiteral("uffici.csv"));
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    f.write(data);
    f.close();
    try {
        einvoice::IpaImport::run(*archive, path);
    } catch (const db::DbError&) {
        // A file that cannot be read, refused with its message.
    }
}

void vcard(const QByteArray& data) {
    const QList<registries::VCardContact> contacts = registries::VCard::read(data);
    registries::VCard::write(contacts);
    registries::VCard::escape(QString::fromUtf8(data));
    registries::VCard::fold(data);
}

void icalendar(const QByteArray& data) {
    const QString text = QString::fromUtf8(data);
    common::icsContentLines(common::icsText(text));
}

void received(const QByteArray& data) {
    const purchases::ReceivedFile file = purchases::ReceivedFile::fromBytes(data, false);
    if (file.error.isEmpty())
        purchases::ReceivedInvoice::parse(file.xml);
}

void envelope(const QByteArray& data) {
    const purchases::ReceivedFile file = purchases::ReceivedFile::fromBytes(data, true);
    if (file.error.isEmpty())
        purchases::ReceivedInvoice::parse(file.xml);
}

} // namespace

QStringList targets() {
    return {QStringLiteral("jet"),   QStringLiteral("template"),  QStringLiteral("ipa"),
            QStringLiteral("vcard"), QStringLiteral("icalendar"), QStringLiteral("received"),
            QStringLiteral("p7m")};
}

void run(const QString& target, const QByteArray& data) {
    if (target == u"jet")
        jet(data);
    else if (target == u"template")
        reportTemplate(data);
    else if (target == u"ipa")
        ipa(data);
    else if (target == u"vcard")
        vcard(data);
    else if (target == u"icalendar")
        icalendar(data);
    else if (target == u"received")
        received(data);
    else if (target == u"p7m")
        envelope(data);
}

} // namespace fuzz
