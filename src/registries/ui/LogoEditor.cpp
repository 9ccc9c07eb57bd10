#include "registries/ui/LogoEditor.h"

#include "common/Installation.h"
#include "common/Interaction.h"
#include "common/Titles.h"
#include "registries/CompanyRules.h"
#include "ui/ActionButton.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace registries::ui {

LogoEditor::LogoEditor(common::Interaction& interaction, QWidget* parent)
    : QWidget(parent), m_ui(interaction) {
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("imgLogo"));
    m_preview->setFixedSize(320, 160);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setStyleSheet(
        QStringLiteral("QLabel { border: 1px solid #b8c2cc; background: white; color: #7a869a; }"));
    m_info = new QLabel(this);
    m_info->setStyleSheet(QStringLiteral("color: #5a6472;"));

    auto* load = new QPushButton(QStringLiteral("Carica immagine.."), this);
    load->setObjectName(QStringLiteral("btnCaricaLogo"));
    m_remove = new QPushButton(QStringLiteral("Rimuovi logo"), this);
    m_remove->setObjectName(QStringLiteral("btnRimuoviLogo"));
    load->setAutoDefault(false);
    m_remove->setAutoDefault(false);
    connect(load, &QPushButton::clicked, this, &LogoEditor::choose);
    connect(m_remove, &QPushButton::clicked, this, &LogoEditor::remove);

    auto* buttons = new QHBoxLayout;
    buttons->setObjectName(QStringLiteral("logoButtons"));
    buttons->addWidget(load);
    buttons->addWidget(m_remove);
    buttons->addStretch(1);
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(m_preview);
    v->addWidget(m_info);
    v->addLayout(buttons);
    refresh();
}

void LogoEditor::addBitmapButton() {
    QPushButton* bitmap = ::ui::ActionButton(QStringLiteral("Modifica LogoMaga.bmp"),
                                             QStringLiteral("btnLogoMaga"), this);
    bitmap->setToolTip(QStringLiteral("Apre il file LogoMaga.bmp della cartella del programma "
                                      "con il programma di disegno del sistema"));
    connect(bitmap, &QPushButton::clicked, this, &LogoEditor::openBitmap);
    if (auto* row = findChild<QHBoxLayout*>(QStringLiteral("logoButtons")))
        row->insertWidget(2, bitmap);
}

void LogoEditor::setLogo(const QByteArray& bytes) {
    m_bytes = bytes;
    m_loaded = bytes;
    refresh();
}

bool LogoEditor::loadFile(const QString& path) {
    QByteArray bytes;
    if (const auto failure = CompanyRules::readLogo(path, &bytes)) {
        m_ui.fail(*failure);
        return false;
    }
    m_bytes = bytes;
    refresh();
    emit changed();
    return true;
}

void LogoEditor::remove() {
    if (m_bytes.isEmpty())
        return;
    m_bytes.clear();
    refresh();
    emit changed();
}

void LogoEditor::choose() {
    const QString path = m_ui.openFile(QStringLiteral("Carica immagine.."),
                                       QStringLiteral("Immagini (*.png *.jpg *.jpeg)"), QString());
    if (!path.isEmpty())
        loadFile(path);
}

void LogoEditor::openBitmap() {
    const QString path = common::Installation::filePath(QStringLiteral("LogoMaga.bmp"));
    if (!QFileInfo::exists(path)) {
        m_ui.error(common::titles::error, QStringLiteral("Attenzione manca il file ") + path);
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void LogoEditor::refresh() {
    const QImage image = CompanyRules::logoImage(m_bytes);
    if (image.isNull()) {
        m_preview->setPixmap(QPixmap());
        m_preview->setText(QStringLiteral("Nessun logo"));
        m_info->setText(QString());
    } else {
        m_preview->setPixmap(QPixmap::fromImage(image).scaled(
            m_preview->size() - QSize(8, 8), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        m_info->setText(QStringLiteral("%1 × %2 pixel").arg(image.width()).arg(image.height()));
    }
    m_remove->setEnabled(!m_bytes.isEmpty());
}

} // namespace registries::ui
