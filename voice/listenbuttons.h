// "Прослушать" beside the announcement texts of the station page: speaks the text as it
// stands through the form's sound preview, from a file of its own outside the route folder.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QTemporaryDir>
#include <QVector>

class QLineEdit;
class QToolButton;
class RouteForm;

class ListenButtons : public QObject
{
    Q_OBJECT

public:
    explicit ListenButtons(RouteForm *form);

    // Beside the stop's announcement (0) and the next-stop announcement (1).
    QToolButton *button(int which) const { return m_buttons[which]; }
    // The file last played, empty before.
    QString lastFile() const { return m_file; }

signals:
    // The spoken text has reached the sound preview.
    void playing(const QString &path);

private:
    QToolButton *addButton(const char *edit, const char *neighbour);
    void listen(QLineEdit *edit);
    void play();

    RouteForm *m_form;
    QToolButton *m_buttons[2] = {};
    QTemporaryDir m_dir;
    QString m_file;
    int m_count = 0;
    QFutureWatcher<QVector<qint16>> m_speech;
};
