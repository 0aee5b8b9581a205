#include "route.h"

#include "textencoding.h"

#include <QDir>
#include <QtGlobal>

const char *const defaultSideSeparator = "hh:mm dd.MM.yy";
const char *const defaultRouteText = "Маршрут %n.";
const char *const defaultSalonTempText = "<&F1 <&V03 В салоне %t>";
const char *const defaultOutsideTempText = "<&F1 <&V03 На улице %t>";
const char *const defaultSalonTabloOrder = "(MO)2(MNNSABRT)0";
const char *const defaultAdFolderName = "Reklama";

namespace {

// Letters of the mode suffixes, in the order they are written.
struct ModeLetter
{
    int flag;
    char letter;
};
const ModeLetter modeLetters[] = {
    {ModeStatic, 'S'}, {ModeOnlyDestination, 'N'}, {ModeStationScroll, 'V'},
    {ModeCenter, 'C'}, {ModeMoscow, 'M'},
};

} // namespace

QString Route::replaceLeadingWord(const QString &text, const QString &prefix,
                                  const QString &replacement)
{
    const QString rest = (text.startsWith(prefix) ? text.mid(prefix.size()) : text).trimmed();
    if (rest.isEmpty())
        return replacement;
    if (replacement.isEmpty())
        return rest;
    return replacement + QLatin1Char(' ') + rest;
}

Route::Route(const QString &path)
{
    load(path);
}

Route::~Route()
{
    qDeleteAll(m_stations);
}

bool Route::newRoute(const QString &path)
{
    if (!m_path.isEmpty() || path.isEmpty())
        return false;
    m_path = QDir::cleanPath(path);

    const QString number = QStringLiteral("1");
    const QString from = QStringLiteral("Пункт А");
    const QString to = QStringLiteral("Пункт Б");
    m_frontNumber = m_sideNumber = m_backNumber = number;
    m_frontStartingPoint[0] = m_sideStartingPoint[0] = m_backStartingPoint[0] = from;
    m_frontDestination[0] = m_sideDestination[0] = m_backDestination[0] = to;
    m_stationWord[0] = QStringLiteral("Остановка");
    m_nextWord[0] = QStringLiteral("Следующая остановка");
    m_routeText[0] = QString::fromUtf8(defaultRouteText);
    m_salonTempText[0] = QString::fromUtf8(defaultSalonTempText);
    m_outsideTempText[0] = QString::fromUtf8(defaultOutsideTempText);
    for (QString *text : {m_frontStartingPoint, m_frontDestination, m_sideStartingPoint,
                          m_sideDestination, m_backStartingPoint, m_backDestination, m_stationWord,
                          m_nextWord, m_routeText, m_salonTempText, m_outsideTempText})
        text[1].clear();

    qDeleteAll(m_stations);
    m_stations.clear();
    const char *const stationTexts[][2] = {
        {"Остановка Пункт А.", "Следующая остановка Пункт Б. Конечная."},
        {"Остановка Пункт Б. Конечная.", ""},
        {"Остановка Пункт Б.", "Следующая остановка Пункт А. Конечная."},
        {"Остановка Пункт А. Конечная.", ""},
    };
    for (const auto &texts : stationTexts) {
        auto *station = new Station;
        station->setName(0, QString::fromUtf8(texts[0]));
        station->setNextName(0, QString::fromUtf8(texts[1]));
        station->setSideName(0, sideNameFromText(0, station->name(0)));
        m_stations.append(station);
    }
    m_backStationIndex = 2;
    m_adTextFiles.clear();

    const QColor green(0, 128, 0);
    m_frontMode = ModeStatic | ModeCenter;
    m_frontFont = 0;
    m_frontInterval = 4;
    m_frontNumberColor = m_frontStartColor = m_frontDestColor = green;
    m_sideMode = ModeStatic | ModeOnlyDestination | ModeCenter;
    m_sideFont = 1;
    m_sideInterval = 4;
    m_sideStationInterval = 3;
    m_sideStationCount = 5;
    m_sideSeparator = QString::fromUtf8(defaultSideSeparator);
    m_backMode = ModeStatic | ModeCenter;
    m_backFont = 0;
    m_backInterval = 4;

    m_salonTabloOrder = defaultSalonTabloOrder;
    m_adPath = m_path + QStringLiteral("/Rek");
    m_brCodes[0] = 1;
    m_brCodes[1] = 0;
    m_leftSofitColor = 0;
    m_rightSofitColor = 0;
    m_nextDelay = 5;
    m_cyclePlay = false;
    return true;
}

Station *Route::station(int index) const
{
    return index >= 0 && index < m_stations.size() ? m_stations.at(index) : nullptr;
}

bool Route::hasBackDirection() const
{
    return m_backStationIndex >= 0 && m_backStationIndex < m_stations.size();
}

