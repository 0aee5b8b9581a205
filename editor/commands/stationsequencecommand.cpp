#include "stationsequencecommand.h"

#include "filelistcommands.h"
#include "routecommands.h"
#include "routeform.h"
#include "stationcommands.h"

namespace {

void planSplit(QVector<SequenceStep> &plan, const QList<Station *> &stations, int back,
               int langCount, int &newBack)
{
    for (int i = stations.size() - 2; i >= 0; --i) {
        // The last stop of the forward direction announces no next stop.
        if (i == back - 1)
            continue;
        plan.append({SequenceStep::AddStation, i + 1, 0, QString()});
        for (int l = 0; l < langCount; ++l) {
            const QString next = stations.at(i)->nextName(l);
            plan.append({SequenceStep::SetName, i + 1, l, next});
            if (!next.isEmpty())
                plan.append({SequenceStep::SetNextName, i, l, QString()});
        }
        if (i + 1 < back)
            ++newBack;
    }
}

void planJoin(QVector<SequenceStep> &plan, const Route &route, int langCount, int &newBack)
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
                plan.append({SequenceStep::SetNextName, i - 1, l, entry->name(l)});
            int row = stop->textFiles().size();
            for (const QString &file : entry->textFiles())
                plan.append({SequenceStep::AddTextFile, i - 1, row++, file});
            row = stop->soundFiles().size();
            for (const QString &file : entry->soundFiles())
                plan.append({SequenceStep::AddSoundFile, i - 1, row++, file});
            plan.append({SequenceStep::RemoveStation, i, 0, QString()});
            if (i < back)
                --newBack;
        }
        // A direction that begins with a next-stop entry has no stop to fold it into: it
        // becomes a new, still unnamed stop that announces the next one with its text.
        if ((end - start) % 2 == 0 && end > start) {
            for (int l = 0; l < langCount; ++l) {
                plan.append({SequenceStep::SetNextName, start, l, stations.at(start)->name(l)});
                plan.append({SequenceStep::SetName, start, l, route.newStationName(l)});
            }
        }
    }
}

} // namespace

QVector<SequenceStep> stationSequencePlan(const Route &route, int langCount, bool separate)
{
    QVector<SequenceStep> plan;
    int newBack = route.backStationIndex();
    if (separate)
        planSplit(plan, route.stations(), route.backStationIndex(), langCount, newBack);
    else
        planJoin(plan, route, langCount, newBack);
    plan.append({SequenceStep::SetBackIndex, newBack, 0, QString()});
    return plan;
}

SetStationSequencyCommand::SetStationSequencyCommand(RouteForm *form, bool separate,
                                                     QUndoCommand *parent)
    : QUndoCommand(parent), m_form(form), m_separate(separate)
{
    const auto plan = stationSequencePlan(form->route(), form->langCount(), separate);
    for (const SequenceStep &step : plan) {
        switch (step.kind) {
        case SequenceStep::AddStation:
            new AddStationCommand(form, step.station, this);
            break;
        case SequenceStep::RemoveStation:
            new RemoveStationCommand(form, step.station, this);
            break;
        case SequenceStep::SetName:
            new SetStationNameCmd(form, step.station, step.lang, step.text, this);
            break;
        case SequenceStep::SetNextName:
            new SetStationNextNameCmd(form, step.station, step.lang, step.text, this);
            break;
        case SequenceStep::AddTextFile:
            new AddStationTextFileCmd(form, step.station, step.lang, step.text, this);
            break;
        case SequenceStep::AddSoundFile:
            new AddStationSoundFileCmd(form, step.station, step.lang, step.text, this);
            break;
        case SequenceStep::SetBackIndex:
            new SetBackStationIndexCmd(form, step.station, this);
            break;
        }
    }
}

void SetStationSequencyCommand::redo()
{
    m_form->setNextSeparate(m_separate);
    m_separate = !m_separate;
    QUndoCommand::redo();
    // The switch is the place of the change, not the last station the children touched.
    m_form->lastChange().station = -1;
    m_form->lastChange().routeTab = RouteForm::GeneralTab;
}

void SetStationSequencyCommand::undo()
{
    QUndoCommand::undo();
    m_form->setNextSeparate(m_separate);
    m_separate = !m_separate;
}
