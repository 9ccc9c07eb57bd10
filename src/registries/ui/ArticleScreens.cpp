#include "registries/ui/ArticleScreens.h"

#include "db/DbError.h"
#include "registries/ui/RegistryHelpers.h"
#include "ui/AppContext.h"
#include "ui/CardFields.h"
#include "ui/DataGrid.h"
#include "ui/ScreenRegistry.h"

#include <QComboBox>
#include <QLineEdit>

namespace registries::ui {

using ::ui::CardField;
using ::ui::FieldKind;
using ::ui::PageField;
using ::ui::PageLookup;

namespace {

const QString kArticolo = QStringLiteral("Articolo");
const QString kMagazzino = QStringLiteral("Magazzino");
const QString kContabilita = QStringLiteral("Contabilità");
const QString kNote = QStringLiteral("Note");

::ui::Lookup simple(const QString& table, const QString& key = QStringLiteral("ID"),
                    const QString& display = QStringLiteral("Descrizione"),
                    const QString& cancelled = QString()) {
    return {QStringLiteral("select * from %1 order by %2").arg(table, display), key, display,
            cancelled};
}

} // namespace

::ui::ScreenDefinition ArticleDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("prezziar");
    d.objectName = QStringLiteral("Form2");
    d.listTitle = QStringLiteral("Articoli / Servizi");
    d.cardTitle = QStringLiteral("Articolo / Servizio");
    d.select = QStringLiteral("select prezziar.*, PrezziarCategorie.Descrizione as Categoria from "
                              "prezziar left join PrezziarCategorie on prezziar.categoria_id = "
                              "PrezziarCategorie.ID");
    d.orderBy = QStringLiteral("prezziar.Descrizione");
    d.cancellable = true;
    d.columns = {{"Codice", 90, "Codice"},        {"Descrizione", 320, "Descrizione"},
                 {"Categoria", 130, "Categoria"}, {"Prezzo", 90, "Prezzo"},
                 {"AliquotaIva", 60, "Iva %"},    {"PrezzoCompleto", 100, "Prezzo ivato"},
                 {"Reparto", 110, "Reparto"},     {"Giacenza", 70, "Giacenza"}};
    d.searches = {{"Codice", "Codice"}, {"prezziar.Descrizione", "Descrizione"}};
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare l'articolo?");

    CardField created = PageField("DataInserimento", "Data inserimento", kArticolo);
    created.readOnly = true;
    CardField vat = PageLookup("Iva_Id", "Aliquota Iva", kArticolo, simple("Iva"));
    CardField net = PageField("Prezzo", "Prezzo", kArticolo, false, 120);
    CardField discount = PageField("Sconto", "Sconto %", kArticolo, false, 120);
    CardField gross = PageField("PrezzoCompleto", "Prezzo ivato", kArticolo, false, 120);
    const ::ui::Lookup accounts = simple("ContabilitaConti");

    d.fields = {
        PageField("Codice", "Codice", kArticolo, false, 160),
        PageField("Descrizione", "Descrizione", kArticolo),
        PageLookup("categoria_id", "Categoria", kArticolo, simple("PrezziarCategorie")),
        PageLookup("Reparto", "Reparto", kArticolo,
                   simple("Reparti", QStringLiteral("Descrizione"), QStringLiteral("Descrizione"))),
        vat,
        net,
        discount,
        gross,
        PageField("PrezzoImposto", "Prezzo imposto", kArticolo),
        PageField("Annullato", "Annullato", kArticolo, true),
        created,

        PageField("Giacenza", "Giacenza", kMagazzino, false, 120),
        PageField("QuaMinima", "Scorta minima", kMagazzino, true, 120),
        PageLookup("Fornitore_ID", "Fornitore abituale", kMagazzino,
                   simple("Fornitor", QStringLiteral("ID"), QStringLiteral("Fornitore"),
                          QStringLiteral("Annullato"))),

        PageLookup("ContabilitaContoFattureVendita_ID", "Conto fatture di vendita", kContabilita,
                   accounts),
        PageLookup("ContabilitaContoFattureAcquisto_ID", "Conto fatture di acquisto", kContabilita,
                   accounts),
        PageLookup("ContabilitaContoNoteCreditoVendita_ID", "Conto note di credito di vendita",
                   kContabilita, accounts),
        PageLookup("ContabilitaContoNoteCreditoAcquisto_ID", "Conto note di credito di acquisto",
                   kContabilita, accounts),

        PageField("Note", "Note", kNote),
    };
    d.makeCard = [](::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
                    bool isNew, QWidget* parent) -> ::ui::CardScreen* {
        return new TForm3(context, definition, key, isNew, parent);
    };
    d.beforeDelete = [](db::Database& db, qint64 key) {
        if (auto f = ArticleRules::deleteCheck(db, key))
            throw db::DbError(f->text);
    };
    return d;
}

