#include "gtfscommand.h"

#include "gtfsfeed.h"
#include "gtfsroutebuilder.h"
#include "route.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

const QString routesKey = QStringLiteral("--gtfs-routes");
const QString importKey = QStringLiteral("--import-gtfs");

struct Arguments
{
    QString mode;
    QString feed;
    QString route;
    QString forward;
    QString back;
    QString lang;
    QString secondLang;
    QString folder;
    bool json = false;
};

// False with a message for an unknown key, a key without its value or a stray word.
bool parse(const QStringList &args, Arguments &a, QString &problem)
{
    const QList<QPair<QString, QString *>> valued = {
        {routesKey, &a.feed},
        {importKey, &a.feed},
        {QStringLiteral("--route"), &a.route},
        {QStringLiteral("--forward"), &a.forward},
        {QStringLiteral("--back"), &a.back},
        {QStringLiteral("--lang"), &a.lang},
        {QStringLiteral("--second-lang"), &a.secondLang}};
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (arg == QLatin1String("--json")) {
            a.json = true;
            continue;
        }
        bool known = false;
        for (const auto &v : valued) {
            if (arg != v.first)
                continue;
            known = true;
            if (i + 1 >= args.size()) {
                problem = QStringLiteral("у ключа %1 нет значения").arg(arg);
                return false;
            }
            if (arg == routesKey || arg == importKey)
                a.mode = arg;
            *v.second = args.at(++i);
        }
        if (known)
            continue;
        if (arg.startsWith(QLatin1String("--")) || !a.folder.isEmpty()) {
            problem = QStringLiteral("лишний или неизвестный аргумент %1").arg(arg);
            return false;
        }
        a.folder = arg;
    }
    if (a.mode == importKey && (a.route.isEmpty() || a.folder.isEmpty())) {
        problem = QStringLiteral("для --import-gtfs нужны --route и папка");
        return false;
    }
    if (a.mode == routesKey && !a.folder.isEmpty()) {
        problem = QStringLiteral("лишний аргумент %1").arg(a.folder);
        return false;
    }
    return true;
}

QString patternLine(const GtfsFeed &feed, const GtfsPattern &p)
{
    return QStringLiteral("направление %1, рейсов: %2, остановок: %3, %4 → %5 (%6)")
        .arg(p.direction)
        .arg(p.trips)
        .arg(p.stops.size())
        .arg(feed.stopName(p.stops.first()), feed.stopName(p.stops.last()), p.headsign);
}

int listRoutes(const GtfsFeed &feed, const Arguments &a, QTextStream &out, QTextStream &err)
{
    const int route = a.route.isEmpty() ? -1 : feed.findRoute(a.route);
    if (!a.route.isEmpty() && route < 0) {
        err << QStringLiteral("tessaly: маршрута %1 нет в наборе\n").arg(a.route);
        return GtfsCommand::NotInFeed;
    }
    QJsonArray list;
    for (int r = 0; r < feed.routes().size(); ++r) {
        if (route >= 0 && r != route)
            continue;
        const GtfsRoute &gr = feed.routes().at(r);
        QJsonObject o{{QStringLiteral("id"), gr.id},
                      {QStringLiteral("number"), gr.number()},
                      {QStringLiteral("name"), gr.longName},
                      {QStringLiteral("type"), GtfsFeed::routeTypeName(gr.type)},
                      {QStringLiteral("agency"), gr.agency}};
        if (!a.json)
            out << gr.id << '\t' << gr.number() << '\t' << gr.longName << '\t'
                << GtfsFeed::routeTypeName(gr.type) << '\n';
        if (route < 0) {
            list.append(o);
            continue;
        }
        QJsonArray patterns;
        const QVector<int> indices = feed.patternsOf(r);
        for (int n = 0; n < indices.size(); ++n) {
            const GtfsPattern &p = feed.patterns().at(indices.at(n));
            QString mark;
            if (indices.at(n) == feed.defaultForward(r))
                mark = QStringLiteral(" [туда]");
            else if (indices.at(n) == feed.defaultBack(r))
                mark = QStringLiteral(" [обратно]");
            if (!a.json)
                out << QStringLiteral("  %1: ").arg(n + 1) << patternLine(feed, p) << mark << '\n';
            QJsonArray stops;
            for (int s : p.stops)
                stops.append(feed.stops().at(s).id);
            patterns.append(QJsonObject{{QStringLiteral("number"), n + 1},
                                        {QStringLiteral("direction"), p.direction},
                                        {QStringLiteral("trips"), p.trips},
                                        {QStringLiteral("headsign"), p.headsign},
                                        {QStringLiteral("first"), feed.stopName(p.stops.first())},
                                        {QStringLiteral("last"), feed.stopName(p.stops.last())},
                                        {QStringLiteral("stops"), stops}});
        }
        o.insert(QStringLiteral("patterns"), patterns);
        list.append(o);
    }
    if (a.json)
        out << QJsonDocument(list).toJson(QJsonDocument::Indented);
    return GtfsCommand::Done;
}

// A pattern number as listed (from 1) → the feed's pattern index; -2 for a bad number.
int patternOf(const GtfsFeed &feed, int route, const QString &number, int fallback)
{
    if (number.isEmpty())
        return fallback;
    if (number == QLatin1String("none"))
        return -1;
    bool ok = false;
    const int n = number.toInt(&ok);
    const QVector<int> indices = feed.patternsOf(route);
    return ok && n >= 1 && n <= indices.size() ? indices.at(n - 1) : -2;
}

