#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace ui {

// Keyboard and colour rules of the entry fields of a card: Enter or Down
// moves to the next field, Up to the previous one; the focused field is
// painted aqua and white again when left. Fields are visited in the order
// they were added; hidden or disabled ones are skipped.
class FieldNavigator : public QObject {
    Q_OBJECT
public:
    explicit FieldNavigator(QObject* parent = nullptr) : QObject(parent) {}

    // arrows false keeps Up, Down and Enter for the field itself (memos).
    void add(QWidget* field, bool arrows = true);
    void next(QWidget* from);
    void previous(QWidget* from);

    static const QColor& focusColour();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void move(QWidget* from, int step);
    static void paint(QWidget* w, const QColor& colour);

    struct Entry {
        QPointer<QWidget> widget;
        bool arrows;
    };
    QList<Entry> m_fields;
};

} // namespace ui
