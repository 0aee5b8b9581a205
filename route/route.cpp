#include "route.h"

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

// Drops `prefix` from the front of `text` and puts `replacement` in its place.
QString replaceLeadingWord(const QString &text, const QString &prefix, const QString &replacement)
{
    const QString rest = (text.startsWith(prefix) ? text.mid(prefix.size()) : text).trimmed();
    if (rest.isEmpty())
        return replacement;
    if (replacement.isEmpty())
        return rest;
    return replacement + QLatin1Char(' ') + rest;
}

} // namespace

Route::Route(const QString &path)
{
    Q_UNUSED(path); // loading the folder comes with the file readers
}

Route::~Route()
{
    qDeleteAll(m_stations);
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
        for (int lang = 0; lang < 2; ++lang) {
            const QString word = m_stationWord[lang];
            if (!word.isEmpty())
                station->setName(lang,
                                 word.endsWith(QLatin1Char(' ')) ? word : word + QLatin1Char(' '));
        }
    }
    m_stations.insert(qBound(0, index, m_stations.size()), station);
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

    // An edited back index may lie outside the list: the walks keep their stepping from it
    // and only touch the indices that exist.
    auto fill = [this, step, count](qint64 from, qint64 downTo) {
        if (from >= count)
            from -= (from - count + step) / step * step;
        for (qint64 i = from; i >= qMax<qint64>(downTo, 0); i -= step) {
            Station *s = m_stations.at(int(i));
            for (int lang = 0; lang < 2; ++lang)
                s->setSideName(lang, sideNameFromText(lang, s->name(lang)));
        }
    };
    const qint64 back = m_backStationIndex;
    fill(count - 1, back);
    fill(back - 1, 0);
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
