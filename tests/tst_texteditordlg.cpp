#include "resources.h"
#include "testsupport.h"
#include "texteditordlg.h"

#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCodec>
#include <QToolButton>

namespace {

// The editor over one file, shown, with its controls at hand.
struct Editor
{
    explicit Editor(const QString &path) : loaded(dlg.loadFile(path)) { dlg.show(); }
    QToolButton *button(const char *name)
    {
        return dlg.findChild<QToolButton *>(QLatin1String(name));
    }
    QPlainTextEdit *text()
    {
        return dlg.findChild<QPlainTextEdit *>(QStringLiteral("plainTextEdit"));
    }
    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // "s", "u" and "r" for the enabled save, undo and redo buttons, "-" for a disabled one.
    QString buttons()
    {
        QString states;
        for (const char *name : {"saveBtn", "undoBtn", "redoBtn"})
            states += button(name)->isEnabled() ? QLatin1Char(name[0]) : QLatin1Char('-');
        return states;
    }
    void typeAtEnd(const QString &typed)
    {
        text()->setFocus();
        QTest::keyClick(text(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(text(), typed);
    }

    TextEditorDlg dlg;
    bool loaded;
};

} // namespace

class TestTextEditorDlg : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void titleAndEmptyStart();
    void editUndoRedoSave();
    void closing_data();
    void closing();
    void longFileSavedWhole();
    void unreadableFileKept();
    void helpHidesAndShows();
    void openFileRunsModally();

private:
    QString file(const char *name) const { return m_dir->filePath(QLatin1String(name)); }

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestTextEditorDlg::initTestCase()
{
    testsupport::isolateSettings();
    initResources();
}

void TestTextEditorDlg::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void TestTextEditorDlg::cleanup()
{
    m_dir.reset();
}

void TestTextEditorDlg::titleAndEmptyStart()
{
    Editor e(QStringLiteral("C:/r/12/s3.txt"));
    QVERIFY(e.loaded);
    QCOMPARE(e.dlg.windowTitle(), QStringLiteral("s3.txt - Текстовый редактор"));
    QVERIFY(!(e.dlg.windowFlags() & Qt::WindowContextHelpButtonHint));
    QCOMPARE(e.text()->toPlainText(), QString());
    QCOMPARE(e.buttons(), QStringLiteral("---"));
}

void TestTextEditorDlg::editUndoRedoSave()
{
    const QString path = file("s1.txt");
    const QString old = QStringLiteral("Остановка «Рынок»");
    QVERIFY(
        testsupport::writeAll(path, QTextCodec::codecForName("Windows-1251")->fromUnicode(old)));
    Editor e(path);
    QCOMPARE(e.text()->toPlainText(), old);
    QCOMPARE(e.buttons(), QStringLiteral("---"));

    e.typeAtEnd(QStringLiteral(", final stop"));
    const QString edited = old + QStringLiteral(", final stop");
    QCOMPARE(e.text()->toPlainText(), edited);
    QCOMPARE(e.buttons(), QStringLiteral("su-"));
    while (e.button("undoBtn")->isEnabled())
        e.click("undoBtn");
    QCOMPARE(e.text()->toPlainText(), old);
    QCOMPARE(e.buttons(), QStringLiteral("--r"));
    while (e.button("redoBtn")->isEnabled())
        e.click("redoBtn");
    QCOMPARE(e.text()->toPlainText(), edited);
    QCOMPARE(e.buttons(), QStringLiteral("su-"));

    e.click("saveBtn");
    QCOMPARE(testsupport::readAll(path), edited.toUtf8());
    QCOMPARE(e.buttons(), QStringLiteral("-u-"));
}

void TestTextEditorDlg::closing_data()
{
    QTest::addColumn<bool>("escape");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("blocked");
    QTest::addColumn<bool>("staysOpen");
    QTest::addColumn<QByteArray>("stored");
    for (bool escape : {false, true}) {
        const char *how = escape ? "Esc, " : "close, ";
        auto row = [&](const char *name) {
            return &QTest::newRow(qPrintable(QLatin1String(how) + QLatin1String(name)));
        };
        *row("unchanged") << escape << ""
                          << "" << false << false << QByteArray("old");
        *row("cancel") << escape << "!" << testsupport::cancelText << false << true
                       << QByteArray("old");
        *row("discard") << escape << "!" << testsupport::discardText << false << false
                        << QByteArray("old");
        *row("save") << escape << "!" << testsupport::saveText << false << false
                     << QByteArray("old!");
        *row("save fails") << escape << "!" << testsupport::saveText << true << true
                           << QByteArray();
    }
}

void TestTextEditorDlg::closing()
{
    QFETCH(bool, escape);
    QFETCH(QString, typed);
    QFETCH(QString, answer);
    QFETCH(bool, blocked);
    QFETCH(bool, staysOpen);
    QFETCH(QByteArray, stored);
    const QString path = file("s2.txt");
    QVERIFY(testsupport::writeAll(path, "old"));
    Editor e(path);
    e.typeAtEnd(typed);
    if (blocked) {
        // A folder where the file was: the save cannot replace it.
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkdir(path));
    }
    QSignalSpy finished(&e.dlg, &QDialog::finished);
    testsupport::BoxAnswerer boxes(QStringList{answer});
    if (escape)
        QTest::keyClick(e.text(), Qt::Key_Escape);
    else
        e.dlg.close();

