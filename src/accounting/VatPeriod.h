#pragma once

#include <QDate>
#include <QDateTime>

namespace accounting {

// The days a VAT settlement or a register covers: from its first day to the
// end of its last day.
struct Period {
    QDate from;
    QDate to;

    // A plain date: it sorts before every moment of its day on both engines.
    QDate start() const { return from; }
    QDateTime end() const { return QDateTime(to, QTime(23, 59, 59)); }
};

enum class Frequency { Quarterly, Monthly };

// Quarter 1-4 or month 1-12 of a year.
Period periodOf(Frequency f, int year, int number);
// The period before: quarter 4 / December of the year before for the first.
std::pair<int, int> previousPeriod(Frequency f, int year, int number);
// The quarter (1-4) of a month.
inline int quarterOfMonth(int month) {
    return (month + 2) / 3;
}

} // namespace accounting
