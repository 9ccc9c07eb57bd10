#include "app/Installation.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>

// Opens the archive named by percorso.txt and shows the company.
int main(int argc, char** argv) {
    QApplication a(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Ossarion"));
    QFile f(app::Installation::filePath(QStringLiteral("percorso.txt")));
    if (!f.open(QIODevice::ReadOnly)) {
        QMessageBox::warning(
            nullptr, QStringLiteral("Messaggio di avviso"),
            QStringLiteral("Manca il file percorso.txt in %1").arg(app::Installation::folder()));
        return 1;
    }
    db::Database database;
    try {
        database.open(QString::fromUtf8(f.readAll()).trimmed());
        db::Schema::upgrade(database);
        const QString company =
            database.scalar(QStringLiteral("select RagSoc from ditta")).toString();
        QLabel window(QStringLiteral("<h2>%1</h2>").arg(company.toHtmlEscaped()));
        window.setWindowTitle(QStringLiteral("Ossarion - ") + company);
        window.setMinimumSize(480, 200);
        window.setAlignment(Qt::AlignCenter);
        window.show();
        return a.exec();
    } catch (const db::DbError& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Messaggio di errore"), e.message());
        return 1;
    }
}
