#include "app/Permissions.h"

#include "common/Interaction.h"
#include "common/Titles.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

namespace app {

const QList<TabKeys>& mainWindowTabKeys() {
    static const QList<TabKeys> tabs = {
        {QStringLiteral("TABARCHIVIO"),
         {QStringLiteral("BTNREPARTI"), QStringLiteral("BTNCONTABILITACONTI"),
          QStringLiteral("BTNPERSONALE"), QStringLiteral("BTNFORNITORI"),
          QStringLiteral("BTNMODALITAPAGAMENTO"), QStringLiteral("BTNIVA"),
          QStringLiteral("BTNARTICOLI"), QStringLiteral("BTNCLIENTI"), QStringLiteral("BTNCOMUNI"),
          QStringLiteral("BTNBANCHE"), QStringLiteral("BTNARCHIVIOTIPOLOGIE"),
          QStringLiteral("BTNARCHIVIOAVVISI"), QStringLiteral("BTNDEFUNTI")}},
        {QStringLiteral("TABATTIVITA"),
         {QStringLiteral("BTNATTIVITAPRIMANOTA"), QStringLiteral("BTNATTIVITACHIUSURAIVA"),
          QStringLiteral("BTNATTIVITAOPZIONI"), QStringLiteral("BTNATTIVITACALENDARIO"),
          QStringLiteral("BTNFATTURAELETTRONICA"), QStringLiteral("BTNESPORTAZIONI"),
          QStringLiteral("BTNATTIVITAAVVISICLIENTI")}},
        {QStringLiteral("TABDOCCLIENTI"),
         {QStringLiteral("BTNBUONI"), QStringLiteral("BTNDDTCLIENTI"),
          QStringLiteral("BTNCONTRATTI"), QStringLiteral("BTNFATTURECLIENTI"),
          QStringLiteral("BTNNOTECREDITOCLIENTI"), QStringLiteral("BTNPREVENTIVI"),
          QStringLiteral("BTNORDINICLIENTI")}},
        {QStringLiteral("TABDOCFORNITORI"),
         {QStringLiteral("BTNNOTECREDITOFORNITORI"), QStringLiteral("BTNFATTUREFORNITORI"),
          QStringLiteral("BTNORDINIFORNITORI")}},
        {QStringLiteral("TABSTAMPE"),
         {QStringLiteral("BTNSTAMPEFATTURECLIENTI"),
          QStringLiteral("BTNSTAMPEFATTURECLIENTIREPARTO"),
          QStringLiteral("BTNSTAMPENOTECREDITOCLIENTI"),
          QStringLiteral("BTNSTAMPEPREVENTIVICLIENTI"), QStringLiteral("BTNSTAMPECONTRATTI"),
          QStringLiteral("BTNSTAMPECONTRATTIESTESA"), QStringLiteral("BTNSTAMPEFATTUREFORNITORI"),
          QStringLiteral("BTNSTAMPEFATTUREFORNITORIREPARTO"),
          QStringLiteral("BTNSTAMPENOTECREDITOFORNITORI"), QStringLiteral("BTNSTAMPEARTICOLI"),
          QStringLiteral("BTNSTAMPECLIENTI"), QStringLiteral("BTNSTAMPEFORNITORI"),
          QStringLiteral("BTNSTAMPACALENDARIO"), QStringLiteral("BTNSTAMPEDEFUNTI"),
          QStringLiteral("BTNSTAMPEPERSONALE"), QStringLiteral("BTNSTAMPESCADENZIARIO"),
          QStringLiteral("BTNSTAMPECONTABILITA"), QStringLiteral("BTNSTAMPEPRIMANOTA")}},
        {QStringLiteral("TABSTORICO"),
         {QStringLiteral("BTNSTORICONOTECREDITOCLIENTI"),
          QStringLiteral("BTNSTORICOFATTURECLIENTI"), QStringLiteral("BTNSTORICOPREVENTIVICLIENTI"),
          QStringLiteral("BTNSTORICOFATTUREFORNITORI"),
          QStringLiteral("BTNSTORICONOTECREDITOFORNITORI"), QStringLiteral("BTNSTORICOPRIMANOTA"),
          QStringLiteral("BTNSTORICOCALENDARIO")}},
        {QStringLiteral("TABSCADENZIARIO"),
         {QStringLiteral("BTNSCADENZIARIOSCADENZECLIENTI"),
          QStringLiteral("BTNSCADENZIARIOSCADENZEFORNITORI"),
          QStringLiteral("BTNSCADENZIARIOPAGAMENTICLIENTI"),
          QStringLiteral("BTNSCADENZIARIOPAGAMENTIFORNITORI")}},
        {QStringLiteral("TABUTILITY"),
         {QStringLiteral("BTNUTILITYREALIZZAZIONE"),
          QStringLiteral("BTNERRORIFATTURAELETTRONICA")}},
    };
    return tabs;
}

namespace {

const TabKeys* tabOfButton(const QString& buttonKey) {
    for (const TabKeys& tab : mainWindowTabKeys())
        if (tab.buttonKeys.contains(buttonKey))
            return &tab;
    return nullptr;
}

bool isListedTab(const QString& tabKey) {
    for (const TabKeys& tab : mainWindowTabKeys())
        if (tab.tabKey == tabKey)
            return true;
    return false;
}

QString decode(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

} // namespace

Permissions Permissions::fromText(const QString& text) {
    Permissions p;
    // The whole text counts, line breaks included: only "all" alone is "ALL".
    p.m_text = text.trimmed().isEmpty() ? QString() : text.toUpper();
    p.m_all = p.m_text == QLatin1String("ALL");
    return p;
}

std::optional<Permissions> Permissions::load(const QString& folder) {
    QFile file(QDir(folder).filePath(fileName()));
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return fromText(decode(file.readAll()));
}

void Permissions::showMissing(common::Interaction& interaction) {
    interaction.warning(common::titles::warning, QStringLiteral("manca il file dei permessi !"));
}

bool Permissions::passwordExempt() const {
    return !m_all && m_text.contains(QLatin1String("PASSWORDACCESSO"));
}

bool Permissions::isGranted(const QString& key) const {
    if (m_all)
        return true;
    const QString k = key.trimmed().toUpper();
    return !k.isEmpty() && m_text.contains(k);
}

bool Permissions::isTabVisible(const QString& tabKey) const {
    const QString key = tabKey.trimmed().toUpper();
    if (m_all || !isListedTab(key))
        return true;
    return isGranted(key);
}

bool Permissions::isButtonVisible(const QString& buttonObjectName) const {
    if (m_all)
        return true;
    const QString key = buttonObjectName.trimmed().toUpper();
    const TabKeys* tab = tabOfButton(key);
    if (!tab)
        return true;
    return isGranted(tab->tabKey) && isGranted(key);
}

QStringList Permissions::hiddenTabs() const {
    QStringList out;
    for (const TabKeys& tab : mainWindowTabKeys())
        if (!isTabVisible(tab.tabKey))
            out.append(tab.tabKey);
    return out;
}

QStringList Permissions::hiddenButtons() const {
    QStringList out;
    for (const TabKeys& tab : mainWindowTabKeys()) {
        if (!isTabVisible(tab.tabKey))
            continue; // the whole page is hidden, its buttons are not examined
        for (const QString& key : tab.buttonKeys)
            if (!isGranted(key))
                out.append(key);
    }
    return out;
}

} // namespace app
