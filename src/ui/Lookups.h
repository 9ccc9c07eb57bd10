#pragma once

#include "ui/ScreenDefinition.h"

// The drop-down sources shared by the cards, editors and list filters.
namespace ui::lookups {

// Cancelled rows offered too (list filters reach old documents).
Lookup includingCancelled(Lookup lookup);

// Customers by the name shown in lists, and by the name printed on documents.
Lookup customers();
Lookup customersOnDocuments();
Lookup suppliers();
Lookup deceased();
Lookup staff();

Lookup paymentTerms();
Lookup banks();
Lookup vatCodes();
Lookup accounts();
// The search windows of the chart of accounts: accounts with their class
// and grouping, groupings with their class.
ScreenDefinition accountSearch();
ScreenDefinition groupingSearch();
Lookup invoiceSeries();

// Towns as "Comune (PR)", provinces as "PR - Capoluogo", regions.
Lookup towns();
Lookup provinces();
Lookup regions();
// Countries stored by their two-letter code, listed by name or by code.
Lookup countries();
Lookup countriesByCode();
// Countries stored by their row key.
Lookup countryIds();

Lookup customerCategories();
Lookup supplierCategories();
Lookup articleCategories();
Lookup deceasedCategories();
Lookup cemeteryAreas();
// Departments are stored by their description.
Lookup departments();

Lookup shippingTerms();
Lookup goodsAppearances();
Lookup carriers();

// A FatturaPA code table: the code is stored, its description listed.
Lookup paCodes(const QString& table);
// A code table listed as "code - description".
Lookup codes(const QString& table);

} // namespace ui::lookups
