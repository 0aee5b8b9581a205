#include "fronttablowidget.h"

#include "boardlayout.h"
#include "route.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QTimerEvent>

#include <algorithm>

namespace {

QRgb sofitRgb(int code)
{
    switch (code) {
    case 1:
        return 0x0000FF;
    case 2:
        return 0x00FF00;
    case 4:
        return 0xFF0000;
    case 6:
        return 0xFFFF00;
    case 7:
        return 0xFFFFFF;
    }
    return 0;
}

bool validLanguage(int lang)
{
    return lang == 0 || lang == 1;
}

} // namespace

// The small font of line 1 or line 2, by its font switch.
const BoardFont &FrontTabloWidget::smallFont(int line) const
{
    return BoardLayout::smallFont(m_fontBits, line);
}

FrontTabloWidget::FrontTabloWidget(QWidget *parent) : TabloWidget(parent) {}

FrontTabloWidget::~FrontTabloWidget() = default;

void FrontTabloWidget::setBoardType(int type)
{
    if (!isFrontTabloType(type))
        return;
    const BoardGeometry &g = boardGeometry(type);
    setMatrixSize(g.columns, g.rows);
    m_sofitWidth = g.sofitWidth;
    if (g.hasSofits >= 0)
        m_hasSofits = g.hasSofits != 0;
    // A running animation carries on in the new geometry instead of in the
    // regions of the old board.
    if (m_timer.isActive())
        redrawBoard(true);
}

QString FrontTabloWidget::startingPoint(int lang) const
{
    return validLanguage(lang) ? m_startingPoint[lang] : QString();
}

void FrontTabloWidget::setStartingPoint(int lang, const QString &text)
{
    if (validLanguage(lang))
        m_startingPoint[lang] = text;
}

QString FrontTabloWidget::destination(int lang) const
{
    return validLanguage(lang) ? m_destination[lang] : QString();
}

void FrontTabloWidget::setDestination(int lang, const QString &text)
{
    if (validLanguage(lang))
        m_destination[lang] = text;
}

QStringList FrontTabloWidget::stationNames(int lang) const
{
    return validLanguage(lang) ? m_stationNames[lang] : QStringList();
}

void FrontTabloWidget::setStationNames(int lang, const QStringList &names)
{
    if (validLanguage(lang))
        m_stationNames[lang] = names;
}

void FrontTabloWidget::setNumberColor(QRgb color)
{
    m_numberColor = ledColor(color);
}

void FrontTabloWidget::setLine1Color(QRgb color)
{
    m_line1Color = ledColor(color);
}

void FrontTabloWidget::setLine2Color(QRgb color)
{
    m_line2Color = ledColor(color);
}

void FrontTabloWidget::setClock(Clock clock)
{
    m_clock = std::move(clock);
}

QString FrontTabloWidget::combinedText(int lang) const
{
    if (!validLanguage(lang))
        return QString();
    const QString &first = m_startFirst ? m_startingPoint[lang] : m_destination[lang];
    const QString &second = m_startFirst ? m_destination[lang] : m_startingPoint[lang];
    return BoardLayout::combinedText(first, second, m_mode);
}

QString FrontTabloWidget::formatSeparator() const
{
    return formatDateTime(m_separator, m_clock ? m_clock() : QDateTime::currentDateTime());
}

QString FrontTabloWidget::formatDateTime(const QString &pattern, const QDateTime &time)
{
    const QDate date = time.date();
    const QTime clock = time.time();
    QString out;
    bool literal = false;
    const int n = pattern.size();
    for (int i = 0; i < n;) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\'')) {
            literal = !literal;
            ++i;
            continue;
        }
        if (literal) {
            out += c;
            ++i;
            continue;
        }
        // Only the first four letters of a run matter; counting more would
        // make long separators quadratic.
        int run = 1;
        while (run < 4 && i + run < n && pattern.at(i + run) == c)
            ++run;
        const char letter = c.toLatin1();
        int value = -1;
        int used = 0;
        switch (letter) {
        case 'M':
            value = date.month();
            break;
        case 'd':
            value = date.day();
            break;
        case 'h':
            value = clock.hour();
            break;
        case 'm':
            value = clock.minute();
            break;
        case 'y':
            if (run >= 4) {
                out += QString::number(date.year());
                i += 4;
                continue;
            }
            // The boards show the short year without a leading zero, "yy" as well as "y".
            out += QString::number(date.year() % 100);
            i += std::min(run, 2);
            continue;
        default:
            out += c;
            ++i;
            continue;
        }
        used = std::min(run, 2);
        out += used == 2 ? QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0'))
                         : QString::number(value);
        i += used;
    }
    return out;
}

