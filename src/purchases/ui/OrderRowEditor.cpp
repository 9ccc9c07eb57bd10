#include "purchases/ui/OrderRowEditor.h"

#include "db/Database.h"
#include "purchases/SupplierOrders.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/FieldBinder.h"
#include "ui/FieldNavigator.h"
#include "ui/Guarded.h"
#include "ui/Lookups.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace purchases::ui {

OrderRowEditor::OrderRowEditor(::ui::AppContext& context, qint64 rowId, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("frmModificaRigheOrdiniFornitori"));
    setWindowTitle(QStringLiteral("Modifica righe Ordine"));
    setModal(true);
    resize(700, 360);
    auto* v = new QVBoxLayout(this);
    m_navigator = new ::ui::FieldNavigator(this);
    m_fields = new ::ui::FieldBinder(*context.db, QStringLiteral("OrdiniRighe"), m_navigator, this);
    auto* grid = new QGridLayout();
    v->addLayout(grid);
    m_fields->place(
        grid,
        {{.field = "Codice", .label = "Codice", .width = 140},
         {.field = "Descrizione", .label = "Descrizione"},
         {.field = "Um", .label = "Quantità", .width = 100},
         {.field = "ValoreUnitario",
          .label = "Valore Unitario",
          .sameRow = true,
          .width = 120,
          .decimals = 4},
         {.field = "Sconto", .label = "Sconto 1 %", .width = 70},
         {.field = "Sconto2", .label = "Sconto 2 %", .sameRow = true, .width = 70},
         {.field = "Sconto3", .label = "Sconto 3 %", .width = 70},
         {.field = "Sconto4", .label = "Sconto 4 %", .sameRow = true, .width = 70},
         {.field = "Iva_id", .label = "Aliquota Iva", .lookup = ::ui::lookups::vatCodes()},
         {.field = "AliquotaIva", .label = "Aliquota %", .sameRow = true, .width = 70},
         {.field = "Reparto", .label = "Reparto"}},
        this);
    grid->setColumnStretch(1, 1);
    v->addStretch(1);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    QPushButton* saveButton =
        ::ui::ActionButton(QStringLiteral("Salva"), QStringLiteral("spdSalva"), this);
    QPushButton* cancel =
        ::ui::ActionButton(QStringLiteral("Annulla"), QStringLiteral("spdAnnulla"), this);
    buttons->addWidget(saveButton);
    buttons->addWidget(cancel);
    v->addLayout(buttons);
    connect(saveButton, &QPushButton::clicked, this, [this] {
        if (save())
            accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_fields, &::ui::FieldBinder::chosen, this, [this](const QString& field) {
        if (field != QLatin1String("Iva_id"))
            return;
        const qint64 vat = m_fields->value(field).toLongLong();
        ::ui::guarded(m_context, [&] {
            m_fields->showValue(
                QStringLiteral("AliquotaIva"),
                m_context.db->scalar(QStringLiteral("select Iva from Iva where ID = ?"), {vat}));
        });
    });
    ::ui::guarded(m_context, [&] { m_record = SupplierOrders::loadRow(*context.db, rowId); });
    m_fields->show(m_record);
}

bool OrderRowEditor::save() {
    QVariantMap row = m_record;
    if (!m_fields->readAndWrite(m_context, row,
                                [&](QVariantMap& r) -> std::optional<common::Failure> {
                                    SupplierOrders::saveRow(*m_context.db, r);
                                    return std::nullopt;
                                }))
        return false;
    m_record = row;
    return true;
}

} // namespace purchases::ui
