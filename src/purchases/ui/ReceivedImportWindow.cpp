#include "purchases/ui/ReceivedImportWindow.h"

#include "common/Interaction.h"
#include "common/Titles.h"
#include "db/DbError.h"
#include "purchases/FatturaPaImport.h"
#include "purchases/ReceivedBatch.h"
#include "purchases/ReceivedStore.h"
#include "ui/ActionButton.h"
#include "ui/AppContext.h"

#include <QApplication>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace purchases::ui {

ReceivedImportWindow::ReceivedImportWindow(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_context(context) {
    setObjectName(QStringLiteral("frmImportaFatturaXml"));
    setWindowTitle(QStringLiteral("Importa fattura elettronica xml"));
    setModal(true);
    resize(900, 600);
    auto* v = new QVBoxLayout(this);
    v->addWidget(new QLabel(QStringLiteral("Fatture elettroniche ricevute (.xml, .p7m, cartelle, "
                                           "archivi .zip):"),
                            this));
    m_chosen = new QListWidget(this);
    m_chosen->setObjectName(QStringLiteral("lstFile"));
    m_chosen->setMaximumHeight(120);
    v->addWidget(m_chosen);
    auto* choose = new QHBoxLayout();
    QPushButton* files =
        ::ui::ActionButton(QStringLiteral("File..."), QStringLiteral("btnFile"), this);
    QPushButton* folder =
        ::ui::ActionButton(QStringLiteral("Cartella..."), QStringLiteral("btnCartella"), this);
    m_start = ::ui::ActionButton(QStringLiteral("Importa"), QStringLiteral("btnImporta"), this);
    m_stop =
        ::ui::ActionButton(QStringLiteral("Interrompi"), QStringLiteral("btnInterrompi"), this);
    m_stop->setEnabled(false);
    for (QPushButton* b : {files, folder})
        choose->addWidget(b);
    choose->addStretch(1);
    choose->addWidget(m_start);
    choose->addWidget(m_stop);
    v->addLayout(choose);
    m_current = new QLabel(this);
    m_progress = new QProgressBar(this);
    m_progress->setObjectName(QStringLiteral("barProgresso"));
    v->addWidget(m_current);
    v->addWidget(m_progress);
    m_results = new QTableWidget(0, 3, this);
    m_results->setObjectName(QStringLiteral("tblEsiti"));
    m_results->setHorizontalHeaderLabels(
        {QStringLiteral("File"), QStringLiteral("Esito"), QStringLiteral("Dettaglio")});
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->horizontalHeader()->setStretchLastSection(true);
    m_results->setColumnWidth(0, 320);
    m_results->setColumnWidth(1, 110);
    v->addWidget(m_results, 1);
    auto* bottom = new QHBoxLayout();
    bottom->addStretch(1);
    QPushButton* back =
        ::ui::ActionButton(QStringLiteral("Indietro"), QStringLiteral("spdIndietro"), this);
    bottom->addWidget(back);
    v->addLayout(bottom);

    connect(files, &QPushButton::clicked, this, &ReceivedImportWindow::chooseFiles);
    connect(folder, &QPushButton::clicked, this, &ReceivedImportWindow::chooseFolder);
    connect(m_start, &QPushButton::clicked, this, &ReceivedImportWindow::run);
    connect(m_stop, &QPushButton::clicked, this, &ReceivedImportWindow::interrupt);
    connect(back, &QPushButton::clicked, this, [this] {
        if (!m_running)
            accept();
    });
}

void ReceivedImportWindow::addPaths(const QStringList& paths) {
    for (const QString& p : paths) {
        if (m_paths.contains(p))
            continue;
        m_paths << p;
        m_chosen->addItem(p);
    }
}

void ReceivedImportWindow::chooseFiles() {
    addPaths(QFileDialog::getOpenFileNames(
        this, QStringLiteral("Fatture elettroniche"), QString(),
        QStringLiteral("Fatture elettroniche (*.xml *.XML *.p7m *.P7M *.zip *.ZIP)")));
}

void ReceivedImportWindow::chooseFolder() {
    const QString folder =
        QFileDialog::getExistingDirectory(this, QStringLiteral("Cartella delle fatture ricevute"));
    if (!folder.isEmpty())
        addPaths({folder});
}

void ReceivedImportWindow::interrupt() {
    m_interrupted = true;
}

void ReceivedImportWindow::run() {
    if (m_running || m_paths.isEmpty())
        return;
    const QList<ReceivedEntry> entries = ReceivedBatch::expand(m_paths);
    m_running = true;
    m_interrupted = false;
    m_start->setEnabled(false);
    m_stop->setEnabled(true);
    m_results->setRowCount(0);
    m_progress->setRange(0, int(entries.size()));
    int done = 0;
    const QString folder = ReceivedStore::defaultFolder(*m_context.db);
    for (const ReceivedEntry& e : entries) {
        if (m_interrupted)
            break;
        m_current->setText(e.displayName());
        QApplication::processEvents();
        ImportOutcome o;
        try {
            o = FatturaPaImport::importEntry(*m_context.db, *m_context.interaction, e,
                                             QDate::currentDate(), folder);
        } catch (const db::DbError& error) {
            o = {ImportOutcome::Status::Refused, error.message()};
        }
        const int row = m_results->rowCount();
        m_results->insertRow(row);
        m_results->setItem(row, 0, new QTableWidgetItem(e.displayName()));
        m_results->setItem(row, 1, new QTableWidgetItem(o.statusText()));
        m_results->setItem(row, 2, new QTableWidgetItem(o.text));
        m_progress->setValue(++done);
        QApplication::processEvents();
    }
    if (m_interrupted) {
        for (int i = done; i < entries.size(); ++i) {
            const int row = m_results->rowCount();
            m_results->insertRow(row);
            m_results->setItem(row, 0, new QTableWidgetItem(entries[i].displayName()));
            m_results->setItem(row, 1, new QTableWidgetItem(QStringLiteral("non elaborato")));
            m_results->setItem(row, 2,
                               new QTableWidgetItem(QStringLiteral("importazione interrotta")));
        }
    }
    m_current->setText(QStringLiteral("%1 file elaborati su %2").arg(done).arg(entries.size()));
    m_running = false;
    m_stop->setEnabled(false);
    m_start->setEnabled(true);
    m_paths.clear();
    m_chosen->clear();
    m_context.interaction->information(common::titles::warning,
                                       QStringLiteral("Termine importazione documento"));
}

} // namespace purchases::ui
