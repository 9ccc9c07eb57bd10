#pragma once

#include "registries/VCard.h"
#include "ui/ListScreen.h"

#include <functional>

class QPushButton;

namespace registries::ui {

// What tells the customer list from the supplier list.
struct PartyKind {
    QString table;       // Clienti, Fornitor
    QString emailColumn; // EMail, Email
    QString vCardFile;   // the name offered by "Esporta vCard"
    std::function<QByteArray(db::Database&, const QList<qint64>&)> exportCards;
    std::function<VCardImportReport(db::Database&, const QByteArray&)> importCards;
    std::function<qint64(db::Database&)> insertNew;
};

// The list of customers or suppliers: several rows can be selected,
// "Esporta vCard" writes the selected ones, "Importa vCard" reads a file,
// "Email" writes to their addresses; "Aggiungi" inserts through the rules.
class PartyList : public ::ui::ListScreen {
    Q_OBJECT
public:
    PartyList(::ui::AppContext& context, const ::ui::ScreenDefinition& definition, PartyKind kind,
              QWidget* parent = nullptr);

    QPushButton* exportButton() const { return m_export; }
    QPushButton* importButton() const { return m_import; }

public slots:
    void exportVCard(); // "Esporta vCard"
    void importVCard(); // "Importa vCard"

protected:
    qint64 insertRow() override;

private:
    PartyKind m_kind;
    QPushButton* m_export;
    QPushButton* m_import;
};

} // namespace registries::ui
