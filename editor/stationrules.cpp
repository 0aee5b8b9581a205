#include "stationrules.h"

#include "route.h"

#include <optional>

namespace {

using Edit = StationRules::Edit;

// A number as typed: its first decimal digit starts it; at most one decimal point or comma
// inside it; a minus sign right before that digit makes it negative. `pos` moves past it.
std::optional<double> readNumber(const QString &text, int &pos)
{
    const int size = text.size();
    while (pos < size && !text.at(pos).isDigit())
        ++pos;
    if (pos >= size)
        return std::nullopt;
    const bool negative =
        pos > 0 && (text.at(pos - 1) == QLatin1Char('-') || text.at(pos - 1) == QChar(0x2212));
    QString number;
    bool separator = false;
    int end = pos;
    for (int i = pos; i < size; ++i) {
        const QChar c = text.at(i);
        if (c.isDigit()) {
            number += QChar('0' + c.digitValue());
            end = i + 1;
        } else if ((c == QLatin1Char('.') || c == QLatin1Char(',')) && !separator) {
            separator = true;
            number += QLatin1Char('.');
        } else {
            break;
        }
    }
    // A separator that ends the number belongs to what follows.
    if (number.endsWith(QLatin1Char('.')))
        number.chop(1);
    pos = end;
    bool ok = false;
    const double value = number.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return negative ? -value : value;
}

void planSplit(StationPlan &plan, const QList<Station *> &stations, int back, int langCount,
               int &newBack)
{
    for (int i = stations.size() - 2; i >= 0; --i) {
        // The last stop of the forward direction announces no next stop.
        if (i == back - 1)
            continue;
        plan.append({Edit::AddStation, i + 1, 0, QString()});
        for (int l = 0; l < langCount; ++l) {
            const QString next = stations.at(i)->nextName(l);
            plan.append({Edit::SetName, i + 1, l, next});
            if (!next.isEmpty())
                plan.append({Edit::SetNextName, i, l, QString()});
        }
        if (i + 1 < back)
            ++newBack;
    }
}

void planJoin(StationPlan &plan, const Route &route, int langCount, int &newBack)
{
    // Each direction ends with a stop and alternates back from there; the back direction is
    // folded first so that the indexes of the forward one stay put.
    const QList<Station *> &stations = route.stations();
    const int n = stations.size();
    const int back = route.backStationIndex();
    const int b = qBound(0, back, n);
    const std::pair<int, int> directions[] = {{b, n}, {0, b}};
    for (const auto &[start, end] : directions) {
        for (int i = end - 2; i > start; i -= 2) {
            const Station *entry = stations.at(i);
            const Station *stop = stations.at(i - 1);
            for (int l = 0; l < langCount; ++l)
                plan.append({Edit::SetNextName, i - 1, l, entry->name(l)});
            int row = stop->textFiles().size();
            for (const QString &file : entry->textFiles())
                plan.append({Edit::AddTextFile, i - 1, row++, file});
            row = stop->soundFiles().size();
            for (const QString &file : entry->soundFiles())
                plan.append({Edit::AddSoundFile, i - 1, row++, file});
            plan.append({Edit::RemoveStation, i, 0, QString()});
            if (i < back)
                --newBack;
        }
        // A direction that begins with a next-stop entry has no stop to fold it into: it
        // becomes a new, still unnamed stop that announces the next one with its text.
        if ((end - start) % 2 == 0 && end > start) {
            for (int l = 0; l < langCount; ++l) {
                plan.append({Edit::SetNextName, start, l, stations.at(start)->name(l)});
                plan.append({Edit::SetName, start, l, route.newStationName(l)});
            }
        }
    }
}

} // namespace

StationRules::StationRules(const Route &route, bool separate, int langCount)
    : m_route(route), m_separate(separate), m_langCount(qBound(1, langCount, 2))
{
}

int StationRules::directionEnd(int i) const
{
    const int n = m_route.stationCount();
    return i < m_route.backStationIndex() ? qMin(m_route.backStationIndex(), n) : n;
}

