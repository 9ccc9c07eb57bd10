#include "mail/ui/EmailDialog.h"

#include "ui/ActionButton.h"
#include "ui/AppContext.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace mail::ui {

namespace {} // namespace

EmailDialog::EmailDialog(::ui::AppContext& context, QWidget* parent)
    : QDialog(parent), m_model(*context.db, *context.interaction) {
    setObjectName(QStringLiteral("TfrmEmail"));
    setWindowTitle(QStringLiteral("Email"));
    setModal(true);
    m_model.mailer().setBusyHandler([](bool on) {
        if (on)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });

    m_recipients = list(QStringLiteral("txtDestinatario"));
    m_attachments = list(QStringLiteral("txtAllegati"));
    m_subject = new QLineEdit(this);
    m_subject->setObjectName(QStringLiteral("txtOggetto"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("txtTesto"));
    m_text->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    auto* addRecipientButton =
        ::ui::ActionButton(QStringLiteral("Aggiungi"), "btnAggiungiDestinatario", this);
    auto* removeRecipientButton =
        ::ui::ActionButton(QStringLiteral("Rimuovi"), "btnRimuoviDestinatario", this);
    auto* attach = ::ui::ActionButton(QStringLiteral("Allega file"), "btnAllega", this);
    auto* removeAttachmentButton =
        ::ui::ActionButton(QStringLiteral("Rimuovi"), "btnRimuoviAllegato", this);
    auto* clearAll = ::ui::ActionButton(QStringLiteral("Elimina tutti gli allegati"),
                                        "btnEliminaAllegati", this);
    auto* standardText =
        ::ui::ActionButton(QStringLiteral("Testo standard"), "btnTestoDefault", this);
    auto* sendButton = ::ui::ActionButton(QStringLiteral("Invia"), "btnInvia", this);
    auto* resetButton = ::ui::ActionButton(QStringLiteral("Azzera"), "btnAzzera", this);
    auto* help = ::ui::ActionButton(QStringLiteral("Aiuto"), "btnAiuto", this);
    auto* back = ::ui::ActionButton(QStringLiteral("Indietro"), "btnIndietro", this);

    connect(addRecipientButton, &QPushButton::clicked, this, &EmailDialog::addRecipient);
    connect(removeRecipientButton, &QPushButton::clicked, this, &EmailDialog::removeRecipient);
    connect(attach, &QPushButton::clicked, this, &EmailDialog::attachFile);
    connect(removeAttachmentButton, &QPushButton::clicked, this, &EmailDialog::removeAttachment);
    connect(clearAll, &QPushButton::clicked, this, &EmailDialog::clearAttachments);
    connect(standardText, &QPushButton::clicked, this, &EmailDialog::appendDefaultText);
    connect(sendButton, &QPushButton::clicked, this, &EmailDialog::send);
    connect(resetButton, &QPushButton::clicked, this, &EmailDialog::reset);
    connect(help, &QPushButton::clicked, this, &EmailDialog::helpRequested);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);

    const auto group = [this](const QString& title, QWidget* main, QList<QWidget*> side) {
        auto* box = new QGroupBox(title, this);
        auto* h = new QHBoxLayout(box);
        h->addWidget(main, 1);
        auto* buttons = new QVBoxLayout;
        for (QWidget* w : side) {
            w->setFixedWidth(190); // the three lists line up
            buttons->addWidget(w);
        }
        buttons->addStretch(1);
        h->addLayout(buttons);
        return box;
    };

    auto* subjectRow = new QHBoxLayout;
    subjectRow->addWidget(new QLabel(QStringLiteral("Oggetto"), this));
    subjectRow->addWidget(m_subject, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(help);
    bottom->addStretch(1);
    bottom->addWidget(resetButton);
    bottom->addWidget(sendButton);
    bottom->addWidget(back);

    auto* v = new QVBoxLayout(this);
    v->addWidget(group(QStringLiteral("Destinatari"), m_recipients,
                       {addRecipientButton, removeRecipientButton}),
                 2);
    v->addLayout(subjectRow);
    v->addWidget(group(QStringLiteral("Testo"), m_text, {standardText}), 4);
    v->addWidget(group(QStringLiteral("Allegati"), m_attachments,
                       {attach, removeAttachmentButton, clearAll}),
                 2);
    v->addLayout(bottom);
    resize(760, 640);
}

QListWidget* EmailDialog::list(const QString& name) {
    auto* l = new QListWidget(this);
    l->setObjectName(name);
    l->setSelectionMode(QAbstractItemView::SingleSelection);
    return l;
}

int EmailDialog::openFilled(const QString& subject, const QString& text,
                            const QStringList& addresses, const QStringList& files) {
    m_model.prefill(subject, text, addresses, files);
    refresh();
    return exec();
}

void EmailDialog::refresh() {
    m_recipients->clear();
    m_recipients->addItems(m_model.recipients);
    m_attachments->clear();
    m_attachments->addItems(m_model.attachments);
    if (m_subject->text() != m_model.subject)
        m_subject->setText(m_model.subject);
    if (m_text->toPlainText() != m_model.text)
        m_text->setPlainText(m_model.text);
}

// Subject and text are typed in the widgets; the lists live in the model.
void EmailDialog::collect() {
    m_model.subject = m_subject->text();
    m_model.text = m_text->toPlainText();
}

void EmailDialog::addRecipient() {
    collect();
    if (m_model.askRecipient())
        refresh();
}

void EmailDialog::removeRecipient() {
    collect();
    m_model.removeRecipient(m_recipients->currentRow());
    refresh();
}

void EmailDialog::attachFile() {
    collect();
    if (m_model.askAttachment())
        refresh();
}

void EmailDialog::removeAttachment() {
    collect();
    m_model.removeAttachment(m_attachments->currentRow());
    refresh();
}

void EmailDialog::clearAttachments() {
    collect();
    m_model.clearAttachments();
    refresh();
}

void EmailDialog::appendDefaultText() {
    collect();
    m_model.appendDefaultText();
    refresh();
    m_text->moveCursor(QTextCursor::End);
}

void EmailDialog::reset() {
    m_model.reset();
    refresh();
}

void EmailDialog::send() {
    collect();
    m_sentTo += m_model.send().sent;
}

} // namespace mail::ui
