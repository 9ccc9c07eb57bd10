#include "printing/ui/DocumentActions.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "mail/SmtpSettings.h"
#include "mail/ui/EmailDialog.h"
#include "ui/AppContext.h"

#include <QApplication>
#include <QFileInfo>

namespace printing::ui {

void printReport(::ui::AppContext& context, const printing::ReportCall& call) {
    printing::StampaReport(*context.db, call);
}

bool exportAndSend(::ui::AppContext& context, printing::ExportKind kind, qint64 documentId,
                   QWidget* parent, QStringList* sentTo) {
    const auto e = printing::DocumentExports::prepare(*context.db, kind, documentId);
    if (!e)
        return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = printing::DocumentExports::run(*context.db, *e);
    QApplication::restoreOverrideCursor();
    if (!written || !QFileInfo::exists(e->file)) {
        context.interaction->error(
            common::titles::error,
            QStringLiteral("Il documento non è stato esportato nel file %1.").arg(e->file));
        return false;
    }
    mail::ui::EmailDialog dialog(context, parent);
    QStringList to;
    if (!e->recipient.trimmed().isEmpty())
        to << e->recipient.trimmed();
    // The message starts with the firm's usual text.
    dialog.openFilled(e->subject, mail::SmtpSettings::load(*context.db).defaultText, to, {e->file});
    if (sentTo)
        *sentTo = dialog.sentTo();
    return true;
}

void emailAddresses(::ui::AppContext& context, const QStringList& addresses, QWidget* parent) {
    QStringList to;
    for (const QString& a : addresses)
        if (!a.trimmed().isEmpty() && !to.contains(a.trimmed(), Qt::CaseInsensitive))
            to << a.trimmed();
    mail::ui::EmailDialog dialog(context, parent);
    dialog.openFilled(QString(), QString(), to);
}

} // namespace printing::ui
