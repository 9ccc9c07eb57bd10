#include "ExportFatturaPaCommand.h"

#include "common/Interaction.h"
#include "db/ArchiveOpening.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "einvoice/FatturaPaExport.h"

#include <QFileInfo>
#include <QTextStream>

namespace admin {

namespace {

const char* const exportUsage = "Uso: ossarion-admin export-fatturapa ARCHIVIO ID_DOCUMENTO FILE\n";

// Messages to the terminal; every question is answered Yes after its text
// is printed, so the reports of the checks never stop the export.
class ConsoleInteraction : public common::Interaction {
public:
    void information(const QString& title, const QString& text) override {
        out() << title << ": " << text << '\n';
        out().flush();
    }
    void warning(const QString& title, const QString& text) override { error(title, text); }
    void error(const QString& title, const QString& text) override {
        err() << title << ": " << text << '\n';
        err().flush();
    }
    bool question(const QString& title, const QString& text) override {
        err() << title << '\n' << text << '\n';
        err().flush();
        return true;
    }
    bool askPassword(const QString&, const QString&, QString*) override { return false; }
    bool askText(const QString&, const QString&, QString*) override { return false; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }

private:
    static QTextStream& out() {
        static QTextStream s(stdout);
        return s;
    }
    static QTextStream& err() {
        static QTextStream s(stderr);
        return s;
    }
};

} // namespace

int exportFatturaPa(const QStringList& args) {
    QTextStream err(stderr);
    if (args.size() != 3) {
        err << exportUsage;
        return 2;
    }
    bool ok = false;
    const qint64 id = args[1].toLongLong(&ok);
    if (!ok || id <= 0) {
        err << "Id documento non valido: " << args[1] << "\n" << exportUsage;
        return 2;
    }
    db::Database db;
    db::ArchiveOpening::open(db, args[0], db::ArchiveOpening::IfMissing::Refuse);

    ConsoleInteraction console;
    const auto result =
        einvoice::FatturaPaExport::run(db, console, {id, QFileInfo(args[2]).absoluteFilePath()});
    return result.written ? 0 : 1;
}

} // namespace admin
