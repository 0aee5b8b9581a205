#include "boardpage.h"

#include "boardcommands.h"
#include "boardheader.h"
#include "fieldguard.h"
#include "formcontext.h"
#include "fronttablowidget.h"
#include "ui_routeform.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QSpinBox>
#include <QUndoStack>

namespace {

struct ModeButton
{
    const char *name; // after the board's prefix
    int flag;
    int excludes; // flag cleared when this one is set
};

const int TextWindow = 12; // characters of a still board around the cursor

} // namespace

struct BoardSetup
{
    const ::Board &fields;
    const BoardCommands &commands;
    ModeButton modes[BoardPage::ModeButtonCount];
};

namespace {

const BoardSetup boardSetups[] = {
    {boards[FrontBoard],
     boardCommands[FrontBoard],
     {{"StaticBtn", ModeStatic, 0},
      {"CenterBtn", ModeCenter, 0},
      {"OnlyDestBtn", ModeOnlyDestination, ModeMoscow},
      {"MoscowBtn", ModeMoscow, ModeOnlyDestination}}},
    {boards[SideBoard],
     boardCommands[SideBoard],
     {{"StaticBtn", ModeStatic, 0},
      {"CenterBtn", ModeCenter, 0},
      {"OnlyDestBtn", ModeOnlyDestination, 0},
      {"StationVScrollBtn", ModeStationScroll, 0}}},
    {boards[BackBoard],
     boardCommands[BackBoard],
     {{"StaticBtn", ModeStatic, 0},
      {"CenterBtn", ModeCenter, 0},
      {"OnlyDestBtn", ModeOnlyDestination, 0},
      {nullptr, 0, 0}}},
};

const char *const fieldNames[BoardPage::FieldCount] = {"NumberEdit", "StartingPointEdit",
                                                       "DestinationEdit", "SepEdit"};
const int fontBits[] = {1, 2};

} // namespace

BoardPage::BoardPage(FormContext &context, BoardId board)
    : QObject(context.widget()), m_ctx(context), m_route(context.route), m_board(board),
      m_setup(boardSetups[board])
{
    const QString prefix = QLatin1String(m_setup.fields.name);
    auto child = [&](const char *name) { return prefix + QLatin1String(name); };
    QWidget *form = context.widget();
    m_tablo = context.preview(board);

    for (int f = 0; f < FieldCount; ++f) {
        QLineEdit *edit = form->findChild<QLineEdit *>(child(fieldNames[f]));
        m_edits[f] = edit;
        if (!edit)
            continue;
        const Field field = Field(f);
        connect(edit, &QLineEdit::editingFinished, this,
                [this, field] { finishText(field, editLang()); });
        connect(edit, &QLineEdit::textEdited, this,
                [this, field](const QString &text) { showTypedText(field, text); });
        if (field == NumberField)
            continue;
        edit->installEventFilter(this);
        if (field == SeparatorField)
            continue;
        connect(edit, &QLineEdit::cursorPositionChanged, this, [this, edit](int, int position) {
            if (edit->hasFocus() && !(m_tablo->mode() & ModeStatic))
                keepCursorVisible(position);
        });
    }

    for (int m = 0; m < ModeButtonCount; ++m) {
        const ModeButton &mode = m_setup.modes[m];
        if (!mode.name)
            continue;
        auto *button = form->findChild<QAbstractButton *>(child(mode.name));
        m_modeButtons[m] = button;
        connect(button, &QAbstractButton::clicked, this,
                [this, mode](bool checked) { clickMode(mode.flag, mode.excludes, checked); });
    }
    for (int i = 0; i < 2; ++i) {
        auto *button = form->findChild<QAbstractButton *>(child(i ? "Font1Btn" : "Font0Btn"));
        m_fontButtons[i] = button;
        const int bit = fontBits[i];
        connect(button, &QAbstractButton::clicked, this,
                [this, bit](bool checked) { clickFont(bit, checked); });
    }

    Ui::RouteForm *ui = &context.ui;
    switch (board) {
    case FrontBoard:
        connect(ui->frontColorList, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                &BoardPage::pickColor);
        connect(ui->leftSofitList, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                [this](int row) { pickSofit(true, row); });
        connect(ui->rightSofitList, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
                [this](int row) { pickSofit(false, row); });
        break;
    case SideBoard:
        connect(ui->sideStationCountSpn, &QSpinBox::editingFinished, this,
                &BoardPage::finishStationCount);
        connect(ui->autoSideSepBtn, &QAbstractButton::clicked, this, &BoardPage::restoreSeparator);
        break;
    case BackBoard:
        break;
    }
}

