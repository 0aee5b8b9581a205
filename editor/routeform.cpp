#include "routeform.h"

#include "boardheader.h"
#include "boardpage.h"
#include "diskchangebar.h"
#include "editorini.h"
#include "fieldguard.h"
#include "filelistpair.h"
#include "filelists.h"
#include "fronttablowidget.h"
#include "listwidthgrip.h"
#include "recoverywriter.h"
#include "routefilewatch.h"
#include "routemodel.h"
#include "salonpage.h"
#include "soundpreview.h"
#include "stationfilter.h"
#include "stationlistdelegate.h"
#include "stationpage.h"
#include "tablotexthelpform.h"
#include "textencoding.h"
#include "ui_routeform.h"
#include "undocommands.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QButtonGroup>
#include <QCursor>
#include <QFileInfo>
#include <QHeaderView>
#include <QIcon>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QStandardItemModel>
#include <QStyleOption>
#include <QTimer>
#include <QUndoStack>

#include <utility>

#include <algorithm>
#include <iterator>

namespace {

// The language selectors with their buttons and container, in LangGroup order.
struct LangSelector
{
    QToolButton *Ui::RouteForm::*first;
    QToolButton *Ui::RouteForm::*second;
    QWidget *Ui::RouteForm::*container;
};
const LangSelector langSelectors[RouteForm::LangGroupCount] = {
    {&Ui::RouteForm::generalLang1Btn, &Ui::RouteForm::generalLang2Btn,
     &Ui::RouteForm::generalLangWdt},
    {&Ui::RouteForm::frontLang1Btn, &Ui::RouteForm::frontLang2Btn, &Ui::RouteForm::frontLangWdt},
    {&Ui::RouteForm::sideLang1Btn, &Ui::RouteForm::sideLang2Btn, &Ui::RouteForm::sideLangWdt},
    {&Ui::RouteForm::backLang1Btn, &Ui::RouteForm::backLang2Btn, &Ui::RouteForm::backLangWdt},
    {&Ui::RouteForm::salonTempLang1Btn, &Ui::RouteForm::salonTempLang2Btn,
     &Ui::RouteForm::salonTempLangWdt},
    {&Ui::RouteForm::outsideTempLang1Btn, &Ui::RouteForm::outsideTempLang2Btn,
     &Ui::RouteForm::outsideTempLangWdt},
    {&Ui::RouteForm::routeTextLang1Btn, &Ui::RouteForm::routeTextLang2Btn,
     &Ui::RouteForm::routeTextLangWdt},
    {&Ui::RouteForm::stationLang1Btn, &Ui::RouteForm::stationLang2Btn,
     &Ui::RouteForm::stationLangWdt},
};

} // namespace

