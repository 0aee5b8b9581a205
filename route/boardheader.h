// The header lines of the board descriptions (front board in ost.txt, sidetab.txt, backtab.txt):
//   number \\ startingPoint \\ destination+modeSuffix \\ F..;R..<more options>;
// optionally followed by the second-language line "  startingPoint \\ destination".
// The station texts of ost.txt are "text \\ next" pairs like that second line.
#pragma once

#include "board.h"

#include <QByteArray>
#include <QString>

class Route;
class RouteFileReader;
class RouteFileWriter;
class Station;

extern const QByteArray fieldSeparator; // two backslashes

// Gets every non-empty option item of a header, after F and R have been read into the board.
using BoardOptionReader = void (*)(Route &route, const QByteArray &item);

// Reads the header line and the optional second-language line of a board. Afterwards `line`
// holds the line after them; `more` is false when the file has ended before it.
void readBoardLines(RouteFileReader &reader, Route &route, const Board &board,
                    BoardOptionReader readOption, QByteArray &line, bool &more);
// sidetab.txt and backtab.txt: opens the file and reads its header lines with font 0 and
// interval 4 as defaults. A missing file (null reader) makes the board copy the front board's
// texts, font and interval instead, and gives false.
bool readBoardFile(RouteFileReader *reader, Route &route, const Board &board,
                   BoardOptionReader readOption, QByteArray &line, bool &more);
bool isContinuationLine(const QByteArray &line); // begins with two spaces
// "text \\ next" from `start` on, each decoded on its own and trimmed.
void readTextPair(const QByteArray &line, int start, QString &text, QString &next);
// Option values: an interval limited to 1..16 seconds.
int intervalFromOption(const QByteArray &digits);

// The header line; `moreOptions` stands between the R option and the closing ";".
QByteArray boardHeaderLine(const Route &route, const Board &board, const QByteArray &moreOptions);
// Writes nothing when both second-language texts are empty.
void writeSecondLanguageLine(RouteFileWriter &out, const Route &route, const Board &board);
// "text" or "text \\ next" when there is a next text; the line end is not written.
void writeTextPair(RouteFileWriter &out, const QString &text, const QString &next);

// Station lines of sidetab.txt and script.txt: the station named by the number before the
// first space of the line; null for any number outside 1..station count.
Station *numberedStation(const Route &route, const QByteArray &line);
