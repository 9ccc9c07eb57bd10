#include "einvoice/ui/PublicOfficeLookup.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"
#include "ui/DataGrid.h"
#include "ui/Guarded.h"
#include "ui/ScreenTitle.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace einvoice::ui {

PublicOfficeLookup::PublicOfficeLookup(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("TfrmTrovaPubblicaAmministrazione"));
    setWindowTitle(QStringLiteral("Trova Pubblica Amministrazione"));
    setModal(true);
    resize(1100, 600);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(::ui::ScreenTitle(QStringLiteral("Trova Pubblica Amministrazione"), this));

    auto* boxes = new QGridLayout();
    layout->addLayout(boxes);
    const QList<std::pair<QString, QString>> fields{
        {QStringLiteral("Comune"), QStringLiteral("Comune")},
        {QStringLiteral("DescPA"), QStringLiteral("Desc. PA")},
        {QStringLiteral("CodUnivoco"), QStringLiteral("Cod. univoco")},
        {QStringLiteral("Ufficio"), QStringLiteral("Ufficio")},
        {QStringLiteral("CodFiscale"), QStringLiteral("Cod. fiscale")},
        {QStringLiteral("Provincia"), QStringLiteral("Provincia")},
        {QStringLiteral("Indirizzo"), QStringLiteral("Indirizzo")},
        {QStringLiteral("Tipologia"), QStringLiteral("Tipologia")},
    };
    int at = 0;
    for (const auto& [name, caption] : fields) {
        auto* label = new QLabel(caption, this);
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("edt") + name);
        label->setBuddy(box);
        boxes->addWidget(label, at / 4, (at % 4) * 2);
        boxes->addWidget(box, at / 4, (at % 4) * 2 + 1);
        m_boxes.insert(name, box);
        // Enter in a box searches.
        connect(box, &QLineEdit::returnPressed, this, &PublicOfficeLookup::search);
        ++at;
    }
    m_boxes.value(QStringLiteral("Provincia"))->setMaxLength(2);
    auto* actions = new QHBoxLayout();
    auto* find = ::ui::ActionButton(QStringLiteral("cerca"), QStringLiteral("spdCerca"), this, 90);
    auto* clear = ::ui::ActionButton(QStringLiteral("reset"), QStringLiteral("spdReset"), this, 90);
    auto* load = ::ui::ActionButton(QStringLiteral("Importa elenco IPA"),
                                    QStringLiteral("spdImporta"), this, 90);
    load->setToolTip(QStringLiteral("Carica l'elenco degli uffici di fatturazione elettronica "
                                    "scaricato da IndicePA (file CSV)"));
    actions->addWidget(load);
    actions->addStretch(1);
    actions->addWidget(find);
    actions->addWidget(clear);
    layout->addLayout(actions);
    connect(find, &QPushButton::clicked, this, &PublicOfficeLookup::search);
    connect(clear, &QPushButton::clicked, this, &PublicOfficeLookup::reset);
    connect(load, &QPushButton::clicked, this, &PublicOfficeLookup::importDirectory);

    m_grid = new ::ui::DataGrid(context, QStringLiteral("frmTrovaPA_Griglia"), this);
    m_grid->setTable(QStringLiteral("PA_Amministrazioni_FatturaElettronica"));
    m_grid->setKeyColumn(QStringLiteral("ID"));
    m_grid->setDefaultColumns(
        {{QStringLiteral("DescrizionePA"), 260, QStringLiteral("Pubblica Amministrazione")},
         {QStringLiteral("DescrizioneUfficio"), 240, QStringLiteral("Ufficio")},
         {QStringLiteral("codice_univoco"), 90, QStringLiteral("Cod. univoco")},
         {QStringLiteral("Comune"), 140, QStringLiteral("Comune")},
         {QStringLiteral("Provincia"), 45, QStringLiteral("Prov.")},
         {QStringLiteral("indirizzo"), 200, QStringLiteral("Indirizzo")},
         {QStringLiteral("cap"), 60, QStringLiteral("Cap")},
         {QStringLiteral("cf"), 110, QStringLiteral("Cod. fiscale")},
         {QStringLiteral("tipologia_istat"), 200, QStringLiteral("Tipologia")}});
    layout->addWidget(m_grid, 1);
    connect(m_grid, &::ui::DataGrid::rowChosen, this, &PublicOfficeLookup::choose);

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    auto* next =
        ::ui::ActionButton(QStringLiteral("Avanti"), QStringLiteral("spdAvanti"), this, 90);
    auto* back =
        ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"), this, 90);
    buttons->addWidget(next);
    buttons->addWidget(back);
    layout->addLayout(buttons);
    connect(next, &QPushButton::clicked, this, &PublicOfficeLookup::choose);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    m_boxes.value(QStringLiteral("Comune"))->setFocus();
}

