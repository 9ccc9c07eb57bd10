#pragma once

#include "ui/SettingsForm.h"

namespace registries::ui {
class LogoEditor;
}

namespace app::ui {

using registries::ui::LogoEditor;

// The options of the company archive (the single row of opzioni), and the
// company logo.
class OptionsDialog : public ::ui::SettingsForm {
    Q_OBJECT
public:
    OptionsDialog(::ui::AppContext& context, QWidget* parent = nullptr);

    LogoEditor* logoEditor() const { return m_logo; }
    // "Applica l'Iva predefinita a tutti gli articoli".
    void applyVatToArticles();
    // The open button of a folder field.
    void openFolder(const QString& column);
    // "Invia email di prova": saves pending changes, asks the address and
    // sends a short message with the saved settings.
    void sendTestEmail();

protected:
    void write(const db::Values& values) override;
    bool extraModified() const override;
    void afterSave() override;

private:
    void build();
    void load();
    QWidget* clearButton(const QString& column);
    QWidget* folderField(QFormLayout* page, const QString& column, const QString& label);
    void vatChosen();
    void exportFormatChosen();

    LogoEditor* m_logo = nullptr;
};

} // namespace app::ui
