#include "routecheck.h"

#include "board.h"
#include "route.h"
#include "routefolder.h"
#include "stopspacing.h"
#include "textencoding.h"
#include "textrule.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <vector>

namespace {

using LangGetter = QString (Route::*)(int) const;
using StationGetter = const QString &(Station::*)(int) const;

// Texts of the route held once per language, with the page that edits them.
struct RouteText
{
    RouteFinding::Place place;
    LangGetter get;
    const char *name;
    bool onBoard; // drawn with the board fonts
    TextRule::Kind kind;
    int limit; // characters the equipment shows, 0 for no limit
};
// In the order they are checked: the words, each board's texts, the running line's texts.
const std::vector<RouteText> &routeTexts()
{
    static const std::vector<RouteText> texts = [] {
        std::vector<RouteText> t{
            {RouteFinding::RoutePlace, &Route::stationWord, "слово «Остановка»", false,
             TextRule::LineText, TextRule::textLimit},
            {RouteFinding::RoutePlace, &Route::nextWord, "слово «Следующая остановка»", false,
             TextRule::LineText, TextRule::textLimit},
        };
        for (const Board &board : boards) {
            const RouteFinding::Place place = RouteFinding::boardPlace(board.id);
            t.push_back(
                {place, board.startingPoint, "пункт отправления", true, TextRule::HeaderText, 0});
            t.push_back(
                {place, board.destination, "пункт назначения", true, TextRule::HeaderText, 0});
        }
        t.push_back({RouteFinding::RouteTextPlace, &Route::routeText, "текст маршрута", false,
                     TextRule::LineText, 0});
        t.push_back({RouteFinding::SalonTempPlace, &Route::salonTempText, "температура в салоне",
                     false, TextRule::LineText, 0});
        t.push_back({RouteFinding::OutsideTempPlace, &Route::outsideTempText,
                     "температура на улице", false, TextRule::LineText, 0});
        return t;
    }();
    return texts;
}

struct StationText
{
    StationGetter get;
    const char *name;
    TextRule::Kind kind;
};
const StationText stationTexts[] = {
    {&Station::name, "объявление остановки", TextRule::PairText},
    {&Station::nextName, "объявление следующей остановки", TextRule::PairText},
    {&Station::sideName, "название на боковом табло", TextRule::LineText},
};

} // namespace

QString RouteFinding::placeName(Place place)
{
    switch (place) {
    case FrontBoardPlace:
        return QStringLiteral("переднее табло");
    case SideBoardPlace:
        return QStringLiteral("боковое табло");
    case BackBoardPlace:
        return QStringLiteral("заднее табло");
    case RouteTextPlace:
    case SalonTempPlace:
    case OutsideTempPlace:
        return QStringLiteral("салонное табло");
    case AdListPlace:
        return QStringLiteral("список рекламы");
    case RouteFolderPlace:
        return QStringLiteral("папка маршрута");
    default:
        return QStringLiteral("маршрут");
    }
}

namespace {

// Names of the files of one folder, found exactly or regardless of case.
class FolderListing
{
public:
    explicit FolderListing(const QString &folder) : m_folder(folder)
    {
        if (folder.isEmpty())
            return;
        for (const QString &name :
             QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::NoSort)) {
            m_exact.insert(name);
            m_folded.insert(name.toLower(), name);
        }
    }
    const QSet<QString> &names() const { return m_exact; }
    bool has(const QString &name) const
    {
        if (isPath(name))
            return QFileInfo::exists(m_folder + QLatin1Char('/') + name);
        return m_exact.contains(name);
    }
    // The name on disk that differs from a missing one only in case, or empty.
    QString caseVariant(const QString &name) const
    {
        return isPath(name) ? QString() : m_folded.value(name.toLower());
    }

private:
    static bool isPath(const QString &name)
    {
        return name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'));
    }
    QString m_folder;
    QSet<QString> m_exact;
    QHash<QString, QString> m_folded;
};

class Checker
{
public:
    Checker(const Route &route, const RouteCheck::CharFilter &canShow)
        : m_route(route), m_canShow(canShow), m_langs(route.languageCount())
    {
    }

    QList<RouteFinding> run()
    {
        checkRouteTexts();
        for (int i = 0; i < m_route.stationCount(); ++i)
            checkStation(i);
        checkPositions();
        checkFiles();
        RouteCheck::sortBySeverity(m_findings);
        return m_findings;
    }

private:
    RouteFinding &add(RouteFinding::Severity severity, RouteFinding::Place place,
                      const QString &message, int station = -1)
    {
        RouteFinding f;
        f.severity = severity;
        f.place = place;
        f.station = station;
        f.where = station >= 0 ? RouteCheck::stationLabel(m_route, station)
                               : RouteFinding::placeName(place);
        f.message = message;
        m_findings.append(f);
        return m_findings.last();
    }

    QString textName(const char *name, int lang) const
    {
        const QString text = QString::fromUtf8(name);
        return m_langs > 1 ? text + QStringLiteral(" (язык %1)").arg(lang + 1) : text;
    }