RouteForm::RouteForm(QWidget *parent) : QWidget(parent), ui(new Ui::RouteForm)
{
    ui->setupUi(this);
    m_model = new RouteModel(this);
    m_undoStack = new QUndoStack(this);
    m_ctx = std::make_unique<FormContext>(this, m_route, *m_model, *m_undoStack, *ui);
    connect(m_ctx.get(), &FormContext::editUnchanged, this, &RouteForm::resetUndoFlags);
    connect(m_ctx.get(), &FormContext::textTyped, this, &RouteForm::onTextEdited);
    connect(m_ctx.get(), &FormContext::currentStationShown, this, &RouteForm::currentStationShown);

    ui->setLocationBtn->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *>{
             ui->addAdTextFileBtn, ui->upAdTextFileBtn, ui->downAdTextFileBtn,
             ui->removeAdTextFileBtn, ui->addTextFileBtn, ui->upTextFileBtn, ui->downTextFileBtn,
             ui->removeTextFileBtn, ui->addSoundFileBtn, ui->upSoundFileBtn, ui->downSoundFileBtn,
             ui->removeSoundFileBtn, ui->gpsBox})
        w->hide();

    // Typing in these fields is a pending change long before editing finishes; each is guarded
    // by the rule of the place its text is written to.
    using K = TextRule::Kind;
    const std::pair<QLineEdit *, K> texts[] = {
        {ui->stationWordEdit, K::LineText},
        {ui->nextWordEdit, K::LineText},
        {ui->frontNumberEdit, K::NumberText},
        {ui->frontStartingPointEdit, K::HeaderText},
        {ui->frontDestinationEdit, K::HeaderText},
        {ui->sideNumberEdit, K::NumberText},
        {ui->sideStartingPointEdit, K::HeaderText},
        {ui->sideDestinationEdit, K::HeaderText},
        {ui->sideSepEdit, K::SeparatorText},
        {ui->backNumberEdit, K::NumberText},
        {ui->backStartingPointEdit, K::HeaderText},
        {ui->backDestinationEdit, K::HeaderText},
        {ui->salonTabloOrderEdit, K::LineText},
        {ui->routeTextEdit, K::LineText},
        {ui->salonTempEdit, K::LineText},
        {ui->outsideTempEdit, K::LineText},
        {ui->stationNameEdit, K::PairText},
        {ui->nextNameEdit, K::PairText},
        {ui->sideNameEdit, K::LineText},
    };
    for (const auto &text : texts) {
        new FieldGuard(text.first, text.second);
        connect(text.first, &QLineEdit::textEdited, this, &RouteForm::onTextEdited);
    }
    connect(ui->coordEdit, &QLineEdit::textEdited, this, &RouteForm::onTextEdited);
    for (QSpinBox *spin : {ui->sideStationCountSpn, ui->radiusSpn, ui->nextDelaySpn})
        connect(spin, QOverload<int>::of(&QSpinBox::valueChanged), this, &RouteForm::onTextEdited);

    createButtonGroups();

    ui->stationList->setModel(m_model);
    ui->stationList->header()->setSectionResizeMode(QHeaderView::Stretch);
    ui->stationList->header()->hide();
    ui->stationList->setItemDelegate(new StationListDelegate(m_model, ui->stationList));
    m_stationFilter = new StationFilter(ui->stationList, m_model);
    m_listGrip = new ListWidthGrip(ui->stationList);
    TabloTextHelpForm::addHelpKey(ui->salonTabloTab);
    connect(ui->stationList->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &RouteForm::onCurrentStationChanged);

    connect(m_undoStack, &QUndoStack::canRedoChanged, this, &RouteForm::setCanRedo);
    connect(m_undoStack, &QUndoStack::canUndoChanged, this, &RouteForm::setCanUndo);
    connect(m_undoStack, &QUndoStack::cleanChanged, this, &RouteForm::onCleanStateChanged);

    // At most recoveryDelay after the first change since the last copy, the next one is kept.
    m_recovery = new RecoveryWriter(this);
    m_recoveryTimer = new QTimer(this);
    m_recoveryTimer->setSingleShot(true);
    m_recoveryTimer->setInterval(recoveryDelay);
    connect(m_recoveryTimer, &QTimer::timeout, this, &RouteForm::keepRecoveryCopy);

    m_diskWatch = new RouteFileWatch(this);
    connect(m_diskWatch, &RouteFileWatch::changedOnDisk, this, &RouteForm::onFilesChangedOnDisk);
    m_diskBar = DiskChangeBar::install(this);
    connect(m_diskBar, &DiskChangeBar::rereadClicked, this, &RouteForm::rereadRoute);
    connect(m_undoStack, &QUndoStack::indexChanged, this, [this] {
        if (!m_recoveryTimer->isActive())
            m_recoveryTimer->start();
    });

    m_soundPreview =
        new SoundPreview({ui->playSoundBtn, ui->stopSoundBtn, ui->playSoundSlider,
                          ui->playPositionLabel, ui->playNameLabel, ui->playErrorLabel},
                         this);
    m_fileLists = new FileLists(*m_ctx, m_soundPreview);

    for (int board = FrontBoard; board <= BackBoard; ++board) {
        tablo(Board(board))->setBoardType(m_tabloType[board]);
        connect(tablo(Board(board)), &FrontTabloWidget::contextMenuRequested, this,
                [this, board] { showTabloMenu(Board(board)); });
    }

    // The pages connect their own controls and watch the focus of their text fields.
    for (int board = FrontBoard; board <= BackBoard; ++board)
        m_ctx->boards[board] = new BoardPage(*m_ctx, Board(board));
    m_salon = new SalonPage(*m_ctx);
    m_stationPage = new StationPage(*m_ctx);
}

