#include "registries/VCard.h"

#include "registries/CustomerRules.h"
#include "registries/SupplierRules.h"

#include <QHash>
#include <functional>

namespace registries {

namespace {

// One content line taken apart.
struct Property {
    QString name;                       // upper case, group removed
    QHash<QString, QStringList> params; // upper-case key → lower-case values
    QString value;                      // decoded, still escaped

    bool hasType(const QString& type) const { return params.value("TYPE").contains(type); }
};

void addLine(QByteArray& out, const QString& header, const QString& value) {
    out += VCard::fold((header + u':' + value).toUtf8());
    out += "\r\n";
}

void addText(QByteArray& out, const QString& header, const QString& value) {
    if (!value.trimmed().isEmpty())
        addLine(out, header, VCard::escape(value.trimmed()));
}

// Components of a structured value, each escaped, joined by ";".
QString structured(const QStringList& components) {
    QStringList escaped;
    for (const QString& c : components)
        escaped.append(VCard::escape(c.trimmed()));
    return escaped.join(u';');
}

bool anyFilled(const QStringList& values) {
    for (const QString& v : values)
        if (!v.trimmed().isEmpty())
            return true;
    return false;
}

// Splits at separators not preceded by a backslash; the parts stay escaped.
QStringList splitEscaped(const QString& value, QChar separator) {
    QStringList parts;
    QString current;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            current.append(c);
            current.append(value.at(++i));
        } else if (c == separator) {
            parts.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    parts.append(current);
    return parts;
}

QString unescape(const QString& value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c == u'\\' && i + 1 < value.size()) {
            const QChar next = value.at(++i);
            out.append(next == u'n' || next == u'N' ? QChar(u'\n') : next);
        } else {
            out.append(c);
        }
    }
    return out;
}

// A list component ("Anna,Maria") read as one text.
QString listText(const QString& component, const QString& joiner = QStringLiteral(" ")) {
    QStringList parts;
    for (const QString& p : splitEscaped(component, u','))
        if (!unescape(p).trimmed().isEmpty())
            parts.append(unescape(p).trimmed());
    return parts.join(joiner);
}

QByteArray decodeQuotedPrintable(const QByteArray& in) {
    QByteArray out;
    for (qsizetype i = 0; i < in.size(); ++i) {
        if (in.at(i) == '=' && i + 2 < in.size()) {
            bool ok = false;
            const int byte = in.mid(i + 1, 2).toInt(&ok, 16);
            if (ok) {
                out.append(char(byte));
                i += 2;
                continue;
            }
        }
        out.append(in.at(i));
    }
    return out;
}

// Splits at a separator outside double quotes.
QList<QByteArray> splitOutsideQuotes(const QByteArray& text, char separator, int maxParts = -1) {
    QList<QByteArray> parts;
    QByteArray current;
    bool quoted = false;
    for (char c : text) {
        if (c == '"')
            quoted = !quoted;
        if (c == separator && !quoted && (maxParts < 0 || parts.size() + 1 < maxParts)) {
            parts.append(current);
            current.clear();
        } else {
            current.append(c);
        }
    }
    parts.append(current);
    return parts;
}

