// The editor of one route folder, shown as one tab of the main window.
#pragma once

#include "board.h"
#include "formcontext.h"
#include "fronttablotype.h"
#include "route.h"

#include <QModelIndex>
#include <QWidget>

#include <functional>
#include <memory>

class BoardPage;
class FrontTabloWidget;
class QAbstractButton;
class QButtonGroup;
class FileLists;
class QMenu;
class ListWidthGrip;
class StationFilter;
class QStandardItemModel;
class QTimer;
class QUndoStack;
class QWidget;
class DiskChangeBar;
class RecoveryWriter;
class RouteFileWatch;
class RouteModel;
class SalonPage;
class StationPage;
class SoundPreview;

namespace Ui {
class RouteForm;
}

// The places of the form (LangGroup, LastChange, ...) are FormPlace's, named through the form too.
class RouteForm : public QWidget, public FormPlace
{
    Q_OBJECT

public:
    // The boards are the record's BoardId; the old names stay.
    using Board = BoardId;
    static constexpr BoardId FrontBoard = ::FrontBoard;
    static constexpr BoardId SideBoard = ::SideBoard;
    static constexpr BoardId BackBoard = ::BackBoard;

    // Asks whether the route keeps next-stop announcements as entries of their own;
    // gets the default answer, returns true for "yes".
    using NextStopAsker = std::function<bool(bool defaultYes)>;

    explicit RouteForm(QWidget *parent = nullptr);
    ~RouteForm() override;

    bool canSave() const { return m_canSave; }
    bool canUndo() const { return m_canUndo; }
    bool canRedo() const { return m_canRedo; }

    FrontTabloType frontTabloType() const { return m_tabloType[FrontBoard]; }
    FrontTabloType sideTabloType() const { return m_tabloType[SideBoard]; }
    FrontTabloType backTabloType() const { return m_tabloType[BackBoard]; }

    const Route &route() const { return m_route; }
    QUndoStack *undoStack() const { return m_undoStack; }
    RouteModel *stationModel() const { return m_model; }
    int langCount() const { return m_ctx->langCount; }
    int currentStation() const { return m_ctx->currentStation; }
    LastChange &lastChange() { return m_ctx->lastChange; }
    QButtonGroup *langGroup(LangGroup group) const { return m_ctx->langGroups[group]; }
    QStandardItemModel *frontColorModel() const { return m_ctx->frontColorModel; }
    QStandardItemModel *sofitColorModel() const { return m_ctx->sofitColorModel; }
    // The player of the sound tab: load a file into it with soundPreview()->load(path).
    SoundPreview *soundPreview() const { return m_soundPreview; }
    FileLists *fileLists() const { return m_fileLists; }
    // The station list's width as the user dragged it, 0 while the layout decides; the
    // window keeps it for every tab.
    int stationListWidth() const;
    // Shows only the stations whose number or names hold the text.
    void filterStations(const QString &text);
    void setStationListWidth(int width);

    // A read-only form never saves and keeps no recovery copy.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }
    // The six files of the route as save writes them.
    Route::FileMap routeFiles() const { return m_route.fileBytes(); }
    // Files of this folder kept elsewhere (a recovery copy) become the route, as one undo step.
    void restoreFiles(const Route::FileMap &files);
    // How long after a change the recovery copy is written at the latest (ms).
    static constexpr int recoveryDelay = 1000;

    // Asks whether a save may write over files changed on disk by someone else.
    using OverwriteAsker = std::function<bool(const QString &text)>;
    void setOverwriteAsker(OverwriteAsker asker) { m_overwriteAsker = std::move(asker); }
    DiskChangeBar *diskChangeBar() const { return m_diskBar; }
    // Reads the route files again from disk, as one undo step to a saved state.
    void rereadRoute();

    // Replaces the question box of the next-stop check (tests, tools).
    void setNextStopAsker(NextStopAsker asker) { m_nextStopAsker = std::move(asker); }

    int computeLangCount() const;
    void setLangCount(int n);
    void selectLang(LangGroup group, int lang);

    // False when editor.ini is missing or, with `why` set, cannot be read.
    bool readEditorIni(QString *why = nullptr);
    bool writeEditorIni();

    // The board-model menu, not yet shown: checkable actions carrying their model.
    QMenu *createTabloMenu(Board board) const;
    BoardPage *boardPage(Board board) const { return m_ctx->boards[board]; }
    SalonPage *salonPage() const { return m_salon; }

    // Colour lookups of the two colour models; -1 (or black, 0) when absent.
    int frontColorRow(const QColor &color) const;
    QColor frontColorOfRow(int row) const;
    int sofitRow(int code) const;
    int sofitCodeOfRow(int row) const;

