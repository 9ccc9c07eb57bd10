#include "app/MainMenu.h"

namespace app {

namespace {

MenuButton b(const char* name, const QString& caption, const QString& group = QString()) {
    return MenuButton{QString::fromLatin1(name), caption, group, true, false};
}
MenuButton unkeyed(const char* name, const QString& caption, const QString& group = QString()) {
    return MenuButton{QString::fromLatin1(name), caption, group, false, false};
}

QList<MenuTab> build() {
    const QString docClienti = QStringLiteral("Documenti Clienti");
    const QString docFornitori = QStringLiteral("Documenti Fornitori");
    const QString anagrafiche = QStringLiteral("Anagrafiche");
    const QString altre = QStringLiteral("Altre stampe");
    const QString clienti = QStringLiteral("Clienti");
    const QString fornitori = QStringLiteral("Fornitori");
    const QString scadenze = QStringLiteral("Scadenze");
    const QString pagamenti = QStringLiteral("Pagamenti");
    const QString altro = QStringLiteral("Altro");

    return {
        {QStringLiteral("tabArchivio"),
         QStringLiteral("Archivio  "),
         QStringLiteral("TABARCHIVIO"),
         {
             b("btnReparti", QStringLiteral("Reparti")),
             b("btnContabilitaConti", QStringLiteral("Contabilità ")),
             b("btnPersonale", QStringLiteral("Personale")),
             b("btnFornitori", QStringLiteral("Fornitori")),
             b("btnModalitaPagamento", QStringLiteral("Modalità di Pagamento")),
             b("btnIva", QStringLiteral("Iva")),
             b("btnArticoli", QStringLiteral("Articoli / Servizi")),
             b("btnClienti", QStringLiteral("Clienti")),
             b("btnComuni", QStringLiteral("Comuni")),
             b("btnBanche", QStringLiteral("Banche")),
             b("btnArchivioTipologie", QStringLiteral("Tipologie e Categorie")),
             b("btnArchivioAvvisi", QStringLiteral("Avvisi")),
             b("btnDefunti", QStringLiteral("Defunti")),
             unkeyed("btnAreeCimitero", QStringLiteral("Aree Cimitero")),
         }},
        {QStringLiteral("tabAttivita"),
         QStringLiteral("Attività"),
         QStringLiteral("TABATTIVITA"),
         {
             b("btnAttivitaPrimaNota", QStringLiteral("Prima Nota")),
             b("btnAttivitaChiusuraIva", QStringLiteral("Chiusura Iva")),
             b("btnAttivitaOpzioni", QStringLiteral("Opzioni")),
             b("btnAttivitaCalendario", QStringLiteral("Calendario")),
             b("btnFatturaElettronica", QStringLiteral("Fattura Elettronica Estesa")),
             b("btnEsportazioni", QStringLiteral("Esportazioni")),
             b("btnAttivitaAvvisiClienti", QStringLiteral("Avvisi Clienti")),
         }},
        {QStringLiteral("tabDocClienti"),
         QStringLiteral("Documenti Clienti  "),
         QStringLiteral("TABDOCCLIENTI"),
         {
             b("btnBuoni", QStringLiteral("Buoni")),
             b("btnDDTClienti", QStringLiteral("D.D.T.")),
             b("btnContratti", QStringLiteral("Contratti")),
             unkeyed("btnRinnovoAnnuale", QStringLiteral("Rinnovo annuale")),
             unkeyed("btnPagamentiMancanti", QStringLiteral("Pagamenti mancanti")),
             b("btnFattureClienti", QStringLiteral("Fatture")),
             b("btnNoteCreditoClienti", QStringLiteral("Note Credito")),
             b("btnPreventivi", QStringLiteral("Preventivi")),
             b("btnOrdiniClienti", QStringLiteral("Ordini")),
         }},
        {QStringLiteral("tabDocFornitori"),
         QStringLiteral("Documenti Fornitori  "),
         QStringLiteral("TABDOCFORNITORI"),
         {
             b("btnNoteCreditoFornitori", QStringLiteral("Note Credito")),
             b("btnFattureFornitori", QStringLiteral("Fatture")),
             b("btnOrdiniFornitori", QStringLiteral("Ordini")),
             unkeyed("btnImportaFatturaXml", QStringLiteral("Importa fattura elettronica xml")),
         }},
        {QStringLiteral("tabStampe"),
         QStringLiteral("Stampe  "),
         QStringLiteral("TABSTAMPE"),
         {
             b("btnStampeFattureClienti", QStringLiteral("Fatture"), docClienti),
             b("btnStampeFattureClientiReparto", QStringLiteral("Fatture x Reparto"), docClienti),
             b("btnStampeNoteCreditoClienti", QStringLiteral("Note Credito"), docClienti),
             b("btnStampePreventiviClienti", QStringLiteral("Preventivi"), docClienti),
             b("btnStampeContratti", QStringLiteral("Contratti"), docClienti),
             b("btnStampeContrattiEstesa", QStringLiteral("Contratti x righe"), docClienti),
             unkeyed("btnStampeContrattiDefunti", QStringLiteral("Contratti x defunti"),
                     docClienti),
             b("btnStampeFattureFornitori", QStringLiteral("Fatture"), docFornitori),
             b("btnStampeFattureFornitoriReparto", QStringLiteral("Fatture x Reparto"),
               docFornitori),
             b("btnStampeNoteCreditoFornitori", QStringLiteral("Note Credito"), docFornitori),
             b("btnStampeArticoli", QStringLiteral("Articoli - Servizi"), anagrafiche),
             b("btnStampeClienti", QStringLiteral("Clienti"), anagrafiche),
             b("btnStampeFornitori", QStringLiteral("Fornitori"), anagrafiche),
             b("btnStampaCalendario", QStringLiteral("Calendario"), anagrafiche),
             b("btnStampeDefunti", QStringLiteral("Defunti"), anagrafiche),
             b("btnStampePersonale", QStringLiteral("Personale"), altre),
             b("btnStampeScadenziario", QStringLiteral("Scadenziario"), altre),
             b("btnStampeContabilita", QStringLiteral("Contabilità"), altre),
             b("btnStampePrimaNota", QStringLiteral("Prima nota"), altre),
         }},
        {QStringLiteral("tabStorico"),
         QStringLiteral("Storico  "),
         QStringLiteral("TABSTORICO"),
         {
             b("btnStoricoNoteCreditoClienti", QStringLiteral("Note Credito"), clienti),
             b("btnStoricoFattureClienti", QStringLiteral("Fatture"), clienti),
             b("btnStoricoPreventiviClienti", QStringLiteral("Preventivi"), clienti),
             b("btnStoricoFattureFornitori", QStringLiteral("Fatture"), fornitori),
             b("btnStoricoNoteCreditoFornitori", QStringLiteral("Note Credito"), fornitori),
             b("btnStoricoPrimaNota", QStringLiteral("Prima Nota"), altro),
             b("btnStoricoCalendario", QStringLiteral("Calendario"), altro),
         }},
        {QStringLiteral("tabScadenziario"),
         QStringLiteral("Scadenziario  "),
         QStringLiteral("TABSCADENZIARIO"),
         {
             b("btnScadenziarioScadenzeClienti", QStringLiteral("Clienti"), scadenze),
             b("btnScadenziarioScadenzeFornitori", QStringLiteral("Fornitori"), scadenze),
             b("btnScadenziarioPagamentiClienti", QStringLiteral("Clienti"), pagamenti),
             b("btnScadenziarioPagamentiFornitori", QStringLiteral("Fornitori"), pagamenti),
         }},
        {QStringLiteral("tabUtility"),
         QStringLiteral("Utility"),
         QStringLiteral("TABUTILITY"),
         {
             b("btnUtilityRealizzazione", QStringLiteral("Realizzazione")),
             b("btnErroriFatturaElettronica",
               QStringLiteral("Errori di scarto Fattura Elettronica")),
             unkeyed("btnUtilityBackup", QStringLiteral("Backup archivio")),
             unkeyed("btnUtilityRegistroDocumenti", QStringLiteral("Registro documenti")),
         }},
        // Its buttons come from the configured list of tutorial videos.
        {QStringLiteral("tabVideo"), QStringLiteral("Video"), QString(), {}},
    };
}

} // namespace

const QList<MenuTab>& MainMenu::tabs() {
    static const QList<MenuTab> all = build();
    return all;
}

const MenuButton* MainMenu::findButton(const QString& name) {
    for (const MenuTab& t : tabs())
        for (const MenuButton& b : t.buttons)
            if (b.name.compare(name, Qt::CaseInsensitive) == 0)
                return &b;
    return nullptr;
}

QStringList MainMenu::tabTitles() {
    QStringList out;
    for (const MenuTab& t : tabs())
        out.append(t.caption.trimmed());
    return out;
}

bool MainMenu::isHistoryButton(const QString& name) {
    return name.startsWith(QStringLiteral("btnStorico"), Qt::CaseInsensitive);
}

bool MainMenu::historyAcrossYears(const QString& name) {
    return name.compare(QStringLiteral("btnStoricoFattureFornitori"), Qt::CaseInsensitive) == 0;
}

} // namespace app