bool parseLine(const QByteArray& line, Property* property) {
    const QList<QByteArray> halves = splitOutsideQuotes(line, ':', 2);
    if (halves.size() < 2)
        return false;
    const QList<QByteArray> header = splitOutsideQuotes(halves[0], ';');
    QString name = QString::fromUtf8(header[0]).trimmed().toUpper();
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name = name.mid(dot + 1);
    property->name = name;
    for (qsizetype i = 1; i < header.size(); ++i) {
        const QString param = QString::fromUtf8(header[i]).trimmed();
        const qsizetype eq = param.indexOf(u'=');
        QString key = eq < 0 ? QStringLiteral("TYPE") : param.left(eq).trimmed().toUpper();
        QString values = eq < 0 ? param : param.mid(eq + 1);
        if (key != u"TYPE" && eq < 0)
            continue;
        // vCard 2.1 writes bare ENCODING and CHARSET values too.
        if (eq < 0 && (values.compare("QUOTED-PRINTABLE", Qt::CaseInsensitive) == 0 ||
                       values.compare("BASE64", Qt::CaseInsensitive) == 0))
            key = QStringLiteral("ENCODING");
        for (QString v : values.split(u',')) {
            v = v.trimmed();
            if (v.startsWith(u'"') && v.endsWith(u'"') && v.size() >= 2)
                v = v.mid(1, v.size() - 2);
            property->params[key].append(v.toLower());
        }
    }
    QByteArray raw = halves[1];
    const QStringList encoding = property->params.value("ENCODING");
    if (encoding.contains("quoted-printable"))
        raw = decodeQuotedPrintable(raw);
    else if (encoding.contains("b") || encoding.contains("base64"))
        raw.clear(); // pictures and keys are not kept
    const QStringList charset = property->params.value("CHARSET");
    if (!charset.isEmpty() && (charset.first() == u"iso-8859-1" || charset.first() == u"latin1" ||
                               charset.first() == u"windows-1252"))
        property->value = QString::fromLatin1(raw);
    else
        property->value = QString::fromUtf8(raw);
    return true;
}

QDate parseBirthday(QString text) {
    text = text.trimmed();
    if (text.contains(u'T'))
        text = text.left(text.indexOf(u'T'));
    if (text.startsWith(QStringLiteral("--")))
        return QDate(); // no year
    text.remove(u'-');
    return QDate::fromString(text, QStringLiteral("yyyyMMdd"));
}

void apply(const Property& p, VCardContact& c) {
    const QString& n = p.name;
    if (n == u"FN") {
        c.formattedName = unescape(p.value).trimmed();
    } else if (n == u"N") {
        const QStringList parts = splitEscaped(p.value, u';');
        c.surname = listText(parts.value(0));
        c.givenName = listText(parts.value(1));
        c.prefix = listText(parts.value(3));
    } else if (n == u"KIND") {
        c.organization = p.value.trimmed().compare("org", Qt::CaseInsensitive) == 0;
    } else if (n == u"ORG") {
        if (c.company.isEmpty())
            c.company = unescape(splitEscaped(p.value, u';').value(0)).trimmed();
    } else if (n == u"ADR") {
        if (!c.street.isEmpty() || !c.city.isEmpty())
            return;
        const QStringList parts = splitEscaped(p.value, u';');
        // The street component lists the street and then the house number.
        const QStringList street = splitEscaped(parts.value(2), u',');
        c.street = unescape(street.value(0)).trimmed();
        c.houseNumber = listText(street.mid(1).join(u','), QStringLiteral(", "));
        c.city = listText(parts.value(3));
        c.region = listText(parts.value(4));
        c.postcode = listText(parts.value(5));
        c.country = listText(parts.value(6));
    } else if (n == u"TEL") {
        QString number = unescape(p.value).trimmed();
        if (number.startsWith(QStringLiteral("tel:"), Qt::CaseInsensitive))
            number = number.mid(4);
        if (number.isEmpty())
            return;
        if (p.hasType("fax")) {
            if (c.fax.isEmpty())
                c.fax = number;
        } else if (p.hasType("cell")) {
            if (c.mobile.isEmpty())
                c.mobile = number;
        } else if (p.hasType("home") && c.phone2.isEmpty()) {
            c.phone2 = number;
        } else if (c.phone.isEmpty()) {
            c.phone = number;
        } else if (c.phone2.isEmpty()) {
            c.phone2 = number;
        }
    } else if (n == u"EMAIL") {
        const QString mail = unescape(p.value).trimmed();
        if (p.hasType("x-pec") || p.hasType("pec")) {
            if (c.pec.isEmpty())
                c.pec = mail;
        } else if (c.email.isEmpty()) {
            c.email = mail;
        }
    } else if (n == u"URL") {
        if (c.url.isEmpty())
            c.url = unescape(p.value).trimmed();
    } else if (n == u"IMPP") {
        const QString im = p.value.trimmed();
        if (im.startsWith(QStringLiteral("skype:"), Qt::CaseInsensitive) && c.skype.isEmpty())
            c.skype = im.mid(6);
    } else if (n == u"X-SKYPE" || n == u"X-SKYPE-USERNAME") {
        if (c.skype.isEmpty())
            c.skype = unescape(p.value).trimmed();
    } else if (n == u"BDAY") {
        c.birthday = parseBirthday(p.value);
    } else if (n == u"BIRTHPLACE") {
        c.birthPlace = unescape(p.value).trimmed();
    } else if (n == u"NOTE") {
        c.note = unescape(p.value);
    } else if (n == u"X-CODICE-FISCALE") {
        c.taxCode = unescape(p.value).trimmed();
    } else if (n == u"X-PARTITA-IVA") {
        c.vatNumber = unescape(p.value).trimmed();
    }
}

