#pragma once

#include "common/Interaction.h"

#include <QString>
#include <optional>

namespace purchases {

// The scanned image of a paper supplier invoice (fattura.Immagine).
class ScannedDocument {
public:
    // "Vedi": the path must be set and the file still there.
    static std::optional<common::Failure> checkViewable(const QString& path);
    // "Scanner": acquires one page with SANE's scanimage into `target`
    // (PNG). The failure says why nothing was acquired.
    static std::optional<common::Failure> scan(const QString& target);
};

} // namespace purchases
