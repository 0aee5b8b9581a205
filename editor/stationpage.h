// The station page of the route form and the station-wide settings of its general page:
// user actions become undo commands; the rules behind them are StationRules.
#pragma once

#include "stationrules.h"

#include <QObject>

#include <initializer_list>

class QGeoCoordinate;
class QLineEdit;
class QModelIndex;
class QUndoCommand;
class Route;
class Station;
class FormContext;

class StationPage : public QObject
{
    Q_OBJECT

public:
    explicit StationPage(FormContext &context);

    StationRules rules() const;
    bool isNextEntry(int station) const { return rules().isNextEntry(station); }

    // The current item of the station list changed.
    void showStation(const QModelIndex &current);
    // Makes the station (the route row when there is none) current and shows it, even when
    // it already was current.
    void makeCurrent(int station);
    // A language of the station page or of the general page was chosen: a text still being
    // typed in the language shown so far is pushed first, then the fields show the new one.
    void showLanguage(int lang);
    void showGeneralLanguage(int lang);

    // The form's apply operations of the same names, for the undo commands.
    void insertStationAt(int index, Station *station);
    void deleteStationAt(int index);
    Station *takeStationAt(int index);
    void setBackStationIndex(int index);
    void setStationName(int index, int lang, const QString &text);
    void setStationNextName(int index, int lang, const QString &text);
    void setStationSideName(int index, int lang, const QString &text);
    void setStationRadius(int index, quint8 radius);
    void setStationCoordinate(int index, const QGeoCoordinate &coordinate);
    void setNextSeparate(bool on);
    void setNextStationDelay(int value);
    void setStationWord(int lang, const QString &text);
    void setNextWord(int lang, const QString &text);

private:
    struct TypedField
    {
        QLineEdit *edit;
        void (StationPage::*finish)(int lang);
    };

    void finishTyped(std::initializer_list<TypedField> fields, int lang);
    void showStationTexts(int lang);
    bool separate() const;
    int lang() const;
    int generalLang() const;
    // The current station, null without one.
    const Station *current() const;
    Station *station(int index) const;
    // Whether the station page shows the texts of this station and language.
    bool shown(int index, int lang) const;
    // The place of an applied change: a station's tab, or the general page.
    void noteChange(int index, int tab, int lang = -1);
    void noteGeneralChange();
    // Sets one text of a station, shown if the page shows it; false without the station.
    bool setText(int index, int lang, const QString &text, void (Station::*set)(int, QString),
                 QLineEdit *edit);
    // The station word, or else the next word, of a language.
    void setWord(int lang, const QString &text, bool station);

    QUndoCommand *command(const StationRules::Edit &edit, QUndoCommand *parent) const;
    // A plan as one undo step; `group` puts even a single change inside a parent command.
    void push(const StationRules::Plan &plan, bool group = true);
    void push(QUndoCommand *command);
    // Nothing to push: the field shows the trimmed text and undo follows the stack again.
    void unchanged(QLineEdit *edit, const QString &text);

    void finishStationName(int lang);
    void finishNextName(int lang);
    void finishSideName(int lang);
    void autoStationName();
    void autoNextName();
    void autoSideName();
    void addStation();
    void addNextStation();
    void removeStation();
    void finishStationWord(int lang);
    void finishNextWord(int lang);
    void finishNextDelay();
    void switchLayout(bool separate);
    void finishCoordinate();
    void finishRadius();
    void setAllRadius();

    FormContext &m_ctx;
    const Route &m_route;
};
