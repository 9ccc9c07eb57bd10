#pragma once

#include <QByteArray>
#include <QStringList>

// The readers and writers that take what a user, a supplier or another
// program hands over, each as one entry a fuzzer can drive with any bytes.
// An input is either handled (read, refused with a message, written) or
// the program has a fault: a crash, a hang, a leak or an unexpected
// exception, which the fuzzer reports.
namespace fuzz {

QStringList targets();
// Runs one input through the named target.
void run(const QString& target, const QByteArray& data);

} // namespace fuzz