void Route::insertStation(int index, Station *station)
{
    if (!station) {
        station = new Station;
        for (int lang = 0; lang < 2; ++lang)
            station->setName(lang, newStationName(lang));
    }
    m_stations.insert(qBound(0, index, m_stations.size()), station);
}

QString Route::newStationName(int lang) const
{
    // The station word and a space, ready for the stop's own name.
    const QString word = stationWord(lang);
    return word.isEmpty() || word.endsWith(QLatin1Char(' ')) ? word : word + QLatin1Char(' ');
}

void Route::removeStation(int index)
{
    delete takeStation(index);
}

Station *Route::takeStation(int index)
{
    if (index < 0 || index >= m_stations.size())
        return nullptr;
    return m_stations.takeAt(index);
}

void Route::clear()
{
    m_path.clear();
    m_adPath.clear();
    m_frontNumber.clear();
    m_sideNumber.clear();
    m_backNumber.clear();
    for (int lang = 0; lang < 2; ++lang) {
        for (QString *text :
             {m_frontStartingPoint, m_frontDestination, m_sideStartingPoint, m_sideDestination,
              m_backStartingPoint, m_backDestination, m_stationWord, m_nextWord, m_routeText,
              m_outsideTempText, m_salonTempText})
            text[lang].clear();
    }
    qDeleteAll(m_stations);
    m_stations.clear();
    m_adTextFiles.clear();
    m_backStationIndex = 0;
}

QString Route::sideNameFromText(int lang, const QString &text) const
{
    const QString word = stationWord(lang);
    if (!text.startsWith(word))
        return text;
    const QString rest = text.mid(word.size()).trimmed();
    if (!rest.startsWith(QLatin1Char('"')))
        return rest;
    int last = -1;
    int count = 0;
    for (int i = 1; i < rest.size(); ++i) {
        if (rest.at(i) == QLatin1Char('"')) {
            last = i;
            ++count;
        }
    }
    // Only a closing quote at the very end (or before a final full stop) is taken off.
    if (last >= rest.size() - 2)
        return count % 2 ? rest.mid(1, last - 1) : rest.mid(1);
    return rest;
}

QString Route::nextTextFromStationText(int lang, const QString &text) const
{
    return replaceLeadingWord(text, stationWord(lang), nextWord(lang));
}

QString Route::stationTextFromNextText(int lang, const QString &text) const
{
    return replaceLeadingWord(text, nextWord(lang), stationWord(lang));
}

QString Route::adFolderRelative() const
{
    return m_adPath.mid(m_path.lastIndexOf(QLatin1Char('/')));
}

void Route::fillSideNames()
{
    const int count = m_stations.size();
    int step = 1;
    if (count >= 2)
        step = m_stations.first()->nextName(0).isEmpty() ? 2 : 1;

    // Trimmed as sidetab.txt gives them back: a quoted name may end in a blank.
    // An edited back index may lie outside the list: the walks keep their stepping from it
    // and only touch the indices that exist.
    auto fill = [this, step, count](qint64 from, qint64 downTo) {
        if (from >= count)
            from -= (from - count + step) / step * step;
        for (qint64 i = from; i >= qMax<qint64>(downTo, 0); i -= step) {
            Station *s = m_stations.at(int(i));
            for (int lang = 0; lang < 2; ++lang)
                s->setSideName(lang, trimmedText(sideNameFromText(lang, s->name(lang))));
        }
    };
    const qint64 back = m_backStationIndex;
    fill(count - 1, back);
    fill(back - 1, 0);
}

int Route::languageCount() const
{
    for (const QString *text :
         {m_stationWord, m_nextWord, m_frontStartingPoint, m_frontDestination, m_sideStartingPoint,
          m_sideDestination, m_backStartingPoint, m_backDestination, m_routeText, m_salonTempText,
          m_outsideTempText}) {
        if (!text[1].isEmpty())
            return 2;
    }
    for (const Station *s : m_stations) {
        if (!s->name(1).isEmpty() || !s->nextName(1).isEmpty() || !s->sideName(1).isEmpty())
            return 2;
    }
    return 1;
}

int Route::modeFromSuffix(QByteArray &text)
{
    int mode = 0;
    while (text.size() >= 2 && text.at(text.size() - 2) == '_') {
        const char letter = text.at(text.size() - 1);
        for (const ModeLetter &m : modeLetters) {
            if (m.letter == letter)
                mode |= m.flag;
        }
        text.chop(2);
    }
    return mode;
}

QByteArray Route::suffixFromMode(int mode)
{
    QByteArray suffix;
    for (const ModeLetter &m : modeLetters) {
        if (mode & m.flag) {
            suffix += '_';
            suffix += m.letter;
        }
    }
    return suffix;
}