    QCOMPARE(boxes.prompts.size(), typed.isEmpty() ? 0 : 1);
    if (!typed.isEmpty()) {
        const auto &prompt = boxes.prompts.first();
        QCOMPARE(prompt.text, QStringLiteral("Текстовый файл был изменен. Сохранить изменения?"));
        QCOMPARE(prompt.icon, QMessageBox::Warning);
        QCOMPARE(prompt.buttons, (QStringList{testsupport::saveText, testsupport::discardText,
                                              testsupport::cancelText}));
        QCOMPARE(prompt.defaultButton, testsupport::saveText);
        QCOMPARE(prompt.escapeButton, testsupport::cancelText);
        QCOMPARE(prompt.parent, &e.dlg);
    }
    QCOMPARE(boxes.otherBoxes,
             blocked ? QStringList{QStringLiteral("Ошибка сохранения текстового файла!")}
                     : QStringList());
    QCOMPARE(e.dlg.isVisible(), staysOpen);
    QCOMPARE(finished.count(), staysOpen ? 0 : 1);
    QCOMPARE(testsupport::readAll(path), stored);
    if (staysOpen) {
        QCOMPARE(e.text()->toPlainText(), QStringLiteral("old!"));
        QCOMPARE(e.buttons().left(1), QStringLiteral("s"));
    }
}

void TestTextEditorDlg::longFileSavedWhole()
{
    const QString path = file("long.txt");
    QByteArray bytes;
    for (int i = 0; bytes.size() < 4950; ++i)
        bytes += QStringLiteral("Строка %1 объявления.\n").arg(i).toUtf8();
    bytes += QByteArray(5000 - bytes.size(), '.');
    QCOMPARE(bytes.size(), 5000);
    QVERIFY(testsupport::writeAll(path, bytes));
    Editor e(path);
    e.typeAtEnd(QStringLiteral("!"));
    e.click("saveBtn");
    QCOMPARE(testsupport::readAll(path), bytes + "!");
}

void TestTextEditorDlg::unreadableFileKept()
{
    const QString path = file("dir.txt");
    QVERIFY(QDir().mkdir(path));
    QVERIFY(testsupport::writeAll(path + QStringLiteral("/inside"), "kept"));
    testsupport::BoxAnswerer boxes;
    QVERIFY(!TextEditorDlg::openFile(path, nullptr));
    QCOMPARE(boxes.otherBoxes, QStringList{QStringLiteral("Ошибка чтения текстового файла!")});
    QCOMPARE(testsupport::readAll(path + QStringLiteral("/inside")), QByteArray("kept"));
}

void TestTextEditorDlg::helpHidesAndShows()
{
    Editor e(file("new.txt"));
    QWidget *help = e.dlg.findChild<QWidget *>(QStringLiteral("helpWidget"));
    QVERIFY(help->isVisible());
    e.click("helpBtn");
    QVERIFY(!help->isVisible());
    e.click("helpBtn");
    QVERIFY(help->isVisible());
}

void TestTextEditorDlg::openFileRunsModally()
{
    const QString path = file("made.txt");
    QTimer::singleShot(0, [] {
        auto *dlg = qobject_cast<TextEditorDlg *>(QApplication::activeModalWidget());
        QVERIFY(dlg);
        auto *text = dlg->findChild<QPlainTextEdit *>();
        QTest::keyClicks(text, QStringLiteral("New text"));
        QTest::mouseClick(dlg->findChild<QToolButton *>(QStringLiteral("saveBtn")), Qt::LeftButton);
        QTest::keyClick(text, Qt::Key_Escape);
    });
    QWidget parent;
    QVERIFY(TextEditorDlg::openFile(path, &parent));
    QCOMPARE(testsupport::readAll(path), QStringLiteral("New text").toUtf8());
}

QTEST_MAIN(TestTextEditorDlg)
#include "tst_texteditordlg.moc"
