// The findings of the route check for the current route, grouped by severity;
// a double click shows the place of a finding in the form.
#pragma once

#include "routefinding.h"
#include "routeform.h"

#include <QList>
#include <QPointer>
#include <QWidget>

class QLabel;
class QTreeWidget;
class QTreeWidgetItem;

class RouteCheckPanel : public QWidget
{
    Q_OBJECT

public:
    explicit RouteCheckPanel(QWidget *parent = nullptr);

    // The form whose route is checked; the list follows its edits while visible.
    void setForm(RouteForm *form);
    RouteForm *form() const { return m_form; }
    const QList<RouteFinding> &findings() const { return m_findings; }
    QTreeWidget *tree() const { return m_tree; }

    // The place of a finding, other members taken from the form's current view.
    static RouteForm::LastChange placeOf(const RouteFinding &finding, const RouteForm &form);

public slots:
    void refresh();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showFinding(QTreeWidgetItem *item);

    QPointer<RouteForm> m_form;
    QTreeWidget *m_tree = nullptr;
    QLabel *m_summary = nullptr;
    QList<RouteFinding> m_findings;
};
