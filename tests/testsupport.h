// Shared helpers of the test executables.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTimer>
#include <QWidget>

namespace testsupport {

// Keeps the tests away from the user's own settings: call first, in initTestCase().
inline void isolateSettings()
{
    QStandardPaths::setTestModeEnabled(true);
    QSettings().clear();
}

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

inline bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

inline QString dataPath(const QString &relative)
{
    return QStringLiteral(TESSALY_TEST_DATA "/") + relative;
}

// Answers the next modal message box by clicking the button with the given text,
// so a test never waits for a person. Polls until the box shows up.
inline void answerNextMessageBox(const QString &buttonText, QString *seenText = nullptr,
                                 int attempts = 200)
{
    QTimer::singleShot(10, [=]() {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box) {
            if (attempts > 0)
                answerNextMessageBox(buttonText, seenText, attempts - 1);
            return;
        }
        if (seenText)
            *seenText = box->text();
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == buttonText) {
                b->click();
                return;
            }
        }
        box->reject();
    });
}

} // namespace testsupport