// A two-letter code kept as it is, else looked up by name in the table.
QString codeOf(db::Database& db, const QString& text, const QString& sql) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QString();
    if (t.size() == 2)
        return t.toUpper();
    return db.scalar(sql, {t}).toString();
}

void resolveKeys(db::Database& db, db::RegistryRecord& record, const QString& countryColumn,
                 const QString& provinceColumn) {
    record[countryColumn] = codeOf(db, db::recordValue(record, countryColumn).toString(),
                                   QStringLiteral("select SIGLA from Nazioni where DENOMINAZ = ?"));
    if (db::recordValue(record, countryColumn).toString().isEmpty())
        record[countryColumn] = QStringLiteral("IT");
    record[provinceColumn] =
        codeOf(db, db::recordValue(record, provinceColumn).toString(),
               QStringLiteral("select PROVINCIA from Province where CAPOLUOGO = ?"));
}

QList<db::RegistryRecord> readRecords(db::Database& db, const QString& table,
                                      const QList<qint64>& ids) {
    QList<db::RegistryRecord> out;
    for (qint64 id : ids) {
        db::RegistryRecord r = db::readRecord(db, table, id);
        if (!r.isEmpty())
            out.append(r);
    }
    return out;
}

} // namespace

QString VCardImportReport::text() const {
    QString t = QStringLiteral("Contatti importati: %1").arg(imported);
    if (skipped > 0)
        t += QStringLiteral("\nContatti scartati perché senza nome: %1").arg(skipped);
    return t;
}

QString VCard::escape(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\\' || c == u',' || c == u';') {
            out.append(u'\\');
            out.append(c);
        } else if (c == u'\r') {
            out.append(QStringLiteral("\\n"));
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
        } else if (c == u'\n') {
            out.append(QStringLiteral("\\n"));
        } else {
            out.append(c);
        }
    }
    return out;
}

QByteArray VCard::fold(const QByteArray& line) {
    QByteArray out;
    qsizetype pos = 0;
    qsizetype room = 75; // continuation lines spend one octet on the leading space
    while (line.size() - pos > room) {
        qsizetype cut = pos + room;
        // Never split a UTF-8 sequence.
        while (cut > pos && (uchar(line.at(cut)) & 0xC0) == 0x80)
            --cut;
        // Bytes that are not UTF-8 at all: cut where the room ends.
        if (cut == pos)
            cut = pos + room;
        out += line.mid(pos, cut - pos);
        out += "\r\n ";
        pos = cut;
        room = 74;
    }
    out += line.mid(pos);
    return out;
}

