// Rescanning a large route folder for the announcement file lists: the sorted scan against the
// bare directory walk, and refilling one folder list while keeping its current entry.
#include "filelistpair.h"
#include "filelistrules.h"

#include <QDirIterator>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QUndoStack>

class BenchFileLists : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void bareWalk();
    void scan();
    void refillFolderList();

private:
    QTemporaryDir m_dir;
};

void BenchFileLists::initTestCase()
{
    // 2,000 sounds, 2,000 texts and 2,000 files of no kind.
    for (int i = 0; i < 2000; ++i) {
        for (const char *pattern : {"Остановка %1.wav", "s%1.txt", "x%1.ogg"}) {
            QFile f(m_dir.filePath(QString::fromUtf8(pattern).arg(i)));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
    }
}

void BenchFileLists::bareWalk()
{
    QBENCHMARK
    {
        QStringList names;
        QDirIterator it(m_dir.path(), QDir::Files);
        while (it.hasNext()) {
            it.next();
            names << it.fileName();
        }
    }
}

void BenchFileLists::scan()
{
    QBENCHMARK
    {
        scanRouteFolder(m_dir.path());
    }
}

void BenchFileLists::refillFolderList()
{
    QListWidget assigned, folder;
    QPushButton add, up, down, remove;
    QUndoStack stack;
    FileListPair pair({&assigned, &folder, &add, &up, &down, &remove},
                      {nullptr, nullptr, nullptr, nullptr, [](const QString &) {}}, &stack,
                      nullptr);
    const QStringList texts = scanRouteFolder(m_dir.path()).texts;
    pair.setFolderFiles(texts);
    folder.setCurrentRow(texts.size() / 2);
    QBENCHMARK
    {
        pair.setFolderFiles(texts);
    }
    QCOMPARE(folder.currentRow(), texts.size() / 2);
}

QTEST_MAIN(BenchFileLists)
#include "bench_filelists.moc"
