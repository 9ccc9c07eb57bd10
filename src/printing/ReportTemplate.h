#pragma once

#include <QJsonObject>
#include <QString>
#include <QStringList>

namespace printing {

// Report templates: one JSON file per report name ("Fatture.json" for the
// request's "Fatture.rpt"), looked for in the installation's "reports"
// folder first (a firm's own layouts), then among the shipped ones.
//
// Three keys are resolved while loading:
//   "extends": "Fatture"      the named template, with this file's keys
//                             laid over it (objects merged, the rest replaced)
//   "override": {"id": {...}} merged into the block whose "id" matches,
//                             anywhere in the tree; null removes the block
//   {"include": "_name"}      replaced by the named file's content; an
//                             included array is spliced into its array
class ReportTemplates {
public:
    static QStringList defaultFolders();

    // "Fatture" for "/opt/ossarion/Fatture.rpt".
    static QString nameOf(const QString& reportPath);

    // The template named by the request's portrait file, or, missing that,
    // by its landscape file. Empty object and *error set when none loads.
    static QJsonObject forRequest(const QString& report, const QString& reportLandscape,
                                  const QStringList& folders, QString* error);

    static QJsonObject load(const QString& name, const QStringList& folders, QString* error);
    static bool exists(const QString& name, const QStringList& folders);
};

} // namespace printing
