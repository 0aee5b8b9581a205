#include "listwidthgrip.h"

#include <QEvent>
#include <QLayout>
#include <QMouseEvent>
#include <QStyleOption>
#include <QStylePainter>

ListWidthGrip::ListWidthGrip(QWidget *list) : QWidget(list->parentWidget()), m_list(list)
{
    setObjectName(QStringLiteral("stationListGrip"));
    setCursor(Qt::SplitHCursor);
    setToolTip(tr("Перетащите, чтобы изменить ширину списка"));
    list->installEventFilter(this);
    follow();
}

void ListWidthGrip::setListWidth(int width)
{
    if (width <= 0)
        return;
    // The pages keep at least half of the form.
    const int most = qMax(m_list->minimumSizeHint().width(), parentWidget()->width() / 2);
    m_width = qBound(m_list->minimumSizeHint().width(), width, qMax(most, 200));
    m_list->setMinimumWidth(m_width);
    m_list->setMaximumWidth(m_width);
}

bool ListWidthGrip::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && (event->type() == QEvent::Move || event->type() == QEvent::Resize ||
                              event->type() == QEvent::Show))
        follow();
    return QWidget::eventFilter(watched, event);
}

void ListWidthGrip::follow()
{
    const QLayout *layout = parentWidget()->layout();
    const int gap = qMax(layout ? layout->spacing() : 0, 6);
    const QRect list = m_list->geometry();
    setGeometry(list.right() + 1, list.top(), gap, list.height());
    raise();
}

void ListWidthGrip::mousePressEvent(QMouseEvent *event)
{
    m_pressX = event->globalPos().x();
    m_pressWidth = m_list->width();
}

void ListWidthGrip::mouseMoveEvent(QMouseEvent *event)
{
    if (event->buttons() & Qt::LeftButton)
        setListWidth(m_pressWidth + event->globalPos().x() - m_pressX);
}

void ListWidthGrip::paintEvent(QPaintEvent *)
{
    QStylePainter painter(this);
    QStyleOption option;
    option.initFrom(this);
    option.state |= QStyle::State_Horizontal;
    painter.drawControl(QStyle::CE_Splitter, option);
}
