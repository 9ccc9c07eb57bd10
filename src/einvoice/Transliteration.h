#pragma once

#include <QString>

namespace einvoice {

// The Latin form of a letter the electronic invoice cannot carry: Latin
// letters without a decomposition (Ł → L, Đ → D), Greek by ELOT 743
// ("Θ" → "Th") and Cyrillic by the usual scientific romanisation ("Ж" →
// "Zh"). A null string for anything else.
QString latinForm(char32_t c);

// Greek "ου" is written "ou" as a pair; true with its Latin form when c and
// next make it.
bool greekPair(char32_t c, char32_t next, QString* latin);

} // namespace einvoice
