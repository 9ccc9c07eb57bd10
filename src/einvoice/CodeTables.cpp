#include "einvoice/CodeTables.h"

#include "db/Database.h"

#include <QHash>

namespace einvoice::codetables {

QStringList names() {
    return {QStringLiteral("PA_Natura"), QStringLiteral("PA_RegimeFiscale"),
            QStringLiteral("PA_ModalitaPagamento"), QStringLiteral("PA_IscrizRea_SocioUnico"),
            QStringLiteral("PA_IscrizRea_StatoLiquidazione")};
}

QString dropDownSql(const QString& table) {
    return QStringLiteral("select Codice, Descrizione from %1 order by Descrizione").arg(table);
}

QString description(db::Database& db, const QString& table, const QString& code) {
    if (code.trimmed().isEmpty())
        return QString();
    return db
        .scalar(QStringLiteral("select Descrizione from %1 where Codice = ?").arg(table),
                {code.trimmed()})
        .toString();
}

QString natureLabel(const QString& code) {
    static const QHash<QString, QString> labels{
        {QStringLiteral("N1"), QStringLiteral("escluse ex art. 15")},
        {QStringLiteral("N2.1"),
         QStringLiteral(
             "non soggette ad IVA ai sensi degli artt. da 7 a 7-septies del DPR 633/72")},
        {QStringLiteral("N2.2"), QStringLiteral("non soggette - altri casi")},
        {QStringLiteral("N3.1"), QStringLiteral("non imponibili - esportazioni")},
        {QStringLiteral("N3.2"), QStringLiteral("non imponibili - cessioni intracomunitarie")},
        {QStringLiteral("N3.3"), QStringLiteral("non imponibili - cessioni verso San Marino")},
        {QStringLiteral("N3.4"),
         QStringLiteral("non imponibili - operazioni assimilate alle cessioni all'esportazione")},
        {QStringLiteral("N3.5"),
         QStringLiteral("non imponibili - a seguito di dichiarazioni d'intento")},
        {QStringLiteral("N3.6"),
         QStringLiteral("non imponibili - altre operazioni che non concorrono "
                        "alla formazione del plafond")},
        {QStringLiteral("N4"), QStringLiteral("esenti")},
        {QStringLiteral("N5"), QStringLiteral("regime del margine / IVA non esposta in fattura")},
        {QStringLiteral("N6.1"),
         QStringLiteral("inversione contabile - cessione di rottami e altri "
                        "materiali di recupero")},
        {QStringLiteral("N6.2"),
         QStringLiteral("inversione contabile - cessione di oro e argento puro")},
        {QStringLiteral("N6.3"),
         QStringLiteral("inversione contabile - subappalto nel settore edile")},
        {QStringLiteral("N6.4"), QStringLiteral("inversione contabile - cessione di fabbricati")},
        {QStringLiteral("N6.5"),
         QStringLiteral("inversione contabile - cessione di telefoni cellulari")},
        {QStringLiteral("N6.6"),
         QStringLiteral("inversione contabile - cessione di prodotti elettronici")},
        {QStringLiteral("N6.7"),
         QStringLiteral("inversione contabile - prestazioni comparto edile e "
                        "settori connessi")},
        {QStringLiteral("N6.8"),
         QStringLiteral("inversione contabile - operazioni settore energetico")},
        {QStringLiteral("N6.9"), QStringLiteral("inversione contabile - altri casi")},
        {QStringLiteral("N7"),
         QStringLiteral("IVA assolta in altro stato UE (vendite a distanza ex art. 40 c. 3 e 4 e "
                        "art. 41 c. 1 lett. b,  DL 331/93; prestazione di servizi di "
                        "telecomunicazioni, tele-radiodiffusione ed elettronici ex art. 7-sexies "
                        "lett. f, g, art. 74-sexies DPR 633/72)")},
    };
    return labels.value(code.trimmed().toUpper());
}

} // namespace einvoice::codetables