int importRoute(const GtfsFeed &feed, const Arguments &a, QTextStream &out, QTextStream &err)
{
    const int route = feed.findRoute(a.route);
    if (route < 0) {
        err << QStringLiteral("tessaly: маршрута %1 нет в наборе\n").arg(a.route);
        return GtfsCommand::NotInFeed;
    }
    GtfsChoice choice;
    choice.route = route;
    choice.forward = patternOf(feed, route, a.forward, feed.defaultForward(route));
    choice.back = patternOf(feed, route, a.back, feed.defaultBack(route));
    choice.lang = a.lang;
    choice.secondLang = a.secondLang;
    if (choice.forward < 0 || choice.back == -2) {
        err << QStringLiteral("tessaly: у маршрута %1 нет такого варианта (см. --gtfs-routes "
                              "--route %1)\n")
                   .arg(a.route);
        return GtfsCommand::NotInFeed;
    }
    for (const QString &lang : {a.lang, a.secondLang}) {
        if (!lang.isEmpty() && !feed.languages().contains(lang)) {
            err << QStringLiteral("tessaly: в наборе нет переводов на язык %1\n").arg(lang);
            return GtfsCommand::NotInFeed;
        }
    }

    const QString path = QDir::cleanPath(QFileInfo(a.folder).absoluteFilePath());
    const QFileInfo target(path);
    const bool existed = target.exists();
    if (existed && (!target.isDir() || !QDir(path).isEmpty())) {
        err << QStringLiteral("tessaly: %1: папка должна быть пустой или новой\n").arg(a.folder);
        return GtfsCommand::Unreadable;
    }
    Route result;
    if (!GtfsRouteBuilder::build(feed, choice, path, result)) {
        err << QStringLiteral("tessaly: не удалось составить маршрут\n");
        return GtfsCommand::NotInFeed;
    }
    if (!QDir().mkpath(path) || !result.save()) {
        // Nothing is left behind: a folder made here goes again.
        if (!existed)
            QDir(path).removeRecursively();
        err << QStringLiteral("tessaly: %1: не удалось записать маршрут\n").arg(a.folder);
        return GtfsCommand::Unreadable;
    }
    int noCoordinate = 0;
    int noSecond = 0;
    for (const Station *s : result.stations()) {
        noCoordinate += s->coordinate().isValid() ? 0 : 1;
        noSecond += !a.secondLang.isEmpty() && s->name(1).isEmpty() ? 1 : 0;
    }
    out << QStringLiteral("%1: остановок %2 (туда %3, обратно %4), без координат %5, без "
                          "перевода %6, пропущено строк набора %7\n")
               .arg(a.folder)
               .arg(result.stationCount())
               .arg(result.backStationIndex())
               .arg(result.stationCount() - result.backStationIndex())
               .arg(noCoordinate)
               .arg(noSecond)
               .arg(feed.skippedRows());
    return GtfsCommand::Done;
}

} // namespace

bool GtfsCommand::wanted(const QStringList &arguments)
{
    return arguments.contains(routesKey) || arguments.contains(importKey);
}

QString GtfsCommand::usageText()
{
    return QStringLiteral(
        "       tessaly --gtfs-routes НАБОР [--route R] [--json]\n"
        "       tessaly --import-gtfs НАБОР --route R [--forward N] [--back N|none]\n"
        "               [--lang КОД] [--second-lang КОД] ПАПКА\n");
}

QString GtfsCommand::optionsText()
{
    return QStringLiteral(
        "  --gtfs-routes  маршруты набора GTFS (zip-архив или папка): id, номер,\n"
        "                 название, вид; с --route R - варианты маршрута по строке:\n"
        "                 номер, направление, рейсы, остановки, первая → последняя\n"
        "  --import-gtfs  записать в пустую или новую ПАПКУ маршрут R (route_id или\n"
        "                 route_short_name) из вариантов --forward и --back (номера из\n"
        "                 --gtfs-routes; по умолчанию самые частые в направлениях 0 и 1;\n"
        "                 --back none - без обратного направления); --lang и\n"
        "                 --second-lang - языки переводов из translations.txt для\n"
        "                 первого и второго языка (без --lang: stop_name)\n"
        "                 Код выхода: 0 - готово, 1 - маршрута или варианта нет в\n"
        "                 наборе, 2 - набор не прочитан или папка не пуста.\n");
}

QString GtfsCommand::helpText()
{
    return QStringLiteral("Использование:\n") + usageText() + QLatin1Char('\n') + optionsText();
}

int GtfsCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    Arguments a;
    QString problem;
    if (!parse(arguments.mid(1), a, problem)) {
        err << QStringLiteral("tessaly: ") << problem << '\n' << helpText();
        return Unreadable;
    }
    GtfsFeed feed;
    GtfsFeed::Options options;
    options.patterns = a.mode == importKey || !a.route.isEmpty();
    options.route = a.route;
    if (feed.read(a.feed, options) != GtfsFeed::Read) {
        err << QStringLiteral("tessaly: ") << feed.error() << '\n';
        return Unreadable;
    }
    for (const QString &w : feed.warnings())
        err << w << '\n';
    if (feed.skippedRows() > feed.warnings().size())
        err << QStringLiteral("… и ещё строк: %1\n")
                   .arg(feed.skippedRows() - feed.warnings().size());
    const int code =
        a.mode == importKey ? importRoute(feed, a, out, err) : listRoutes(feed, a, out, err);
    out.flush();
    err.flush();
    return code;
}
