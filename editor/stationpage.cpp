#include "stationpage.h"

#include "fieldguard.h"
#include "formcontext.h"
#include "fronttablowidget.h"
#include "routemodel.h"
#include "ui_routeform.h"
#include "undocommands.h"

#include <QUndoStack>

using Edit = StationRules::Edit;

StationPage::StationPage(FormContext &context)
    : QObject(context.widget()), m_ctx(context), m_route(context.route)
{
    Ui::RouteForm *ui = &context.ui;
    // Texts are finished in the language shown while they were typed.
    auto finished = [this](QLineEdit *edit, void (StationPage::*handler)(int),
                           int (StationPage::*language)() const) {
        connect(edit, &QLineEdit::editingFinished, this,
                [=] { (this->*handler)((this->*language)()); });
    };
    finished(ui->stationNameEdit, &StationPage::finishStationName, &StationPage::lang);
    finished(ui->nextNameEdit, &StationPage::finishNextName, &StationPage::lang);
    finished(ui->sideNameEdit, &StationPage::finishSideName, &StationPage::lang);
    finished(ui->stationWordEdit, &StationPage::finishStationWord, &StationPage::generalLang);
    finished(ui->nextWordEdit, &StationPage::finishNextWord, &StationPage::generalLang);
    connect(ui->coordEdit, &QLineEdit::editingFinished, this, &StationPage::finishCoordinate);
    auto clicked = [this](QAbstractButton *button, void (StationPage::*handler)()) {
        connect(button, &QAbstractButton::clicked, this, handler);
    };
    clicked(ui->autoStationNameBtn, &StationPage::autoStationName);
    clicked(ui->autoNextNameBtn, &StationPage::autoNextName);
    clicked(ui->autoSideNameBtn, &StationPage::autoSideName);
    clicked(ui->addStationBtn, &StationPage::addStation);
    clicked(ui->addNextStationBtn, &StationPage::addNextStation);
    clicked(ui->removeStationBtn, &StationPage::removeStation);
    clicked(ui->setAllRadiusBtn, &StationPage::setAllRadius);
    connect(ui->nextSeparateCheck, &QAbstractButton::clicked, this, &StationPage::switchLayout);
    connect(ui->nextDelaySpn, &QSpinBox::editingFinished, this, &StationPage::finishNextDelay);
    connect(ui->radiusSpn, &QSpinBox::editingFinished, this, &StationPage::finishRadius);
    // Typing past the range is dropped by the field without a word: the range is on show.
    const QString range =
        tr("от %1 до %2 м").arg(ui->radiusSpn->minimum()).arg(ui->radiusSpn->maximum());
    ui->radiusRangeLabel->setText(range);
    ui->radiusSpn->setToolTip(range);
}

StationRules StationPage::rules() const
{
    return StationRules(m_route, separate(), m_ctx.langCount);
}

bool StationPage::separate() const
{
    return m_ctx.ui.nextSeparateCheck->isChecked();
}

int StationPage::lang() const
{
    return m_ctx.selectedLang(FormPlace::StationLang);
}

int StationPage::generalLang() const
{
    return m_ctx.selectedLang(FormPlace::GeneralLang);
}

const Station *StationPage::current() const
{
    return m_route.station(m_ctx.currentStation);
}

void StationPage::showStation(const QModelIndex &index)
{
    Ui::RouteForm *ui = &m_ctx.ui;
    const int i = m_ctx.model.stationOf(index);
    const Station *s = m_route.station(i);
    m_ctx.currentStation = s ? i : -1;
    emit m_ctx.currentStationShown(m_ctx.currentStation);
    if (!s) {
        ui->rightStack->setCurrentWidget(ui->routePage);
        return;
    }
    const StationRules::Controls controls = rules().controls(i);
    ui->stationNameWdt->setVisible(controls.stationName);
    ui->nextStationWidget->setVisible(controls.nextName);
    ui->addStationBtn->setVisible(controls.addStation);
    ui->addNextStationBtn->setVisible(controls.addNextStation);
    ui->removeStationBtn->setVisible(controls.removeStation);
    showStationTexts(lang());
    m_ctx.showStationFiles(*s);
    ui->coordEdit->setText(StationRules::formatCoordinate(s->coordinate()));
    ui->coordHintLabel->hide();
    {
        const QSignalBlocker blocker(ui->radiusSpn);
        ui->radiusSpn->setValue(s->radius());
    }
    ui->rightStack->setCurrentWidget(ui->stationPage);
}

void StationPage::finishTyped(std::initializer_list<TypedField> fields, int lang)
{
    for (const TypedField &field : fields) {
        if (field.edit->isModified())
            (this->*field.finish)(lang);
    }
}

