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

const char* const exportUsage =
    "Uso: ossarion-admin export-fatturapa ARCHIVIO ID_DOCUMENTO FILE [--forza]\n";

// Messages to the terminal. A question is answered No, which stops the
// export as the program would until the user says otherwise; with --forza
// it is answered Yes. Either way its text and the answer are printed.
class ConsoleInteraction : public common::Interaction {
public:
    explicit ConsoleInteraction(bool force) : m_force(force) {}
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
        err() << title << '\n'
              << text << '\n'
              << (m_force ? "Risposta: Sì (--forza)\n" : "Risposta: No (--forza per proseguire)\n");
        err().flush();
        return m_force;
    }
    bool askPassword(const QString&, const QString&, QString*) override { return false; }
    bool askText(const QString&, const QString&, QString*) override { return false; }
    QString openFile(const QString&, const QString&, const QString&) override { return {}; }
    QString saveFile(const QString&, const QString&, const QString&) override { return {}; }

private:
    bool m_force = false;
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

int exportFatturaPa(const QStringList& arguments) {
    QTextStream err(stderr);
    QStringList args = arguments;
    const bool force = args.removeAll(QStringLiteral("--forza")) > 0;
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

    ConsoleInteraction console(force);
    const auto result =
        einvoice::FatturaPaExport::run(db, console, {id, QFileInfo(args[2]).absoluteFilePath()});
    return result.written ? 0 : 1;
}

} // namespace admin
