#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Builds small received FatturaPA files for the import tests.
namespace receivedXml {

struct Line {
    QString description;
    QString quantity = QStringLiteral("1.00");
    QString price = QStringLiteral("100.00");
    QString total = QStringLiteral("100.00");
    QString rate = QStringLiteral("22.00");
    QList<QString> discounts; // "SC" percentages
};

struct Body {
    QString type = QStringLiteral("TD01");
    QString number = QStringLiteral("1");
    QString date = QStringLiteral("2025-03-10");
    QList<Line> lines{Line{QStringLiteral("Marmo")}};
    QString linkedNumber; // DatiFattureCollegate
    QString linkedDate;
    QList<QString> payments; // ImportoPagamento of each DettaglioPagamento (MP05, TP02)
};

struct File {
    QString name = QStringLiteral("Marmi Srl");
    QString firstName, lastName;
    QString vat = QStringLiteral("01234567890");
    QString encoding = QStringLiteral("UTF-8");
    QList<Body> bodies{Body{}};
};

// The text of the file; the caller encodes it.
QString text(const File& f);
QByteArray utf8(const File& f);

} // namespace receivedXml
