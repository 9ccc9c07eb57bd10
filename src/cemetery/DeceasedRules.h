#pragma once

#include "common/Interaction.h"
#include "db/Database.h"

#include <QVariantMap>
#include <optional>

namespace cemetery {

// Colours as the archive stores them (red in the low byte); white is also
// "no colour of its own".
constexpr qint64 kWhiteColour = 16777215;

// The search panel of the deceased list; empty texts and zero keys are left
// out of the condition.
struct DeceasedSearch {
    QString name;
    QString taxCode;
    QString notes;
    qint64 categoryId = 0;
    qint64 areaId = 0;
};

// Rules of the deceased registry (Defunti) and its categories.
class DeceasedRules {
public:
    static const QString kDuplicateTitle;

    // "Cognome Nome": the name on contracts and documents.
    static QString documentName(const QString& surname, const QString& firstName);
    // The document name, then " - " and the tax code, or else " - " and the
    // birth date as shown; the list sorts by it.
    static QString displayName(const QString& documentName, const QString& taxCode,
                               const QString& birthDateShown);
    // Sets NominativoDocumenti and NominativoVisualizzato from Cognome, Nome,
    // CodFiscale and DataNascita (a QDate or the text typed).
    static void deriveNames(QVariantMap& record);

    // Births and deaths are never in the future: a date after today, as a
    // two-digit year typed for 1945 reads 2045, moves back a century. Turns
    // the dates typed as text into QDates; true when one moved.
    static bool pastDates(QVariantMap& record, const QDate& today);

    // Surname first, then first name.
    static std::optional<common::Failure> validate(const QVariantMap& record);

    // The columns of a new row before this workstation's defaults.
    static db::Values newRow();
    // Inserts a new deceased with the defaults of this workstation; its Id.
    static qint64 insertNew(db::Database& db);

    // Warning text when another deceased has the same tax code.
    static std::optional<QString> taxCodeDuplicate(db::Database& db, const QString& taxCode,
                                                   qint64 currentId);
    // Warning text when another deceased has the same surname, name, date
    // and place of birth. Only asked when both names are given, the birth
    // date was typed in its 8-character form (dd/mm/yy or ddmmyyyy) and a
    // place of birth is chosen.
    static std::optional<QString> nameDuplicate(db::Database& db, const QString& surname,
                                                const QString& firstName,
                                                const QString& birthDateTyped, qint64 birthPlaceId,
                                                const QString& birthPlaceName, qint64 currentId);

    // The colour a list row is painted with: its own unless white or unset,
    // then its category's, then white.
    static qint64 rowColour(const QVariant& ownColour, const QVariant& categoryColour);

    // The list condition (Jet) of a search; empty for no condition.
    static QString searchCondition(const DeceasedSearch& search);

    // The colour of a category (null when it has none or is missing).
    static QVariant categoryColour(db::Database& db, qint64 categoryId);
    // The name of a municipality, copied beside its key; empty when missing.
    static QString municipalityName(db::Database& db, qint64 municipalityId);

    // Writes the card: validates, derives the names when namesTyped (or when
    // they are still empty) and updates the row; when linkContractId is not 0
    // the deceased is also linked to that contract. One transaction. The
    // record receives the derived names.
    static std::optional<common::Failure> save(db::Database& db, qint64 id, QVariantMap& record,
                                               bool namesTyped, qint64 linkContractId = 0);
    // The rest of the card's save, once the framework wrote the typed
    // fields (before: the row as it was loaded, empty for a new one): dates
    // moved back a century, the category colour (when the category is new or
    // changed) and the places' names copied beside their
    // keys, the names derived when namesTyped (or still empty in the row),
    // and the link to linkContractId when not 0. One transaction. The record
    // receives what was written; true when a date moved.
    static bool completeCardSave(db::Database& db, qint64 id, QVariantMap& record,
                                 const QVariantMap& before, bool namesTyped, qint64 linkContractId);
    // Adds the deceased to a contract's list; the key of the link row.
    static qint64 linkToContract(db::Database& db, qint64 contractId, qint64 deceasedId);

    // Category card: the description is required.
    static std::optional<common::Failure> validateCategory(const QVariantMap& record);
};

} // namespace cemetery
