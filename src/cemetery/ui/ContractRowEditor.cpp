#include "cemetery/ui/ContractRowEditor.h"

#include "cemetery/ContractRules.h"
#include "cemetery/ui/ContractWidgets.h"
#include "documents/DocumentOptions.h"
#include "documents/RowRules.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace cemetery::ui {

using namespace contractwidgets;
using ::ui::CardField;
using ::ui::FieldKind;

::ui::ScreenDefinition contractRowDefinition() {
    ::ui::ScreenDefinition d;
    d.table = QStringLiteral("ContrattiRighe");
    d.key = QStringLiteral("IDX");
    d.objectName = QStringLiteral("TfrmModificaContratti");
    d.cardTitle = QStringLiteral("Contratti Righe");

    d.fields = {
        {.field = "Descrizione", .label = "Descrizione"},
        {.field = "Um", .label = "Quantità", .kind = FieldKind::Amount, .width = 110},
        {.field = "ValoreUnitario",
         .label = "Valore Unitario",
         .kind = FieldKind::Amount,
         .sameRow = true,
         .width = 120,
         .decimals = 4},
        {.field = "Sconto", .label = "Sconto", .kind = FieldKind::Amount, .width = 110},
        {.field = "ValoreTotale",
         .label = "Valore Totale",
         .kind = FieldKind::Amount,
         .sameRow = true,
         .width = 120},
        {.field = "Iva_ID", .label = "Aliquota Iva", .lookup = ::ui::lookups::vatCodes()},
        {.field = "AliquotaIva",
         .label = "Iva %",
         .kind = FieldKind::Amount,
         .sameRow = true,
         .width = 80,
         .readOnly = true},
        {.field = "Codice", .label = "Codice", .width = 160},
        {.field = "Reparto", .label = "Reparto", .sameRow = true},
        {.field = "Note", .label = "Note"},
        {.field = "NumeroRiga", .label = "Numero di riga", .kind = FieldKind::Integer, .width = 90},
        {.field = "DataInizioPeriodo", .label = "Data Inizio"},
        {.field = "DataFinePeriodo", .label = "Data Fine", .sameRow = true},
        {.field = "DataPagamento", .label = "Data Pagamento"},
        {.field = "Chiuso", .label = "Chiuso"},
        {.field = "Fatturato", .label = "Fatturato", .sameRow = true},
    };
    d.deleteQuestion = QStringLiteral("Sei sicuro di voler eliminare la riga?");
    return d;
}

ContractRowEditor::ContractRowEditor(::ui::AppContext& context,
                                     const ::ui::ScreenDefinition& definition, qint64 key,
                                     bool isNew, QWidget* parent)
    : ::ui::CardScreen(context, definition, key, isNew, parent) {
    setObjectName(QStringLiteral("TfrmModificaContratti"));
    deleteButton()->hide();
    cancelButton()->setVisible(isNew);

    m_unitFromTotal = ::ui::ActionButton(QStringLiteral("Calcola valore unitario"),
                                         QStringLiteral("btnCalcolaValoreUnitario"), this);
    m_unitFromTotal->setToolTip(
        QStringLiteral("Ricava il valore unitario dal valore totale ivato"));
    m_paidToday =
        ::ui::ActionButton(QStringLiteral("Oggi"), QStringLiteral("btnOggiPagamento"), this);
    attachBeside(QStringLiteral("ValoreTotale"), {m_unitFromTotal}, false);
    attachBeside(QStringLiteral("DataPagamento"), {m_paidToday}, false);
    connect(m_paidToday, &QPushButton::clicked, this,
            [this] { setValue(QStringLiteral("DataPagamento"), today()); });
    connect(m_unitFromTotal, &QPushButton::clicked, this, &ContractRowEditor::unitFromTotal);
    if (auto* vat = qobject_cast<QComboBox*>(editor(QStringLiteral("Iva_ID"))))
        connect(vat, &QComboBox::activated, this, &ContractRowEditor::vatChosen);
    for (const char* name : {"Um", "ValoreUnitario", "Sconto"})
        if (auto* line = qobject_cast<QLineEdit*>(editor(QString::fromLatin1(name))))
            connect(line, &QLineEdit::editingFinished, this, &ContractRowEditor::amountsTyped);
    resize(760, sizeHint().height());
    if (QWidget* first = editor(QStringLiteral("Descrizione")))
        first->setFocus();
}

std::optional<common::Failure> ContractRowEditor::validate(const QVariantMap& values) const {
    return ContractRules::validateRow(values);
}

void ContractRowEditor::writeExtra(db::Database& db, const QVariantMap& values) {
    QVariantMap row = values;
    ContractRules::completeRowSave(db, key(), row);
    setValue(QStringLiteral("ValoreTotale"), row.value(QStringLiteral("ValoreTotale")));
}

void ContractRowEditor::vatChosen() {
    QVariantMap row = values();
    if (!::ui::guarded(context(), [&] { ContractRules::chooseVat(*context().db, row); }))
        return;
    setValue(QStringLiteral("AliquotaIva"), row.value(QStringLiteral("AliquotaIva")));
    setValue(QStringLiteral("ValoreTotale"), row.value(QStringLiteral("ValoreTotale")));
}

void ContractRowEditor::amountsTyped() {
    QVariantMap row = values();
    documents::RowRules::computeAmounts(row);
    setValue(QStringLiteral("ValoreTotale"), row.value(QStringLiteral("ValoreTotale")));
}

void ContractRowEditor::unitFromTotal() {
    QVariantMap row = values();
    documents::DocumentOptions options;
    ::ui::guarded(context(), [&] { options = documents::DocumentOptions::load(*context().db); });
    double unit = 0;
    if (auto failure = documents::RowRules::unitPriceFromTotal(row, options, &unit)) {
        context().interaction->warning(failure->title, failure->text);
        return;
    }
    setValue(QStringLiteral("ValoreUnitario"), unit);
}

} // namespace cemetery::ui