void FrontTabloWidget::refreshTablo()
{
    redrawBoard(true);
    update();
}

void FrontTabloWidget::startAnimationTimer(int period, Qt::TimerType type)
{
    // A period shorter than the animation tick would flood the event loop.
    m_timerPeriod = std::max(period, m_scrollTick);
    m_sinceAlternation = 0;
    m_timer.start(m_timerPeriod, type, this);
}

void FrontTabloWidget::startAnimation()
{
    const bool hasStations = !m_stationNames[0].isEmpty() || !m_stationNames[1].isEmpty();
    const bool isStatic = m_mode & ModeStatic;
    const bool secondLanguage = !m_destination[1].isEmpty() || !m_startingPoint[1].isEmpty();
    if (hasStations || !isStatic)
        startAnimationTimer(m_scrollTick, Qt::PreciseTimer);
    else if (!m_separator.isEmpty() || secondLanguage)
        startAnimationTimer(m_interval, Qt::CoarseTimer);
    else
        m_timer.stop(); // a static board in one language has nothing to animate
    redrawBoard(true);
    update();
}

void FrontTabloWidget::stopAnimation()
{
    if (!m_timer.isActive())
        return;
    m_timer.stop();
    redrawBoard(true);
    update();
}

void FrontTabloWidget::animationStep()
{
    if (m_timer.isActive())
        redrawBoard(false);
}

void FrontTabloWidget::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timer.timerId()) {
        TabloWidget::timerEvent(event);
        return;
    }
    repaint();
    redrawBoard(false);
}

void FrontTabloWidget::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
    if (!m_timer.isActive()) {
        startAnimation();
        return;
    }
    m_timer.stop();
    redrawBoard(true);
    update();
}

void FrontTabloWidget::contextMenuEvent(QContextMenuEvent *event)
{
    event->accept();
    emit contextMenuRequested();
}

void FrontTabloWidget::redrawBoard(bool reset)
{
    if (!hasMatrix())
        return;
    if (reset) {
        resetClip();
        clearMatrix();
        clearFeed();
        m_textStart = 0;
        drawSofits();
        drawNumber();
    }
    const bool running = m_timer.isActive();
    const bool isStatic = m_mode & ModeStatic;
    const bool hasStations = !m_stationNames[0].isEmpty() || !m_stationNames[1].isEmpty();

    if (!hasStations && m_separator.isEmpty()) {
        if (isStatic) {
            switchLanguage(reset);
            drawStaticLines();
        } else if (running) {
            runLine(reset, rows, BoardLayout::fullHeightFont(rows, smallFont(1)));
        } else {
            drawStill();
        }
        return;
    }

    if (!running || isStatic)
        drawStillUpperLine(reset);
    else
        runLine(reset, rows / 2, BoardLayout::halfHeightFont(rows / 2, smallFont(1)));

    if (!hasStations || (m_separatorPreview && !running))
        drawSeparator();
    else if (!running)
        runStationsVertical(true);
    else if (m_mode & ModeStationScroll)
        runStationsVertical(reset);
    else
        runStationsHorizontal(reset);
}