    // Apply operations: the undo commands change the route only through these. Each one sets
    // the field, shows it in its control and preview, and records the place of the change.
    void setFrontNumber(const QString &text);
    void setFrontStartingPoint(int lang, const QString &text);
    void setFrontDestination(int lang, const QString &text);
    void setFrontTabloMode(int flags);
    void setFrontTabloFont(int bits);
    void setFrontNumberColor(const QColor &color);
    void setFrontStartColor(const QColor &color);
    void setFrontDestColor(const QColor &color);
    void setLeftSofitColor(int code);
    void setRightSofitColor(int code);
    void setSideNumber(const QString &text);
    void setSideStartingPoint(int lang, const QString &text);
    void setSideDestination(int lang, const QString &text);
    void setSideTabloMode(int flags);
    void setSideTabloFont(int bits);
    void setSideStationCount(int count);
    void setSideSeparator(const QString &text);
    void setBackNumber(const QString &text);
    void setBackStartingPoint(int lang, const QString &text);
    void setBackDestination(int lang, const QString &text);
    void setBackTabloMode(int flags);
    void setBackTabloFont(int bits);
    void setSalonTabloOrder(const QByteArray &order);
    void setRouteText(int lang, const QString &text);
    void setSalonTempText(int lang, const QString &text);
    void setOutsideTempText(int lang, const QString &text);

    void insertStationAt(int index, Station *station = nullptr);
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

    void insertStationSoundFile(int station, int row, const QString &name);
    void removeStationSoundFile(int station, int row);
    void moveStationSoundFile(int station, int from, int to);
    void insertStationTextFile(int station, int row, const QString &name);
    void removeStationTextFile(int station, int row);
    void moveStationTextFile(int station, int from, int to);
    void insertAdTextFile(int row, const QString &name);
    void removeAdTextFile(int row);
    void moveAdTextFile(int from, int to);
    void setAdFolder(const QString &path);
    void setRouteFiles(const Route::FileMap &files);

    // Brings a place into view the way undo does: station, pages, languages and rows.
    void showPlace(const LastChange &place);
    // Makes the station (the route row for -1) current in the station list.
    void selectStation(int station);

signals:
    void canSaveChanged(bool canSave);
    void canUndoChanged(bool canUndo);
    void canRedoChanged(bool canRedo);
    void frontTabloTypeChanged(FrontTabloType tabloType);
    void sideTabloTypeChanged(FrontTabloType tabloType);
    void backTabloTypeChanged(FrontTabloType tabloType);
    // The station page shows this station (-1: the route), chosen in the list or by undo.
    void currentStationShown(int station);

public slots:
    // False (after saying which file could not be read) when the folder is not opened.
    bool openRoute(const QString &path);
    bool saveRoute();
    void closeRoute();
    void undo();
    void redo();
    void stopPlaying();

    void setFrontTabloType(int type);
    void setSideTabloType(int type);
    void setBackTabloType(int type);

    void setCanSave(bool canSave);
    void setCanUndo(bool canUndo);
    void setCanRedo(bool canRedo);

    void onCleanStateChanged(bool clean);
    void onTextEdited();

    // Shows the whole route on the three previews.
    void updatePreviews();
    void setSideTabloStations();

protected:
    void paintEvent(QPaintEvent *event) override;

private slots:
    void onLangCountClicked(int id);
    void onGeneralLangToggled(int id, bool checked);
    void onFrontLangToggled(int id, bool checked);
    void onSideLangToggled(int id, bool checked);
    void onBackLangToggled(int id, bool checked);
    void onRouteTextLangToggled(int id, bool checked);
    void onSalonTempLangToggled(int id, bool checked);
    void onOutsideTempLangToggled(int id, bool checked);
    void onStationLangToggled(int id, bool checked);

    void onCurrentStationChanged(const QModelIndex &current);

private:
    void createButtonGroups();
    void setTabloType(Board board, int type);
    void showTabloMenu(Board board);
    void fillControls();
    bool checkNextStopTexts();
    bool askNextStopSeparate(bool defaultYes);
    void showLastChange();
    void clearFocusedWidget();
    // After an edit that changed nothing: the undo actions follow the stack again.
    void resetUndoFlags();
    void keepRecoveryCopy();
    void onFilesChangedOnDisk(const QStringList &names);
    bool askOverwrite();
    void dropRecoveryCopy();
    void setSaveFlag(bool canSave);

    FrontTabloWidget *tablo(Board board) const;
    int selectedLang(LangGroup group) const;

    Route m_route;
    Ui::RouteForm *ui;
    RouteModel *m_model = nullptr;
    QUndoStack *m_undoStack = nullptr;
    // What the pages share; it outlives them.
    std::unique_ptr<FormContext> m_ctx;
    QButtonGroup *m_langCountGroup = nullptr;
    SoundPreview *m_soundPreview = nullptr;
    FileLists *m_fileLists = nullptr;
    FrontTabloType m_tabloType[BoardCount] = {Board32x192, Board16x128, Board16x128};
    bool m_canSave = false;
    bool m_canUndo = false;
    bool m_canRedo = false;
    SalonPage *m_salon = nullptr;
    StationPage *m_stationPage = nullptr;
    ListWidthGrip *m_listGrip = nullptr;
    StationFilter *m_stationFilter = nullptr;
    NextStopAsker m_nextStopAsker;
    bool m_readOnly = false;
    bool m_keptCopy = false;
    RecoveryWriter *m_recovery = nullptr;
    QTimer *m_recoveryTimer = nullptr;
    RouteFileWatch *m_diskWatch = nullptr;
    DiskChangeBar *m_diskBar = nullptr;
    OverwriteAsker m_overwriteAsker;
};
