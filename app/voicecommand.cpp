#include "voicecommand.h"

#include "checkcommand.h"
#include "route.h"
#include "speechengine.h"
#include "voicebatch.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

namespace {

// Speaks the folder's stops and saves the route; the route stays as it was on failure.
int voiceFolder(const QString &folder, bool replace, const VoiceSettings &settings,
                QTextStream &out, QTextStream &err)
{
    const QString path = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    Route route;
    if (!QFileInfo(path).isDir() || !route.load(path)) {
        err << folder << QStringLiteral(": не удалось прочитать маршрут (нет ost.txt)\n");
        return VoiceCommand::Unreadable;
    }
    VoicePlan::Request request;
    request.stops = replace ? VoicePlan::AllStops : VoicePlan::SilentStops;
    request.langCount = route.languageCount();
    request.replace = replace;
    VoiceOutcome outcome = VoiceBatch::run(path, VoicePlan::jobs(route, request), settings);
    for (const VoiceJob &job : qAsConst(outcome.silent))
        err << folder
            << QStringLiteral(": остановка %1, язык %2: текст не дал звука: %3\n")
                   .arg(job.station + 1)
                   .arg(job.lang + 1)
                   .arg(job.text);
    if (!outcome.error.isEmpty()) {
        err << folder << QStringLiteral(": ") << outcome.error << '\n';
        return VoiceCommand::NotSaved;
    }
    for (const auto &stop : VoicePlan::attachments(outcome.written)) {
        QStringList &sounds = route.station(stop.first)->soundFiles();
        if (replace)
            sounds.clear();
        sounds << stop.second;
    }
    if (!outcome.written.isEmpty() && !route.save()) {
        VoiceBatch::discard(outcome);
        err << folder << QStringLiteral(": не удалось сохранить маршрут, файлы не добавлены\n");
        return VoiceCommand::NotSaved;
    }
    for (const VoiceJob &job : qAsConst(outcome.written))
        out << folder << '/' << job.fileName << QStringLiteral(": ") << job.text << '\n';
    out << folder
        << QStringLiteral(": файлов: %1, речи: %2 с\n")
               .arg(outcome.written.size())
               .arg(outcome.seconds, 0, 'f', 1);
    return VoiceCommand::Done;
}

} // namespace

bool VoiceCommand::wanted(const QStringList &arguments)
{
    return arguments.contains(QStringLiteral("--voice"));
}

QString VoiceCommand::usageText()
{
    return QStringLiteral(
        "       tessaly --voice [--replace] [--voice1 ГОЛОС] [--voice2 ГОЛОС] ПАПКА...\n");
}

QString VoiceCommand::optionsText()
{
    return QStringLiteral(
        "  --voice   озвучить синтезом речи остановки без звуковых файлов: тексты\n"
        "            объявлений на каждом языке маршрута в файлы NN-L.wav (NN-Ln.wav -\n"
        "            объявление следующей), по строке на файл и итог по папке\n"
        "  --replace озвучить все остановки, заменив их звуковые файлы (с --voice)\n"
        "  --voice1 ГОЛОС, --voice2 ГОЛОС\n"
        "            голос eSpeak NG для языка 1 и 2: имя или язык (ru, en)\n");
}

QString VoiceCommand::exitText()
{
    return QStringLiteral("С --voice: 0 - готово, 1 - маршрут не удалось озвучить или сохранить,\n"
                          "2 - папку не удалось прочитать.\n");
}

int VoiceCommand::run(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    VoiceSettings settings = VoiceSettings::load();
    bool replace = false;
    QStringList folders;
    const QStringList args = arguments.mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        const int voice = arg == QLatin1String("--voice1")   ? 0
                          : arg == QLatin1String("--voice2") ? 1
                                                             : -1;
        if (voice >= 0 && i + 1 < args.size()) {
            settings.voice[voice] = args.at(++i);
        } else if (arg == QLatin1String("--replace")) {
            replace = true;
        } else if (arg == QLatin1String("--voice")) {
            continue;
        } else if (arg.startsWith(QLatin1String("--"))) {
            err << QStringLiteral("tessaly: неизвестный ключ %1\n").arg(arg)
                << CheckCommand::helpText();
            return Unreadable;
        } else {
            folders << arg;
        }
    }
    if (folders.isEmpty()) {
        err << QStringLiteral("tessaly: не указана папка маршрута\n") << CheckCommand::helpText();
        return Unreadable;
    }
    if (!SpeechEngine::error().isEmpty()) {
        err << QStringLiteral("tessaly: ") << SpeechEngine::error() << '\n';
        return NotSaved;
    }
    int code = Done;
    for (const QString &folder : qAsConst(folders))
        code = qMax(code, voiceFolder(folder, replace, settings, out, err));
    out.flush();
    return code;
}