int BoardPage::editLang() const
{
    return m_ctx.selectedLang(FormPlace::LangGroup(FormPlace::FrontLang + m_board));
}

QString BoardPage::text(Field field, int lang) const
{
    switch (field) {
    case NumberField:
        return (m_route.*m_setup.fields.number)();
    case StartingPointField:
        return (m_route.*m_setup.fields.startingPoint)(lang);
    case DestinationField:
        return (m_route.*m_setup.fields.destination)(lang);
    case SeparatorField:
    case FieldCount:
        break;
    }
    return m_route.sideSeparator();
}

QUndoCommand *BoardPage::command(Field field, int lang, const QString &text,
                                 QUndoCommand *parent) const
{
    switch (field) {
    case NumberField:
        return m_setup.commands.number(m_ctx.form, text, parent);
    case StartingPointField:
        return m_setup.commands.startingPoint(m_ctx.form, lang, text, parent);
    case DestinationField:
        return m_setup.commands.destination(m_ctx.form, lang, text, parent);
    case SeparatorField:
    case FieldCount:
        break;
    }
    return m_setup.commands.separator(m_ctx.form, text, parent);
}

// --- Apply operations -------------------------------------------------------------

void BoardPage::touched(int lang)
{
    FormPlace::LastChange &place = m_ctx.lastChange;
    place.station = -1;
    place.routeTab = FormPlace::FrontTab + m_board;
    if (lang >= 0)
        place.lang[FormPlace::FrontLang + m_board] = lang;
    m_ctx.previewDirty[m_board] = true;
}

void BoardPage::setText(Field field, int lang, const QString &text)
{
    switch (field) {
    case NumberField:
        (m_route.*m_setup.fields.setNumber)(text);
        m_tablo->setNumber(text);
        break;
    case StartingPointField:
        (m_route.*m_setup.fields.setStartingPoint)(lang, text);
        m_tablo->setStartingPoint(lang, text);
        break;
    case DestinationField:
        (m_route.*m_setup.fields.setDestination)(lang, text);
        m_tablo->setDestination(lang, text);
        break;
    case SeparatorField:
    case FieldCount:
        m_route.setSideSeparator(text);
        m_tablo->setSeparator(text);
        break;
    }
    const bool perLang = field == StartingPointField || field == DestinationField;
    if (!perLang || lang == editLang())
        FieldGuard::show(m_edits[field], text);
    touched(perLang ? lang : -1);
}

void BoardPage::setMode(int flags)
{
    (m_route.*m_setup.fields.setMode)(flags);
    for (int m = 0; m < ModeButtonCount; ++m) {
        if (m_modeButtons[m])
            m_modeButtons[m]->setChecked(flags & m_setup.modes[m].flag);
    }
    m_tablo->setMode(flags);
    touched();
}

void BoardPage::setFont(int bits)
{
    bits &= 0xFF;
    (m_route.*m_setup.fields.setFont)(bits);
    for (int i = 0; i < 2; ++i)
        m_fontButtons[i]->setChecked(bits & fontBits[i]);
    m_tablo->setFontBits(bits);
    touched();
}

void BoardPage::setStationCount(int count)
{
    m_route.setSideStationCount(count);
    const QSignalBlocker blocker(m_ctx.ui.sideStationCountSpn);
    m_ctx.ui.sideStationCountSpn->setValue(count);
    touched();
}

void BoardPage::setNumberColor(const QColor &color)
{
    m_route.setFrontNumberColor(color);
    {
        const QSignalBlocker blocker(m_ctx.ui.frontColorList);
        m_ctx.ui.frontColorList->setCurrentIndex(m_ctx.frontColorRow(color));
    }
    m_tablo->setNumberColor(color.rgb() & 0xFFFFFF);
    touched();
}