void FrontTabloWidget::drawSofits()
{
    if (m_sofitWidth == 0 || (!m_hasSofits && m_leftSofitColor == 0 && m_rightSofitColor == 0)) {
        m_textStart = 0;
        setClipRight(columns);
        return;
    }
    m_textStart = std::min(m_sofitWidth, columns);
    setClipRight(columns - m_sofitWidth);
    const int lightWidth = m_sofitWidth - 1;
    if (m_leftSofitColor != 0) {
        setFillColor(sofitRgb(m_leftSofitColor));
        fillRect(0, 0, lightWidth, rows);
    }
    if (m_rightSofitColor != 0) {
        setFillColor(sofitRgb(m_rightSofitColor));
        fillRect(columns - lightWidth, 0, lightWidth, rows);
    }
    setFillColor(0);
}

void FrontTabloWidget::drawNumber()
{
    if (rows < 16)
        return;
    int digits = 0;
    while (digits < m_number.size() && m_number.at(digits) >= QLatin1Char('0') &&
           m_number.at(digits) <= QLatin1Char('9'))
        ++digits;
    const bool tall = rows >= 32;
    setInkColor(m_numberColor);
    int x = drawText(m_number.left(std::min(digits, 3)), m_textStart, 0,
                     tall ? FontDigits16x32 : FontDigits16x16);
    x = drawText(m_number.mid(digits), x, 0, tall ? FontText16x32 : FontText16x16);
    // A long number must not leave a text area of negative width.
    m_textStart = std::min(x, clipRight);
}

void FrontTabloWidget::clearTextArea(int top, int height)
{
    setFillColor(0);
    fillRect(m_textStart, top, clipRight - m_textStart, height);
}

void FrontTabloWidget::switchLanguage(bool reset)
{
    if (reset)
        m_currentLanguage = m_editLanguage;
    else if (m_currentLanguage == 1)
        m_currentLanguage = 0;
    else if (!m_destination[1].isEmpty() || !m_startingPoint[1].isEmpty())
        m_currentLanguage = 1;
}

void FrontTabloWidget::drawStaticLines()
{
    clearTextArea(0, rows);
    const int lang = m_currentLanguage;
    const QString &line1 = m_startFirst ? m_startingPoint[lang] : m_destination[lang];
    const QString &line2 = m_startFirst ? m_destination[lang] : m_startingPoint[lang];
    const int flags = (m_mode & ModeCenter) ? CenterText : 0;
    for (const BoardLine &line : BoardLayout::staticLines(rows, m_mode, m_fontBits, line1, line2)) {
        setInkColor(line.colorLine == 1 ? m_line1Color : m_line2Color);
        drawText(line.text, m_textStart, line.row, *line.font, flags);
    }
}

void FrontTabloWidget::drawStill()
{
    m_currentLanguage = m_editLanguage;
    clearTextArea(0, rows);
    const BoardFont &small1 = smallFont(1);
    setInkColor(m_line1Color);
    drawText(combinedText(m_editLanguage).mid(std::max(m_textOffset, 0)), m_textStart, 0,
             BoardLayout::fullHeightFont(rows, small1));
}

void FrontTabloWidget::runLine(bool reset, int height, const BoardFont &font)
{
    if (reset) {
        m_lineEffect.x = m_textStart;
        m_lineEffect.y = 0;
        m_lineEffect.width = clipRight - m_textStart;
        m_lineEffect.height = height;
        m_lineEffect.counter = 0;
        m_lineEffect.flags = 0;
        m_lineEffect.charIndex = 0;
        m_lineEffect.font = &font;
        m_currentLanguage = m_editLanguage;
        m_lineEffect.text = combinedText(m_currentLanguage);
    }
    setInkColor(m_line1Color);
    if (stepScrollLeft(m_lineEffect)) {
        switchLanguage(false);
        m_lineEffect.text = combinedText(m_currentLanguage);
        m_lineEffect.charIndex = 0;
        m_lineEffect.counter = (columns - m_textStart) / 2;
    }
}

