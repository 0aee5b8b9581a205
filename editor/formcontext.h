// What the route form shares with its pages: the route and the objects around it, the state
// they all read and write, and the helpers they use. The form owns it and connects its signals
// once; the pages hold it and never see the form itself.
#pragma once

#include "board.h"
#include "formplace.h"

#include <QObject>

class BoardPage;
class FrontTabloWidget;
class QButtonGroup;
class QColor;
class QStandardItemModel;
class QUndoStack;
class QWidget;
class Route;
class RouteForm;
class RouteModel;
class Station;

namespace Ui {
class RouteForm;
}

class FormContext : public QObject, public FormPlace
{
    Q_OBJECT

public:
    // Builds the colour models and gives them to the colour lists of the layout.
    FormContext(RouteForm *form, Route &route, RouteModel &model, QUndoStack &undoStack,
                Ui::RouteForm &ui);

    // The undo commands change the route through the form's apply operations.
    RouteForm *const form;
    Route &route;
    RouteModel &model;
    QUndoStack &undoStack;
    Ui::RouteForm &ui;

    LastChange lastChange;
    // Previews an applied change left to be redrawn once the whole command is done.
    bool previewDirty[BoardCount] = {};
    // The station the station page shows, -1 for the route.
    int currentStation = -1;
    int langCount = 1;
    QButtonGroup *langGroups[LangGroupCount] = {};
    QStandardItemModel *frontColorModel = nullptr;
    QStandardItemModel *sofitColorModel = nullptr;
    BoardPage *boards[BoardCount] = {};

    // The form as a widget: the parent of dialogs, the root of the layout's named children.
    QWidget *widget() const;
    // The language chosen in a selector, 0 when none is.
    int selectedLang(LangGroup group) const;
    FrontTabloWidget *preview(BoardId board) const;

    // Colour lookups of the two colour models; -1 (or black, 0) when absent.
    int frontColorRow(const QColor &color) const;
    QColor frontColorOfRow(int row) const;
    int sofitRow(int code) const;
    int sofitCodeOfRow(int row) const;

    // The side board lists the stations ahead of the current one.
    void refreshSideStations();
    // Redraws the preview if a change marked it, the side board with its station list.
    void refreshIfDirty(BoardId board);
    void showStationFiles(const Station &station);

signals:
    // An edit finished without changing the route: the undo actions follow the stack again.
    void editUnchanged();
    // Text put into a field by a button is pending like typed text.
    void textTyped();
    // The station page shows this station (-1: the route).
    void currentStationShown(int station);
};