QByteArray VCard::write(const QList<VCardContact>& contacts) {
    QByteArray out;
    for (const VCardContact& c : contacts) {
        addLine(out, "BEGIN", "VCARD");
        addLine(out, "VERSION", "4.0");
        if (c.organization)
            addLine(out, "KIND", "org");
        addLine(out, "FN", escape(c.formattedName.trimmed()));
        if (anyFilled({c.surname, c.givenName, c.prefix}))
            addLine(out, "N", structured({c.surname, c.givenName, QString(), c.prefix, QString()}));
        addText(out, "ORG", c.company);
        if (anyFilled({c.street, c.houseNumber, c.city, c.region, c.postcode, c.country})) {
            QString street = escape(c.street.trimmed());
            if (!c.houseNumber.trimmed().isEmpty())
                street += u',' + escape(c.houseNumber.trimmed());
            addLine(out, "ADR;TYPE=work",
                    QStringLiteral(";;") + street + u';' +
                        structured({c.city, c.region, c.postcode, c.country}));
        }
        addText(out, "TEL;TYPE=work,voice;VALUE=text", c.phone);
        addText(out, "TEL;TYPE=home,voice;VALUE=text", c.phone2);
        addText(out, "TEL;TYPE=cell;VALUE=text", c.mobile);
        addText(out, "TEL;TYPE=fax;VALUE=text", c.fax);
        addText(out, "EMAIL;TYPE=work", c.email);
        addText(out, "EMAIL;TYPE=x-pec", c.pec);
        if (!c.url.trimmed().isEmpty())
            addLine(out, "URL", c.url.trimmed());
        if (!c.skype.trimmed().isEmpty())
            addLine(out, "IMPP", QStringLiteral("skype:") + c.skype.trimmed());
        if (c.birthday.isValid())
            addLine(out, "BDAY", c.birthday.toString(QStringLiteral("yyyyMMdd")));
        addText(out, "BIRTHPLACE", c.birthPlace);
        addText(out, "X-CODICE-FISCALE", c.taxCode);
        addText(out, "X-PARTITA-IVA", c.vatNumber);
        if (!c.note.trimmed().isEmpty())
            addLine(out, "NOTE", escape(c.note));
        addLine(out, "END", "VCARD");
    }
    return out;
}

QList<VCardContact> VCard::read(const QByteArray& data) {
    // Physical lines, then logical lines: a line starting with a space or a
    // tab continues the previous one; so does the line after a
    // quoted-printable line ending in "=".
    QList<QByteArray> logical;
    for (QByteArray line : data.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!logical.isEmpty() && (line.startsWith(' ') || line.startsWith('\t'))) {
            logical.last() += line.mid(1);
            continue;
        }
        if (!logical.isEmpty() && logical.last().endsWith('=') &&
            logical.last().toUpper().contains("QUOTED-PRINTABLE")) {
            logical.last().chop(1);
            logical.last() += line;
            continue;
        }
        logical.append(line);
    }

    QList<VCardContact> contacts;
    VCardContact current;
    bool inside = false;
    for (const QByteArray& line : logical) {
        if (line.trimmed().isEmpty())
            continue;
        Property p;
        if (!parseLine(line, &p))
            continue;
        if (p.name == u"BEGIN" && p.value.trimmed().compare("VCARD", Qt::CaseInsensitive) == 0) {
            current = VCardContact();
            inside = true;
        } else if (p.name == u"END" && inside) {
            contacts.append(current);
            inside = false;
        } else if (inside) {
            apply(p, current);
        }
    }
    return contacts;
}

