#include "registries/ui/RegistryHelpers.h"

#include "common/Titles.h"
#include "db/DbError.h"
#include "registries/SimpleRegistryRules.h"
#include "registries/TaxCodes.h"
#include "ui/AppContext.h"
#include "ui/Completions.h"
#include "ui/DataGrid.h"
#include "ui/FieldEditors.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"
#include "ui/RecordModel.h"

#include <QCompleter>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QStringListModel>

namespace registries::ui {

namespace {

QString editorText(QWidget* editor) {
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        return line->text().trimmed();
    return QString();
}

} // namespace

TaxWarnings::TaxWarnings(::ui::AppContext& context, Source source, QObject* parent)
    : QObject(parent), m_context(context), m_source(std::move(source)) {}

void TaxWarnings::watch(const QString& field, QWidget* editor) {
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        return;
    m_editors.insert(field, editor);
    // The value the card opened with is not warned about again.
    m_shown.insert(field, line->text().trimmed());
    connect(line, &QLineEdit::editingFinished, this, [this, field] { check(field); });
}

void TaxWarnings::show(const FieldWarning& w) {
    const QString value = editorText(m_editors.value(w.field));
    if (m_shown.contains(w.field) && m_shown.value(w.field) == value)
        return;
    m_shown.insert(w.field, value);
    m_context.interaction->warning(common::titles::warning, w.text);
}

void TaxWarnings::check(const QString& field) {
    for (const FieldWarning& w : m_source())
        if (w.field == field)
            show(w);
}

void TaxWarnings::checkAll() {
    for (const FieldWarning& w : m_source())
        show(w);
}

StoredColourDelegate::StoredColourDelegate(::ui::DataGrid* grid, QString shownField,
                                           QString colourField)
    : QStyledItemDelegate(grid), m_grid(grid), m_shownField(std::move(shownField)),
      m_colourField(std::move(colourField)) {}

void StoredColourDelegate::initStyleOption(QStyleOptionViewItem* option,
                                           const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    const ::ui::RecordModel* model = m_grid->records();
    if (index.column() < 0 || index.column() >= model->columns().size())
        return;
    if (model->columns().at(index.column()).field.compare(m_shownField, Qt::CaseInsensitive) != 0)
        return;
    const QColor colour = ::ui::colourFromStored(model->value(index.row(), m_colourField));
    if (!colour.isValid())
        return;
    option->backgroundBrush = colour;
    option->palette.setColor(QPalette::Text, colour.lightness() < 128 ? Qt::white : Qt::black);
}

QList<qint64> selectedKeys(::ui::DataGrid* grid) {
    QList<int> rows;
    if (QItemSelectionModel* selection = grid->selectionModel())
        for (const QModelIndex& index : selection->selectedRows())
            rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    QList<qint64> keys;
    for (int r : rows)
        if (const qint64 key = grid->keyAt(r))
            keys.append(key);
    if (keys.isEmpty() && grid->currentKey() != 0)
        keys.append(grid->currentKey());
    return keys;
}

void exportVCardFile(::ui::AppContext& context, const QList<qint64>& keys,
                     const std::function<QByteArray(db::Database&, const QList<qint64>&)>& write,
                     const QString& suggestedName) {
    if (keys.isEmpty()) {
        context.interaction->warning(common::titles::warning,
                                     QStringLiteral("Attenzione selezionare almeno una riga"));
        return;
    }
    const QString path = context.interaction->saveFile(QStringLiteral("Esporta vCard"),
                                                       QStringLiteral("vCard (*.vcf)"),
                                                       QDir::home().filePath(suggestedName));
    if (path.isEmpty())
        return;
    if (QFileInfo::exists(path) &&
        !context.interaction->question(
            common::titles::warning, QStringLiteral("Il file e' gia' presente ! Sovrascriverlo ?")))
        return;
    QByteArray data;
    if (!::ui::guarded(context, [&] { data = write(*context.db, keys); }))
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(data) != data.size()) {
        context.interaction->error(
            common::titles::error,
            QStringLiteral("Impossibile scrivere il file %1").arg(QDir::toNativeSeparators(path)));
        return;
    }
    context.interaction->information(common::titles::warning,
                                     QStringLiteral("Contatti esportati: %1").arg(keys.size()));
}

