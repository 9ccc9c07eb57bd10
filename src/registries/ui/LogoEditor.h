#pragma once

#include <QByteArray>
#include <QWidget>

class QLabel;
class QPushButton;

namespace common {
class Interaction;
}

namespace registries::ui {

// Shows the company logo (ditta.Logo) and lets the user load a PNG or JPEG
// picture or remove it. The bytes are written by the window's save.
class LogoEditor : public QWidget {
    Q_OBJECT
public:
    LogoEditor(common::Interaction& interaction, QWidget* parent = nullptr);

    void setLogo(const QByteArray& bytes);
    const QByteArray& logo() const { return m_bytes; }
    bool isModified() const { return m_bytes != m_loaded; }
    void markSaved() { m_loaded = m_bytes; }

    // Loads a picture file; false (and a message) when it is not a picture.
    bool loadFile(const QString& path);
    void remove();
    // Adds the button that opens LogoMaga.bmp of the installation folder.
    void addBitmapButton();

signals:
    void changed();

private:
    void choose();
    void openBitmap();
    void refresh();

    common::Interaction& m_ui;
    QByteArray m_bytes;
    QByteArray m_loaded;
    QLabel* m_preview;
    QLabel* m_info;
    QPushButton* m_remove;
};

} // namespace registries::ui
