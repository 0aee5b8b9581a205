#include "stationfilter.h"

#include "route.h"
#include "routemodel.h"

#include <QTreeView>

StationFilter::StationFilter(QTreeView *list, RouteModel *model)
    : QObject(list), m_list(list), m_model(model)
{
    // New, removed and renamed stations are filtered like the others.
    connect(model, &QAbstractItemModel::modelReset, this, &StationFilter::apply);
    connect(model, &QAbstractItemModel::rowsInserted, this, &StationFilter::apply);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &StationFilter::apply);
    connect(model, &QAbstractItemModel::dataChanged, this, &StationFilter::apply);
}

void StationFilter::setText(const QString &text)
{
    m_text = text.trimmed();
    apply();
}

bool StationFilter::matches(int index, const QString &needle) const
{
    const Route *route = m_model->route();
    const Station *s = route ? route->station(index) : nullptr;
    if (!s)
        return false;
    if (needle.isEmpty() || QString::number(index + 1) == needle)
        return true;
    for (int lang = 0; lang < 2; ++lang) {
        // The stop's own names: a next-stop text names the stop after it.
        for (const QString *text : {&s->name(lang), &s->sideName(lang)}) {
            if (text->contains(needle, Qt::CaseInsensitive))
                return true;
        }
    }
    return false;
}

void StationFilter::apply()
{
    const QString &needle = m_text;
    // Without a filter nothing is hidden, and nothing needs looking at.
    if (needle.isEmpty() && !m_hiding)
        return;
    m_hiding = !needle.isEmpty();
    const int rows = m_model->rowCount();
    for (int row = 1; row < rows; ++row)
        m_list->setRowHidden(row, QModelIndex(), !matches(row - 1, needle));
}
