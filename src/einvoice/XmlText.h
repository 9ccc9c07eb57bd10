#pragma once

#include <QString>

namespace einvoice {

// Text as the electronic invoice may carry it: only Basic Latin and the
// Latin-1 supplement (accented Italian letters stay). Typographic quotes and
// dashes, the ellipsis and the euro sign become their plain forms, letters
// of other alphabets lose their accents where they decompose to Latin-1,
// everything else outside the range and every control character except
// tab, line feed and carriage return is dropped.
QString xmlSafeText(const QString& text);

} // namespace einvoice
