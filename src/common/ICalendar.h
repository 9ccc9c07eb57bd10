#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

// Building blocks of iCalendar text (RFC 5545), for the calendar's export.
// Blocks are put together with line feeds; icsContentLines turns the whole
// text into the file's form.

namespace common {

// Compact stamp "yyyyMMddThhmmssZ" of the date-time as given (no conversion
// to universal time: the caller passes a UTC value). Empty for an invalid
// date-time.
QString icsStamp(const QDateTime& dateTime);

// Local time without a zone ("yyyyMMddThhmmss"): the calendar reading the
// file shows it at that hour wherever it is.
QString icsLocalTime(const QDateTime& dateTime);

// One VEVENT block; each property line is written only when its value is
// not empty. Values go in as given: text values are escaped by the caller.
QString icsEvent(const QString& created, const QString& description, const QString& dtEnd,
                 const QString& dtStamp, const QString& dtStart, const QString& lastModified,
                 const QString& location, const QString& priority, const QString& sequence,
                 const QString& summary, const QString& opaque, const QString& uid);

// A TEXT value escaped: backslash, semicolon, comma and line breaks.
QString icsText(const QString& text);

// The file's bytes: UTF-8, every line ended by CR LF and folded so that no
// line is longer than 75 octets (a continuation starts with one space and
// never splits a character).
QByteArray icsContentLines(const QString& text);

} // namespace common
