// The bar at the top of the route form that tells of route files changed on disk by someone
// else, with a button to read them again.
#pragma once

#include <QFrame>

class QLabel;

class DiskChangeBar : public QFrame
{
    Q_OBJECT

public:
    // Puts a hidden bar over the top of the form.
    static DiskChangeBar *install(QWidget *form);

    // `unsaved`: the form has changes of its own that a save would write over the others.
    void showChange(const QStringList &names, bool unsaved);
    QString message() const;

signals:
    void rereadClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void place();

    explicit DiskChangeBar(QWidget *parent);

    QLabel *m_label;
};