VCardContact VCard::fromCustomer(const db::RegistryRecord& r) {
    VCardContact c;
    c.organization = CustomerRules::kindOf(r) == CustomerKind::Company;
    c.formattedName = db::recordText(r, "NominativoDocumenti");
    if (c.formattedName.isEmpty())
        c.formattedName =
            CustomerRules::documentName(db::recordText(r, "Cliente"), db::recordText(r, "Cognome"),
                                        db::recordText(r, "Nome"))
                .trimmed();
    c.surname = db::recordText(r, "Cognome");
    c.givenName = db::recordText(r, "Nome");
    c.prefix = db::recordText(r, "Titolo");
    c.company = db::recordText(r, "Cliente");
    c.street = db::recordText(r, "Via");
    c.houseNumber = db::recordText(r, "Numero");
    c.city = db::recordText(r, "Citta");
    c.region = db::recordText(r, "Provincia");
    c.postcode = db::recordText(r, "Cap");
    c.country = db::recordText(r, "Sede_Nazione");
    c.phone = db::recordText(r, "Telefono");
    c.phone2 = db::recordText(r, "Telefono2");
    c.fax = db::recordText(r, "Fax");
    c.mobile = db::recordText(r, "Cellulare");
    c.email = db::recordText(r, "EMail");
    c.pec = db::recordText(r, "Pec");
    c.url = db::recordText(r, "Internet");
    c.skype = db::recordText(r, "Skype");
    c.note = db::recordValue(r, "Note").toString();
    c.taxCode = db::recordText(r, "CodFiscale");
    c.vatNumber = db::recordText(r, "Iva");
    c.birthday = db::recordDate(r, "DataNascita");
    c.birthPlace = db::recordText(r, "LuogoNascita");
    return c;
}

VCardContact VCard::fromSupplier(const db::RegistryRecord& r) {
    VCardContact c;
    c.formattedName = db::recordText(r, "Fornitore");
    c.surname = db::recordText(r, "Cognome");
    c.givenName = db::recordText(r, "Nome");
    c.prefix = db::recordText(r, "Titolo");
    const QString person = (c.surname + u' ' + c.givenName).trimmed();
    if (c.formattedName.isEmpty())
        c.formattedName = person;
    // A supplier named after the person it is needs no company name.
    if (c.formattedName != person) {
        c.company = c.formattedName;
        c.organization = true;
    }
    c.street = db::recordText(r, "VIA");
    c.houseNumber = db::recordText(r, "Numero");
    c.city = db::recordText(r, "Comune");
    c.region = db::recordText(r, "Provincia");
    c.postcode = db::recordText(r, "Cap");
    c.country = db::recordText(r, "IdPaese");
    c.phone = db::recordText(r, "Telefono");
    c.phone2 = db::recordText(r, "Telefono2");
    c.fax = db::recordText(r, "Fax");
    c.mobile = db::recordText(r, "Cellulare");
    c.email = db::recordText(r, "Email");
    c.pec = db::recordText(r, "Pec");
    c.url = db::recordText(r, "Internet");
    c.skype = db::recordText(r, "Skype");
    c.note = db::recordValue(r, "Note").toString();
    c.taxCode = db::recordText(r, "CodFiscale");
    c.vatNumber = db::recordText(r, "Iva");
    return c;
}

db::RegistryRecord VCard::toCustomer(const VCardContact& c) {
    db::RegistryRecord r;
    const bool hasPerson = !c.surname.isEmpty() || !c.givenName.isEmpty();
    if (c.organization || (!hasPerson && !c.company.isEmpty()))
        r["Cliente"] = c.company.isEmpty() ? c.formattedName : c.company;
    else
        r["Cliente"] = QString();
    r["Cognome"] = c.surname;
    r["Nome"] = c.givenName;
    // A card with its full name only: the person is listed under it.
    if (db::recordText(r, "Cliente").isEmpty() && !hasPerson)
        r["Cognome"] = c.formattedName;
    r["Titolo"] = c.prefix;
    r["Via"] = c.street;
    r["Numero"] = c.houseNumber;
    r["Citta"] = c.city;
    r["Provincia"] = c.region;
    r["Cap"] = c.postcode;
    r["Sede_Nazione"] = c.country;
    r["Telefono"] = c.phone;
    r["Telefono2"] = c.phone2;
    r["Fax"] = c.fax;
    r["Cellulare"] = c.mobile;
    r["EMail"] = c.email;
    r["Pec"] = c.pec;
    r["Internet"] = c.url;
    r["Skype"] = c.skype;
    r["Note"] = c.note;
    r["CodFiscale"] = c.taxCode;
    r["Iva"] = c.vatNumber;
    r["DataNascita"] = c.birthday.isValid() ? QVariant(c.birthday) : QVariant();
    r["LuogoNascita"] = c.birthPlace;
    return r;
}

