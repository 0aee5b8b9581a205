#pragma once

#include <QDialog>

namespace Ui {
class TextEditorDlg;
}

// Small modal plain-text editor for one announcement or ad text file. The file is written
// directly on save, as UTF-8 with the line ends it had, whatever encoding it had; it is no part
// of the route's undo.
class TextEditorDlg : public QDialog
{
    Q_OBJECT

public:
    explicit TextEditorDlg(QWidget *parent = nullptr);
    ~TextEditorDlg() override;

    // Edits the file at `path` in a modal editor over `parent` and returns once the user has
    // closed it. A missing file opens empty and is created by saving. A file that exists but
    // cannot be read is reported and not opened, so it is never overwritten unseen.
    // Returns true when the user saved the file at least once.
    static bool openFile(const QString &path, QWidget *parent);

    // Loads the whole file; false (after telling the user) when it exists but cannot be read.
    bool loadFile(const QString &path);
    // True when the file was written.
    bool saveFile();
    // Asks about unsaved changes; true when the editor may close.
    bool maybeSaveFile();

    QString filePath() const { return m_filePath; }

public slots:
    // Esc asks about unsaved changes just as closing the window does.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_saveBtn_clicked();

private:
    Ui::TextEditorDlg *ui;
    QString m_filePath;
    bool m_saved = false;
    // Lines end in CR LF in the file.
    bool m_crlf = false;
};