    // One finding per text, listing every character the boards would drop.
    void checkCharacters(const QString &text, const QString &name, RouteFinding::Place place,
                         int lang, int station = -1)
    {
        if (!m_canShow)
            return;
        const QVector<uint> missing = RouteCheck::missingCharacters(text, m_canShow);
        if (missing.isEmpty())
            return;
        QStringList shown;
        for (const uint c : missing)
            shown << QStringLiteral("«%1» (U+%2)")
                         .arg(QString::fromUcs4(&c, 1))
                         .arg(QString::number(c, 16).toUpper().rightJustified(4, QLatin1Char('0')));
        const QString verb = missing.size() > 1 ? QStringLiteral("символы %1 не отображаются")
                                                : QStringLiteral("символ %1 не отображается");
        add(RouteFinding::Error, place,
            name + QStringLiteral(" «") + text + QStringLiteral("»: ") +
                verb.arg(shown.join(QStringLiteral(", "))) + QStringLiteral(" шрифтами табло"),
            station)
            .lang = lang;
    }

    void checkSecondLanguage(const QString &first, const QString &second, const QString &name,
                             RouteFinding::Place place, int station = -1)
    {
        if (m_langs > 1 && !first.trimmed().isEmpty() && second.trimmed().isEmpty())
            add(RouteFinding::Error, place, name + QStringLiteral(": нет текста на втором языке"),
                station)
                .lang = 1;
    }

    // A text that would not read back as it is after a save, or that the equipment cuts.
    void checkKept(const QString &text, const QString &name, RouteFinding::Place place, int lang,
                   TextRule::Kind kind, int limit, int station = -1)
    {
        // Only the first language's header texts carry the mode suffix.
        if (kind == TextRule::HeaderText && lang > 0)
            kind = TextRule::PairText;
        const QString problem = TextRule::problem(kind, text);
        if (!problem.isEmpty())
            add(RouteFinding::Warning, place,
                name + QStringLiteral(" «") + text + QStringLiteral("»: ") + problem +
                    QStringLiteral(", текст может не сохраниться как есть"),
                station)
                .lang = lang;
        if (limit > 0 && text.size() > limit)
            add(RouteFinding::Warning, place,
                name + QStringLiteral(": %1 символов, оборудование показывает не больше %2")
                           .arg(text.size())
                           .arg(limit),
                station)
                .lang = lang;
    }

    void checkRouteTexts()
    {
        for (const RouteText &t : routeTexts()) {
            const QString first = (m_route.*t.get)(0);
            checkSecondLanguage(first, (m_route.*t.get)(1), QString::fromUtf8(t.name), t.place);
            for (int lang = 0; t.onBoard && lang < m_langs; ++lang)
                checkCharacters((m_route.*t.get)(lang), textName(t.name, lang), t.place, lang);
            for (int lang = 0; lang < m_langs; ++lang)
                checkKept((m_route.*t.get)(lang), textName(t.name, lang), t.place, lang, t.kind,
                          t.limit);
        }
        // Single-language texts drawn on the boards.
        for (const Board &board : boards) {
            const RouteFinding::Place place = RouteFinding::boardPlace(board.id);
            checkCharacters((m_route.*board.number)(), QStringLiteral("номер"), place, -1);
            checkKept((m_route.*board.number)(), QStringLiteral("номер"), place, -1,
                      TextRule::NumberText, TextRule::numberLimit);
            if (board.separator) {
                checkCharacters((m_route.*board.separator)(), QStringLiteral("разделитель"), place,
                                -1);
                checkKept((m_route.*board.separator)(), QStringLiteral("разделитель"), place, -1,
                          TextRule::SeparatorText, 0);
            }
        }
    }

    void checkStation(int i)
    {
        const Station *s = m_route.station(i);
        const QString name = s->name(0).trimmed();
        if (name.isEmpty() || name == m_route.stationWord(0))
            add(RouteFinding::Error, RouteFinding::StationTextPlace, QStringLiteral("нет названия"),
                i)
                .lang = 0;
        for (const StationText &t : stationTexts) {
            checkSecondLanguage((s->*t.get)(0), (s->*t.get)(1), QString::fromUtf8(t.name),
                                RouteFinding::StationTextPlace, i);
            for (int lang = 0; lang < m_langs; ++lang) {
                checkCharacters((s->*t.get)(lang), textName(t.name, lang),
                                RouteFinding::StationTextPlace, lang, i);
                checkKept((s->*t.get)(lang), textName(t.name, lang), RouteFinding::StationTextPlace,
                          lang, t.kind, TextRule::textLimit, i);
            }
        }
        if (!s->coordinate().isValid())
            add(RouteFinding::Warning, RouteFinding::StationCoordinatePlace,
                QStringLiteral("нет координат: объявление по положению не сработает"), i);
        else if (s->radius() == 0)
            add(RouteFinding::Warning, RouteFinding::StationCoordinatePlace,
                QStringLiteral("радиус 0: объявление по положению не сработает"), i);
    }

    void checkPositions()
    {
        for (const StopSpacing::Finding &f : StopSpacing::run(m_route))
            add(RouteFinding::Warning, RouteFinding::StationCoordinatePlace, f.message, f.station);
    }