RouteForm::~RouteForm()
{
    // Closing without saving leaves no copy behind.
    dropRecoveryCopy();
    m_recovery->wait();
    // The pages go before the widgets they watch, which still report their focus while dying.
    for (BoardPage *&page : m_ctx->boards)
        delete std::exchange(page, nullptr);
    delete std::exchange(m_salon, nullptr);
    delete std::exchange(m_fileLists, nullptr);
    // The children go first, while the route they may still reach is alive.
    m_model->setRoute(nullptr);
    while (!children().isEmpty())
        delete children().first();
    delete ui;
}

void RouteForm::createButtonGroups()
{
    m_langCountGroup = new QButtonGroup(this);
    m_langCountGroup->setExclusive(true);
    m_langCountGroup->addButton(ui->langCount1Btn, 1);
    m_langCountGroup->addButton(ui->langCount2Btn, 2);
    connect(m_langCountGroup, &QButtonGroup::idClicked, this, &RouteForm::onLangCountClicked);

    using Toggled = void (RouteForm::*)(int, bool);
    const Toggled handlers[LangGroupCount] = {
        &RouteForm::onGeneralLangToggled,   &RouteForm::onFrontLangToggled,
        &RouteForm::onSideLangToggled,      &RouteForm::onBackLangToggled,
        &RouteForm::onSalonTempLangToggled, &RouteForm::onOutsideTempLangToggled,
        &RouteForm::onRouteTextLangToggled, &RouteForm::onStationLangToggled};
    for (int g = 0; g < LangGroupCount; ++g) {
        auto *group = new QButtonGroup(this);
        group->setExclusive(true);
        group->addButton(ui->*langSelectors[g].first, 0);
        group->addButton(ui->*langSelectors[g].second, 1);
        connect(group, &QButtonGroup::idToggled, this, handlers[g]);
        m_ctx->langGroups[g] = group;
    }
}

int RouteForm::frontColorRow(const QColor &color) const
{
    return m_ctx->frontColorRow(color);
}

QColor RouteForm::frontColorOfRow(int row) const
{
    return m_ctx->frontColorOfRow(row);
}

int RouteForm::sofitRow(int code) const
{
    return m_ctx->sofitRow(code);
}

int RouteForm::sofitCodeOfRow(int row) const
{
    return m_ctx->sofitCodeOfRow(row);
}

FrontTabloWidget *RouteForm::tablo(Board board) const
{
    return m_ctx->preview(board);
}

void RouteForm::filterStations(const QString &text)
{
    m_stationFilter->setText(text);
}

int RouteForm::stationListWidth() const
{
    return m_listGrip->listWidth();
}

void RouteForm::setStationListWidth(int width)
{
    m_listGrip->setListWidth(width);
}

int RouteForm::selectedLang(LangGroup group) const
{
    return m_ctx->selectedLang(group);
}

// --- Opening, saving, closing -----------------------------------------------

bool RouteForm::openRoute(const QString &path)
{
    QString why;
    if (!m_route.load(path)) {
        why = m_route.loadError();
        if (why.isEmpty())
            m_route.newRoute(path);
    }
    // A file that is there but cannot be read must not be replaced by defaults on saving.
    const bool iniRead = why.isEmpty() && readEditorIni(&why);
    if (!why.isEmpty()) {
        QMessageBox box(QMessageBox::Critical, tr("Приложение"),
                        tr("Маршрут не открыт: файл не удалось прочитать."), QMessageBox::Ok, this);
        box.setInformativeText(why);
        box.exec();
        return false;
    }
    if (m_route.recovery() != SaveJournal::NothingPending) {
        QMessageBox box(QMessageBox::Information, tr("Приложение"),
                        m_route.recovery() == SaveJournal::Completed
                            ? tr("Прошлое сохранение маршрута было прервано и теперь завершено.")
                            : tr("Прошлое сохранение маршрута было прервано; файлы остались "
                                 "прежними."),
                        QMessageBox::Ok, this);
        box.exec();
    }

    std::fill(std::begin(m_ctx->previewDirty), std::end(m_ctx->previewDirty), false);
    m_ctx->currentStation = -1;
    m_ctx->lastChange = LastChange();

    m_model->setRoute(&m_route);
    ui->stationList->setCurrentIndex(m_model->routeIndex());

    ui->routeTabs->setCurrentWidget(ui->generalTab);
    ui->stationTabs->setCurrentWidget(ui->stationTab);
    ui->salonOrderTabs->setCurrentWidget(ui->salonTabloOrderTab);

    for (LangGroup g : {GeneralLang, FrontLang, SideLang, BackLang, RouteTextLang, SalonTempLang,
                        OutsideTempLang, StationLang})
        selectLang(g, 0);
    setLangCount(computeLangCount());

    fillControls();

    const bool changed = checkNextStopTexts();
    setCanSave(changed);
    // Texts changed here are not undoable, so no state of the stack may count as saved.
    if (changed)
        m_undoStack->resetClean();

    m_fileLists->watch();
    m_diskWatch->watch(m_route.path(), m_route.adPath());
    m_diskBar->hide();

    if (!iniRead)
        writeEditorIni();

    for (int board = FrontBoard; board <= BackBoard; ++board)
        tablo(Board(board))->setBoardType(m_tabloType[board]);
    updatePreviews();
    return true;
}

