#include "diskchangebar.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

DiskChangeBar::DiskChangeBar(QWidget *parent) : QFrame(parent), m_label(new QLabel(this))
{
    setObjectName(QStringLiteral("diskChangeBar"));
    setFrameShape(QFrame::StyledPanel);
    setStyleSheet(QStringLiteral("#diskChangeBar { background: #fff3c4; }"));
    m_label->setWordWrap(true);
    auto *reread = new QPushButton(QStringLiteral("Перечитать"), this);
    reread->setObjectName(QStringLiteral("rereadBtn"));
    auto *close = new QToolButton(this);
    close->setText(QStringLiteral("×"));
    close->setToolTip(QStringLiteral("Скрыть"));
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(6, 3, 6, 3);
    row->addWidget(m_label, 1);
    row->addWidget(reread);
    row->addWidget(close);
    connect(reread, &QPushButton::clicked, this, &DiskChangeBar::rereadClicked);
    connect(close, &QToolButton::clicked, this, &QWidget::hide);
    hide();
}

DiskChangeBar *DiskChangeBar::install(QWidget *form)
{
    // Laid over the top of the form, outside its layout, which stays as it is.
    auto *bar = new DiskChangeBar(form);
    form->installEventFilter(bar);
    return bar;
}

bool DiskChangeBar::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == parent() && event->type() == QEvent::Resize && isVisible())
        place();
    return QFrame::eventFilter(watched, event);
}

void DiskChangeBar::place()
{
    const int width = parentWidget()->width();
    setGeometry(0, 0, width,
                heightForWidth(width) > 0 ? heightForWidth(width) : sizeHint().height());
    raise();
}

void DiskChangeBar::showChange(const QStringList &names, bool unsaved)
{
    QString text = QStringLiteral("Файлы маршрута изменены другой программой: %1.")
                       .arg(names.join(QStringLiteral(", ")));
    if (unsaved)
        text += QStringLiteral(" Сохранение перезапишет эти изменения.");
    m_label->setText(text);
    show();
    place();
}

QString DiskChangeBar::message() const
{
    return m_label->text();
}