void StationPage::showLanguage(int lang)
{
    Ui::RouteForm *ui = &m_ctx.ui;
    finishTyped({{ui->stationNameEdit, &StationPage::finishStationName},
                 {ui->nextNameEdit, &StationPage::finishNextName},
                 {ui->sideNameEdit, &StationPage::finishSideName}},
                1 - lang);
    showStationTexts(lang);
}

void StationPage::showGeneralLanguage(int lang)
{
    Ui::RouteForm *ui = &m_ctx.ui;
    finishTyped({{ui->stationWordEdit, &StationPage::finishStationWord},
                 {ui->nextWordEdit, &StationPage::finishNextWord}},
                1 - lang);
    FieldGuard::show(ui->stationWordEdit, m_route.stationWord(lang));
    FieldGuard::show(ui->nextWordEdit, m_route.nextWord(lang));
}

void StationPage::showStationTexts(int lang)
{
    const Station *s = current();
    if (!s)
        return;
    Ui::RouteForm *ui = &m_ctx.ui;
    if (separate()) {
        QLineEdit *edit =
            isNextEntry(m_ctx.currentStation) ? ui->nextNameEdit : ui->stationNameEdit;
        FieldGuard::show(edit, s->name(lang));
    } else {
        FieldGuard::show(ui->stationNameEdit, s->name(lang));
        FieldGuard::show(ui->nextNameEdit, s->nextName(lang));
    }
    FieldGuard::show(ui->sideNameEdit, s->sideName(lang));
}

QUndoCommand *StationPage::command(const Edit &e, QUndoCommand *parent) const
{
    return stationEditCommand(m_ctx.form, e, parent);
}

void StationPage::push(const StationRules::Plan &plan, bool group)
{
    if (plan.isEmpty())
        return;
    if (!group && plan.size() == 1) {
        push(command(plan.first(), nullptr));
        return;
    }
    auto *parent = new QUndoCommand;
    for (const Edit &e : plan)
        command(e, parent);
    push(parent);
}

void StationPage::push(QUndoCommand *command)
{
    m_ctx.undoStack.push(command);
    // A changed side name shows on the side board at once.
    m_ctx.refreshIfDirty(SideBoard);
}

void StationPage::unchanged(QLineEdit *edit, const QString &text)
{
    FieldGuard::show(edit, text);
    emit m_ctx.editUnchanged();
}

void StationPage::makeCurrent(int station)
{
    RouteModel *model = &m_ctx.model;
    QModelIndex index = model->stationIndex(station);
    if (!index.isValid())
        index = model->routeIndex();
    QAbstractItemView *list = m_ctx.ui.stationList;
    if (list->currentIndex() == index)
        showStation(index);
    else
        list->setCurrentIndex(index);
}

void StationPage::finishStationName(int lang)
{
    QLineEdit *edit = m_ctx.ui.stationNameEdit;
    edit->setModified(false);
    const Station *s = current();
    if (!s)
        return;
    const QString text = edit->text().trimmed();
    const StationRules::Plan plan = rules().rename(m_ctx.currentStation, lang, text);
    if (plan.isEmpty())
        unchanged(edit, text);
    push(plan);
}

void StationPage::finishNextName(int lang)
{
    QLineEdit *edit = m_ctx.ui.nextNameEdit;
    edit->setModified(false);
    const Station *s = current();
    if (!s)
        return;
    const QString text = edit->text().trimmed();
    const bool sep = separate();
    if ((sep ? s->name(lang) : s->nextName(lang)) == text) {
        unchanged(edit, text);
        return;
    }
    push({{sep ? Edit::Name : Edit::NextName, m_ctx.currentStation, lang, text}});
}

void StationPage::finishSideName(int lang)
{
    QLineEdit *edit = m_ctx.ui.sideNameEdit;
    edit->setModified(false);
    const Station *s = current();
    if (!s)
        return;
    const QString text = edit->text().trimmed();
    if (s->sideName(lang) == text) {
        unchanged(edit, text);
        return;
    }
    push({{Edit::SideName, m_ctx.currentStation, lang, text}}, false);
}

void StationPage::autoStationName()
{
    m_ctx.ui.stationNameEdit->clearFocus();
    const Station *s = current();
    if (!s)
        return;
    const int c = m_ctx.currentStation;
    const QString text = rules().autoStationName(c, lang());
    if (text != s->name(lang()))
        push({{Edit::Name, c, lang(), text}});
}

