#include "checkcommand.h"

#include "fronttablotype.h"
#include "gtfscommand.h"
#include "route.h"
#include "routechecker.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

namespace {

QJsonObject toJson(const RouteFinding &f)
{
    QJsonObject o{{QStringLiteral("severity"), RouteFinding::severityName(f.severity)},
                  {QStringLiteral("where"), f.where},
                  {QStringLiteral("message"), f.message}};
    if (f.station >= 0)
        o.insert(QStringLiteral("station"), f.station + 1);
    if (f.place >= RouteFinding::FrontBoardPlace && f.place <= RouteFinding::BackBoardPlace)
        o.insert(QStringLiteral("board"),
                 QLatin1String(boardOf(f.place - RouteFinding::FrontBoardPlace).name));
    if (f.lang >= 0)
        o.insert(QStringLiteral("language"), f.lang + 1);
    if (!f.file.isEmpty())
        o.insert(QStringLiteral("file"), f.file);
    return o;
}

} // namespace

bool CheckCommand::wanted(const QStringList &arguments)
{
    return arguments.contains(QStringLiteral("--check")) ||
           arguments.contains(QStringLiteral("--help")) || arguments.contains(QStringLiteral("-h"));
}

QString CheckCommand::helpText()
{
    return QStringLiteral("Использование: tessaly [ПАПКА...]\n"
                          "       tessaly --check [--json] ПАПКА...\n") +
           GtfsCommand::usageText() +
           QStringLiteral(
               "\n"
               "Без ключей открывает папки маршрутов в редакторе.\n"
               "\n"
               "  --check   проверить маршруты без окна: по строке на каждую находку\n"
               "            (ПАПКА: error|warning|note: место: что не так) и итог по папке\n"
               "  --json    выдать находки в формате JSON (вместе с --check)\n"
               "  --help    эта справка\n") +
           GtfsCommand::optionsText() +
           QStringLiteral(
               "\n"
               "Ошибки: нет звукового, текстового или рекламного файла; символ, которого нет\n"
               "в шрифтах табло; нет текста на втором языке; станция без названия.\n"
               "Предупреждения: нет координат, радиус 0, соседние остановки дальше 30 км\n"
               "или в одной точке, текст шире табло выбранной модели.\n"
               "Замечания: файлы в папке маршрута или рекламы, которые нигде не используются.\n"
               "\n"
               "Код выхода: 0 - ошибок нет, 1 - есть ошибки, 2 - папку не удалось прочитать.\n");
}

int CheckCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    const QStringList args = arguments.mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        out << helpText();
        return Clean;
    }
    bool json = false;
    QStringList folders;
    for (const QString &arg : args) {
        if (arg == QLatin1String("--json"))
            json = true;
        else if (arg == QLatin1String("--check"))
            continue;
        else if (arg.startsWith(QLatin1String("--"))) {
            err << QStringLiteral("tessaly: неизвестный ключ %1\n").arg(arg) << helpText();
            return Unreadable;
        } else
            folders << arg;
    }
    if (folders.isEmpty()) {
        err << QStringLiteral("tessaly: не указана папка маршрута\n") << helpText();
        return Unreadable;
    }

    int code = Clean;
    QJsonArray report;
    for (const QString &folder : folders) {
        const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
        Route route;
        if (!QFileInfo(path).isDir() || !route.load(path)) {
            code = Unreadable;
            if (json)
                report.append(QJsonObject{{QStringLiteral("folder"), folder},
                                          {QStringLiteral("readable"), false}});
            else
                err << folder << QStringLiteral(": не удалось прочитать маршрут (нет ost.txt)\n");
            continue;
        }
        // The models the editor would use: the folder's editor.ini, else the user's defaults.
        const RouteChecker::Models defaults{storedFrontTabloType(FrontBoard),
                                            storedFrontTabloType(SideBoard),
                                            storedFrontTabloType(BackBoard)};
        const QList<RouteFinding> findings = RouteChecker::runOnFolder(route, defaults);
        int counts[3] = {0, 0, 0};
        QJsonArray items;
        for (const RouteFinding &f : findings) {
            ++counts[f.severity];
            if (json)
                items.append(toJson(f));
            else
                out << folder << QStringLiteral(": ") << RouteFinding::severityName(f.severity)
                    << QStringLiteral(": ") << f.text() << '\n';
        }
        if (counts[RouteFinding::Error] > 0 && code == Clean)
            code = HasErrors;
        if (json) {
            report.append(QJsonObject{{QStringLiteral("folder"), folder},
                                      {QStringLiteral("readable"), true},
                                      {QStringLiteral("errors"), counts[0]},
                                      {QStringLiteral("warnings"), counts[1]},
                                      {QStringLiteral("notes"), counts[2]},
                                      {QStringLiteral("findings"), items}});
        } else {
            out << folder
                << QStringLiteral(": ошибок: %1, предупреждений: %2, замечаний: %3\n")
                       .arg(counts[0])
                       .arg(counts[1])
                       .arg(counts[2]);
        }
    }
    if (json)
        out << QJsonDocument(report).toJson(QJsonDocument::Indented);
    out.flush();
    return code;
}