void FrontTabloWidget::drawStillUpperLine(bool reset)
{
    if (!reset) {
        // A running station list ticks every few milliseconds; the languages
        // still take turns at the board's interval.
        m_sinceAlternation += m_timerPeriod;
        if (m_sinceAlternation < m_interval)
            return;
        m_sinceAlternation = 0;
    }
    switchLanguage(reset);
    const int h = rows / 2;
    const bool running = m_timer.isActive();
    const bool isStatic = m_mode & ModeStatic;
    QString text = combinedText(m_currentLanguage);
    if (!running && !isStatic)
        text = text.mid(std::max(m_textOffset, 0));
    const BoardFont &small1 = smallFont(1);
    const int flags = (isStatic && (m_mode & ModeCenter)) ? CenterText : 0;
    clearTextArea(0, h);
    setInkColor(m_line1Color);
    setClipBottom(h);
    drawText(text, m_textStart, 0, BoardLayout::halfHeightFont(h, small1), flags);
    setClipBottom(rows);
}

void FrontTabloWidget::drawSeparator()
{
    const int h = rows / 2;
    const BoardFont &small2 = smallFont(2);
    const int flags = ((m_mode & ModeStationScroll) && (m_mode & ModeCenter)) ? CenterText : 0;
    clearTextArea(h, h);
    setInkColor(m_line2Color);
    drawText(formatSeparator(), m_textStart, h, BoardLayout::halfHeightFont(h, small2), flags);
}

QString FrontTabloWidget::currentStation() const
{
    return m_stationNames[m_stationList].value(m_stationIndex);
}

void FrontTabloWidget::resetStationEffect(int counter, int flags)
{
    const int h = rows / 2;
    const BoardFont &small2 = smallFont(2);
    m_stationEffect.x = m_textStart;
    m_stationEffect.y = h;
    m_stationEffect.width = clipRight - m_textStart;
    m_stationEffect.height = h;
    m_stationEffect.font = &BoardLayout::halfHeightFont(h, small2);
    m_stationEffect.counter = counter;
    m_stationEffect.flags = flags;
    m_stationEffect.charIndex = 0;
    m_stationList = m_editLanguage;
    m_stationIndex = 0;
    m_showingDate = false;
    m_pauseTicks = 0;
    m_stationEffect.text = currentStation();
}

// Chooses the text that follows the finished one; true when the list wrapped
// without a separator, which doubles the gap before it starts again.
bool FrontTabloWidget::nextStation()
{
    m_stationEffect.charIndex = 0;
    if (m_showingDate) {
        m_showingDate = false;
        m_stationEffect.text = currentStation();
        return false;
    }
    ++m_stationIndex;
    if (m_stationIndex < m_stationNames[m_stationList].size()) {
        m_stationEffect.text = currentStation();
        return false;
    }
    m_stationIndex = 0;
    m_stationList = (m_stationList == 0 && !m_stationNames[1].isEmpty()) ? 1 : 0;
    if (!m_separator.isEmpty()) {
        m_stationEffect.text = formatSeparator();
        m_showingDate = true;
        return false;
    }
    m_stationEffect.text = currentStation();
    return true;
}

void FrontTabloWidget::runStationsHorizontal(bool reset)
{
    if (reset)
        resetStationEffect(0, 0);
    setInkColor(m_line2Color);
    if (stepScrollLeft(m_stationEffect)) {
        const bool wrapped = nextStation();
        m_stationEffect.counter = wrapped ? 64 : 32;
    }
}

void FrontTabloWidget::runStationsVertical(bool reset)
{
    const int h = rows / 2;
    if (reset) {
        const int flags = ((m_mode & ModeStationScroll) && (m_mode & ModeCenter)) ? CenterText : 0;
        resetStationEffect(m_timer.isActive() ? h : 1, flags);
    }
    setInkColor(m_line2Color);
    if (m_pauseTicks > 0) {
        --m_pauseTicks;
        return;
    }
    if (stepScrollUp(m_stationEffect)) {
        const bool wrapped = nextStation();
        m_stationEffect.counter = wrapped ? 4 * h : 2 * h;
        m_pauseTicks = m_stationPause / m_scrollTick;
    }
}
