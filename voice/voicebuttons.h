// The station page's voice buttons: "Прослушать" beside the announcement texts speaks the text
// as it stands through the form's sound preview, from a file of its own outside the route
// folder; "Озвучить остановки…" beside the station tools opens VoiceDialog.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QTemporaryDir>
#include <QVector>

class QLineEdit;
class QPushButton;
class QToolButton;
class RouteForm;

class VoiceButtons : public QObject
{
    Q_OBJECT

public:
    explicit VoiceButtons(RouteForm *form);

    // Beside the stop's announcement (0) and the next-stop announcement (1).
    QToolButton *button(int which) const { return m_buttons[which]; }
    QPushButton *voiceButton() const { return m_voice; }
    // The file last played, empty before.
    QString lastFile() const { return m_file; }

signals:
    // The spoken text has reached the sound preview.
    void playing(const QString &path);

private:
    QToolButton *addButton(const char *edit, const char *neighbour);
    void addVoiceButton();
    void listen(QLineEdit *edit);
    void play();

    RouteForm *m_form;
    QToolButton *m_buttons[2] = {};
    QPushButton *m_voice = nullptr;
    QTemporaryDir m_dir;
    QString m_file;
    int m_count = 0;
    QFutureWatcher<QVector<qint16>> m_speech;
};