void RouteForm::fillControls()
{
    const Route &r = m_route;
    auto setButtons = [](int value, std::initializer_list<std::pair<QAbstractButton *, int>> bits) {
        for (const auto &b : bits)
            b.first->setChecked(value & b.second);
    };

    FieldGuard::show(ui->frontNumberEdit, r.frontNumber());
    FieldGuard::show(ui->frontStartingPointEdit, r.frontStartingPoint(0));
    FieldGuard::show(ui->frontDestinationEdit, r.frontDestination(0));
    setButtons(r.frontMode(), {{ui->frontStaticBtn, ModeStatic},
                               {ui->frontMoscowBtn, ModeMoscow},
                               {ui->frontOnlyDestBtn, ModeOnlyDestination},
                               {ui->frontCenterBtn, ModeCenter}});
    setButtons(r.frontFont(), {{ui->frontFont0Btn, 1}, {ui->frontFont1Btn, 2}});
    {
        const QSignalBlocker b1(ui->frontColorList);
        const QSignalBlocker b2(ui->leftSofitList);
        const QSignalBlocker b3(ui->rightSofitList);
        ui->frontColorList->setCurrentIndex(frontColorRow(r.frontNumberColor()));
        ui->leftSofitList->setCurrentIndex(sofitRow(r.leftSofitColor()));
        ui->rightSofitList->setCurrentIndex(sofitRow(r.rightSofitColor()));
    }

    FieldGuard::show(ui->sideNumberEdit, r.sideNumber());
    FieldGuard::show(ui->sideStartingPointEdit, r.sideStartingPoint(0));
    FieldGuard::show(ui->sideDestinationEdit, r.sideDestination(0));
    setButtons(r.sideMode(), {{ui->sideStaticBtn, ModeStatic},
                              {ui->sideStationVScrollBtn, ModeStationScroll},
                              {ui->sideOnlyDestBtn, ModeOnlyDestination},
                              {ui->sideCenterBtn, ModeCenter}});
    setButtons(r.sideFont(), {{ui->sideFont0Btn, 1}, {ui->sideFont1Btn, 2}});
    FieldGuard::show(ui->sideSepEdit, r.sideSeparator());

    FieldGuard::show(ui->backNumberEdit, r.backNumber());
    FieldGuard::show(ui->backStartingPointEdit, r.backStartingPoint(0));
    FieldGuard::show(ui->backDestinationEdit, r.backDestination(0));
    setButtons(r.backMode(), {{ui->backStaticBtn, ModeStatic},
                              {ui->backOnlyDestBtn, ModeOnlyDestination},
                              {ui->backCenterBtn, ModeCenter}});
    setButtons(r.backFont(), {{ui->backFont0Btn, 1}, {ui->backFont1Btn, 2}});

    {
        const QSignalBlocker b1(ui->sideStationCountSpn);
        const QSignalBlocker b2(ui->nextDelaySpn);
        ui->sideStationCountSpn->setValue(r.sideStationCount());
        ui->nextDelaySpn->setValue(r.nextDelay());
    }

    FieldGuard::show(ui->stationWordEdit, r.stationWord(0));
    FieldGuard::show(ui->nextWordEdit, r.nextWord(0));
    const QByteArray order = r.salonTabloOrder();
    FieldGuard::show(
        ui->salonTabloOrderEdit,
        QString::fromLatin1(order.constData(), int(qstrnlen(order.constData(), order.size()))));
    FieldGuard::show(ui->routeTextEdit, r.routeText(0));
    FieldGuard::show(ui->salonTempEdit, r.salonTempText(0));
    FieldGuard::show(ui->outsideTempEdit, r.outsideTempText(0));

    FileListPair::fill(ui->adTextFileList, r.adTextFiles());
    ui->allAdTextFileLabel->setText(r.adFolderRelative());
}

