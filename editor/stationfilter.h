// The filter field over the station list: rows whose number or texts do not hold
// what is typed are hidden; the route row always shows.
#pragma once

#include <QObject>

class QLineEdit;
class QTreeView;
class RouteModel;

class StationFilter : public QObject
{
    Q_OBJECT

public:
    StationFilter(QLineEdit *edit, QTreeView *list, RouteModel *model, QObject *parent);

    // Whether station `index` (from 0) is shown for the typed text.
    bool matches(int index, const QString &needle) const;

private:
    void apply();

    QLineEdit *m_edit;
    QTreeView *m_list;
    RouteModel *m_model;
    bool m_hiding = false;
};
