#pragma once

#include "common/Interaction.h"

#include <QString>
#include <optional>

namespace purchases {

// "Visualizza": a received FatturaPA file rendered to HTML with the official
// stylesheet (the public-administration one for FPA12 files), for the
// system's browser.
class InvoiceView {
public:
    // The stylesheet for the file's transmission format.
    static QString stylesheetFor(const QString& xmlPath);
    static std::optional<common::Failure> render(const QString& xmlPath, const QString& xslPath,
                                                 const QString& htmlPath);
};

} // namespace purchases