bool StationRules::isNextEntry(int i) const
{
    return m_separate && i >= 0 && i < m_route.stationCount() && (directionEnd(i) - i) % 2 == 0;
}

StationRules::Controls StationRules::controls(int i) const
{
    Controls c;
    const int n = m_route.stationCount();
    const int back = m_route.backStationIndex();
    if (i < 0 || i >= n)
        return c;
    if (m_separate) {
        c.nextName = isNextEntry(i);
        c.stationName = !c.nextName;
        c.addNextStation = c.stationName && (i == 0 || i == back);
        c.addStation = i + 1 != back || back >= n || isNextEntry(back);
    } else {
        c.stationName = true;
        c.nextName = i + 1 != back && i + 1 != n;
        c.addStation = true;
    }
    c.removeStation = n > 2 && !(m_route.hasBackDirection() && (back == i + 1 || back == i + 2));
    return c;
}

int StationRules::insertPosition(int current) const
{
    const int n = m_route.stationCount();
    const int back = m_route.backStationIndex();
    const bool hasBack = m_route.hasBackDirection();
    if (current >= n)
        current = -1;
    if (current + 1 == n && !hasBack && current >= 0)
        return n;
    if (current < 0 || current + 1 == n) {
        // Before the final stop. In the separate layout the pair goes in front of the final
        // stop's next-stop entry; a back direction of the final stop alone gets only that entry.
        if (!m_separate)
            return qMax(n - 1, 0);
        if (hasBack)
            return n - 2 >= back ? n - 2 : back;
        return n >= 2 ? n - 2 : n;
    }
    if (isNextEntry(current))
        return current;
    if (!controls(current).addStation)
        return -1;
    return current + 1;
}

void StationRules::moveBack(int &back, int at, int count) const
{
    // A route without a back direction keeps none: its back index follows the count.
    if (at < back || m_route.backStationIndex() >= m_route.stationCount())
        back += count;
}

void StationRules::appendBack(Plan &plan, int back) const
{
    if (back != m_route.backStationIndex())
        plan.append({Edit::BackIndex, back});
}

QString StationRules::autoNext(int station, int lang) const
{
    const Station *s = m_route.station(station);
    return s ? m_route.nextTextFromStationText(lang, s->name(lang)) : QString();
}

StationRules::Plan StationRules::addStop(int current) const
{
    const int p = insertPosition(current);
    if (p < 0)
        return {};
    const int n = m_route.stationCount();
    const int back = m_route.backStationIndex();
    const Station *f = m_route.station(p);
    int newBack = back;
    Plan plan{{Edit::Insert, p}};
    moveBack(newBack, p, 1);
    // A new last stop announces nothing; the stop before it now announces the new one.
    for (int l = 0; l < m_langCount; ++l) {
        if (f && (!m_separate || (p == back && p + 1 == n)))
            plan.append({m_separate ? Edit::Name : Edit::NextName, p, l, autoNext(p, l)});
    }
    if (m_separate && !(p == back && p + 1 == n)) {
        plan.append({Edit::Insert, p});
        moveBack(newBack, p, 1);
        for (int l = 0; l < m_langCount; ++l)
            plan.append({Edit::Name, p, l, m_route.nextWord(l)});
    }
    if (!m_separate && p > 0 && (p != back || back >= n)) {
        const Station *prev = m_route.station(p - 1);
        for (int l = 0; l < m_langCount; ++l) {
            const QString word = m_route.nextWord(l);
            if (prev->nextName(l) == autoNext(p, l) && prev->nextName(l) != word)
                plan.append({Edit::NextName, p - 1, l, word});
        }
    }
    appendBack(plan, newBack);
    return plan;
}

