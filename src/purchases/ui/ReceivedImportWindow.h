#pragma once

#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QTableWidget;

namespace ui {
struct AppContext;
}

namespace purchases::ui {

// "Importa fattura elettronica xml": the received files to import (several
// files, a folder, a .zip as the tax portal hands them out), the run with
// its progress and "Interrompi", then one line per file with what became
// of it.
class ReceivedImportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ReceivedImportWindow(::ui::AppContext& context, QWidget* parent = nullptr);

    void addPaths(const QStringList& paths);
    QTableWidget* results() const { return m_results; }
    QListWidget* chosen() const { return m_chosen; }
    bool isRunning() const { return m_running; }

public slots:
    void chooseFiles();  // "File..."
    void chooseFolder(); // "Cartella..."
    void run();          // "Importa"
    void interrupt();    // "Interrompi"

private:
    ::ui::AppContext& m_context;
    QStringList m_paths;
    QListWidget* m_chosen;
    QProgressBar* m_progress;
    QLabel* m_current;
    QTableWidget* m_results;
    QPushButton* m_start;
    QPushButton* m_stop;
    bool m_running = false;
    bool m_interrupted = false;
};

} // namespace purchases::ui
