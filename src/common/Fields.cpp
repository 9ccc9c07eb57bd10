#include "common/Fields.h"

namespace common {

namespace {

QString terminated(const QString& text, QChar separator) {
    return text.endsWith(separator) ? text : text + separator;
}

} // namespace

int fieldCount(const QString& text, QChar separator) {
    if (text.isEmpty()) {
        return 0;
    }
    return static_cast<int>(terminated(text, separator).count(separator));
}

QString field(const QString& text, int n, QChar separator) {
    if (text.isEmpty() || n < 1) {
        return {};
    }
    const QString all = terminated(text, separator);
    qsizetype start = 0;
    for (int i = 1; i < n; ++i) {
        const qsizetype next = all.indexOf(separator, start);
        if (next < 0) {
            return {};
        }
        start = next + 1;
    }
    const qsizetype end = all.indexOf(separator, start);
    if (end < 0) {
        return {};
    }
    return all.mid(start, end - start);
}

} // namespace common
