#include "texteditordlg.h"
#include "ui_texteditordlg.h"

#include "savechangesprompt.h"
#include "textencoding.h"

#include <QCloseEvent>
#include <QFile>
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
    QFile file(path);
    if (file.exists()) {
        // Saving what could not be read would replace the file with an empty or cut one.
        if (file.open(QIODevice::ReadOnly))
            bytes = file.readAll();
        if (!file.isOpen() || file.error() != QFileDevice::NoError) {
            QMessageBox::critical(this, tr("Текстовый редактор"),
                                  tr("Ошибка чтения текстового файла!"));
            return false;
        }
    }
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
    const QByteArray bytes = ui->plainTextEdit->toPlainText().toUtf8();
    QSaveFile file(m_filePath);
    const bool saved =
        file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
    if (!saved) {
        QMessageBox::critical(this, tr("Текстовый редактор"),
                              tr("Ошибка сохранения текстового файла!"));
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
