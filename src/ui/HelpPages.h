#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace ui {

// The help pages shipped in the help folder and the page of each window.
// A window is known by its object name (TForm1, TfrmOpzioni,
// frmGrigliaClienti, frmClientiDettaglio): the name itself, then the entity
// it names (Clienti) are looked up in pagine.txt, then a page named after
// the entity; index.html when nothing matches.
class HelpPages {
public:
    explicit HelpPages(const QString& folder = QString()); // empty: the shipped folder

    const QString& folder() const { return m_folder; }
    QString indexPage() const;
    // Full path of the page for the first window, innermost first, that has one.
    QString pageFor(const QStringList& windowNames) const;
    // The entity an object name stands for: "frmGrigliaClienti" → "Clienti".
    static QString entityOf(const QString& objectName);

private:
    QString pageForName(const QString& name) const;

    QString m_folder;
    QHash<QString, QString> m_map; // upper-cased name → page file
};

} // namespace ui
