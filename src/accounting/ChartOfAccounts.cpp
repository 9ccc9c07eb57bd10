#include "accounting/ChartOfAccounts.h"

#include "common/Titles.h"
#include "db/Database.h"

namespace accounting {

namespace {

std::optional<common::Failure> needsDescription(const QVariantMap& v, const QString& text) {
    if (!v.value(QStringLiteral("Descrizione")).toString().trimmed().isEmpty())
        return std::nullopt;
    return common::Failure{common::titles::errorCapitalised, text, QStringLiteral("Descrizione")};
}

} // namespace

std::optional<common::Failure> ChartOfAccounts::validateClass(const QVariantMap& v) {
    return needsDescription(v, QStringLiteral("Attenzione manca la Descrizione"));
}

std::optional<common::Failure> ChartOfAccounts::validateGrouping(const QVariantMap& v) {
    return needsDescription(v, QStringLiteral("Attenzione manca la Descrizione"));
}

std::optional<common::Failure> ChartOfAccounts::validateAccount(const QVariantMap& v) {
    return needsDescription(v, QStringLiteral("Attenzione manca la Descrizione del Conto"));
}

void ChartOfAccounts::removeBelowClass(db::Database& db, qint64 classId) {
    db.exec(QStringLiteral("delete * from ContabilitaConti WHERE Raggruppamento_ID in (select Id "
                           "from ContabilitaRaggruppamenti where Classe_ID = ?)"),
            {classId});
    db.exec(QStringLiteral("delete * from ContabilitaRaggruppamenti WHERE Classe_ID = ?"),
            {classId});
}

void ChartOfAccounts::removeBelowGrouping(db::Database& db, qint64 groupingId) {
    db.exec(QStringLiteral("delete * from ContabilitaConti WHERE Raggruppamento_ID = ?"),
            {groupingId});
}

QString ChartOfAccounts::accountSearchSelect() {
    return QStringLiteral(
        "SELECT ContabilitaClassi.Descrizione as Classe, ContabilitaRaggruppamenti.Descrizione as "
        "Raggruppamento, ContabilitaConti.Descrizione as Conto, ContabilitaConti.ID FROM "
        "ContabilitaConti LEFT JOIN (ContabilitaRaggruppamenti LEFT JOIN ContabilitaClassi ON "
        "ContabilitaRaggruppamenti.Classe_ID = ContabilitaClassi.Id) ON "
        "ContabilitaConti.Raggruppamento_ID = ContabilitaRaggruppamenti.Id");
}

QString ChartOfAccounts::accountSearchOrder() {
    return QStringLiteral("ContabilitaClassi.Descrizione, ContabilitaRaggruppamenti.Descrizione, "
                          "ContabilitaConti.Descrizione");
}

} // namespace accounting
