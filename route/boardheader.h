// The header lines shared by the board description files:
//   number \\ startingPoint \\ destination+modeSuffix \\ options
// optionally followed by the second-language line "  startingPoint \\ destination".
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

struct BoardHeader
{
    QString number;
    QString startingPoint;
    QString destination;
    // A line that ends early leaves the fields after it as they were.
    bool hasStartingPoint = false;
    bool hasDestination = false;
    int mode = 0;
    QList<QByteArray> options; // the non-empty ";" items after the third separator
};

extern const QByteArray fieldSeparator; // two backslashes

BoardHeader parseBoardHeader(const QByteArray &line);
bool isContinuationLine(const QByteArray &line); // begins with two spaces
void parseSecondLanguageLine(const QByteArray &line, QString &startingPoint, QString &destination);

// Option values: the F item's font bits and an interval limited to 1..16 seconds.
int fontFromOption(const QByteArray &item);
int intervalFromOption(const QByteArray &digits);
QByteArray fontOption(int font);

QByteArray boardHeaderLine(const QString &number, const QString &startingPoint,
                           const QString &destination, int mode, const QByteArray &options);
// Empty when both texts are empty: the line is not written then.
QByteArray secondLanguageLine(const QString &startingPoint, const QString &destination);
