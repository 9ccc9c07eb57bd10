#include "documents/ExportedDocument.h"

#include "common/TextForms.h"
#include "db/RegistryRecord.h"
#include "db/Row.h"

#include <QDateTime>

namespace documents {

namespace {

bool exported(const QVariantMap& header) {
    const QVariant flag = db::recordValue(header, "EsportatoXml");
    return !flag.isNull() && db::Row::toBool(flag);
}

// "il 07/12/2026 alle 10:15", or nothing for exports made before the time
// was kept.
QString when(const QVariantMap& header) {
    const QVariant v = db::recordValue(header, "DataEsportazioneXml");
    if (v.isNull())
        return QString();
    const QDateTime t = v.toDateTime();
    if (!t.isValid())
        return QString();
    return QStringLiteral(" il %1 alle %2")
        .arg(common::italianDate(t.date()), t.time().toString(QStringLiteral("HH:mm")));
}

} // namespace

QString ExportedDocument::notice(const QVariantMap& header) {
    if (!exported(header))
        return QString();
    return QStringLiteral("Documento già esportato in XML%1: le modifiche agli importi vanno "
                          "trasmesse di nuovo allo SdI.")
        .arg(when(header));
}

QString ExportedDocument::changeQuestion(const QVariantMap& header) {
    if (!exported(header))
        return QString();
    return QStringLiteral("Il documento è già stato esportato in XML%1.\nLa modifica cambia i "
                          "totali del documento: procedere ugualmente ?")
        .arg(when(header));
}

} // namespace documents
