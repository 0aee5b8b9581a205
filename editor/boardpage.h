// One destination-board page of the route form: its texts, modes and fonts, the live preview
// while typing, and for the front board its colours and side lights, for the side board its
// station count and separator.
#pragma once

#include "board.h"

#include <QObject>

class FormContext;
class FrontTabloWidget;
class QColor;
class QAbstractButton;
class QLineEdit;
class QUndoCommand;
class Route;
struct BoardSetup;

class BoardPage : public QObject
{
    Q_OBJECT

public:
    enum Field
    {
        NumberField,
        StartingPointField,
        DestinationField,
        SeparatorField,
        FieldCount
    };

    static const int ModeButtonCount = 4;

    BoardPage(FormContext &context, BoardId board);

    FrontTabloWidget *tablo() const { return m_tablo; }
    QLineEdit *edit(Field field) const { return m_edits[field]; }
    // The stored text of a field; separator has no language.
    QString text(Field field, int lang) const;
    // A command that sets the field of this board, as a child of parent when given.
    QUndoCommand *command(Field field, int lang, const QString &text, QUndoCommand *parent) const;

    // Loads the texts of a language into the fields; a text typed in the other language and
    // not yet finished is pushed first, so switching languages loses nothing.
    void showLanguage(int lang);

    // Apply operations.
    void setText(Field field, int lang, const QString &text);
    void setMode(int flags);
    void setFont(int bits);
    void setStationCount(int count);
    void setNumberColor(const QColor &color);
    void setStartColor(const QColor &color);
    void setDestColor(const QColor &color);
    void setSofitColor(bool left, int code);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    int editLang() const;
    void touched(int lang = -1);
    void finishText(Field field, int lang);
    void showTypedText(Field field, const QString &text);
    void keepCursorVisible(int position);
    void clickMode(int bit, int excludes, bool checked);
    void clickFont(int bit, bool checked);
    void pickColor(int row);
    void pickSofit(bool left, int row);
    void finishStationCount();
    void restoreSeparator();
    void focusChanged(QLineEdit *edit, bool in);
    // Refreshes the previews that a pushed command marked, the own one excepted.
    void refreshMarked();
    void push(QUndoCommand *command);

    FormContext &m_ctx;
    Route &m_route;
    BoardId m_board;
    const BoardSetup &m_setup;
    FrontTabloWidget *m_tablo;
    QLineEdit *m_edits[FieldCount] = {};
    QAbstractButton *m_modeButtons[ModeButtonCount] = {};
    QAbstractButton *m_fontButtons[2] = {};
};
