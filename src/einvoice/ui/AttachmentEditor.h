#pragma once

#include <QDialog>
#include <QVariantMap>
#include <QtGlobal>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace ui {
struct AppContext;
}

namespace einvoice::ui {

// The attachment editor ("Allegati") of the invoice and credit-note editors.
// attachmentId 0 adds a Fattura_Allegati row for documentId (removed again
// when the user gives up); otherwise edits that row. True when saved.
bool editAttachment(::ui::AppContext& context, qint64 documentId, qint64 attachmentId,
                    QWidget* parent);

// "Elimina" of the attachment page: asks, then deletes the row. True when
// deleted.
bool deleteAttachment(::ui::AppContext& context, qint64 attachmentId);

// The window itself: name, description, format, compression and the path
// of the file, which "Cerca" chooses. "Salva" checks and writes the row,
// "Annulla" closes (after a Yes, deleting the new row).
class AttachmentEditor : public QDialog {
    Q_OBJECT
public:
    AttachmentEditor(::ui::AppContext& context, qint64 attachmentId, bool isNew,
                     QWidget* parent = nullptr);

    qint64 attachmentId() const { return m_id; }
    QVariantMap values() const;
    QLineEdit* nameEdit() const { return m_name; }
    QLineEdit* descriptionEdit() const { return m_description; }
    QLineEdit* formatEdit() const { return m_format; }
    QComboBox* compressionBox() const { return m_compression; }
    QLineEdit* pathEdit() const { return m_path; }

public slots:
    void chooseFile(); // "Cerca"
    bool save();       // "Salva"
    void cancel();     // "Annulla"
    void reject() override;

private:
    void display(const QVariantMap& values);

    ::ui::AppContext& m_context;
    qint64 m_id;
    bool m_isNew;
    QLineEdit* m_name;
    QLineEdit* m_description;
    QLineEdit* m_format;
    QComboBox* m_compression;
    QLineEdit* m_path;
};

} // namespace einvoice::ui
