#include "boardcheck.h"

#include "board.h"
#include "boardlayout.h"
#include "fronttablotype.h"
#include "route.h"
#include "routecheck.h"
#include "tablowidget.h"

#include <array>

namespace {

// Which text slots are blank in at least one of the text fonts.
std::array<bool, TextGlyphCount> blankSlots()
{
    static const BoardFont *const fonts[] = {&FontText16x32, &FontText16x20,   &FontText16x16,
                                             &FontText8x12,  &FontText8x8Bold, &FontText8x8Thin};
    std::array<bool, TextGlyphCount> blank{};
    for (const BoardFont *font : fonts) {
        const int bytesPerRow = font->width > 8 ? 2 : 1;
        for (int slot = 0; slot < TextGlyphCount && slot < font->glyphCount; ++slot) {
            const unsigned char *glyph = font->glyphs + slot * font->height * bytesPerRow;
            bool lit = false;
            for (int i = 0; i < font->height * bytesPerRow && !lit; ++i)
                lit = glyph[i] != 0;
            blank[slot] = blank[slot] || !lit;
        }
    }
    return blank;
}

class WidthChecker
{
public:
    WidthChecker(const Route &route, QList<RouteFinding> &findings)
        : m_route(route), m_findings(findings), m_langs(route.languageCount())
    {
    }

    void check(const Board &board, int type)
    {
        const BoardGeometry &g = boardGeometry(type);
        const bool lights =
            board.sideLights && (m_route.leftSofitColor() != 0 || m_route.rightSofitColor() != 0);
        const int area = BoardCheck::textAreaWidth(type, (m_route.*board.number)(), lights);
        const int mode = (m_route.*board.mode)();
        const int fontBits = (m_route.*board.font)();
        const QString model = frontTabloTypeText(type);
        const RouteFinding::Place place = RouteFinding::boardPlace(board.id);
        const bool stations = board.id == SideBoard && hasSideStations();
        const bool stationMode =
            board.id == SideBoard && (stations || !m_route.sideSeparator().isEmpty());
        const int h = g.rows / 2;

        // A static board alternates into the second language when it has one.
        const bool second = !(m_route.*board.startingPoint)(1).isEmpty() ||
                            !(m_route.*board.destination)(1).isEmpty();
        for (int lang = 0; lang < (second ? 2 : 1); ++lang) {
            const QString start = (m_route.*board.startingPoint)(lang);
            const QString dest = (m_route.*board.destination)(lang);
            if (!(mode & ModeStatic))
                continue; // a running line is never cut
            if (stationMode) {
                const BoardFont &font =
                    BoardLayout::halfHeightFont(h, BoardLayout::smallFont(fontBits, 1));
                report(place, -1, lang, BoardLayout::combinedText(start, dest, mode), font, area,
                       model);
                continue;
            }
            for (const BoardLine &line :
                 BoardLayout::staticLines(g.rows, mode, fontBits, start, dest))
                report(place, -1, lang, line.text, *line.font, area, model);
        }

        // The vertical station list holds each name still for a while.
        if (stations && (mode & ModeStationScroll)) {
            const BoardFont &font =
                BoardLayout::halfHeightFont(h, BoardLayout::smallFont(fontBits, 2));
            for (int i = 0; i < m_route.stationCount(); ++i) {
                for (int lang = 0; lang < m_langs; ++lang)
                    report(RouteFinding::StationTextPlace, i, lang,
                           m_route.station(i)->sideName(lang), font, area, model);
            }
        }
    }

private:
    bool hasSideStations() const
    {
        if (m_route.sideStationCount() <= 0)
            return false;
        for (const Station *s : m_route.stations()) {
            if (!s->sideName(0).isEmpty() || !s->sideName(1).isEmpty())
                return true;
        }
        return false;
    }

    void report(RouteFinding::Place place, int station, int lang, const QString &text,
                const BoardFont &font, int area, const QString &model)
    {
        const int width = TabloWidget::textWidth(text, font);
        if (width <= area)
            return;
        RouteFinding f;
        f.severity = RouteFinding::Warning;
        f.place = place;
        f.station = station;
        f.lang = lang;
        f.where = station >= 0 ? RouteCheck::stationLabel(m_route, station)
                               : RouteFinding::placeName(place);
        QString what = QStringLiteral("текст «") + text + QStringLiteral("»");
        if (m_langs > 1)
            what += QStringLiteral(" (язык %1)").arg(lang + 1);
        f.message = what + QStringLiteral(" не помещается на табло «%1»: %2 точек при ширине %3")
                               .arg(model)
                               .arg(width)
                               .arg(area);
        m_findings.append(f);
    }

    const Route &m_route;
    QList<RouteFinding> &m_findings;
    const int m_langs;
};

} // namespace

int BoardCheck::textAreaWidth(int type, const QString &number, bool lightsOn)
{
    const BoardGeometry &g = boardGeometry(type);
    const bool reserved = g.sofitWidth != 0 && (g.hasSofits == 1 || lightsOn);
    const int right = reserved ? g.columns - g.sofitWidth : g.columns;
    int start = reserved ? g.sofitWidth : 0;
    if (g.rows >= 16) {
        int digits = 0;
        while (digits < number.size() && number.at(digits) >= QLatin1Char('0') &&
               number.at(digits) <= QLatin1Char('9'))
            ++digits;
        const bool tall = g.rows >= 32;
        start += BoardLayout::advance(number.left(qMin(digits, 3)),
                                      tall ? FontDigits16x32 : FontDigits16x16);
        start += BoardLayout::advance(number.mid(digits), tall ? FontText16x32 : FontText16x16);
    }
    return qMax(right - qMin(start, right), 0);
}

bool BoardCheck::canShow(QChar c)
{
    static const std::array<bool, TextGlyphCount> blank = blankSlots();
    const ushort u = c.unicode();
    if (u == ' ' || u == '\n' || u == '\r')
        return true;
    const int slot = textGlyphIndex(c);
    return slot >= 0 && slot < TextGlyphCount && !blank[slot];
}

QList<RouteFinding> BoardCheck::widthFindings(const Route &route, const Models &models)
{
    QList<RouteFinding> findings;
    WidthChecker checker(route, findings);
    for (const Board &board : boards)
        checker.check(board, models.of(board.id));
    return findings;
}