bool RouteForm::askNextStopSeparate(bool defaultYes)
{
    if (m_nextStopAsker)
        return m_nextStopAsker(defaultYes);
    QMessageBox box;
    box.setIcon(QMessageBox::Question);
    box.setWindowTitle(tr("Объявление следующей остановки"));
    box.setText(tr("Маршрут с отдельным объявлением следующей остановки?"));
    QPushButton *yes = box.addButton(tr("Да"), QMessageBox::AcceptRole);
    QPushButton *no = box.addButton(tr("Нет"), QMessageBox::RejectRole);
    box.setDefaultButton(defaultYes ? yes : no);
    box.setEscapeButton(defaultYes ? yes : no);
    box.exec();
    return box.clickedButton() == yes;
}

// Decides whether next-stop announcements are entries of their own; asks when
// the texts leave it open. Returns whether any text changed.
bool RouteForm::checkNextStopTexts()
{
    const auto layout = StationRules::nextStopLayout(m_route, m_ctx->langCount);
    const bool separate = layout.ask ? askNextStopSeparate(layout.defaultYes) : layout.separate;
    const StationRules::Plan &plan = layout.plan(separate);
    StationRules::applyTexts(m_route, plan);
    // The general page shows the word the texts were built with.
    if (layout.ask && !separate)
        FieldGuard::show(ui->nextWordEdit, m_route.nextWord(selectedLang(GeneralLang)));
    ui->nextSeparateCheck->setChecked(separate);
    return !plan.isEmpty();
}

int RouteForm::computeLangCount() const
{
    return m_route.languageCount();
}

void RouteForm::setLangCount(int n)
{
    QAbstractButton *button = m_langCountGroup->button(n);
    if (!button)
        return;
    button->setChecked(true);
    m_ctx->langCount = n;
    for (int g = 0; g < LangGroupCount; ++g) {
        if (m_ctx->langGroups[g]->checkedId() >= n)
            selectLang(LangGroup(g), 0);
        if (m_ctx->lastChange.lang[g] >= n)
            m_ctx->lastChange.lang[g] = 0;
        (ui->*langSelectors[g].container)->setVisible(n > 1);
    }
    m_ctx->lastChange.station = -1;
    m_ctx->lastChange.routeTab = GeneralTab;
}

void RouteForm::selectLang(LangGroup group, int lang)
{
    if (QAbstractButton *button =
            m_ctx->langGroups[group]->button(qMin(lang, m_ctx->langCount - 1)))
        button->setChecked(true);
}

void RouteForm::clearFocusedWidget()
{
    // A field losing the focus finishes its editing, so its change is pushed first.
    if (QWidget *focused = QApplication::focusWidget())
        focused->clearFocus();
}

bool RouteForm::saveRoute()
{
    clearFocusedWidget();
    if (m_readOnly) {
        QMessageBox box(QMessageBox::Warning, tr("Приложение"),
                        tr("Маршрут открыт только для чтения."), QMessageBox::Ok, this);
        box.exec();
        return false;
    }
    if (!m_diskWatch->changedFiles().isEmpty() && !askOverwrite())
        return false;
    QString why;
    const bool saved = m_route.save(&why);
    if (saved) {
        // What was written is what this form knows of the files now.
        m_diskWatch->watch(m_route.path(), m_route.adPath());
        m_diskBar->hide();
        setCanSave(false);
        m_undoStack->setClean();
        dropRecoveryCopy();
    } else {
        QMessageBox box(QMessageBox::Critical, tr("Приложение"), tr("Ошибка сохранения маршрута!"),
                        QMessageBox::Ok, this);
        box.setInformativeText(why);
        box.exec();
    }
    return saved;
}

