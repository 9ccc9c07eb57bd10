// Registers supplier documents on a shared archive as one workstation
// would, for the registration-number concurrency test:
// registration_worker <archive> <count> <tag>. Every other document comes
// from a received file, which takes the same number sequence.

#include "common/ScriptedInteraction.h"
#include "db/Database.h"
#include "db/DbError.h"
#include "db/Schema.h"
#include "purchases/FatturaPaImport.h"
#include "purchases/SupplierDocuments.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

QByteArray received(const QString& number) {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?><p:FatturaElettronica "
               "xmlns:p=\"http://ivaservizi.agenziaentrate.gov.it/docs/xsd/fatture/v1.2\">"
               "<FatturaElettronicaHeader><CedentePrestatore><DatiAnagrafici><IdFiscaleIVA>"
               "<IdPaese>IT</IdPaese><IdCodice>01234567890</IdCodice></IdFiscaleIVA><Anagrafica>"
               "<Denominazione>Marmi Srl</Denominazione></Anagrafica></DatiAnagrafici>"
               "</CedentePrestatore></FatturaElettronicaHeader><FatturaElettronicaBody>"
               "<DatiGenerali><DatiGeneraliDocumento><TipoDocumento>TD01</TipoDocumento>"
               "<Data>2025-03-10</Data><Numero>%1</Numero></DatiGeneraliDocumento>"
               "</DatiGenerali><DatiBeniServizi><DettaglioLinee><NumeroLinea>1</NumeroLinea>"
               "<Descrizione>Marmo</Descrizione><PrezzoUnitario>10.00</PrezzoUnitario>"
               "<PrezzoTotale>10.00</PrezzoTotale><AliquotaIVA>22.00</AliquotaIVA>"
               "</DettaglioLinee></DatiBeniServizi></FatturaElettronicaBody>"
               "</p:FatturaElettronica>")
        .arg(number)
        .toUtf8();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    try {
        db::Schema::loadCatalog();
        db::Database db;
        db.open(args[1]);
        const int count = args[2].toInt();
        for (int i = 0; i < count; ++i) {
            if (i % 2 == 0) {
                purchases::SupplierDocuments::create(db, purchases::DocumentKind::SupplierInvoice,
                                                     {});
            } else {
                common::ScriptedInteraction yes;
                const auto o = purchases::FatturaPaImport::importBytes(
                    db, yes, received(args[3] + QString::number(i)), false);
                if (o.status != purchases::ImportOutcome::Status::Imported) {
                    QTextStream(stderr) << o.text << '\n';
                    return 1;
                }
            }
        }
    } catch (const db::DbError& e) {
        QTextStream(stderr) << e.message() << '\n';
        return 1;
    }
    return 0;
}
