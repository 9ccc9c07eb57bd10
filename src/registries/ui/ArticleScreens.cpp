#include "registries/ui/ArticleScreens.h"

#include "common/Titles.h"
#include "db/DbError.h"
#include "registries/ui/RegistryHelpers.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"
#include "ui/ScreenRegistry.h"

#include <QComboBox>
#include <QLineEdit>

namespace registries::ui {

using ::ui::CardField;
using ::ui::FieldKind;

namespace {

const QString kArticolo = QStringLiteral("Articolo");
const QString kMagazzino = QStringLiteral("Magazzino");
const QString kContabilita = QStringLiteral("Contabilità");
const QString kNote = QStringLiteral("Note");

} // namespace

::ui::ScreenDefinition articleDefinition() {
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

    d.fields = {
        {.field = "Codice", .label = "Codice", .page = kArticolo, .width = 160},
        {.field = "Descrizione", .label = "Descrizione", .page = kArticolo},
        {.field = "categoria_id",
         .label = "Categoria",
         .lookup = ::ui::lookups::articleCategories(),
         .page = kArticolo},
        {.field = "Reparto",
         .label = "Reparto",
         .lookup = ::ui::lookups::departments(),
         .page = kArticolo},
        {.field = "Iva_Id",
         .label = "Aliquota Iva",
         .lookup = ::ui::lookups::vatCodes(),
         .page = kArticolo},
        {.field = "Prezzo", .label = "Prezzo", .page = kArticolo, .width = 120},
        {.field = "Sconto", .label = "Sconto %", .page = kArticolo, .width = 120},
        {.field = "PrezzoCompleto", .label = "Prezzo ivato", .page = kArticolo, .width = 120},
        {.field = "PrezzoImposto", .label = "Prezzo imposto", .page = kArticolo},
        {.field = "Annullato", .label = "Annullato", .page = kArticolo, .sameRow = true},
        {.field = "DataInserimento",
         .label = "Data inserimento",
         .page = kArticolo,
         .readOnly = true},

        {.field = "Giacenza", .label = "Giacenza", .page = kMagazzino, .width = 120},
        {.field = "QuaMinima",
         .label = "Scorta minima",
         .page = kMagazzino,
         .sameRow = true,
         .width = 120},
        {.field = "Fornitore_ID",
         .label = "Fornitore abituale",
         .lookup = ::ui::lookups::suppliers(),
         .page = kMagazzino},

        {.field = "ContabilitaContoFattureVendita_ID",
         .label = "Conto fatture di vendita",
         .lookup = ::ui::lookups::accounts(),
         .page = kContabilita,
         .search = ::ui::lookups::accountSearch},
        {.field = "ContabilitaContoFattureAcquisto_ID",
         .label = "Conto fatture di acquisto",
         .lookup = ::ui::lookups::accounts(),
         .page = kContabilita,
         .search = ::ui::lookups::accountSearch},
        {.field = "ContabilitaContoNoteCreditoVendita_ID",
         .label = "Conto note di credito di vendita",
         .lookup = ::ui::lookups::accounts(),
         .page = kContabilita,
         .search = ::ui::lookups::accountSearch},
        {.field = "ContabilitaContoNoteCreditoAcquisto_ID",
         .label = "Conto note di credito di acquisto",
         .lookup = ::ui::lookups::accounts(),
         .page = kContabilita,
         .search = ::ui::lookups::accountSearch},

        {.field = "Note", .label = "Note", .page = kNote},
    };
    d.makeCard = ::ui::cardOf<ArticleCard>();
    d.beforeDelete = [](db::Database& db, qint64 key) {
        if (auto f = ArticleRules::deleteCheck(db, key))
            throw db::DbError(f->text);
    };
    return d;
}

ArticleList::ArticleList(::ui::AppContext& context, QWidget* parent)
    : ::ui::ListScreen(context, articleDefinition(), parent) {
    grid()->setHighlightStock(true);
}

qint64 ArticleList::insertRow() {
    return ArticleRules::insertNew(*context().db);
}

ArticleCard::ArticleCard(::ui::AppContext& context, const ::ui::ScreenDefinition& definition,
                         qint64 key, bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("Form3"));
    resize(680, 440);
    auto watch = [this](const QString& name, bool* flag, void (ArticleCard::*recompute)()) {
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
    watch(QStringLiteral("Prezzo"), &m_netEdited, &ArticleCard::netTyped);
    watch(QStringLiteral("Sconto"), &m_netEdited, &ArticleCard::netTyped);
    watch(QStringLiteral("PrezzoCompleto"), &m_grossEdited, &ArticleCard::grossTyped);
    if (auto* combo = qobject_cast<QComboBox*>(editor(QStringLiteral("Iva_Id"))))
        connect(combo, &QComboBox::activated, this, &ArticleCard::vatChosen);
}

db::RegistryRecord ArticleCard::current() const {
    db::RegistryRecord r = values();
    r["ID"] = key();
    r["AliquotaIva"] = ArticleRules::vatRate(*context().db, db::RecordKey(r, "Iva_Id"));
    return r;
}

void ArticleCard::netTyped() {
    db::RegistryRecord r = current();
    ArticleRules::priceChanged(r);
    setValue(QStringLiteral("PrezzoCompleto"), r.value("PrezzoCompleto"));
}

void ArticleCard::grossTyped() {
    db::RegistryRecord r = current();
    ArticleRules::grossChanged(r);
    setValue(QStringLiteral("Prezzo"), r.value("Prezzo"));
}

void ArticleCard::vatChosen() {
    db::RegistryRecord r = current();
    if (!::ui::guarded(context(), [&] {
            ArticleRules::vatChanged(*context().db, r, db::RecordKey(r, "Iva_Id"));
        }))
        return;
    setValue(QStringLiteral("PrezzoCompleto"), r.value("PrezzoCompleto"));
}

std::optional<common::Failure> ArticleCard::validate(const QVariantMap& values) const {
    db::RegistryRecord r = values;
    r["ID"] = key();
    return ArticleRules::validate(*context().db, r);
}

void ArticleCard::writeExtra(db::Database& db, const QVariantMap& values) {
    db::RegistryRecord r = values;
    ArticleRules::completeSave(db, key(), r);
    setValue(QStringLiteral("DataInserimento"), r.value("DataInserimento"));
}

void registerArticleScreens(::ui::ScreenRegistry& registry) {
    registry.add(QStringLiteral("btnArticoli"), [](QWidget* parent, ::ui::AppContext& context) {
        ArticleList list(context, parent);
        list.exec();
    });
}

} // namespace registries::ui
