#include "texteditordlg.h"
#include "ui_texteditordlg.h"

#include "platformfiles.h"
#include "routefilereader.h"
#include "savechangesprompt.h"
#include "textencoding.h"

#include <QCloseEvent>
#include <QDir>
#include <QMessageBox>
#include <QSaveFile>
#include <QShortcut>

TextEditorDlg::TextEditorDlg(QWidget *parent) : QDialog(parent), ui(new Ui::TextEditorDlg)
{
    ui->setupUi(this);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    // The keys of every editor: the text keeps its own undo keys, F1 shows the markup.
    ui->saveBtn->setShortcut(QKeySequence::Save);
    auto *help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, ui->helpBtn, [this] { ui->helpBtn->setChecked(true); });
}

TextEditorDlg::~TextEditorDlg()
{
    delete ui;
}

bool TextEditorDlg::openFile(const QString &path, QWidget *parent)
{
    TextEditorDlg dlg(parent);
    if (!dlg.loadFile(path))
        return false;
    dlg.exec();
    return dlg.m_saved;
}

bool TextEditorDlg::loadFile(const QString &path)
{
    QByteArray bytes;
    QString why;
    // Saving what could not be read would replace the file with an empty or cut one; a pipe or
    // a device is not read at all.
    if (RouteFileReader::read(path, RouteFileReader::sizeLimit(QString()), bytes, &why) ==
        RouteFileReader::Refused) {
        QMessageBox box(QMessageBox::Critical, tr("Текстовый редактор"),
                        tr("Ошибка чтения текстового файла!"), QMessageBox::Ok, this);
        box.setInformativeText(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), why));
        box.exec();
        return false;
    }
    // The file keeps the line ends it had (those of its first line); a new one gets LF.
    const int lf = bytes.indexOf('\n');
    m_crlf = lf > 0 && bytes.at(lf - 1) == '\r';
    ui->plainTextEdit->setPlainText(decodeBytes(bytes));
    ui->plainTextEdit->document()->setModified(false);
    // setPlainText announces a modification that it then takes back without a word.
    ui->saveBtn->setEnabled(false);
    m_filePath = path;
    setWindowTitle(
        tr("%1 - Текстовый редактор").arg(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1)));
    return true;
}

bool TextEditorDlg::saveFile()
{
    QString text = ui->plainTextEdit->toPlainText();
    if (m_crlf)
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    const QByteArray bytes = text.toUtf8();
    QSaveFile file(m_filePath);
    // Synced before the commit: QSaveFile::commit() misses a failure of its own last flush (a
    // full disk) and would put a cut file in place of the old one.
    const bool saved = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                       platformfiles::syncFile(file) && file.commit();
    if (!saved) {
        QMessageBox box(QMessageBox::Critical, tr("Текстовый редактор"),
                        tr("Ошибка сохранения текстового файла!"), QMessageBox::Ok, this);
        box.setInformativeText(
            QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(m_filePath), file.errorString()));
        box.exec();
        return false;
    }
    ui->plainTextEdit->document()->setModified(false);
    m_saved = true;
    return true;
}

bool TextEditorDlg::maybeSaveFile()
{
    if (!ui->plainTextEdit->document()->isModified())
        return true;
    switch (askToSaveChanges(this, tr("Текстовый файл был изменен. Сохранить изменения?"))) {
    case SaveChangesAnswer::Save:
        return saveFile();
    case SaveChangesAnswer::Discard:
        return true;
    case SaveChangesAnswer::Cancel:
        break;
    }
    return false;
}

void TextEditorDlg::reject()
{
    close();
}

void TextEditorDlg::closeEvent(QCloseEvent *event)
{
    if (!maybeSaveFile()) {
        event->ignore();
        return;
    }
    ui->plainTextEdit->clear();
    event->accept();
    // Ends exec() and tells the listeners, as the standard rejection would.
    done(QDialog::Rejected);
}

void TextEditorDlg::on_saveBtn_clicked()
{
    saveFile();
}
