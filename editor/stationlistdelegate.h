// Draws the rows of the station list numbered, without the station word every
// announcement starts with, so that the names themselves fit the column.
#pragma once

#include <QStyledItemDelegate>

class RouteModel;

class StationListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    StationListDelegate(const RouteModel *model, QObject *parent);

    // The row's text as the list shows it: "3. Центральный рынок." for station 3.
    static QString shownText(int row, const QString &name, const QString &stationWord);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    const RouteModel *m_model;
};
