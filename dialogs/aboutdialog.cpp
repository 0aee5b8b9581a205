#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include <QLayout>

AboutDialog::AboutDialog(QWidget *parent) : QDialog(parent), ui(new Ui::AboutDialog)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    ui->siteLabel->setOpenExternalLinks(true);
    // The version is the build's own (project() in CMakeLists.txt).
    ui->label_2->setText(QStringLiteral("Tessaly " TESSALY_VERSION));
}

AboutDialog::~AboutDialog()
{
    delete ui;
}
