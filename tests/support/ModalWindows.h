#pragma once

// Drives the modal windows a screen opens: the test says, before the click
// that opens one, what to do once it is shown.

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <typeinfo>

namespace uitest {

// Polls long enough for a slow archive (PostgreSQL on a busy machine), then
// gives the test up rather than leaving it waiting on a window.
inline constexpr int kModalAttempts = 1000;

// Runs the body on the next modal window of type Window once it is shown.
// A window still open after the body is closed without saving, so a failing
// body never leaves the test waiting; a window that never comes is a failure,
// and whatever modal window is open then is closed.
template <typename Window> void onNextModal(std::function<void(Window*)> body) {
    auto attempts = std::make_shared<int>(0);
    auto attempt = std::make_shared<std::function<void()>>();
    *attempt = [attempt, attempts, body] {
        QWidget* modal = QApplication::activeModalWidget();
        // dynamic_cast: some screens (lists opened as pickers) carry no Q_OBJECT.
        if (auto* w = dynamic_cast<Window*>(modal); w && w->isVisible()) {
            QPointer<QWidget> window(w);
            body(w);
            if (window && window->isVisible()) {
                if (auto* dialog = qobject_cast<QDialog*>(window.data()))
                    dialog->done(QDialog::Rejected);
                else
                    window->close();
            }
            return;
        }
        if (++*attempts > kModalAttempts) {
            ADD_FAILURE() << "modal window " << typeid(Window).name() << " never shown";
            if (modal)
                modal->close();
            return;
        }
        QTimer::singleShot(10, *attempt);
    };
    QTimer::singleShot(0, *attempt);
}

// Makes the window the active one, so that focus moves and key presses go
// where a user's would.
inline void activate(QWidget* window) {
    window->activateWindow();
    QApplication::setActiveWindow(window);
}

} // namespace uitest
