#include "filetestsupport.h"
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
    QToolButton *button(const char *name) { return dlg.findChild<QToolButton *>(name); }
    QPlainTextEdit *text() { return dlg.findChild<QPlainTextEdit *>(); }
    void click(const char *name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    // "s", "u", "r" for the enabled save, undo and redo buttons, "-" for a disabled one.
    QString buttons()
    {
        QString states;
        for (const char *name : {"saveBtn", "undoBtn", "redoBtn"})
            states += button(name)->isEnabled() ? QLatin1Char(name[0]) : QLatin1Char('-');
        return states;
    }
    void typeAtEnd(const QString &typed)
    {
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
    void init()
    {
        m_dir.reset(new QTemporaryDir);
        QVERIFY(m_dir->isValid());
    }
    void newFileTitleAndHelp();
    void longCp1251FileEditedAndSavedWhole();
    void closing_data();
    void closing();
    void unreadableFileKept();
    void openFileRunsModally();
    void lineEndsKept_data();
    void lineEndsKept();
    void fullDisk_data();
    void fullDisk();

private:
    QString file(const char *name) const { return m_dir->filePath(QLatin1String(name)); }

    QScopedPointer<QTemporaryDir> m_dir;
};

void TestTextEditorDlg::initTestCase()
{
    testsupport::isolateSettings();
    initResources();
}

void TestTextEditorDlg::newFileTitleAndHelp()
{
    Editor e(QStringLiteral("C:/r/12/s3.txt"));
    QVERIFY(e.loaded);
    QCOMPARE(e.dlg.windowTitle(), QStringLiteral("s3.txt - Текстовый редактор"));
    QCOMPARE(e.text()->toPlainText(), QString());
    QCOMPARE(e.buttons(), QStringLiteral("---"));
    QWidget *help = e.dlg.findChild<QWidget *>(QStringLiteral("helpWidget"));
    e.click("helpBtn");
    QVERIFY(!help->isVisible());
    e.click("helpBtn");
    QVERIFY(help->isVisible());
}

// Far longer than the kilobyte the file lists preview: all of it is kept.
void TestTextEditorDlg::longCp1251FileEditedAndSavedWhole()
{
    QString old;
    for (int i = 0; old.size() < 5000; ++i)
        old += QStringLiteral("Остановка «Рынок» %1.\n").arg(i);
    old.truncate(5000);
    const QString path = file("s1.txt");
    QVERIFY(
        testsupport::writeAll(path, QTextCodec::codecForName("Windows-1251")->fromUnicode(old)));
    QCOMPARE(QFileInfo(path).size(), 5000);
    Editor e(path);
    QCOMPARE(e.text()->toPlainText(), old);
    QCOMPARE(e.buttons(), QStringLiteral("---"));

    e.typeAtEnd(QStringLiteral(" End."));
    const QString edited = old + QStringLiteral(" End.");
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
    using namespace testsupport;
    for (bool esc : {false, true}) {
        auto row = [esc](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(QLatin1String(esc ? "Esc, " : "close, ") + name))
                   << esc;
        };
        row("unchanged") << ""
                         << "" << false << false << QByteArray("old");
        row("cancel") << "!" << cancelText << false << true << QByteArray("old");
        row("discard") << "!" << discardText << false << false << QByteArray("old");
        row("save") << "!" << saveText << false << false << QByteArray("old!");
        // A folder where the file was: the save cannot replace it.
        row("save fails") << "!" << saveText << true << true << QByteArray();
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
    if (blocked)
        QVERIFY(QFile::remove(path) && QDir().mkdir(path));
    QSignalSpy finished(&e.dlg, &QDialog::finished);
    testsupport::BoxAnswerer boxes({answer});
    if (escape)
        QTest::keyClick(e.text(), Qt::Key_Escape);
    else
        e.dlg.close();

    QCOMPARE(boxes.prompts.size(), typed.isEmpty() ? 0 : 1);
    // The buttons of the shared question are checked with the main window's.
    for (const auto &prompt : boxes.prompts)
        QCOMPARE(
            prompt.text + (prompt.parent == &e.dlg ? " over the editor" : ""),
            QStringLiteral("Текстовый файл был изменен. Сохранить изменения? over the editor"));
    QCOMPARE(boxes.otherBoxes,
             blocked ? QStringList{"Ошибка сохранения текстового файла!"} : QStringList());
    QCOMPARE(e.dlg.isVisible(), staysOpen);
    QCOMPARE(finished.count(), staysOpen ? 0 : 1);
    QCOMPARE(testsupport::readAll(path), stored);
    if (staysOpen)
        QCOMPARE(e.text()->toPlainText() + e.buttons().left(1), QStringLiteral("old!s"));
}

void TestTextEditorDlg::unreadableFileKept()
{
    const QString path = file("dir.txt");
    QVERIFY(QDir().mkdir(path));
    testsupport::BoxAnswerer boxes;
    QVERIFY(!TextEditorDlg::openFile(path, nullptr));
    QCOMPARE(boxes.otherBoxes, QStringList{"Ошибка чтения текстового файла!"});
    QVERIFY(QFileInfo(path).isDir());
}

void TestTextEditorDlg::lineEndsKept_data()
{
    QTest::addColumn<QByteArray>("old");
    QTest::addColumn<QByteArray>("saved");
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArray("a\r\nb\r\n!");
    QTest::newRow("LF") << QByteArray("a\nb\n") << QByteArray("a\nb\n!");
    QTest::newRow("one line") << QByteArray("a") << QByteArray("a!");
}

void TestTextEditorDlg::lineEndsKept()
{
    QFETCH(QByteArray, old);
    QFETCH(QByteArray, saved);
    const QString path = file("ends.txt");
    QVERIFY(testsupport::writeAll(path, old));
    Editor e(path);
    e.typeAtEnd(QStringLiteral("!"));
    e.click("saveBtn");
    QCOMPARE(testsupport::readAll(path), saved);
}

void TestTextEditorDlg::fullDisk_data()
{
    QTest::addColumn<int>("size");
    QTest::newRow("short text, held in the write buffer") << 100;
    QTest::newRow("long text") << 100000;
}

// A file-size limit stands in for a full disk: the old file stays, the failure is said and
// the text is still unsaved.
void TestTextEditorDlg::fullDisk()
{
    QFETCH(int, size);
    const QString path = file("full.txt");
    const QByteArray old(size, 'a');
    QVERIFY(testsupport::writeAll(path, old));
    Editor e(path);
    e.typeAtEnd(QStringLiteral("!"));
    testsupport::BoxAnswerer boxes;
    {
        testsupport::FileSizeLimit limit(rlim_t(size / 2));
        QVERIFY(!e.dlg.saveFile());
    }
    QCOMPARE(boxes.otherBoxes, QStringList{"Ошибка сохранения текстового файла!"});
    QCOMPARE(testsupport::readAll(path), old);
    QCOMPARE(e.buttons().left(1), QStringLiteral("s"));
    QVERIFY(e.text()->document()->isModified());
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"full.txt"});
}

// The way the file lists open a file: modal, returning once the user has closed it.
void TestTextEditorDlg::openFileRunsModally()
{
    QTimer::singleShot(0, [] {
        QWidget *dlg = QApplication::activeModalWidget();
        QVERIFY(qobject_cast<TextEditorDlg *>(dlg));
        QTest::keyClicks(dlg->findChild<QPlainTextEdit *>(), QStringLiteral("New text"));
        QTest::mouseClick(dlg->findChild<QToolButton *>("saveBtn"), Qt::LeftButton);
        QTest::keyClick(dlg->findChild<QPlainTextEdit *>(), Qt::Key_Escape);
    });
    QWidget parent;
    QVERIFY(TextEditorDlg::openFile(file("made.txt"), &parent));
    QCOMPARE(testsupport::readAll(file("made.txt")), QByteArray("New text"));
}

QTEST_MAIN(TestTextEditorDlg)
#include "tst_texteditordlg.moc"
