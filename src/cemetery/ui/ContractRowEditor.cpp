#include "cemetery/ui/ContractRowEditor.h"

#include "cemetery/ContractRules.h"
#include "cemetery/ui/ContractWidgets.h"
#include "documents/DocumentOptions.h"
#include "documents/RowRules.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/Guarded.h"

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

    CardField quantity =
        field(QStringLiteral("Um"), QStringLiteral("Quantità"), false, 110, FieldKind::Amount);
    CardField unit = field(QStringLiteral("ValoreUnitario"), QStringLiteral("Valore Unitario"),
                           true, 120, FieldKind::Amount);
    unit.decimals = 4;
    CardField discount =
        field(QStringLiteral("Sconto"), QStringLiteral("Sconto"), false, 110, FieldKind::Amount);
    CardField total = field(QStringLiteral("ValoreTotale"), QStringLiteral("Valore Totale"), true,
                            120, FieldKind::Amount);
    CardField vat = field(QStringLiteral("Iva_ID"), QStringLiteral("Aliquota Iva"), false, 0,
                          FieldKind::Lookup);
    vat.lookup = {QStringLiteral("select ID, Descrizione from Iva order by Descrizione"),
                  QStringLiteral("ID"), QStringLiteral("Descrizione"), QString()};
    CardField rate =
        field(QStringLiteral("AliquotaIva"), QStringLiteral("Iva %"), true, 80, FieldKind::Amount);
    rate.readOnly = true;
    CardField number = field(QStringLiteral("NumeroRiga"), QStringLiteral("Numero di riga"), false,
                             90, FieldKind::Integer);

    d.fields = {
        field(QStringLiteral("Descrizione"), QStringLiteral("Descrizione")),
        quantity,
        unit,
        discount,
        total,
        vat,
        rate,
        field(QStringLiteral("Codice"), QStringLiteral("Codice"), false, 160),
        field(QStringLiteral("Reparto"), QStringLiteral("Reparto"), true),
        field(QStringLiteral("Note"), QStringLiteral("Note")),
        number,
        field(QStringLiteral("DataInizioPeriodo"), QStringLiteral("Data Inizio")),
        field(QStringLiteral("DataFinePeriodo"), QStringLiteral("Data Fine"), true),
        field(QStringLiteral("DataPagamento"), QStringLiteral("Data Pagamento")),
        field(QStringLiteral("Chiuso"), QStringLiteral("Chiuso")),
        field(QStringLiteral("Fatturato"), QStringLiteral("Fatturato"), true),
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
