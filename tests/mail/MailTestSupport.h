#pragma once

#include "SmtpTestServer.h"
#include "db/Database.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>

// The mail options of the archive, as the options screen would save them.
struct SmtpOptions {
    QString host = QStringLiteral("127.0.0.1");
    int port = 0;
    QString sender = QStringLiteral("ufficio@onoranze-esempio.it");
    bool encrypted = false;
    int encryptionType = 1;
    bool authenticate = false;
    QString user;
    QString password;
    QString defaultText;

    void save(db::Database& d) const {
        d.exec(QStringLiteral("update opzioni set SmtpHost = ?, SmtpPorta = ?, SmtpMittenteEmail = "
                              "?, SmtpCriptato = ?, SmtpCriptaggioTipo = ?, "
                              "SmtpAutenticazioneServer = ?, SmtpUserName = ?, SmtpPassword = ?, "
                              "EmailTestoDefault = ?"),
               {host, port, sender, encrypted, encryptionType, authenticate, user, password,
                defaultText});
    }
};

// Files to attach: a PDF, an XML and a Word file, with binary content.
struct Attachments {
    QTemporaryDir dir;
    QStringList paths;
    QStringList sha1;

    Attachments() {
        add(QStringLiteral("Fattura 12-2024.pdf"), QByteArray("%PDF-1.4\n\x00\xff\x10 fine", 18));
        add(QStringLiteral("fattura.xml"), QByteArray("<?xml version=\"1.0\"?><a>è</a>\n"));
        add(QStringLiteral("Contratto Società.docx"),
            QByteArray(3000, '\x7f') + QByteArray("\r\n.\r\n"));
    }
    void add(const QString& name, const QByteArray& data) {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(data);
        paths.append(f.fileName());
        sha1.append(
            QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Sha1).toHex()));
    }
};
