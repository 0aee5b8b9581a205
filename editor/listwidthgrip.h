// The divider between the station list and the pages: dragging it sets the list's width.
// It sits in the layout's gap right of the list and follows the list's place.
#pragma once

#include <QWidget>

class ListWidthGrip : public QWidget
{
    Q_OBJECT

public:
    explicit ListWidthGrip(QWidget *list);

    // The width the user set, 0 while the layout decides.
    int listWidth() const { return m_width; }
    void setListWidth(int width);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow();

    QWidget *m_list;
    int m_width = 0;
    int m_pressX = 0;
    int m_pressWidth = 0;
};
