#pragma once

#include <QString>

namespace einvoice {

// Text as the electronic invoice may carry it: only Basic Latin and the
// Latin-1 supplement. The text is composed first (NFC), so accents typed as
// combining marks stay on Italian letters. Typographic quotes and dashes,
// the ellipsis and the euro sign become their plain forms, letters with a
// Latin form are transliterated (Ł → L, Greek, Cyrillic), other letters
// lose their accents where they decompose to Latin-1; everything else
// outside the range and every control character except tab, line feed and
// carriage return is dropped.
QString xmlSafeText(const QString& text);

} // namespace einvoice
