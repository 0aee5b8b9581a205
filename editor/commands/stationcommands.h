// Station texts, position and radius, the next-stop delay, adding and removing stations.
#pragma once

#include "stationedit.h"
#include "swapcommand.h"

// A run of edits of one kind (and, with SameTarget, of one station) is one undo step: the
// first command keeps the value from before the run.
template <typename Swap, int Id, bool SameTarget> class MergingSwapCommand : public Swap
{
public:
    using Swap::Swap;
    int id() const override { return Id; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *same = dynamic_cast<const MergingSwapCommand *>(other);
        return same && (!SameTarget || same->m_keys == this->m_keys);
    }
};

using SetStationNameCmd =
    SwapCommand<&Station::name, &RouteForm::setStationName, commandtext::stationName>;
using SetStationNextNameCmd =
    SwapCommand<&Station::nextName, &RouteForm::setStationNextName, commandtext::stationNextName>;
using SetStationSideNameCmd =
    SwapCommand<&Station::sideName, &RouteForm::setStationSideName, commandtext::stationSideName>;
using SetStationCoordinate = SwapCommand<&Station::coordinate, &RouteForm::setStationCoordinate,
                                         commandtext::stationCoordinate>;
// Only edits of the same station merge, so every station's change keeps its own undo step.
using SetStationRadius = MergingSwapCommand<
    SwapCommand<&Station::radius, &RouteForm::setStationRadius, commandtext::stationRadius>, 1,
    true>;
using SetNextStationDelayCmd = MergingSwapCommand<
    SwapCommand<&Route::nextDelay, &RouteForm::setNextStationDelay, commandtext::nextDelay>, 2,
    false>;

// Inserts a new default station; undo deletes it again.
class AddStationCommand : public QUndoCommand
{
public:
    AddStationCommand(RouteForm *form, int index, QUndoCommand *parent = nullptr);
    void undo() override;
    void redo() override;

private:
    RouteForm *m_form;
    int m_index;
};

// Takes the station out and keeps it, so undo puts back the very same station.
class RemoveStationCommand : public QUndoCommand
{
public:
    RemoveStationCommand(RouteForm *form, int index, QUndoCommand *parent = nullptr);
    ~RemoveStationCommand() override;
    RemoveStationCommand(const RemoveStationCommand &) = delete;
    RemoveStationCommand &operator=(const RemoveStationCommand &) = delete;
    void undo() override;
    void redo() override;

    const Station *heldStation() const { return m_station; }

private:
    RouteForm *m_form;
    int m_index;
    Station *m_station = nullptr;
};

// The undo command that carries out one change of a station plan, as a child of `parent`.
QUndoCommand *stationEditCommand(RouteForm *form, const StationEdit &edit, QUndoCommand *parent);