void StationPage::autoNextName()
{
    m_ctx.ui.nextNameEdit->clearFocus();
    const Station *s = current();
    if (!s)
        return;
    const int c = m_ctx.currentStation;
    const QString text = rules().autoNextName(c, lang());
    const bool sep = separate();
    if (text != (sep ? s->name(lang()) : s->nextName(lang())))
        push({{sep ? Edit::Name : Edit::NextName, c, lang(), text}}, false);
}

void StationPage::autoSideName()
{
    const Station *s = current();
    if (!s)
        return;
    const int c = m_ctx.currentStation;
    const QString text = rules().autoSideName(c, lang());
    if (text != s->sideName(lang()))
        push({{Edit::SideName, c, lang(), text}}, false);
}

void StationPage::addStation()
{
    const StationRules::Plan plan = rules().addStop(m_ctx.currentStation);
    if (plan.isEmpty())
        return;
    push(plan);
    makeCurrent(plan.first().station);
}

void StationPage::addNextStation()
{
    const int a = m_ctx.currentStation;
    const StationRules::Plan plan = rules().addNextEntry(a);
    if (plan.isEmpty())
        return;
    push(plan);
    makeCurrent(a);
}

void StationPage::removeStation()
{
    const int a = m_ctx.currentStation;
    const StationRules::Plan plan = rules().remove(a);
    if (plan.isEmpty())
        return;
    push(plan);
    makeCurrent(a);
}

void StationPage::finishStationWord(int lang)
{
    QLineEdit *edit = m_ctx.ui.stationWordEdit;
    edit->setModified(false);
    const QString text = edit->text().trimmed();
    if (text == m_route.stationWord(lang)) {
        unchanged(edit, text);
        return;
    }
    push(new SetStationWordCommand(m_ctx.form, lang, text));
}

void StationPage::finishNextWord(int lang)
{
    QLineEdit *edit = m_ctx.ui.nextWordEdit;
    edit->setModified(false);
    const QString text = edit->text().trimmed();
    const StationRules::Plan plan = rules().changeNextWord(lang, text);
    if (plan.isEmpty())
        unchanged(edit, text);
    push(plan);
}

void StationPage::finishNextDelay()
{
    const int value = m_ctx.ui.nextDelaySpn->value();
    if (value != m_route.nextDelay())
        push(new SetNextStationDelayCmd(m_ctx.form, value));
}

void StationPage::switchLayout(bool separate)
{
    push(new SetStationSequencyCommand(m_ctx.form, separate));
}

void StationPage::finishCoordinate()
{
    const Station *s = current();
    if (!s)
        return;
    QLineEdit *edit = m_ctx.ui.coordEdit;
    QLabel *hint = m_ctx.ui.coordHintLabel;
    const QString typed = edit->text().trimmed();
    const QGeoCoordinate c = StationRules::parseCoordinate(typed);
    const QString shown = StationRules::formatCoordinate(s->coordinate());
    // Only an empty field takes the coordinate away; what cannot be read keeps it.
    const bool refused = !typed.isEmpty() && !c.isValid();
    hint->setVisible(refused);
    if (refused) {
        hint->setText(tr("«%1» — не координаты: введите широту и долготу через пробел, "
                         "например 55.75580 37.61730. Координаты остановки не изменены.")
                          .arg(typed));
        unchanged(edit, shown);
        return;
    }
    if (StationRules::formatCoordinate(c) == shown) {
        unchanged(edit, shown);
        return;
    }
    push(new SetStationCoordinate(m_ctx.form, m_ctx.currentStation, c));
}

void StationPage::finishRadius()
{
    const Station *s = current();
    const int value = m_ctx.ui.radiusSpn->value();
    if (s && value != s->radius())
        push(new SetStationRadius(m_ctx.form, m_ctx.currentStation, quint8(value)));
}

void StationPage::setAllRadius()
{
    const int value = m_ctx.ui.radiusSpn->value();
    auto *parent = new QUndoCommand;
    for (int i = 0; i < m_route.stationCount(); ++i) {
        if (m_route.station(i)->radius() != value)
            new SetStationRadius(m_ctx.form, i, quint8(value), parent);
    }
    if (parent->childCount() == 0) {
        delete parent;
        return;
    }
    push(parent);
}

// --- Apply operations ---------------------------------------------------------------

void StationPage::noteChange(int index, int tab, int lang)
{
    FormPlace::LastChange &change = m_ctx.lastChange;
    change.station = index;
    change.stationTab = tab;
    if (lang >= 0)
        change.lang[FormPlace::StationLang] = lang;
}

void StationPage::noteGeneralChange()
{
    m_ctx.lastChange.station = -1;
    m_ctx.lastChange.routeTab = FormPlace::GeneralTab;
}

