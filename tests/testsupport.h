// Shared helpers of the test executables.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QList>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QTest>
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

// Types any text, Cyrillic included, as key presses into a widget (QTest::keyClicks takes
// Latin-1 letters only).
inline void typeText(QWidget *widget, const QString &text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
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

// A mono 8-bit WAV of `seconds` of silence at 8,000 Hz.
inline QByteArray silentWav(int seconds)
{
    const int rate = 8000;
    const int data = rate * seconds;
    auto le32 = [](int v) {
        QByteArray b(4, '\0');
        for (int i = 0; i < 4; ++i)
            b[i] = char((v >> (8 * i)) & 0xFF);
        return b;
    };
    return "RIFF" + le32(36 + data) + "WAVEfmt " + le32(16) + QByteArray("\x01\x00\x01\x00", 4) +
           le32(rate) + le32(rate) + QByteArray("\x01\x00\x08\x00", 4) + "data" + le32(data) +
           QByteArray(data, char(0x80));
}

inline const QString promptTitle = QStringLiteral("Сохранение изменений");
inline const QString saveText = QStringLiteral("Сохранить");
inline const QString discardText = QStringLiteral("Не сохранять");
inline const QString cancelText = QStringLiteral("Отмена");

// Answers the modal boxes that show up while it lives: the unsaved-changes
// prompts with the queued button texts, any other box (a failed save) with its
// first button. Records what it saw so a test can check the prompts.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(const QStringList &answers = {}) : pending(answers)
    {
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, this, &BoxAnswerer::poll);
        timer.start();
    }

    struct Seen
    {
        QString title;
        QString text;
        QMessageBox::Icon icon;
        QStringList buttons;
        QString defaultButton;
        QString escapeButton;
        QWidget *parent;
    };
    QList<Seen> prompts;
    QStringList otherBoxes;
    // Their informative texts, where they have one.
    QStringList otherDetails;
    QStringList pending;

private:
    void poll()
    {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        if (box->windowTitle() != promptTitle) {
            otherBoxes.append(box->text());
            if (!box->informativeText().isEmpty())
                otherDetails.append(box->informativeText());
            if (QAbstractButton *first = box->buttons().value(0))
                first->click();
            else
                box->reject();
            return;
        }
        Seen seen{box->windowTitle(), box->text(), box->icon(), {}, {}, {}, box->parentWidget()};
        // The layout order of the buttons is the platform's; the order they
        // were added in is what the window decides.
        for (QAbstractButton *b : box->buttons())
            seen.buttons.append(b->text());
        if (box->defaultButton())
            seen.defaultButton = box->defaultButton()->text();
        if (box->escapeButton())
            seen.escapeButton = box->escapeButton()->text();
        prompts.append(seen);
        const QString answer = pending.isEmpty() ? cancelText : pending.takeFirst();
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == answer) {
                b->click();
                return;
            }
        }
        box->reject();
    }

    QTimer timer;
};

} // namespace testsupport
