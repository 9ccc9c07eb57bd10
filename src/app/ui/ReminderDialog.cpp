#include "app/ui/ReminderDialog.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "ui/Guarded.h"
#include "ui/ScreenRegistry.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace app::ui {

ReminderDialog::ReminderDialog(const ReminderList& instalments, const ReminderList& notices,
                               ::ui::AppContext& context, const ::ui::ScreenRegistry& registry,
                               QWidget* parent)
    : QDialog(parent), m_context(context), m_registry(registry), m_instalmentList(instalments),
      m_noticeList(notices) {
    setObjectName(QStringLiteral("TfrmPromemoria"));
    setWindowTitle(StartupSequence::reminderCaption());
    setModal(true);

    const auto heading = [this](const QString& text) {
        auto* l = new QLabel(text, this);
        l->setStyleSheet(QStringLiteral("font-size: 12pt; font-weight: 600; color: #2b4c7e;"));
        return l;
    };
    m_instalments = makeTable(instalments, QStringLiteral("grdScadenze"));
    m_notices = makeTable(notices, QStringLiteral("grdAvvisi"));
    // The instalment's key is carried for the double click, not read.
    const int idColumn = instalments.header.indexOf(QStringLiteral("id_scad"));
    if (idColumn >= 0)
        m_instalments->setColumnHidden(idColumn, true);

    connect(m_instalments, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { openInstalment(row); });
    connect(m_notices, &QTableWidget::cellDoubleClicked, this,
            [this](int row, int) { openNotice(row); });

    auto* close = new QPushButton(QStringLiteral("Chiudi"), this);
    close->setObjectName(QStringLiteral("btnChiudi"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* v = new QVBoxLayout(this);
    v->addWidget(heading(instalments.title.isEmpty() ? QStringLiteral("Scadenze passate")
                                                     : instalments.title));
    v->addWidget(m_instalments, 3);
    v->addWidget(
        heading(notices.title.isEmpty() ? QStringLiteral("Avvisi Calendario") : notices.title));
    v->addWidget(m_notices, 2);
    auto* bottom = new QHBoxLayout;
    if (m_registry.has(instalmentScreen()) || m_registry.has(appointmentScreen())) {
        auto* hint = new QLabel(QStringLiteral("Doppio clic su una riga per aprirla"), this);
        hint->setStyleSheet(QStringLiteral("color: #5a6472;"));
        bottom->addWidget(hint);
    }
    bottom->addStretch(1);
    bottom->addWidget(close);
    v->addLayout(bottom);
    resize(980, 600);
}

QTableWidget* ReminderDialog::makeTable(const ReminderList& list, const QString& name) {
    auto* t = new QTableWidget(int(list.rows.size()), int(list.header.size()), this);
    t->setObjectName(name);
    t->setHorizontalHeaderLabels(list.header);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setAlternatingRowColors(true);
    t->verticalHeader()->setVisible(false);
    // The notes take the room left.
    const int notes = int(list.header.indexOf(QStringLiteral("Note")));
    t->horizontalHeader()->setStretchLastSection(notes < 0);
    for (int r = 0; r < list.rows.size(); ++r) {
        const QStringList& cells = list.rows[r];
        for (int c = 0; c < cells.size() && c < list.header.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (list.header[c] == QStringLiteral("Importo"))
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            t->setItem(r, c, item);
        }
    }
    t->resizeColumnsToContents();
    if (notes >= 0)
        t->horizontalHeader()->setSectionResizeMode(notes, QHeaderView::Stretch);
    return t;
}

bool ReminderDialog::open(const QString& screen, const QList<qint64>& ids, int row) {
    if (!m_registry.has(screen) || row < 0 || row >= ids.size())
        return false;
    const qint64 previous = m_context.recordKey;
    m_context.recordKey = ids[row];
    ::ui::guarded(m_context, [&] { m_registry.find(screen)(this, m_context); });
    m_context.recordKey = previous;
    return true;
}

bool ReminderDialog::openInstalment(int row) {
    return open(instalmentScreen(), m_instalmentList.ids, row);
}

bool ReminderDialog::openNotice(int row) {
    const QString own = m_noticeList.screens.value(row);
    return open(own.isEmpty() ? appointmentScreen() : own, m_noticeList.ids, row);
}

} // namespace app::ui
