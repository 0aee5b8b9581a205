#include "gtfsfeed.h"

#include "feedsource.h"
#include "feedtable.h"

#include <QSet>

#include <algorithm>
#include <string>

namespace {

const int MaxWarnings = 20;
const int ProgressRows = 1 << 16;

QString toText(std::string_view v)
{
    return QString::fromUtf8(v.data(), int(v.size())).trimmed();
}

std::string_view trimmed(std::string_view v)
{
    while (!v.empty() && (v.front() == ' ' || v.front() == '\t'))
        v.remove_prefix(1);
    while (!v.empty() && (v.back() == ' ' || v.back() == '\t'))
        v.remove_suffix(1);
    return v;
}

// stop_sequence: a non-negative whole number.
bool parseCount(std::string_view v, int &value)
{
    v = trimmed(v);
    if (v.empty() || v.size() > 9)
        return false;
    int n = 0;
    for (char c : v) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    value = n;
    return true;
}

// Ids looked up by their bytes without a copy: an open-addressed table of indices, which
// stop_times.txt asks once per row.
class IdIndex
{
public:
    int add(std::string_view id)
    {
        if ((m_ids.size() + 1) * 2 > m_slots.size())
            grow();
        size_t slot = probe(id);
        if (m_slots[slot] >= 0)
            return m_slots[slot];
        m_ids.emplace_back(id);
        m_slots[slot] = int(m_ids.size()) - 1;
        return m_slots[slot];
    }
    int find(std::string_view id) const { return m_slots.empty() ? -1 : m_slots[probe(id)]; }

private:
    static size_t hash(std::string_view id)
    {
        size_t h = 14695981039346656037ull; // FNV-1a
        for (char c : id)
            h = (h ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return h;
    }
    size_t probe(std::string_view id) const
    {
        const size_t mask = m_slots.size() - 1;
        size_t slot = hash(id) & mask;
        while (m_slots[slot] >= 0 && m_ids[size_t(m_slots[slot])] != id)
            slot = (slot + 1) & mask;
        return slot;
    }
    void grow()
    {
        m_slots.assign(qMax<size_t>(64, m_slots.size() * 2), -1);
        for (size_t i = 0; i < m_ids.size(); ++i)
            m_slots[probe(m_ids[i])] = int(i);
    }

    std::vector<std::string> m_ids;
    std::vector<int> m_slots;
};

struct Trip
{
    int route;
    int direction;
    QString headsign;
    std::vector<std::pair<int, int>> calls; // stop_sequence, stop
};

} // namespace

void GtfsFeed::skip(const QString &message)
{
    ++m_skipped;
    if (m_warnings.size() < MaxWarnings)
        m_warnings.append(message);
}

bool GtfsFeed::usableId(const FeedTable &table, int column, bool emptyOrSeen)
{
    if (emptyOrSeen)
        skip(table.where(column) + QStringLiteral(": пустой или повторный идентификатор"));
    return !emptyOrSeen;
}

GtfsFeed::Result GtfsFeed::read(const QString &path, const Options &options)
{
    *this = GtfsFeed();
    FeedSource source;
    QHash<QString, QString> agencies;
    if (!source.open(path, &m_error) || !readAgencies(source, agencies) ||
        !readRoutes(source, agencies) || !readStops(source) || !readTranslations(source))
        return Unreadable;
    return readTrips(source, options);
}

bool GtfsFeed::readAgencies(const FeedSource &source, QHash<QString, QString> &names)
{
    FeedTable t;
    if (!t.open(source, QStringLiteral("agency.txt"), {}, &m_error, true))
        return false;
    const int id = t.column("agency_id");
    const int name = t.column("agency_name");
    while (t.next()) {
        // A route without agency_id belongs to the feed's first agency.
        if (names.isEmpty())
            names.insert(QString(), t.text(name));
        names.insert(t.text(id), t.text(name));
    }
    return true;
}

bool GtfsFeed::readRoutes(const FeedSource &source, const QHash<QString, QString> &agencies)
{
    FeedTable t;
    if (!t.open(source, QStringLiteral("routes.txt"), {"route_id"}, &m_error))
        return false;
    const int id = t.column("route_id");
    const int shortName = t.column("route_short_name");
    const int longName = t.column("route_long_name");
    const int type = t.column("route_type");
    const int agency = t.column("agency_id");
    QSet<QString> seen;
    while (t.next()) {
        GtfsRoute r;
        r.id = t.text(id);
        if (!usableId(t, id, r.id.isEmpty() || seen.contains(r.id)))
            continue;
        seen.insert(r.id);
        r.shortName = t.text(shortName);
        r.longName = t.text(longName);
        r.agency = agencies.value(t.text(agency), agencies.value(QString()));
        bool ok = false;
        r.type = t.text(type).toInt(&ok);
        if (!ok)
            r.type = -1;
        m_routes.append(r);
    }
    return true;
}

bool GtfsFeed::readStops(const FeedSource &source)
{
    FeedTable t;
    if (!t.open(source, QStringLiteral("stops.txt"), {"stop_id"}, &m_error))
        return false;
    const int id = t.column("stop_id");
    const int name = t.column("stop_name");
    const int lat = t.column("stop_lat");
    const int lon = t.column("stop_lon");
    const int parent = t.column("parent_station");
    QStringList parents;
    while (t.next()) {
        GtfsStop s;
        s.id = t.text(id);
        if (!usableId(t, id, s.id.isEmpty() || m_stopIndex.contains(s.id)))
            continue;
        s.name = t.text(name);
        const QString latText = t.text(lat);
        const QString lonText = t.text(lon);
        if (!latText.isEmpty() || !lonText.isEmpty()) {
            bool okLat = false;
            bool okLon = false;
            const QGeoCoordinate c(latText.toDouble(&okLat), lonText.toDouble(&okLon));
            if (okLat && okLon && c.isValid())
                s.coordinate = c;
            else
                skip(t.where(okLat ? lon : lat) +
                     QStringLiteral(": неверная координата «%1 %2», остановка без координат")
                         .arg(latText, lonText));
        }
        m_stopIndex.insert(s.id, m_stops.size());
        m_stops.append(s);
        parents.append(t.text(parent));
    }
    for (int i = 0; i < m_stops.size(); ++i)
        m_stops[i].parent = parents.at(i).isEmpty() ? -1 : m_stopIndex.value(parents.at(i), -1);
    return true;
}

bool GtfsFeed::readTranslations(const FeedSource &source)
{
    FeedTable t;
    QString problem;
    if (!t.open(source, QStringLiteral("translations.txt"),
                {"table_name", "field_name", "language", "translation"}, &problem, true)) {
        // An optional file that can't be used costs only its translations.
        skip(problem);
        return true;
    }
    const int table = t.column("table_name");
    const int field = t.column("field_name");
    const int language = t.column("language");
    const int translation = t.column("translation");
    const int record = t.column("record_id");
    const int value = t.column("field_value");
    while (t.next()) {
        if (t.field(table) != "stops" || t.field(field) != "stop_name")
            continue;
        const QString lang = t.text(language);
        const QString text = t.text(translation);
        if (!t.text(record).isEmpty())
            m_byId[lang].insert(t.text(record), text);
        else if (!t.text(value).isEmpty())
            m_byValue[lang].insert(t.text(value), text);
        else
            skip(t.where(record) + QStringLiteral(": перевод без record_id и field_value"));
    }
    return true;
}

GtfsFeed::Result GtfsFeed::readTrips(const FeedSource &source, const Options &options)
{
    FeedTable t;
    if (!t.open(source, QStringLiteral("trips.txt"), {"route_id", "trip_id"}, &m_error))
        return Unreadable;
    QHash<QString, int> routeIndex;
    for (int i = 0; i < m_routes.size(); ++i)
        routeIndex.insert(m_routes.at(i).id, i);
    const int wanted = options.route.isEmpty() ? -1 : findRoute(options.route);
    const int routeCol = t.column("route_id");
    const int tripCol = t.column("trip_id");
    const int directionCol = t.column("direction_id");
    const int headsignCol = t.column("trip_headsign");
    IdIndex tripIds;
    std::vector<Trip> trips;
    while (t.next()) {
        const auto route = routeIndex.constFind(t.text(routeCol));
        if (route == routeIndex.constEnd()) {
            skip(t.where(routeCol) +
                 QStringLiteral(": маршрута «%1» нет в routes.txt").arg(t.text(routeCol)));
            continue;
        }
        const std::string_view id = trimmed(t.field(tripCol));
        if (!usableId(t, tripCol, id.empty() || tripIds.find(id) >= 0))
            continue;
        tripIds.add(id);
        int direction = 0;
        if (!parseCount(t.field(directionCol), direction) || direction > 1)
            direction = 0;
        trips.push_back({*route, direction, t.text(headsignCol), {}});
    }
    if (!options.patterns)
        return Read;

    if (!t.open(source, QStringLiteral("stop_times.txt"), {"trip_id", "stop_id", "stop_sequence"},
                &m_error))
        return Unreadable;
    IdIndex stopIds;
    for (const GtfsStop &s : qAsConst(m_stops))
        stopIds.add(s.id.toStdString());
    const int tripCol2 = t.column("trip_id");
    const int stopCol = t.column("stop_id");
    const int seqCol = t.column("stop_sequence");
    t.limitFields(qMax(tripCol2, qMax(stopCol, seqCol)) + 1);
    std::string lastTrip = "\x01";
    int trip = -1;
    qint64 rows = 0;
    while (t.next()) {
        if (++rows % ProgressRows == 0 && options.progress &&
            !options.progress(t.bytesRead(), t.size()))
            return Cancelled;
        const std::string_view tripId = trimmed(t.field(tripCol2));
        if (tripId != lastTrip) {
            lastTrip.assign(tripId);
            trip = tripIds.find(tripId);
        }
        if (trip < 0) {
            skip(t.where(tripCol2) +
                 QStringLiteral(": рейса «%1» нет в trips.txt").arg(toText(tripId)));
            continue;
        }
        Trip &tr = trips[size_t(trip)];
        if (wanted >= 0 && tr.route != wanted)
            continue;
        const int stop = stopIds.find(trimmed(t.field(stopCol)));
        int sequence = 0;
        if (stop < 0) {
            skip(t.where(stopCol) +
                 QStringLiteral(": остановки «%1» нет в stops.txt").arg(toText(t.field(stopCol))));
            continue;
        }
        if (!parseCount(t.field(seqCol), sequence)) {
            skip(t.where(seqCol) + QStringLiteral(": неверный номер по порядку"));
            continue;
        }
        if (tr.calls.empty())
            tr.calls.reserve(32);
        tr.calls.emplace_back(sequence, stop);
    }
    if (options.progress && !options.progress(t.size(), t.size()))
        return Cancelled;

    // Trips with the same route, direction and stops make one pattern.
    QHash<QVector<int>, int> patternIndex;
    QVector<QHash<QString, int>> headsigns;
    for (Trip &tr : trips) {
        if (tr.calls.size() < 2)
            continue;
        if (!std::is_sorted(tr.calls.begin(), tr.calls.end()))
            std::stable_sort(tr.calls.begin(), tr.calls.end());
        QVector<int> key{tr.route, tr.direction};
        key.reserve(int(tr.calls.size()) + 2);
        for (const auto &call : tr.calls)
            key.append(call.second);
        std::vector<std::pair<int, int>>().swap(tr.calls);
        auto found = patternIndex.find(key);
        if (found == patternIndex.end()) {
            GtfsPattern p;
            p.route = tr.route;
            p.direction = tr.direction;
            p.stops = key.mid(2);
            found = patternIndex.insert(key, m_patterns.size());
            m_patterns.append(p);
            headsigns.append(QHash<QString, int>());
        }
        ++m_patterns[*found].trips;
        ++headsigns[*found][tr.headsign];
    }
    for (int i = 0; i < m_patterns.size(); ++i) {
        int best = 0;
        for (auto h = headsigns.at(i).cbegin(); h != headsigns.at(i).cend(); ++h) {
            if (h.value() > best || (h.value() == best && h.key() < m_patterns[i].headsign)) {
                best = h.value();
                m_patterns[i].headsign = h.key();
            }
        }
        if (m_patterns[i].headsign.isEmpty())
            m_patterns[i].headsign = stopName(m_patterns[i].stops.last());
    }
    std::stable_sort(m_patterns.begin(), m_patterns.end(),
                     [](const GtfsPattern &a, const GtfsPattern &b) {
                         if (a.route != b.route)
                             return a.route < b.route;
                         if (a.direction != b.direction)
                             return a.direction < b.direction;
                         if (a.trips != b.trips)
                             return a.trips > b.trips;
                         if (a.stops.size() != b.stops.size())
                             return a.stops.size() > b.stops.size();
                         return a.stops < b.stops;
                     });
    return Read;
}

int GtfsFeed::findRoute(const QString &key) const
{
    for (int i = 0; i < m_routes.size(); ++i) {
        if (m_routes.at(i).id == key)
            return i;
    }
    for (int i = 0; i < m_routes.size(); ++i) {
        if (m_routes.at(i).shortName == key)
            return i;
    }
    return -1;
}

QVector<int> GtfsFeed::patternsOf(int route) const
{
    QVector<int> list;
    for (int i = 0; i < m_patterns.size(); ++i) {
        if (m_patterns.at(i).route == route)
            list.append(i);
    }
    return list;
}

int GtfsFeed::defaultForward(int route) const
{
    const QVector<int> list = patternsOf(route);
    return list.isEmpty() ? -1 : list.first();
}

int GtfsFeed::defaultBack(int route) const
{
    for (int i : patternsOf(route)) {
        if (m_patterns.at(i).direction == 1)
            return m_patterns.at(defaultForward(route)).direction == 1 ? -1 : i;
    }
    return -1;
}

QStringList GtfsFeed::languages() const
{
    QStringList list = m_byId.keys() + m_byValue.keys();
    std::sort(list.begin(), list.end());
    list.erase(std::unique(list.begin(), list.end()), list.end());
    return list;
}

QString GtfsFeed::translated(int stop, const QString &lang) const
{
    const GtfsStop &s = m_stops.at(stop);
    const QString byId = m_byId.value(lang).value(s.id);
    if (!byId.isEmpty() || s.name.isEmpty())
        return byId;
    return m_byValue.value(lang).value(s.name);
}

QString GtfsFeed::stopName(int stop, const QString &lang) const
{
    if (stop < 0 || stop >= m_stops.size())
        return QString();
    const GtfsStop &s = m_stops.at(stop);
    const int parent = s.name.isEmpty() ? s.parent : -1;
    if (lang.isEmpty())
        return parent >= 0 ? m_stops.at(parent).name : s.name;
    const QString own = translated(stop, lang);
    return own.isEmpty() && parent >= 0 ? translated(parent, lang) : own;
}

QString GtfsFeed::routeTypeName(int type)
{
    // The basic types, and the hundreds of the extended ones.
    static const QHash<int, const char *> names = {
        {0, "трамвай"},         {1, "метро"},     {2, "поезд"},
        {3, "автобус"},         {4, "паром"},     {5, "канатный трамвай"},
        {6, "канатная дорога"}, {7, "фуникулёр"}, {11, "троллейбус"},
        {12, "монорельс"},      {100, "поезд"},   {200, "автобус"},
        {400, "метро"},         {700, "автобус"}, {800, "троллейбус"},
        {900, "трамвай"},       {1000, "паром"},  {1300, "канатная дорога"},
        {1400, "фуникулёр"}};
    const char *name = names.value(type, names.value(type >= 100 ? type / 100 * 100 : -1));
    return name ? QString::fromUtf8(name) : QStringLiteral("другой");
}
