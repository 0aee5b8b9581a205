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

private:
    Ui::TabloTextHelpForm *ui;
};