void BoardPage::setStartColor(const QColor &color)
{
    m_route.setFrontStartColor(color);
    m_tablo->setLine1Color(color.rgb() & 0xFFFFFF);
    touched();
}

void BoardPage::setDestColor(const QColor &color)
{
    m_route.setFrontDestColor(color);
    m_tablo->setLine2Color(color.rgb() & 0xFFFFFF);
    touched();
}

void BoardPage::setSofitColor(bool left, int code)
{
    QComboBox *list = left ? m_ctx.ui.leftSofitList : m_ctx.ui.rightSofitList;
    if (left)
        m_route.setLeftSofitColor(code);
    else
        m_route.setRightSofitColor(code);
    {
        const QSignalBlocker blocker(list);
        list->setCurrentIndex(m_ctx.sofitRow(code));
    }
    // The side lights are drawn on the front and the back board.
    for (FrontTabloWidget *t : {m_tablo, m_ctx.ui.backTabloWdt}) {
        if (left)
            t->setLeftSofitColor(code);
        else
            t->setRightSofitColor(code);
    }
    touched();
    m_ctx.previewDirty[BackBoard] = true;
}

// --- Handlers -----------------------------------------------------------------------

void BoardPage::push(QUndoCommand *command)
{
    m_ctx.undoStack.push(command);
    m_ctx.previewDirty[m_board] = false;
}

void BoardPage::refreshMarked()
{
    for (int b = FrontBoard; b <= BackBoard; ++b) {
        if (b != m_board)
            m_ctx.refreshIfDirty(BoardId(b));
    }
}

void BoardPage::showLanguage(int lang)
{
    for (Field field : {StartingPointField, DestinationField}) {
        if (m_edits[field]->isModified())
            finishText(field, 1 - lang);
    }
    FieldGuard::show(m_edits[StartingPointField], text(StartingPointField, lang));
    FieldGuard::show(m_edits[DestinationField], text(DestinationField, lang));
    m_tablo->setEditLanguage(lang);
    m_tablo->refreshTablo();
}

void BoardPage::finishText(Field field, int lang)
{
    QLineEdit *edit = m_edits[field];
    const QString typed = edit->text().trimmed();
    edit->setModified(false);
    const QString old = text(field, lang);
    if (typed == old) {
        FieldGuard::show(edit, typed);
        emit m_ctx.editUnchanged();
        return;
    }
    if (m_board != FrontBoard) {
        push(command(field, lang, typed, nullptr));
        return;
    }
    // The front board leads: the other boards follow wherever they showed the same text.
    auto *parent = new QUndoCommand;
    command(field, lang, typed, parent);
    for (BoardId b : {SideBoard, BackBoard}) {
        const BoardPage *other = m_ctx.boards[b];
        if (other->text(field, lang) == old)
            other->command(field, lang, typed, parent);
    }
    push(parent);
    refreshMarked();
}

void BoardPage::showTypedText(Field field, const QString &typed)
{
    const QString text = typed.trimmed();
    m_tablo->stopAnimation();
    switch (field) {
    case NumberField:
        m_tablo->setNumber(text);
        break;
    case StartingPointField:
        m_tablo->setStartingPoint(editLang(), text);
        break;
    case DestinationField:
        m_tablo->setDestination(editLang(), text);
        break;
    case SeparatorField:
    case FieldCount:
        m_tablo->setSeparator(text);
        break;
    }
    m_tablo->refreshTablo();
}

void BoardPage::keepCursorVisible(int position)
{
    const int offset = m_tablo->textOffset();
    if (position >= offset && position <= offset + TextWindow - 1)
        return;
    m_tablo->setTextOffset(position < 3 ? 0 : position - 2);
    m_tablo->refreshTablo();
}

void BoardPage::clickMode(int bit, int excludes, bool checked)
{
    int flags = (m_route.*m_setup.fields.mode)();
    if (checked)
        flags = (flags | bit) & ~excludes;
    else
        flags &= ~bit;
    push(m_setup.commands.mode(m_ctx.form, flags, nullptr));
    m_tablo->refreshTablo();
}

