#pragma once

#include "app/MainMenu.h"
#include "app/Permissions.h"
#include "app/VideoTopics.h"
#include "ui/AppContext.h"

#include <QHash>
#include <QMainWindow>

class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace ui {
class ScreenRegistry;
}

namespace app {
struct StartupResult;
}

namespace app::ui {

// The program's menu (TForm1): tabs of large buttons that open the screens
// registered under the buttons' names, the history range, and at the bottom
// "Aiuto", "Lavora in Rete" and "Esci" with the network path box.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    MainWindow(::ui::AppContext& context, const ::ui::ScreenRegistry& registry,
               QWidget* parent = nullptr);

    // What the start-up decided: permissions, caption, first tab; then the
    // reminder when it has rows.
    void start(const StartupResult& result, bool showReminder = true);

    void applyPermissions(const Permissions& permissions);
    void setCaption(const QString& caption);
    void showStartTab(int index);
    void setVideoTopics(const QList<VideoTopic>& topics);

    QTabWidget* tabs() const { return m_tabs; }
    QPushButton* button(const QString& name) const;
    // The tab page with that object name is offered (not hidden).
    bool isTabShown(const QString& tabName) const;
    QLineEdit* historyFrom() const { return m_from; }
    QLineEdit* historyTo() const { return m_to; }
    QLineEdit* networkPath() const { return m_path; }

    // Opens the screen of a button; false when nothing opened.
    bool openScreen(const QString& buttonName);
    // "Lavora in Rete".
    void switchArchive();
    // Ctrl+D.
    void showHelp();

signals:
    // Emitted once, after the window was first activated.
    void firstActivation();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildTab(const MenuTab& tab);
    QPushButton* makeButton(const QString& name, const QString& caption, bool big = true);
    QWidget* buildHistoryRange();
    void refreshArchiveLabel();

    ::ui::AppContext& m_context;
    const ::ui::ScreenRegistry& m_registry;
    QTabWidget* m_tabs;
    QHash<QString, QPushButton*> m_buttons; // upper-cased name → button
    QWidget* m_videoPage = nullptr;
    QLabel* m_company;
    QLabel* m_archive;
    QLineEdit* m_from = nullptr;
    QLineEdit* m_to = nullptr;
    QLineEdit* m_path;
    QPushButton* m_companyButton;
    bool m_activated = false;
};

} // namespace app::ui
