#include "stationfilter.h"

#include "route.h"
#include "routemodel.h"

#include <QEvent>
#include <QLineEdit>
#include <QTreeView>

StationFilter::StationFilter(QTreeView *list, RouteModel *model)
    : QObject(list), m_edit(new QLineEdit(list)), m_list(list), m_model(model)
{
    m_edit->setObjectName(QStringLiteral("stationFilterEdit"));
    m_edit->setPlaceholderText(tr("Найти остановку"));
    m_edit->setClearButtonEnabled(true);
    m_edit->setMinimumHeight(35);
    // The list's frame and rows move down below the field.
    list->setContentsMargins(0, m_edit->sizeHint().height() + 4, 0, 0);
    list->installEventFilter(this);
    connect(m_edit, &QLineEdit::textChanged, this, &StationFilter::apply);
    // New, removed and renamed stations are filtered like the others.
    connect(model, &QAbstractItemModel::modelReset, this, &StationFilter::apply);
    connect(model, &QAbstractItemModel::rowsInserted, this, &StationFilter::apply);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &StationFilter::apply);
    connect(model, &QAbstractItemModel::dataChanged, this, &StationFilter::apply);
}

bool StationFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && event->type() == QEvent::Resize)
        m_edit->setGeometry(0, 0, m_list->width(), m_list->contentsMargins().top() - 4);
    return QObject::eventFilter(watched, event);
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
    const QString needle = m_edit->text().trimmed();
    // Without a filter nothing is hidden, and nothing needs looking at.
    if (needle.isEmpty() && !m_hiding)
        return;
    m_hiding = !needle.isEmpty();
    const int rows = m_model->rowCount();
    for (int row = 1; row < rows; ++row)
        m_list->setRowHidden(row, QModelIndex(), !matches(row - 1, needle));
}
