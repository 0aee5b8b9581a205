#pragma once

#include <QDialog>

namespace Ui {
class AboutDialog;
}

// Modal about box: product name and version, maker and its web address.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget *parent = nullptr);
    ~AboutDialog() override;

private:
    Ui::AboutDialog *ui;
};
