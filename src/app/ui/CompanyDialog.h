#pragma once

#include "app/ui/SettingsForm.h"

namespace app::ui {

class LogoEditor;

// The company data (the single row of ditta): registry, seat, tax data,
// electronic-invoice parties, logo and the online database.
class CompanyDialog : public SettingsForm {
    Q_OBJECT
public:
    CompanyDialog(::ui::AppContext& context, QWidget* parent = nullptr);

    LogoEditor* logoEditor() const { return m_logo; }

protected:
    void write(const db::Values& values) override;
    bool extraModified() const override;
    void afterSave() override;
    void afterLoad() override;

private:
    void build();
    // A town chosen from the list fills its postcode and province.
    void townChosen(const QString& townColumn, const QString& capColumn,
                    const QString& provinceColumn);
    void updateSections();

    LogoEditor* m_logo = nullptr;
};

} // namespace app::ui