db::RegistryRecord VCard::toSupplier(const VCardContact& c) {
    db::RegistryRecord r;
    r["Fornitore"] = c.company.isEmpty() ? c.formattedName : c.company;
    r["Cognome"] = c.surname;
    r["Nome"] = c.givenName;
    r["Titolo"] = c.prefix;
    r["VIA"] = c.street;
    r["Numero"] = c.houseNumber;
    r["Comune"] = c.city;
    r["Provincia"] = c.region;
    r["Cap"] = c.postcode;
    r["IdPaese"] = c.country;
    r["Telefono"] = c.phone;
    r["Telefono2"] = c.phone2;
    r["Fax"] = c.fax;
    r["Cellulare"] = c.mobile;
    r["Email"] = c.email;
    r["Pec"] = c.pec;
    r["Internet"] = c.url;
    r["Skype"] = c.skype;
    r["Note"] = c.note;
    r["CodFiscale"] = c.taxCode;
    r["Iva"] = c.vatNumber;
    return r;
}

QByteArray VCard::exportCustomers(db::Database& db, const QList<qint64>& ids) {
    QList<VCardContact> contacts;
    for (const db::RegistryRecord& r : readRecords(db, "Clienti", ids))
        contacts.append(fromCustomer(r));
    return write(contacts);
}

QByteArray VCard::exportSuppliers(db::Database& db, const QList<qint64>& ids) {
    QList<VCardContact> contacts;
    for (const db::RegistryRecord& r : readRecords(db, "Fornitor", ids))
        contacts.append(fromSupplier(r));
    return write(contacts);
}

namespace {

// Adds a row to the table for every card with a name, in one transaction;
// cards without one are counted as skipped.
VCardImportReport importInto(db::Database& db, const QByteArray& data, const char* table,
                             const std::function<db::RegistryRecord(const VCardContact&)>& row) {
    VCardImportReport report;
    db::Transaction tx(db);
    for (const VCardContact& c : VCard::read(data)) {
        if (c.formattedName.isEmpty()) {
            ++report.skipped;
            continue;
        }
        db.insert(QString::fromLatin1(table), db::recordValues(row(c)));
        ++report.imported;
    }
    tx.commit();
    return report;
}

} // namespace

VCardImportReport VCard::importCustomers(db::Database& db, const QByteArray& data) {
    return importInto(db, data, "Clienti", [&db](const VCardContact& c) {
        db::RegistryRecord r = toCustomer(c);
        resolveKeys(db, r, "Sede_Nazione", "Provincia");
        r["IdPaese"] = db::recordValue(r, "Sede_Nazione");
        CustomerRules::deriveNames(r);
        for (const char* flag :
             {"PubblicaAmministrazione", "ScissionePagamenti", "RappresentanteFiscale",
              "StabileOrganizzazione", "Annullato", "PrivacyFirmata"})
            r[flag] = false;
        return r;
    });
}

VCardImportReport VCard::importSuppliers(db::Database& db, const QByteArray& data) {
    return importInto(db, data, "Fornitor", [&db](const VCardContact& c) {
        db::RegistryRecord r = toSupplier(c);
        resolveKeys(db, r, "IdPaese", "Provincia");
        SupplierRules::deriveName(r);
        for (const char* flag : {"Annullato", "PrivacyFirmata", "ImportatoXml"})
            r[flag] = false;
        return r;
    });
}

} // namespace registries
