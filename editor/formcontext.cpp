#include "formcontext.h"

#include "filelistpair.h"
#include "fronttablowidget.h"
#include "route.h"
#include "routeform.h"
#include "ui_routeform.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QIcon>
#include <QPixmap>
#include <QStandardItemModel>

#include <iterator>

namespace {

const int StoredValueRole = Qt::UserRole + 1;

struct ColorRow
{
    const char *text;
    QRgb display;
    QVariant stored;
};

} // namespace

FormContext::FormContext(RouteForm *form, Route &route, RouteModel &model, QUndoStack &undoStack,
                         Ui::RouteForm &ui)
    : form(form), route(route), model(model), undoStack(undoStack), ui(ui)
{
    const ColorRow frontRows[] = {
        {"Белый", 0xFFFFFF, QColor(64, 64, 64)},  {"Оранжевый", 0xFF8000, QColor(128, 64, 0)},
        {"Желтый", 0xFFFF00, QColor(96, 96, 0)},  {"Зеленый", 0x00FF00, QColor(0, 128, 0)},
        {"Красный", 0xFF0000, QColor(128, 0, 0)}, {"Синий", 0x0000FF, QColor(0, 0, 128)},
    };
    const ColorRow sofitRows[] = {
        {"Погашен", 0x000000, 0}, {"Белый", 0xFFFFFF, 7},   {"Желтый", 0xFFFF00, 6},
        {"Зеленый", 0x00FF00, 2}, {"Красный", 0xFF0000, 4}, {"Синий", 0x0000FF, 1},
    };
    auto build = [this](const ColorRow *rows, int count) {
        auto *model = new QStandardItemModel(this);
        for (int i = 0; i < count; ++i) {
            QPixmap swatch(32, 32);
            swatch.fill(QColor(rows[i].display));
            auto *item = new QStandardItem(QIcon(swatch), tr(rows[i].text));
            item->setData(rows[i].stored, StoredValueRole);
            item->setData(QSize(0, 40), Qt::SizeHintRole);
            model->appendRow(item);
        }
        return model;
    };
    frontColorModel = build(frontRows, int(std::size(frontRows)));
    {
        const QSignalBlocker blocker(ui.frontColorList);
        ui.frontColorList->setModel(frontColorModel);
    }
    sofitColorModel = build(sofitRows, int(std::size(sofitRows)));
    for (QComboBox *box : {ui.leftSofitList, ui.rightSofitList}) {
        const QSignalBlocker blocker(box);
        box->setModel(sofitColorModel);
    }
    // The popups would be only as wide as the boxes and cut their names («Ора…вый»).
    for (QComboBox *box : {ui.frontColorList, ui.leftSofitList, ui.rightSofitList}) {
        box->ensurePolished();
        // Room for the scroll bar the list may show.
        box->view()->setMinimumWidth(box->view()->sizeHintForColumn(0) +
                                     box->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }
}

QWidget *FormContext::widget() const
{
    return form;
}

int FormContext::selectedLang(LangGroup group) const
{
    return qMax(0, langGroups[group]->checkedId());
}

FrontTabloWidget *FormContext::preview(BoardId board) const
{
    switch (board) {
    case FrontBoard:
        return ui.frontTabloWdt;
    case SideBoard:
        return ui.sideTabloWdt;
    case BackBoard:
        break;
    }
    return ui.backTabloWdt;
}

int FormContext::frontColorRow(const QColor &color) const
{
    for (int row = 0; row < frontColorModel->rowCount(); ++row) {
        if (frontColorModel->item(row)->data(StoredValueRole).value<QColor>() == color)
            return row;
    }
    return -1;
}

QColor FormContext::frontColorOfRow(int row) const
{
    const QStandardItem *item = frontColorModel->item(row);
    return item ? item->data(StoredValueRole).value<QColor>() : QColor(Qt::black);
}

int FormContext::sofitRow(int code) const
{
    for (int row = 0; row < sofitColorModel->rowCount(); ++row) {
        if (sofitColorModel->item(row)->data(StoredValueRole).toInt() == code)
            return row;
    }
    return -1;
}

int FormContext::sofitCodeOfRow(int row) const
{
    const QStandardItem *item = sofitColorModel->item(row);
    return item ? item->data(StoredValueRole).toInt() : 0;
}

void FormContext::refreshSideStations()
{
    // The side board lists the stations ahead, up to the end of the current direction.
    const int n = route.stationCount();
    const int start = qMax(currentStation, 0);
    const int end = start < route.backStationIndex() ? qMin(route.backStationIndex(), n) : n;
    for (int lang = 0; lang < 2; ++lang) {
        QStringList names;
        for (int i = start; i < end && names.size() < route.sideStationCount(); ++i) {
            const QString name = route.station(i)->sideName(lang);
            if (!name.isEmpty())
                names << name;
        }
        ui.sideTabloWdt->setStationNames(lang, names);
    }
}

void FormContext::refreshIfDirty(BoardId board)
{
    if (!previewDirty[board])
        return;
    previewDirty[board] = false;
    if (board == SideBoard)
        refreshSideStations();
    preview(board)->refreshTablo();
}

void FormContext::showStationFiles(const Station &station)
{
    FileListPair::fill(ui.soundFileList, station.soundFiles());
    FileListPair::fill(ui.textFileList, station.textFiles());
}