StationRules::Plan StationRules::addNextEntry(int current) const
{
    const int back = m_route.backStationIndex();
    if (!m_separate || !m_route.station(current) || !(current == 0 || current == back) ||
        isNextEntry(current))
        return {};
    Plan plan{{Edit::Insert, current}};
    for (int l = 0; l < m_langCount; ++l)
        plan.append({Edit::Name, current, l, autoNext(current, l)});
    int newBack = back;
    moveBack(newBack, current, 1);
    appendBack(plan, newBack);
    return plan;
}

StationRules::Plan StationRules::remove(int current) const
{
    if (!controls(current).removeStation)
        return {};
    const int back = m_route.backStationIndex();
    int newBack = back;
    Plan plan{{Edit::Remove, current}};
    moveBack(newBack, current, -1);
    const bool firstOfDirection = current == 0 || current == back;
    if (m_separate && !firstOfDirection) {
        // A stop and its next-stop entry go together.
        const int partner = isNextEntry(current) ? current : current - 1;
        plan.append({Edit::Remove, partner});
        moveBack(newBack, partner, -1);
    } else if (!m_separate && !firstOfDirection) {
        const Station *prev = m_route.station(current - 1);
        for (int l = 0; l < m_langCount; ++l) {
            if (prev->nextName(l) != autoNext(current, l))
                continue;
            const QString text = autoNext(current + 1, l);
            if (text != prev->nextName(l))
                plan.append({Edit::NextName, current - 1, l, text});
        }
    }
    appendBack(plan, newBack);
    return plan;
}

StationRules::Plan StationRules::rename(int station, int lang, const QString &text) const
{
    const Station *s = m_route.station(station);
    if (!s || s->name(lang) == text)
        return {};
    const QString old = s->name(lang);
    Plan plan{{Edit::Name, station, lang, text}};
    const QString side = m_route.sideNameFromText(lang, text);
    if (m_route.sideNameFromText(lang, old) == s->sideName(lang) && side != s->sideName(lang))
        plan.append({Edit::SideName, station, lang, side});
    if (station > 0 && station != m_route.backStationIndex()) {
        const QString oldNext = m_route.nextTextFromStationText(lang, old);
        const QString newNext = m_route.nextTextFromStationText(lang, text);
        const Station *prev = m_route.station(station - 1);
        const QString prevText = m_separate ? prev->name(lang) : prev->nextName(lang);
        if (prevText == oldNext && prevText != newNext)
            plan.append({m_separate ? Edit::Name : Edit::NextName, station - 1, lang, newNext});
    }
    return plan;
}

StationRules::Plan StationRules::changeNextWord(int lang, const QString &word) const
{
    if (m_route.nextWord(lang) == word)
        return {};
    Plan plan{{Edit::NextWord, -1, lang, word}};
    const int n = m_route.stationCount();
    const int back = m_route.backStationIndex();
    const QString stationWord = m_route.stationWord(lang);
    // Every announcement of a following stop that is still the automatic text is rebuilt;
    // the separate layout keeps it in the next-stop entry, the combined one in the stop.
    auto rebuild = [&](int i) {
        const Station *s = m_route.stations().at(i);
        const QString current = m_separate ? s->name(lang) : s->nextName(lang);
        const QString name = m_route.stations().at(i + 1)->name(lang);
        const QString rebuilt = Route::replaceLeadingWord(name, stationWord, word);
        if (current == m_route.nextTextFromStationText(lang, name) && current != rebuilt)
            plan.append({m_separate ? Edit::Name : Edit::NextName, i, lang, rebuilt});
    };
    if (m_separate) {
        for (int i = n - 2; i >= 0; --i) {
            if (isNextEntry(i))
                rebuild(i);
        }
    } else {
        for (int i = 0; i < n - 1; ++i) {
            if (i + 1 != back)
                rebuild(i);
        }
    }
    return plan;
}

QString StationRules::autoStationName(int station, int lang) const
{
    const Station *prev = m_route.station(station - 1);
    if (station == 0 || station == m_route.backStationIndex() || !prev)
        return m_route.stationWord(lang);
    return m_route.stationTextFromNextText(lang,
                                           m_separate ? prev->name(lang) : prev->nextName(lang));
}