IpaSearch PublicOfficeLookup::criteria() const {
    IpaSearch s;
    s.town = m_boxes.value(QStringLiteral("Comune"))->text();
    s.administration = m_boxes.value(QStringLiteral("DescPA"))->text();
    s.officeCode = m_boxes.value(QStringLiteral("CodUnivoco"))->text();
    s.office = m_boxes.value(QStringLiteral("Ufficio"))->text();
    s.taxCode = m_boxes.value(QStringLiteral("CodFiscale"))->text();
    s.province = m_boxes.value(QStringLiteral("Provincia"))->text();
    s.address = m_boxes.value(QStringLiteral("Indirizzo"))->text();
    s.category = m_boxes.value(QStringLiteral("Tipologia"))->text();
    return s;
}

void PublicOfficeLookup::search() {
    db::Result rows;
    if (!::ui::guardedRule(
            m_context, [&] { return criteria().run(*m_context.db, &rows); },
            [&](const common::Failure& f) { m_context.interaction->information(f.title, f.text); }))
        return;
    m_rows = rows;
    m_grid->setResult(std::move(rows));
    if (!m_rows.empty()) {
        m_grid->selectKey(m_grid->keyAt(0));
        m_grid->setFocus();
    }
}

void PublicOfficeLookup::reset() {
    for (QLineEdit* box : std::as_const(m_boxes))
        box->clear();
    m_rows = db::Result();
    m_grid->setResult(db::Result());
    m_boxes.value(QStringLiteral("Comune"))->setFocus();
}

void PublicOfficeLookup::importDirectory() {
    const QString path = m_context.interaction->openFile(
        QStringLiteral("Elenco degli uffici IndicePA"),
        QStringLiteral("File CSV (*.csv *.txt);;Tutti i file (*)"), QString());
    if (path.isEmpty())
        return;
    if (!m_context.interaction->question(
            common::titles::warning,
            QStringLiteral("L'elenco degli uffici in archivio sarà sostituito da quello del "
                           "file scelto. Vuoi proseguire ?")))
        return;
    IpaImportResult r;
    common::Interaction* interaction = m_context.interaction;
    if (!::ui::guarded(m_context, [&] {
            r = IpaImport::run(*m_context.db, path, [interaction](qint64 done, qint64 total) {
                return interaction->progress(
                    QStringLiteral("Importazione degli uffici in corso..."), done, total);
            });
        }))
        return;
    QString text = QStringLiteral("Uffici importati: %1").arg(r.offices);
    if (r.withoutTown > 0)
        text += QStringLiteral("\nDi cui senza un comune dell'archivio: %1").arg(r.withoutTown);
    if (r.skipped > 0)
        text += QStringLiteral("\nRighe senza codice univoco, scartate: %1").arg(r.skipped);
    m_context.interaction->information(common::titles::warning, text);
    reset();
}

void PublicOfficeLookup::choose() {
    const qint64 key = m_grid->currentKey();
    if (m_rows.empty() || key == 0)
        return;
    if (!m_context.interaction->question(
            common::titles::warning,
            QStringLiteral("Posso sovrascrivere i dati della PA scelta con quelli del Cliente ? "
                           "Vuoi proseguire ?")))
        return;
    for (const db::Row& r : m_rows)
        if (r.integer(QStringLiteral("ID")) == key) {
            m_chosen = customerValuesFromOffice(r);
            accept();
            return;
        }
}

} // namespace einvoice::ui
