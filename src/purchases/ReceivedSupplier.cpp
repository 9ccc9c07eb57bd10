#include "purchases/ReceivedSupplier.h"

namespace purchases {

QString ReceivedSupplier::fit(const QString& text, int maxLength) {
    QString out;
    out.reserve(text.size());
    for (QChar c : text)
        if (c.unicode() >= 32 || c == u'\t' || c == u'\r' || c == u'\n')
            out.append(c);
    if (out.size() > maxLength) {
        int cut = maxLength;
        if (cut > 0 && out.at(cut - 1).isHighSurrogate())
            --cut;
        out.truncate(cut);
    }
    return out;
}

ReceivedSupplier::Found ReceivedSupplier::apply(db::Database& db, const ReceivedSeller& seller,
                                                const SupplierOptions& options) {
    Found f;
    f.name = fit(seller.displayName(), 255);
    if (f.name.isEmpty())
        f.name = seller.vatNumber.isEmpty() ? seller.taxCode : seller.vatNumber;

    // By VAT number, or by tax code when the seller has one.
    db::Result r;
    if (!seller.vatNumber.isEmpty())
        r = db.query(QStringLiteral("Select top 1 * from Fornitor where Iva = ? or (CodFiscale = ? "
                                    "and CodFiscale <> '') order by ID"),
                     {seller.vatNumber, seller.taxCode});
    else if (!seller.taxCode.isEmpty())
        r = db.query(
            QStringLiteral("Select top 1 * from Fornitor where CodFiscale = ? order by ID"),
            {seller.taxCode});
    if (!r.empty()) {
        f.id = r.first().integer(QStringLiteral("ID"));
        f.terms = r.first().integer(QStringLiteral("Pagamento_ID"));
    }
    if (!options.updateFromXml)
        return f;

    db::Values v{{QStringLiteral("Fornitore"), f.name},
                 {QStringLiteral("Iva"), fit(seller.vatNumber, 30)},
                 {QStringLiteral("CodFiscale"), fit(seller.taxCode, 30)},
                 {QStringLiteral("VIA"), fit(seller.street, 50)},
                 {QStringLiteral("Numero"), fit(seller.civic, 5)},
                 {QStringLiteral("Cap"), fit(seller.postcode, 10)},
                 {QStringLiteral("Comune"), fit(seller.town, 100)},
                 {QStringLiteral("Provincia"), fit(seller.province, 2)},
                 {QStringLiteral("Telefono"), fit(seller.phone, 50)},
                 {QStringLiteral("Fax"), fit(seller.fax, 50)},
                 {QStringLiteral("Email"), fit(seller.email, 50)},
                 {QStringLiteral("ImportatoXml"), true},
                 {QStringLiteral("Cognome"), fit(seller.lastName, 100)},
                 {QStringLiteral("Nome"), fit(seller.firstName, 100)},
                 {QStringLiteral("CodEORI"), fit(seller.eori, 30)},
                 {QStringLiteral("IdPaese"), fit(seller.country, 2)},
                 {QStringLiteral("Titolo"), fit(seller.title, 50)}};
    if (!seller.province.isEmpty() && !seller.town.isEmpty()) {
        QVariant town = db.scalar(QStringLiteral("Select ID from Comuni where Provincia = ? and "
                                                 "Comune = ?"),
                                  {seller.province, seller.town});
        if (town.isNull() && !seller.postcode.isEmpty())
            town = db.scalar(QStringLiteral("Select top 1 ID from Comuni where Cap = ?"),
                             {seller.postcode});
        if (!town.isNull())
            v.append({QStringLiteral("Comune_id"), town.toLongLong()});
    }
    if (f.id > 0) {
        if (r.first().text(QStringLiteral("Fornitore")) != f.name)
            db.exec(QStringLiteral("UPDATE fattura SET Fornitore = ? where Fornitore_ID = ?"),
                    {f.name, f.id});
        db.update(QStringLiteral("Fornitor"), f.id, v);
    } else {
        v.append({QStringLiteral("ImportaArticoliFatture"), true});
        v.append({QStringLiteral("Annullato"), false});
        f.id = db.insert(QStringLiteral("Fornitor"), v);
    }
    return f;
}

} // namespace purchases
