#include "SendMailCommand.h"

#include "common/Interaction.h"
#include "db/ArchiveOpening.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "mail/EmailModel.h"

#include <QFileInfo>
#include <QTextStream>

namespace admin {

namespace {

const char* usage = "Uso: ossarion-admin send-mail ARCHIVIO --to INDIRIZZO... [--subject OGGETTO] "
                    "[--text TESTO] [--attach FILE]...\n";

// Messages go to the terminal; nothing is asked.
class TerminalInteraction : public common::Interaction {
public:
    void information(const QString&, const QString& text) override { out() << text << '\n'; }
    void warning(const QString&, const QString& text) override { err() << text << '\n'; }
    void error(const QString&, const QString& text) override { err() << text << '\n'; }
    bool question(const QString&, const QString&) override { return false; }
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

int sendMail(const QStringList& args) {
    QTextStream err(stderr);
    QStringList to;
    QStringList attachments;
    QString subject;
    QString text;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (a == u"--to" && hasValue) {
            // Every following word up to the next option is an address.
            while (i + 1 < args.size() && !args[i + 1].startsWith(u"--"))
                to.append(args[++i]);
        } else if (a == u"--subject" && hasValue) {
            subject = args[++i];
        } else if (a == u"--text" && hasValue) {
            text = args[++i];
        } else if (a == u"--attach" && hasValue) {
            attachments.append(QFileInfo(args[++i]).absoluteFilePath());
        } else {
            err << "Argomento non riconosciuto: " << a << '\n' << usage;
            return 2;
        }
    }
    if (args.isEmpty() || to.isEmpty()) {
        err << "Manca il destinatario\n" << usage;
        return 2;
    }

    db::Database db;
    db::ArchiveOpening::open(db, args[0], db::ArchiveOpening::IfMissing::Refuse);

    TerminalInteraction ui;
    mail::EmailModel model(db, ui);
    model.prefill(subject, text, to, attachments);
    const mail::EmailModel::Outcome outcome = model.send();
    return outcome.notSent.isEmpty() && !outcome.sent.isEmpty() ? 0 : 1;
}

} // namespace admin
