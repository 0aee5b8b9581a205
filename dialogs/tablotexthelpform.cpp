#include "tablotexthelpform.h"
#include "ui_tablotexthelpform.h"

#include <QKeySequence>
#include <QShortcut>

TabloTextHelpForm::TabloTextHelpForm(QWidget *parent)
    : QWidget(parent), ui(new Ui::TabloTextHelpForm)
{
    ui->setupUi(this);
}

TabloTextHelpForm::~TabloTextHelpForm()
{
    delete ui;
}

void TabloTextHelpForm::addHelpKey(QWidget *where)
{
    auto *key = new QShortcut(QKeySequence::HelpContents, where, nullptr, nullptr,
                              Qt::WidgetWithChildrenShortcut);
    connect(key, &QShortcut::activated, where, [where] { showWindow(where); });
}

TabloTextHelpForm *TabloTextHelpForm::showWindow(QWidget *parent)
{
    QWidget *window = parent->window();
    auto *help = window->findChild<TabloTextHelpForm *>(QStringLiteral("markupHelpWindow"),
                                                        Qt::FindDirectChildrenOnly);
    if (!help) {
        help = new TabloTextHelpForm(window);
        help->setObjectName(QStringLiteral("markupHelpWindow"));
        help->setWindowFlags(Qt::Tool);
        help->setAttribute(Qt::WA_DeleteOnClose);
        help->setContentsMargins(12, 12, 12, 12);
    }
    help->show();
    help->raise();
    help->activateWindow();
    return help;
}
