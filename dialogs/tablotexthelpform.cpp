#include "tablotexthelpform.h"
#include "ui_tablotexthelpform.h"

TabloTextHelpForm::TabloTextHelpForm(QWidget *parent)
    : QWidget(parent), ui(new Ui::TabloTextHelpForm)
{
    ui->setupUi(this);
}

TabloTextHelpForm::~TabloTextHelpForm()
{
    delete ui;
}