void RouteForm::closeRoute()
{
    stopPlaying();
    dropRecoveryCopy();
    m_fileLists->unwatch();
    m_diskWatch->stop();
    m_diskBar->hide();
    // The view hears of the emptied list before the stations go.
    m_model->setRoute(nullptr);
    m_undoStack->clear();
    m_route.clear();
    m_model->setRoute(&m_route);
    m_ctx->currentStation = -1;
}

// --- Undo, redo and the place of the last change -------------------------------

void RouteForm::undo()
{
    clearFocusedWidget();
    std::fill(std::begin(m_ctx->previewDirty), std::end(m_ctx->previewDirty), false);
    m_undoStack->undo();
    showLastChange();
}

void RouteForm::redo()
{
    clearFocusedWidget();
    std::fill(std::begin(m_ctx->previewDirty), std::end(m_ctx->previewDirty), false);
    m_undoStack->redo();
    showLastChange();
}

void RouteForm::showLastChange()
{
    m_stationPage->makeCurrent(m_ctx->lastChange.station);

    if (m_ctx->lastChange.routeTab >= 0 && m_ctx->lastChange.routeTab < ui->routeTabs->count())
        ui->routeTabs->setCurrentIndex(m_ctx->lastChange.routeTab);
    if (m_ctx->lastChange.stationTab >= 0 &&
        m_ctx->lastChange.stationTab < ui->stationTabs->count())
        ui->stationTabs->setCurrentIndex(m_ctx->lastChange.stationTab);
    if (m_ctx->lastChange.salonTab >= 0 && m_ctx->lastChange.salonTab < ui->salonOrderTabs->count())
        ui->salonOrderTabs->setCurrentIndex(m_ctx->lastChange.salonTab);

    for (int g = 0; g < LangGroupCount; ++g)
        selectLang(LangGroup(g), m_ctx->lastChange.lang[g]);

    ui->adTextFileList->setCurrentRow(m_ctx->lastChange.adRow);
    ui->textFileList->setCurrentRow(m_ctx->lastChange.textRow);
    ui->soundFileList->setCurrentRow(m_ctx->lastChange.soundRow);

    // The side board lists stations, so its list is rebuilt as well.
    for (Board board : {FrontBoard, BackBoard, SideBoard})
        m_ctx->refreshIfDirty(board);
}

// --- State flags ----------------------------------------------------------------

#define ROUTEFORM_FLAG_SETTER(Setter, member, signal)                                              \
    void RouteForm::Setter(bool value)                                                             \
    {                                                                                              \
        if (member == value)                                                                       \
            return;                                                                                \
        member = value;                                                                            \
        emit signal(value);                                                                        \
    }

ROUTEFORM_FLAG_SETTER(setSaveFlag, m_canSave, canSaveChanged)
ROUTEFORM_FLAG_SETTER(setCanUndo, m_canUndo, canUndoChanged)
ROUTEFORM_FLAG_SETTER(setCanRedo, m_canRedo, canRedoChanged)

void RouteForm::setCanSave(bool canSave)
{
    setSaveFlag(canSave && !m_readOnly);
}

void RouteForm::onCleanStateChanged(bool clean)
{
    setCanSave(!clean);
}

void RouteForm::onTextEdited()
{
    // A field typed back to the route's text marks nothing.
    const FieldGuard *guard = FieldGuard::of(sender());
    if (guard && guard->showsStored()) {
        setCanSave(!m_undoStack->isClean());
        resetUndoFlags();
        return;
    }
    // The field's own editing-finished handler pushes the change later.
    setCanSave(true);
    setCanUndo(true);
    setCanRedo(false);
}

void RouteForm::setReadOnly(bool readOnly)
{
    m_readOnly = readOnly;
    if (readOnly)
        setCanSave(false);
}

void RouteForm::keepRecoveryCopy()
{
    if (m_readOnly || m_route.path().isEmpty())
        return;
    // Serialised here, where the route lives; written on the writer's thread.
    if (m_canSave) {
        m_recovery->keep(m_route.path(), m_route.fileBytes());
        m_keptCopy = true;
    } else {
        dropRecoveryCopy();
    }
}

void RouteForm::dropRecoveryCopy()
{
    m_recoveryTimer->stop();
    // Only a copy of this form's own: one left by a dead process waits for its answer.
    if (m_keptCopy)
        m_recovery->drop(m_route.path());
    m_keptCopy = false;
}

