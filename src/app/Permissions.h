#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace common {
class Interaction;
}

namespace app {

// One tab page of the main window: its permission key and the keys of the
// buttons on it that the permissions file can hide. A button's key is its
// object name upper-cased; buttons without a key are always shown.
struct TabKeys {
    QString tabKey;
    QStringList buttonKeys;
};

// The tab pages in the order of the main window ("Video" has no key and is
// not listed).
const QList<TabKeys>& mainWindowTabKeys();

// What permessi.kyn grants on this installation. The whole file text,
// upper-cased, is either exactly "ALL" (everything shown) or a text in which
// each key is looked for as a substring, so a longer key also grants the
// shorter keys it contains.
class Permissions {
public:
    // Everything granted, no password exemption.
    Permissions() = default;

    static QString fileName() { return QStringLiteral("permessi.kyn"); }
    static Permissions fromText(const QString& text);
    // Reads permessi.kyn from the folder; nothing when the file is missing.
    static std::optional<Permissions> load(const QString& folder);
    // "manca il file dei permessi !"
    static void showMissing(common::Interaction& interaction);

    bool grantsAll() const { return m_all; }
    // "PASSWORDACCESSO" in a key list: the administrator password is not asked.
    bool passwordExempt() const;
    // No key at all: only the videos are shown.
    bool isEmpty() const { return !m_all && m_text.isEmpty(); }
    // Substring search of an upper-cased key.
    bool isGranted(const QString& key) const;

    // A tab is visible when its key is granted; an empty or unknown key is
    // always visible. Accepts the key or the page's object name.
    bool isTabVisible(const QString& tabKey) const;
    // A button of a hidden tab is hidden with it; otherwise a button listed
    // under its tab needs its own key. Unlisted buttons stay visible.
    bool isButtonVisible(const QString& buttonObjectName) const;

    // The listed keys that are hidden: tab keys, and button keys of the
    // visible tabs.
    QStringList hiddenTabs() const;
    QStringList hiddenButtons() const;

    const QString& text() const { return m_text; }

private:
    bool m_all = true;
    QString m_text; // upper-cased file text; empty for an empty file
};

} // namespace app
