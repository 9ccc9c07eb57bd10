#include "documents/ui/SeriesChooser.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/Database.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/Guarded.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace documents::ui {

SeriesChooser::SeriesChooser(AppContext& context, Document document, QWidget* parent)
    : QDialog(parent) {
    switch (document) {
    case Document::Invoice:
        setObjectName(QStringLiteral("frmSceltaSerieFattura"));
        setWindowTitle(QStringLiteral("Serie di Fatturazione della Fattura"));
        break;
    case Document::CreditNote:
        setObjectName(QStringLiteral("frmSceltaSerieNotaCredito"));
        setWindowTitle(QStringLiteral("Serie di Fatturazione della Nota di Credito"));
        break;
    case Document::DeliveryNote:
        setObjectName(QStringLiteral("frmSceltaSerieDDT"));
        setWindowTitle(QStringLiteral("Serie di Fatturazione del D.D.T."));
        break;
    }
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Scegli la Serie di Fatturazione"), this));
    m_series = new QComboBox(this);
    m_series->setObjectName(QStringLiteral("cboSerie"));
    m_series->addItem(QString());
    ::ui::guarded(context, [&] {
        const db::Result rows = context.db->query(
            QStringLiteral("select Serie, Descrizione from SerieFatturazione order by Serie"));
        for (const db::Row& r : rows) {
            const QString serie = r.text(QStringLiteral("Serie"));
            if (serie.isEmpty())
                continue;
            const QString description = r.text(QStringLiteral("Descrizione"));
            m_series->addItem(
                description.isEmpty() ? serie : serie + QStringLiteral(" - ") + description, serie);
        }
    });
    layout->addWidget(m_series);
    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    m_confirm = new QPushButton(QStringLiteral("Conferma"), this);
    m_confirm->setObjectName(QStringLiteral("btnConferma"));
    m_back = ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"), this);
    buttons->addWidget(m_confirm);
    buttons->addWidget(m_back);
    layout->addLayout(buttons);
    connect(m_confirm, &QPushButton::clicked, this, [this] {
        m_chosen = m_series->currentData().toString();
        accept();
    });
    connect(m_back, &QPushButton::clicked, this, [this] {
        m_chosen.clear();
        reject();
    });
    resize(360, sizeHint().height());
}

QString SeriesChooser::choose(QWidget* parent, AppContext& context, Document document) {
    SeriesChooser chooser(context, document, parent);
    chooser.exec();
    return chooser.chosen();
}

} // namespace documents::ui