void RouteForm::restoreFiles(const Route::FileMap &files)
{
    clearFocusedWidget();
    m_undoStack->push(new SetRouteFilesCmd(this, files));
    // The copy restored is this form's own from now on.
    m_keptCopy = true;
}

bool RouteForm::askOverwrite()
{
    const QString text = tr("Файлы маршрута изменены другой программой");
    if (m_overwriteAsker)
        return m_overwriteAsker(text);
    QMessageBox box(QMessageBox::Warning, tr("Сохранение"), text, QMessageBox::NoButton, this);
    box.setInformativeText(tr("Сохранение перезапишет их изменения."));
    QPushButton *overwrite = box.addButton(tr("Перезаписать"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(tr("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(cancel);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == overwrite;
}

void RouteForm::onFilesChangedOnDisk(const QStringList &names)
{
    QStringList others = names;
    const QString ads = QStringLiteral("rscript.txt");
    // An ad list shared with another tab or route: taken over when this one kept it unchanged.
    if (others.contains(ads) && !m_readOnly &&
        m_route.fileBytes().value(ads) == m_diskWatch->known().value(ads)) {
        const QByteArray disk = m_diskWatch->diskFiles().value(ads);
        Route::FileMap files = routeFiles();
        files.insert(ads, disk);
        const bool clean = m_undoStack->isClean();
        m_undoStack->push(new SetRouteFilesCmd(this, files));
        if (clean)
            m_undoStack->setClean();
        m_diskWatch->setKnown(ads, disk);
        others.removeAll(ads);
    }
    if (!others.isEmpty())
        m_diskBar->showChange(others, !m_undoStack->isClean() || m_canSave);
}

void RouteForm::rereadRoute()
{
    const Route::FileMap disk = m_diskWatch->diskFiles();
    // A folder whose station file is gone has nothing to read back.
    if (!disk.contains(QStringLiteral("ost.txt")))
        return;
    clearFocusedWidget();
    m_undoStack->push(new SetRouteFilesCmd(this, disk));
    m_undoStack->setClean();
    setCanSave(false);
    m_diskWatch->watch(m_route.path(), m_route.adPath());
    m_diskBar->hide();
}

void RouteForm::resetUndoFlags()
{
    setCanUndo(m_undoStack->canUndo());
    setCanRedo(m_undoStack->canRedo());
}

// --- Board models and editor.ini ----------------------------------------------

void RouteForm::setTabloType(Board board, int type)
{
    // A model outside the enumeration is ignored, so a junk stored default cannot
    // reach the previews.
    if (!isFrontTabloType(type) || type == m_tabloType[board])
        return;
    const FrontTabloType t = FrontTabloType(type);
    m_tabloType[board] = t;
    tablo(board)->setBoardType(t);
    tablo(board)->refreshTablo();
    switch (board) {
    case FrontBoard:
        emit frontTabloTypeChanged(t);
        break;
    case SideBoard:
        emit sideTabloTypeChanged(t);
        break;
    case BackBoard:
        emit backTabloTypeChanged(t);
        break;
    }
}

void RouteForm::setFrontTabloType(int type)
{
    setTabloType(FrontBoard, type);
}

void RouteForm::setSideTabloType(int type)
{
    setTabloType(SideBoard, type);
}

void RouteForm::setBackTabloType(int type)
{
    setTabloType(BackBoard, type);
}

QMenu *RouteForm::createTabloMenu(Board board) const
{
    auto *menu = new QMenu;
    for (FrontTabloType type : frontTabloTypesInMenuOrder(board == BackBoard)) {
        QAction *action = menu->addAction(frontTabloTypeText(type));
        action->setCheckable(true);
        action->setChecked(type == m_tabloType[board]);
        action->setData(int(type));
    }
    return menu;
}

void RouteForm::showTabloMenu(Board board)
{
    QScopedPointer<QMenu> menu(createTabloMenu(board));
    connect(menu.data(), &QMenu::triggered, this, [this, board](QAction *action) {
        setTabloType(board, action->data().toInt());
        writeEditorIni();
    });
    menu->exec(QCursor::pos());
}

bool RouteForm::readEditorIni(QString *why)
{
    int types[BoardCount];
    std::copy(std::begin(m_tabloType), std::end(m_tabloType), types);
    if (!EditorIni::read(m_route.path(), types, why))
        return false;
    std::transform(types, types + BoardCount, m_tabloType, [](int t) { return FrontTabloType(t); });
    return true;
}

bool RouteForm::writeEditorIni()
{
    int types[BoardCount];
    std::copy(std::begin(m_tabloType), std::end(m_tabloType), types);
    return EditorIni::write(m_route.path(), types);
}

// --- Previews -----------------------------------------------------------------

void RouteForm::updatePreviews()
{
    for (const ::Board &board : boards) {
        FrontTabloWidget *t = tablo(board.id);
        t->setNumber((m_route.*board.number)());
        for (int lang = 0; lang < 2; ++lang) {
            t->setStartingPoint(lang, (m_route.*board.startingPoint)(lang));
            t->setDestination(lang, (m_route.*board.destination)(lang));
        }
        t->setMode((m_route.*board.mode)());
        t->setFontBits((m_route.*board.font)());
        t->setInterval((m_route.*board.interval)() * 1000);
        // Only the front board has colours of its own; the others are amber.
        const bool front = board.id == FrontBoard;
        t->setNumberColor(front ? m_route.frontNumberColor().rgb() & 0xFFFFFF : 0xFFFF00);
        t->setLine1Color(front ? m_route.frontStartColor().rgb() & 0xFFFFFF : 0xFFFF00);
        t->setLine2Color(front ? m_route.frontDestColor().rgb() & 0xFFFFFF : 0xFFFF00);
        if (board.sideLights) {
            t->setLeftSofitColor(m_route.leftSofitColor());
            t->setRightSofitColor(m_route.rightSofitColor());
        }
        if (board.separator) {
            t->setSeparator((m_route.*board.separator)());
            setSideTabloStations();
        }
        t->refreshTablo();
    }
}

void RouteForm::setSideTabloStations()
{
    m_ctx->refreshSideStations();
}

void RouteForm::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event);
    // Lets style sheets paint the form's own background.
    QStyleOption option;
    option.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_Widget, &option, &painter, this);
}

// --- Languages ------------------------------------------------------------------

void RouteForm::onLangCountClicked(int id)
{
    if (id == m_ctx->langCount)
        return;
    // A text still being typed becomes its own step first, in the language it was typed in.
    clearFocusedWidget();
    m_undoStack->push(languageCountCommand(this, id));
}

void RouteForm::onGeneralLangToggled(int id, bool checked)
{
    if (checked)
        m_stationPage->showGeneralLanguage(id);
}

// The pages finish a pending edit in the language shown so far before loading the other one.
void RouteForm::onFrontLangToggled(int id, bool checked)
{
    if (checked)
        m_ctx->boards[FrontBoard]->showLanguage(id);
}

void RouteForm::onSideLangToggled(int id, bool checked)
{
    if (checked)
        m_ctx->boards[SideBoard]->showLanguage(id);
}

void RouteForm::onBackLangToggled(int id, bool checked)
{
    if (checked)
        m_ctx->boards[BackBoard]->showLanguage(id);
}

void RouteForm::onRouteTextLangToggled(int id, bool checked)
{
    if (checked)
        m_salon->showLanguage(SalonPage::RouteLine, id);
}

void RouteForm::onSalonTempLangToggled(int id, bool checked)
{
    if (checked)
        m_salon->showLanguage(SalonPage::SalonTempLine, id);
}

void RouteForm::onOutsideTempLangToggled(int id, bool checked)
{
    if (checked)
        m_salon->showLanguage(SalonPage::OutsideTempLine, id);
}

void RouteForm::onStationLangToggled(int id, bool checked)
{
    if (checked)
        m_stationPage->showLanguage(id);
}

void RouteForm::onCurrentStationChanged(const QModelIndex &current)
{
    m_stationPage->showStation(current);
}

// --- Sound preview ------------------------------------------------------------------

void RouteForm::stopPlaying()
{
    m_soundPreview->stop();
}

void RouteForm::showPlace(const LastChange &place)
{
    m_ctx->lastChange = place;
    showLastChange();
}

void RouteForm::selectStation(int station)
{
    m_stationPage->makeCurrent(station);
}