void BoardPage::clickFont(int bit, bool checked)
{
    int bits = (m_route.*m_setup.fields.font)();
    bits = checked ? bits | bit : bits & ~bit;
    push(m_setup.commands.font(m_ctx.form, bits, nullptr));
    m_tablo->refreshTablo();
}

void BoardPage::pickColor(int row)
{
    if (row < 0)
        return;
    const QColor color = m_ctx.frontColorOfRow(row);
    if (color != m_route.frontNumberColor() || color != m_route.frontStartColor() ||
        color != m_route.frontDestColor()) {
        // The form always sets the three colours of the front board together.
        auto *parent = new QUndoCommand;
        new SetFrontNumberColorCmd(m_ctx.form, color, parent);
        if (m_route.frontStartColor() != color)
            new SetFrontStartColorCmd(m_ctx.form, color, parent);
        if (m_route.frontDestColor() != color)
            new SetFrontDestColorCmd(m_ctx.form, color, parent);
        m_ctx.undoStack.push(parent);
    }
    m_ctx.previewDirty[m_board] = false;
    m_tablo->refreshTablo();
}

void BoardPage::pickSofit(bool left, int row)
{
    if (row < 0)
        return;
    const int code = m_ctx.sofitCodeOfRow(row);
    if (code != (left ? m_route.leftSofitColor() : m_route.rightSofitColor())) {
        if (left)
            m_ctx.undoStack.push(new SetLeftSofitColorCmd(m_ctx.form, code));
        else
            m_ctx.undoStack.push(new SetRightSofitColorCmd(m_ctx.form, code));
    }
    for (BoardId b : {FrontBoard, BackBoard}) {
        m_ctx.previewDirty[b] = false;
        m_ctx.preview(b)->refreshTablo();
    }
}

void BoardPage::finishStationCount()
{
    const int count = m_ctx.ui.sideStationCountSpn->value();
    if (count == m_route.sideStationCount())
        return;
    push(new SetSideStationCountCmd(m_ctx.form, count));
    m_ctx.refreshSideStations();
    m_tablo->refreshTablo();
}

void BoardPage::restoreSeparator()
{
    QLineEdit *edit = m_edits[SeparatorField];
    // A pending edit of the field becomes its own undo step first.
    if (edit->hasFocus())
        edit->clearFocus();
    const QString text = QString::fromUtf8(defaultSideSeparator);
    if (m_route.sideSeparator() == text)
        return;
    push(new SetSideSeparatorCmd(m_ctx.form, text));
    m_tablo->refreshTablo();
}

void BoardPage::focusChanged(QLineEdit *edit, bool in)
{
    if (edit == m_edits[SeparatorField]) {
        m_tablo->setSeparatorPreview(in);
        m_tablo->refreshTablo();
        return;
    }
    const int mode = m_tablo->mode();
    const bool still = mode & ModeStatic;
    if (!in) {
        if (!still && m_tablo->textOffset() != 0) {
            m_tablo->setTextOffset(0);
            m_tablo->refreshTablo();
        }
        return;
    }
    const bool start = edit == m_edits[StartingPointField];
    bool other = mode & ModeOnlyDestination;
    if (still) {
        other = other || (m_tablo->stationNames(0).isEmpty() &&
                          m_tablo->stationNames(1).isEmpty() && m_tablo->separator().isEmpty());
        m_tablo->setStartFirst(start != other);
        m_tablo->setTextOffset(0);
        m_tablo->refreshTablo();
        return;
    }
    m_tablo->setStartFirst(start != other);
    const int p = edit->cursorPosition();
    const int offset = m_tablo->textOffset();
    if (p < offset || p > offset + TextWindow - 1)
        m_tablo->setTextOffset(p < 3 ? 0 : p - 2);
    m_tablo->refreshTablo();
}

bool BoardPage::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
        for (QLineEdit *edit : m_edits) {
            if (edit && watched == edit && edit != m_edits[NumberField])
                focusChanged(edit, event->type() == QEvent::FocusIn);
        }
    }
    return QObject::eventFilter(watched, event);
}
