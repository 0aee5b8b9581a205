// The filter field at the top of the station list, inside its frame: rows whose number or
// names do not hold what is typed are hidden; the route row always shows.
#pragma once

#include <QObject>

class QLineEdit;
class QTreeView;
class RouteModel;

class StationFilter : public QObject
{
    Q_OBJECT

public:
    StationFilter(QTreeView *list, RouteModel *model);

    QLineEdit *edit() const { return m_edit; }

    // Whether station `index` (from 0) is shown for the typed text.
    bool matches(int index, const QString &needle) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply();

    QLineEdit *m_edit;
    QTreeView *m_list;
    RouteModel *m_model;
    bool m_hiding = false;
};
