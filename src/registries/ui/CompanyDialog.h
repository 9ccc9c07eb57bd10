#pragma once

#include "ui/SettingsForm.h"

namespace ui {
class FieldBinder;
}

class QLabel;

namespace registries::ui {

class LogoEditor;

// The two parties of the electronic invoice kept on the company row.
enum class FiscalParty { Representative, Intermediary };

// The checks of a party's "Salva"; none while its "Includi" is off. The
// representative needs country and VAT number, the intermediary a VAT
// number or tax code (with the country beside a VAT number); both a company
// name or first name and surname.
std::optional<common::Failure> checkFiscalParty(FiscalParty party, const QVariantMap& values);

// "Rappresentante Fiscale" and the intermediary editor ("Terzo
// Intermediario o Soggetto Emittente"): the party's columns of ditta.
// "Salva" checks and writes them in one transaction, "Indietro" closes.
class FiscalPartyDialog : public QDialog {
    Q_OBJECT
public:
    FiscalPartyDialog(::ui::AppContext& context, FiscalParty party, QWidget* parent = nullptr);

    // The editor of a column, by its name without the party's prefix
    // ("Includi" for the flag, "IdPaese", "IdCodice", "Denominazione"...).
    QWidget* editor(const QString& name) const;
    // Column → value, with the full column names.
    QVariantMap values() const;

public slots:
    bool save(); // "Salva"

private:
    QString column(const QString& name) const;

    ::ui::AppContext& m_context;
    FiscalParty m_party;
    ::ui::FieldBinder* m_fields;
};

// The company data (the single row of ditta): registry, seat, tax data,
// electronic-invoice parties, logo and the online database.
class CompanyDialog : public ::ui::SettingsForm {
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
    // Opens a party's editor and shows what it saved.
    void editParty(FiscalParty party);
    void showParties();

    LogoEditor* m_logo = nullptr;
    QLabel* m_representative = nullptr;
    QLabel* m_intermediary = nullptr;
};

} // namespace registries::ui