bool importVCardFile(
    ::ui::AppContext& context,
    const std::function<VCardImportReport(db::Database&, const QByteArray&)>& read) {
    const QString path = context.interaction->openFile(
        QStringLiteral("Importa vCard"), QStringLiteral("vCard (*.vcf *.vcard);;Tutti i file (*)"),
        QDir::homePath());
    if (path.isEmpty())
        return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        context.interaction->error(
            common::titles::error,
            QStringLiteral("Impossibile leggere il file %1").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    VCardImportReport report;
    if (!::ui::guarded(context, [&] { report = read(*context.db, file.readAll()); }))
        return false;
    context.interaction->information(common::titles::warning, report.text());
    return report.imported > 0;
}

std::function<void(db::Database&, qint64, const QVariantMap&)>
categoryColourCopy(const QString& table) {
    return [table](db::Database& db, qint64 key, const QVariantMap& values) {
        copyCategoryColour(db, table, key, values.value(QStringLiteral("ColoreCategoria")));
    };
}

void attachTownCompleter(db::Database& db, QLineEdit* town, QLineEdit* postcode,
                         QLineEdit* province) {
    if (!town)
        return;
    QStringList names;
    try {
        for (const db::Row& r :
             db.query(QStringLiteral("select Comune from Comuni order by Comune")))
            names.append(r.text("Comune"));
    } catch (const db::DbError&) {
        return; // no towns to offer: the field stays free text
    }
    names.removeDuplicates();
    auto* completer = new QCompleter(names, town);
    completer->setCaseSensitivity(Qt::CaseInsensitive);
    completer->setCompletionMode(QCompleter::PopupCompletion);
    ::ui::offerCompletions(town, completer);
    db::Database* database = &db;
    QObject::connect(
        completer, qOverload<const QString&>(&QCompleter::activated), town,
        [database, postcode, province](const QString& name) {
            try {
                const db::Result r = database->query(
                    QStringLiteral("select Cap, Provincia from Comuni where Comune = ?"), {name});
                if (r.empty())
                    return;
                if (postcode && !r.first().text("Cap").isEmpty())
                    postcode->setText(r.first().text("Cap"));
                if (province && !r.first().text("Provincia").isEmpty())
                    province->setText(r.first().text("Provincia"));
            } catch (const db::DbError&) {
            }
        });
}

QVariant upperCase(const QVariant& value) {
    if (value.isNull())
        return value;
    return value.toString().trimmed().toUpper();
}

QVariant vatNumber(const QVariant& value) {
    if (value.isNull())
        return value;
    return TaxCodes::withoutCountryPrefix(value.toString(), QStringLiteral("IT"));
}

namespace partyfields {

::ui::CardField province(const QString& page) {
    return {.field = "Provincia",
            .label = "Provincia",
            .page = page,
            .sameRow = true,
            .width = 50,
            .maxLength = 2,
            .onLeave = upperCase};
}

::ui::CardField taxCode(const QString& page) {
    return {.field = "CodFiscale",
            .label = "Codice fiscale",
            .page = page,
            .maxLength = 16,
            .onLeave = upperCase};
}

::ui::CardField eori(const QString& page) {
    return {.field = "CodEORI",
            .label = "Codice EORI",
            .page = page,
            .maxLength = 17,
            .onLeave = upperCase};
}

::ui::CardField vatCountry(const QString& page) {
    return {.field = "IdPaese",
            .label = "Paese della partita IVA",
            .lookup = ::ui::lookups::countries(),
            .page = page,
            .sameRow = true};
}

QList<::ui::CardField> contacts(const QString& page, const QString& emailColumn) {
    return {
        {.field = "Telefono", .label = "Telefono", .page = page},
        {.field = "Telefono2", .label = "Telefono 2", .page = page, .sameRow = true},
        {.field = "Cellulare", .label = "Cellulare", .page = page},
        {.field = "Fax", .label = "Fax", .page = page, .sameRow = true},
        {.field = emailColumn, .label = "E-mail", .page = page},
        {.field = "Pec", .label = "PEC", .page = page},
        {.field = "Internet", .label = "Sito internet", .page = page},
        {.field = "Skype", .label = "Skype", .page = page},
    };
}

} // namespace partyfields

} // namespace registries::ui