TForm2::TForm2(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, ArticleDefinition(), parent) {
    grid()->setHighlightStock(true);
}

qint64 TForm2::insertRow() {
    return ArticleRules::insertNew(*context().db);
}

TForm3::TForm3(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, qint64 key,
               bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("Form3"));
    resize(680, 440);
    auto watch = [this](const QString& name, bool* flag, void (TForm3::*recompute)()) {
        auto* line = qobject_cast<QLineEdit*>(editor(name));
        if (!line)
            return;
        connect(line, &QLineEdit::textEdited, this, [flag] { *flag = true; });
        connect(line, &QLineEdit::editingFinished, this, [this, flag, recompute] {
            if (!*flag)
                return;
            *flag = false;
            (this->*recompute)();
        });
    };
    watch(QStringLiteral("Prezzo"), &m_netEdited, &TForm3::netTyped);
    watch(QStringLiteral("Sconto"), &m_netEdited, &TForm3::netTyped);
    watch(QStringLiteral("PrezzoCompleto"), &m_grossEdited, &TForm3::grossTyped);
    if (auto* combo = qobject_cast<QComboBox*>(editor(QStringLiteral("Iva_Id"))))
        connect(combo, &QComboBox::activated, this, &TForm3::vatChosen);
}

db::RegistryRecord TForm3::current() const {
    db::RegistryRecord r = values();
    r["ID"] = key();
    r["AliquotaIva"] = ArticleRules::vatRate(*context().db, db::RecordKey(r, "Iva_Id"));
    return r;
}

void TForm3::netTyped() {
    db::RegistryRecord r = current();
    ArticleRules::priceChanged(r);
    setValue(QStringLiteral("PrezzoCompleto"), r.value("PrezzoCompleto"));
}

void TForm3::grossTyped() {
    db::RegistryRecord r = current();
    ArticleRules::grossChanged(r);
    setValue(QStringLiteral("Prezzo"), r.value("Prezzo"));
}

void TForm3::vatChosen() {
    db::RegistryRecord r = current();
    try {
        ArticleRules::vatChanged(*context().db, r, db::RecordKey(r, "Iva_Id"));
    } catch (const db::DbError& e) {
        context().interaction->error(QStringLiteral("Messaggio di errore"), e.message());
        return;
    }
    setValue(QStringLiteral("PrezzoCompleto"), r.value("PrezzoCompleto"));
}

std::optional<common::Failure> TForm3::validate(const QVariantMap& values) const {
    db::RegistryRecord r = values;
    r["ID"] = key();
    return ArticleRules::validate(*context().db, r);
}

void TForm3::writeExtra(db::Database& db, const QVariantMap& values) {
    db::RegistryRecord r = values;
    ArticleRules::completeSave(db, key(), r);
    setValue(QStringLiteral("DataInserimento"), r.value("DataInserimento"));
}

void registerArticleScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnArticoli"), [](QWidget* parent, ::ui::AppContext& context) {
        TForm2 list(context, parent);
        list.exec();
    });
}

} // namespace registries::ui