void StationPage::insertStationAt(int index, Station *station)
{
    RouteModel *model = &m_ctx.model;
    if (!model->route()) {
        delete station;
        return;
    }
    model->insertStationRow(index, station);
    // Rows moving under the current item keep it, but its station index shifts.
    m_ctx.currentStation = model->stationOf(m_ctx.ui.stationList->currentIndex());
    noteChange(index, FormPlace::StationNameTab);
}

void StationPage::deleteStationAt(int index)
{
    delete takeStationAt(index);
}

Station *StationPage::takeStationAt(int index)
{
    RouteModel *model = &m_ctx.model;
    Station *station = model->takeStationRow(index);
    m_ctx.currentStation = model->stationOf(m_ctx.ui.stationList->currentIndex());
    noteChange(index, FormPlace::StationNameTab);
    return station;
}

void StationPage::setBackStationIndex(int index)
{
    m_ctx.model.updateBackStationIndex(index);
}

Station *StationPage::station(int index) const
{
    return m_ctx.route.station(index);
}

bool StationPage::shown(int index, int lang) const
{
    return index == m_ctx.currentStation && lang == this->lang();
}

void StationPage::setStationName(int index, int lang, const QString &text)
{
    if (!station(index))
        return;
    m_ctx.model.renameStation(index, lang, text);
    if (shown(index, lang))
        FieldGuard::show(isNextEntry(index) ? m_ctx.ui.nextNameEdit : m_ctx.ui.stationNameEdit,
                         text);
    noteChange(index, FormPlace::StationNameTab, lang);
}

bool StationPage::setText(int index, int lang, const QString &text,
                          void (Station::*set)(int, QString), QLineEdit *edit)
{
    Station *s = station(index);
    if (!s)
        return false;
    (s->*set)(lang, text);
    if (shown(index, lang))
        FieldGuard::show(edit, text);
    noteChange(index, FormPlace::StationNameTab, lang);
    return true;
}

void StationPage::setStationNextName(int index, int lang, const QString &text)
{
    setText(index, lang, text, &Station::setNextName, m_ctx.ui.nextNameEdit);
}

void StationPage::setStationSideName(int index, int lang, const QString &text)
{
    if (!setText(index, lang, text, &Station::setSideName, m_ctx.ui.sideNameEdit))
        return;
    // Only the stations the side board lists need its preview redrawn.
    const int first = qMax(m_ctx.currentStation, 0);
    const int end =
        first < m_route.backStationIndex() ? m_route.backStationIndex() : m_route.stationCount();
    if (index >= first && index < end)
        m_ctx.previewDirty[SideBoard] = true;
}

void StationPage::setStationRadius(int index, quint8 radius)
{
    Station *s = station(index);
    if (!s)
        return;
    s->setRadius(radius);
    if (index == m_ctx.currentStation) {
        const QSignalBlocker blocker(m_ctx.ui.radiusSpn);
        m_ctx.ui.radiusSpn->setValue(radius);
    }
    noteChange(index, FormPlace::CoordinateTab);
}

void StationPage::setStationCoordinate(int index, const QGeoCoordinate &coordinate)
{
    Station *s = station(index);
    if (!s)
        return;
    s->setCoordinate(coordinate);
    if (index == m_ctx.currentStation)
        m_ctx.ui.coordEdit->setText(StationRules::formatCoordinate(coordinate));
    noteChange(index, FormPlace::CoordinateTab);
}

void StationPage::setNextSeparate(bool on)
{
    m_ctx.ui.nextSeparateCheck->setChecked(on);
    noteGeneralChange();
}

void StationPage::setNextStationDelay(int value)
{
    m_ctx.route.setNextDelay(value);
    {
        const QSignalBlocker blocker(m_ctx.ui.nextDelaySpn);
        m_ctx.ui.nextDelaySpn->setValue(value);
    }
    noteGeneralChange();
}

void StationPage::setWord(int lang, const QString &text, bool station)
{
    Route &route = m_ctx.route;
    (route.*(station ? &Route::setStationWord : &Route::setNextWord))(lang, text);
    if (lang == generalLang()) {
        QLineEdit *edit = station ? m_ctx.ui.stationWordEdit : m_ctx.ui.nextWordEdit;
        // The route keeps the word trimmed.
        FieldGuard::show(edit, station ? route.stationWord(lang) : route.nextWord(lang));
    }
    noteGeneralChange();
    m_ctx.lastChange.lang[FormPlace::GeneralLang] = lang;
}

void StationPage::setStationWord(int lang, const QString &text)
{
    setWord(lang, text, true);
}

void StationPage::setNextWord(int lang, const QString &text)
{
    setWord(lang, text, false);
}
