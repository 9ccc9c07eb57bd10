#include "purchases/ReceivedFile.h"

#include <QFile>
#include <QFileInfo>
#include <openssl/bio.h>
#include <openssl/err.h>
#include <openssl/pem.h>
// After pem.h, which declares its PEM readers.
#include <openssl/cms.h>

namespace purchases {

namespace {

QByteArray contentOf(CMS_ContentInfo* cms) {
    QByteArray out;
    if (!cms)
        return out;
    ASN1_OCTET_STRING** content = CMS_get0_content(cms);
    if (content && *content)
        out = QByteArray(reinterpret_cast<const char*>(ASN1_STRING_get0_data(*content)),
                         ASN1_STRING_length(*content));
    CMS_ContentInfo_free(cms);
    return out;
}

QByteArray fromDer(const QByteArray& der) {
    BIO* bio = BIO_new_mem_buf(der.constData(), int(der.size()));
    QByteArray out = contentOf(d2i_CMS_bio(bio, nullptr));
    BIO_free(bio);
    return out;
}

QByteArray fromPem(const QByteArray& pem) {
    BIO* bio = BIO_new_mem_buf(pem.constData(), int(pem.size()));
    QByteArray out = contentOf(PEM_read_bio_CMS(bio, nullptr, nullptr, nullptr));
    BIO_free(bio);
    return out;
}

// Base64 text in any wrapping: the bytes it stands for, or nothing when
// the text holds anything else.
QByteArray decodedBase64(const QByteArray& text) {
    QByteArray compact;
    compact.reserve(text.size());
    for (char c : text) {
        if (c == '\r' || c == '\n' || c == ' ' || c == '\t')
            continue;
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '+' || c == '/' || c == '=';
        if (!ok)
            return {};
        compact.append(c);
    }
    if (compact.isEmpty())
        return {};
    auto r = QByteArray::fromBase64Encoding(compact, QByteArray::AbortOnBase64DecodingErrors);
    return r ? *r : QByteArray();
}

} // namespace

QByteArray ReceivedFile::openEnvelope(const QByteArray& bytes) {
    QByteArray data = bytes;
    // Base64 may wrap the envelope more than once.
    for (int depth = 0; depth < 4; ++depth) {
        if (data.trimmed().startsWith("-----BEGIN"))
            return fromPem(data);
        const QByteArray decoded = decodedBase64(data);
        if (decoded.isEmpty())
            break;
        data = decoded;
    }
    QByteArray out = fromDer(data);
    ERR_clear_error();
    return out;
}

QByteArray ReceivedFile::searchText(const QByteArray& bytes) {
    const QByteArray lower = bytes.toLower();
    const QByteArray closing = ":fatturaelettronica>";
    qsizetype start = lower.indexOf("<?xml");
    if (start < 0)
        start = lower.indexOf("<p:fatturaelettronica");
    if (start < 0)
        return {};
    const qsizetype end = lower.indexOf(closing, start);
    if (end < 0)
        return {};
    QByteArray cut = bytes.mid(start, end + closing.size() - start);
    // Pieces of the envelope's own structure that break the text: control
    // bytes (a code 1 takes the byte after it along).
    QByteArray clean;
    clean.reserve(cut.size());
    for (qsizetype i = 0; i < cut.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(cut[i]);
        if (c == 1 && i + 1 < cut.size() && (cut[i + 1] == '4' || cut[i + 1] == 'b')) {
            ++i;
            continue;
        }
        if (c < 32 && c != '\r' && c != '\n' && c != '\t')
            continue;
        clean.append(char(c));
    }
    return clean;
}

ReceivedFile ReceivedFile::fromBytes(const QByteArray& bytes, bool signedEnvelope) {
    ReceivedFile f;
    if (!signedEnvelope) {
        f.xml = bytes;
    } else {
        f.xml = openEnvelope(bytes);
        if (f.xml.isEmpty()) {
            f.xml = searchText(bytes);
            f.searched = true;
        }
        if (f.xml.isEmpty()) {
            f.error = QStringLiteral("La busta firmata (.p7m) è danneggiata o non contiene una "
                                     "fattura elettronica leggibile");
            return f;
        }
    }
    // Bytes before the first "<" (a byte-order mark, blanks) are skipped.
    const qsizetype first = f.xml.indexOf('<');
    if (first < 0) {
        f.xml.clear();
        f.error = QStringLiteral("Il file non contiene un documento XML");
    } else if (first > 0) {
        f.xml.remove(0, first);
    }
    return f;
}

ReceivedFile ReceivedFile::read(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {{}, QStringLiteral("Impossibile leggere il file: ") + file.errorString()};
    const bool p7m =
        QFileInfo(path).suffix().compare(QLatin1String("p7m"), Qt::CaseInsensitive) == 0;
    return fromBytes(file.readAll(), p7m);
}

} // namespace purchases
