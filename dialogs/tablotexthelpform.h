#pragma once

#include <QWidget>

namespace Ui {
class TabloTextHelpForm;
}

// Passive list of the running-line markup commands, embedded next to every running-line text.
class TabloTextHelpForm : public QWidget
{
    Q_OBJECT

public:
    explicit TabloTextHelpForm(QWidget *parent = nullptr);
    ~TabloTextHelpForm() override;

    // F1 anywhere inside `where` shows the list as a window of its own beside it.
    static void addHelpKey(QWidget *where);
    // The list as a tool window over `parent`'s window; one at a time, brought to the front.
    static TabloTextHelpForm *showWindow(QWidget *parent);

private:
    Ui::TabloTextHelpForm *ui;
};
