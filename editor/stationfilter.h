// The filter of the station list: rows whose number or names do not hold the text are
// hidden; the route row always shows.
#pragma once

#include <QObject>

class QTreeView;
class RouteModel;

class StationFilter : public QObject
{
    Q_OBJECT

public:
    StationFilter(QTreeView *list, RouteModel *model);

    void setText(const QString &text);

    // Whether station `index` (from 0) is shown for the typed text.
    bool matches(int index, const QString &needle) const;

private:
    void apply();

    QString m_text;
    QTreeView *m_list;
    RouteModel *m_model;
    bool m_hiding = false;
};
