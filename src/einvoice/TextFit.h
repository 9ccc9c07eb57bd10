#pragma once

#include "einvoice/ElementRules.h"

#include <QStringList>

namespace einvoice {

// A text fitted to its element's rule.
struct FittedText {
    QStringList pieces; // one per element written; none: the element is left out
    QString problem;    // not empty: it cannot be fitted and the export stops
    QString note;       // not empty: fitted with a change the user is told of
};

// Makes the text safe (see xmlSafeText), then fits its characters, length
// and pattern to the rule.
FittedText fitText(const ElementRule& rule, const QString& text);

} // namespace einvoice
