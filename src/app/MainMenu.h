#pragma once

#include <QList>
#include <QString>

namespace app {

// One button of the main window: its object name (also the name under which
// its screen is registered), its caption and its place.
struct MenuButton {
    QString name;        // btnClienti
    QString caption;     // "Clienti"
    QString group;       // sub-heading inside the tab; empty for none
    bool keyed = true;   // shown only when its permission key is granted
    bool hidden = false; // never shown on the window; its screen still exists

    // The permission key: the name upper-cased, empty for an unkeyed button.
    QString key() const { return keyed ? name.toUpper() : QString(); }
};

struct MenuTab {
    QString name;    // tabArchivio
    QString caption; // "Archivio  "
    QString key;     // TABARCHIVIO; empty for a tab every installation sees
    QList<MenuButton> buttons;
};

// The tabs and buttons of the main window, in order. The index of a tab in
// this list is the one stored in opzioni.TabIniziale.
class MainMenu {
public:
    static const QList<MenuTab>& tabs();
    static const MenuButton* findButton(const QString& name);
    // Tab captions without their padding, for the start-tab choice.
    static QStringList tabTitles();

    // History buttons, and the one that accepts a range across two years.
    static bool isHistoryButton(const QString& name);
    static bool historyAcrossYears(const QString& name);

    static constexpr const char* companyButton = "btnCaricaDitta";
    static constexpr const char* optionsButton = "btnAttivitaOpzioni";
};

} // namespace app
