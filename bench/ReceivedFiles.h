#pragma once

#include <QString>

namespace bench {

// Writes `count` received electronic invoices into `folder`, every third in
// a signed envelope (.p7m, DER), each from one of 40 suppliers with 5 to 50
// rows. Returns the folder.
QString writeReceivedFiles(const QString& folder, int count);

} // namespace bench