    // A referenced file that is not there; a file there only in another case is a warning.
    void checkFile(const FolderListing &folder, const QString &name, RouteFinding::Place place,
                   int station, int row, const QString &where)
    {
        if (folder.has(name))
            return;
        const QString variant = folder.caseVariant(name);
        RouteFinding &f =
            variant.isEmpty()
                ? add(RouteFinding::Error, place, QStringLiteral("нет файла ") + name + where,
                      station)
                : add(RouteFinding::Warning, place,
                      QStringLiteral("файл ") + name + where + QStringLiteral(" есть только как ") +
                          variant + QStringLiteral(" (другой регистр букв)"),
                      station);
        f.row = row;
        f.file = name;
    }

    void checkFiles()
    {
        const QString routePath = m_route.path();
        const QString adPath = m_route.adPath();
        const FolderListing routeFolder(routePath);
        const bool sameFolder = QDir::cleanPath(adPath) == QDir::cleanPath(routePath);
        const FolderListing adFolder(sameFolder ? QString() : adPath);
        const FolderListing &ads = sameFolder ? routeFolder : adFolder;

        QSet<QString> used;
        // The route's own files, never "unused".
        for (const QString &name : routeFolderFileNames())
            used.insert(name);
        for (int i = 0; i < m_route.stationCount(); ++i) {
            const Station *s = m_route.station(i);
            const QStringList *lists[] = {&s->soundFiles(), &s->textFiles()};
            for (int l = 0; l < 2; ++l) {
                for (int row = 0; row < lists[l]->size(); ++row) {
                    const QString &name = lists[l]->at(row);
                    if (name.isEmpty())
                        continue;
                    used.insert(name.toLower());
                    checkFile(routeFolder, name,
                              l == 0 ? RouteFinding::StationSoundPlace
                                     : RouteFinding::StationTextFilePlace,
                              i, row, QString());
                }
            }
        }
        QSet<QString> usedAds{routeFileName(RouteFile::AdScript)};
        const QStringList &adFiles = m_route.adTextFiles();
        for (int row = 0; row < adFiles.size(); ++row) {
            usedAds.insert(adFiles.at(row).toLower());
            checkFile(ads, adFiles.at(row), RouteFinding::AdListPlace, -1, row,
                      QStringLiteral(" в папке рекламы"));
        }
        if (sameFolder)
            used.unite(usedAds);

        reportUnused(routeFolder, used, QStringLiteral("папка маршрута"),
                     RouteFinding::RouteFolderPlace);
        if (!sameFolder)
            reportUnused(adFolder, usedAds, QStringLiteral("папка рекламы"),
                         RouteFinding::AdListPlace);
    }

    // Sound and text files of a folder that no station and no list names.
    void reportUnused(const FolderListing &folder, const QSet<QString> &used, const QString &where,
                      RouteFinding::Place place)
    {
        QStringList unused;
        for (const QString &name : folder.names()) {
            if (fileKind(name) != FileKindNone && !used.contains(name.toLower()))
                unused << name;
        }
        unused.sort();
        for (const QString &name : unused) {
            RouteFinding &f =
                add(RouteFinding::Note, place,
                    QStringLiteral("файл ") + name + QStringLiteral(" нигде не используется"));
            f.where = where;
            f.file = name;
        }
    }

    const Route &m_route;
    const RouteCheck::CharFilter &m_canShow;
    const int m_langs;
    QList<RouteFinding> m_findings;
};

} // namespace

QString RouteFinding::severityName(Severity severity)
{
    switch (severity) {
    case Error:
        return QStringLiteral("error");
    case Warning:
        return QStringLiteral("warning");
    case Note:
        break;
    }
    return QStringLiteral("note");
}

QList<RouteFinding> RouteCheck::run(const Route &route, const CharFilter &canShow)
{
    return Checker(route, canShow).run();
}

QString RouteCheck::stationLabel(const Route &route, int index)
{
    const Station *s = route.station(index);
    const QString number = QStringLiteral("станция %1").arg(index + 1);
    if (!s)
        return number;
    QString name = s->sideName(0).trimmed();
    if (name.isEmpty())
        name = route.sideNameFromText(0, s->name(0)).trimmed();
    return name.isEmpty() ? number : number + QStringLiteral(" «") + name + QStringLiteral("»");
}

QVector<uint> RouteCheck::missingCharacters(const QString &text, const CharFilter &canShow)
{
    QVector<uint> missing;
    for (int i = 0; i < text.size(); ++i) {
        uint c = text.at(i).unicode();
        // A character beyond the 16-bit range never has a glyph.
        const bool pair =
            text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        if (pair) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        }
        if ((pair || !canShow(QChar(ushort(c)))) && !missing.contains(c))
            missing.append(c);
    }
    return missing;
}

void RouteCheck::sortBySeverity(QList<RouteFinding> &findings)
{
    std::stable_sort(
        findings.begin(), findings.end(),
        [](const RouteFinding &a, const RouteFinding &b) { return a.severity < b.severity; });
}
