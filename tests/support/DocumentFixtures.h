#pragma once

// Registry rows and readings the document screen tests share.

#include "db/Database.h"
#include "ui/FieldBinder.h"

#include <QLineEdit>

namespace uitest {

// "Rimessa 30/60": two instalments, at 30 and 60 days.
qint64 insertTwoInstalmentTerms(db::Database& db);
// The marble headstone LAP01 at 100,00 with VAT at 22%, ten in stock;
// `extra` adds or replaces columns.
qint64 insertHeadstone(db::Database& db, const db::Values& extra = {});
double stockOf(db::Database& db, qint64 article);

// The text of a document editor's line edit.
template <class Editor> QString fieldText(Editor* editor, const char* field) {
    auto* line = qobject_cast<QLineEdit*>(editor->fields()->editor(QString::fromLatin1(field)));
    return line ? line->text() : QString();
}

} // namespace uitest
