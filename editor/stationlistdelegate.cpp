#include "stationlistdelegate.h"

#include "route.h"
#include "routemodel.h"

StationListDelegate::StationListDelegate(const RouteModel *model, QObject *parent)
    : QStyledItemDelegate(parent), m_model(model)
{
}

QString StationListDelegate::shownText(int row, const QString &name, const QString &stationWord)
{
    QString text = name;
    // The full text stays in the row's tool tip.
    if (!stationWord.isEmpty() && text.startsWith(stationWord + QLatin1Char(' ')))
        text = text.mid(stationWord.size() + 1);
    return QStringLiteral("%1. %2").arg(row).arg(text);
}

void StationListDelegate::initStyleOption(QStyleOptionViewItem *option,
                                          const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    const Route *route = m_model->route();
    if (route && index.row() > 0)
        option->text = shownText(index.row(), option->text, route->stationWord(0));
}
