#include "accounting/VatPeriod.h"

namespace accounting {

Period periodOf(Frequency f, int year, int number) {
    const int firstMonth = f == Frequency::Quarterly ? (number - 1) * 3 + 1 : number;
    const int months = f == Frequency::Quarterly ? 3 : 1;
    const QDate from(year, firstMonth, 1);
    return {from, from.addMonths(months).addDays(-1)};
}

std::pair<int, int> previousPeriod(Frequency f, int year, int number) {
    if (number > 1)
        return {year, number - 1};
    return {year - 1, f == Frequency::Quarterly ? 4 : 12};
}

} // namespace accounting
