#pragma once

#include "db/Row.h"
#include "printing/ReportRequest.h"

#include <QHash>
#include <QImage>
#include <QJsonObject>
#include <QVariant>

namespace db {
class Database;
}

namespace printing {

// Everything a report is drawn from: the request's main and sub-report
// rows, the company row and its logo.
struct ReportData {
    RequestRow request;
    db::Result main;
    db::Result sub[3];
    QHash<QString, QVariant> company; // ditta columns, keys in lower case
    QImage logo;
    // Rows a template reads besides the request's ("related"), by name in
    // lower case.
    QHash<QString, db::Result> related;

    // Runs the request's queries through the dialect layer; the logo is
    // ditta.Logo, else LogoMaga.bmp of the installation folder.
    static ReportData load(db::Database& db, const RequestRow& request);
    // Runs the template's "related" queries: {name: {sql, params}}, the
    // params being columns of the main query's first row, bound in order.
    void loadRelated(db::Database& db, const QJsonObject& tmpl);
};

} // namespace printing