QString StationRules::autoNextName(int station, int lang) const
{
    if (station + 1 == m_route.backStationIndex())
        return QString();
    return autoNext(station + 1, lang);
}

QString StationRules::autoSideName(int station, int lang) const
{
    const Station *s = m_route.station(station);
    return s ? m_route.sideNameFromText(lang, s->name(lang)) : QString();
}

StationRules::NextStopLayout StationRules::nextStopLayout(const Route &route, int langCount)
{
    const int n = route.stationCount();
    const int back = route.backStationIndex();
    const QList<Station *> &stations = route.stations();
    auto openEnded = [&](int i) { return i != back - 1 && i != n - 1; };
    auto anyText = [&](auto &&test) {
        for (int i = 0; i < n; ++i) {
            for (int l = 0; l < langCount; ++l) {
                if (test(i, stations.at(i)->nextName(l)))
                    return true;
            }
        }
        return false;
    };

    NextStopLayout layout;
    // A first stop without a next-stop text means the entries between the stops carry them;
    // a text the layout does not expect leaves it open.
    if (n < 2 || !stations.at(0)->nextName(0).isEmpty()) {
        layout.ask = anyText([&](int i, const QString &t) { return openEnded(i) && t.isEmpty(); });
    } else {
        layout.separate = layout.defaultYes = true;
        layout.ask = anyText([](int, const QString &t) { return !t.isEmpty(); });
    }
    if (!layout.ask)
        return layout;

    QString word = route.nextWord(0);
    if (word.isEmpty()) {
        word = tr("Следующая остановка");
        layout.joinedPlan.append({Edit::NextWord, -1, 0, word});
    }
    for (int i = 0; i < n; ++i) {
        for (int l = 0; l < langCount; ++l) {
            const QString &next = stations.at(i)->nextName(l);
            if (!next.isEmpty()) {
                layout.separatePlan.append({Edit::NextName, i, l, QString()});
            } else if (openEnded(i)) {
                const QString text =
                    Route::replaceLeadingWord(stations.at(i + 1)->name(l), route.stationWord(l),
                                              l > 0 ? route.nextWord(l) : word);
                if (!text.isEmpty())
                    layout.joinedPlan.append({Edit::NextName, i, l, text});
            }
        }
    }
    return layout;
}

void StationRules::applyTexts(Route &route, const Plan &plan)
{
    for (const Edit &e : plan) {
        Station *s = route.station(e.station);
        if (e.kind == Edit::NextWord)
            route.setNextWord(e.lang, e.text);
        else if (s && e.kind == Edit::Name)
            s->setName(e.lang, e.text);
        else if (s && e.kind == Edit::NextName)
            s->setNextName(e.lang, e.text);
        else if (s && e.kind == Edit::SideName)
            s->setSideName(e.lang, e.text);
    }
}

StationPlan stationSequencePlan(const Route &route, int langCount, bool separate)
{
    StationPlan plan;
    int newBack = route.backStationIndex();
    if (separate)
        planSplit(plan, route.stations(), route.backStationIndex(), langCount, newBack);
    else
        planJoin(plan, route, langCount, newBack);
    plan.append({StationEdit::SetBackIndex, newBack, 0, QString()});
    return plan;
}

QString StationRules::formatCoordinate(const QGeoCoordinate &c)
{
    if (!c.isValid())
        return QString();
    return QStringLiteral("%1 %2").arg(c.latitude(), 0, 'f', 5).arg(c.longitude(), 0, 'f', 5);
}

QGeoCoordinate StationRules::parseCoordinate(const QString &text)
{
    int pos = 0;
    const std::optional<double> latitude = readNumber(text, pos);
    if (!latitude)
        return QGeoCoordinate();
    const std::optional<double> longitude = readNumber(text, pos);
    if (!longitude)
        return QGeoCoordinate();
    const QGeoCoordinate c(*latitude, *longitude);
    return c.isValid() ? c : QGeoCoordinate();
}
