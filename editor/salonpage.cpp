#include "salonpage.h"

#include "boardcommands.h"
#include "fieldguard.h"
#include "formcontext.h"
#include "route.h"
#include "ui_routeform.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QUndoStack>

struct SalonLine
{
    const char *edit;
    const char *autoButton;
    FormPlace::LangGroup group;
    int tab; // page of the running-line tabs
    QString (Route::*text)(int) const;
    void (Route::*setText)(int, const QString &);
    QUndoCommand *(*command)(RouteForm *, int, const QString &);
    const char *const *defaultText;
};

namespace {

template <class C> QUndoCommand *make(RouteForm *form, int lang, const QString &text)
{
    return new C(form, lang, text);
}

const SalonLine salonLines[SalonPage::LineCount] = {
    {"routeTextEdit", "autoRouteTextBtn", FormPlace::RouteTextLang, FormPlace::RouteTextTab,
     &Route::routeText, &Route::setRouteText, &make<SetRouteTextCmd>, &defaultRouteText},
    {"salonTempEdit", "autoSalonTempBtn", FormPlace::SalonTempLang, FormPlace::SalonTempTab,
     &Route::salonTempText, &Route::setSalonTempText, &make<SetSalonTempTextCmd>,
     &defaultSalonTempText},
    {"outsideTempEdit", "autoOutsideTempBtn", FormPlace::OutsideTempLang, FormPlace::OutsideTempTab,
     &Route::outsideTempText, &Route::setOutsideTempText, &make<SetOutsideTempTextCmd>,
     &defaultOutsideTempText},
};

const struct
{
    const char *button;
    const char *letter;
} orderLetters[] = {{"salonMBtn", "M"}, {"salonOBtn", "O"}, {"salonABtn", "A"}, {"salonRBtn", "R"},
                    {"salonSBtn", "S"}, {"salonNBtn", "N"}, {"salonBBtn", "B"}, {"salonTBtn", "T"}};

} // namespace

SalonPage::SalonPage(FormContext &context)
    : QObject(context.widget()), m_ctx(context), m_route(context.route),
      m_order(context.ui.salonTabloOrderEdit)
{
    QWidget *form = context.widget();
    connect(m_order, &QLineEdit::editingFinished, this, &SalonPage::finishOrder);
    for (const auto &l : orderLetters) {
        const QString letter = QLatin1String(l.letter);
        connect(form->findChild<QAbstractButton *>(QLatin1String(l.button)),
                &QAbstractButton::clicked, this, [this, letter] { insertIntoOrder(letter); });
    }
    connect(context.ui.salonRepeatBtn, &QAbstractButton::clicked, this, [this] {
        insertIntoOrder(QLatin1Char('(') + m_order->selectedText() + QLatin1String(")2"));
    });
    connect(context.ui.autoSalonTabloOrderBtn, &QAbstractButton::clicked, this,
            &SalonPage::restoreOrder);

    for (int i = 0; i < LineCount; ++i) {
        const Line line = Line(i);
        m_edits[i] = form->findChild<QLineEdit *>(QLatin1String(salonLines[i].edit));
        connect(m_edits[i], &QLineEdit::editingFinished, this,
                [this, line] { finishText(line, editLang(line)); });
        connect(form->findChild<QAbstractButton *>(QLatin1String(salonLines[i].autoButton)),
                &QAbstractButton::clicked, this, [this, line] { restoreText(line); });
    }
}

QString SalonPage::orderText(const QByteArray &order)
{
    return QString::fromLatin1(order.constData(), int(qstrnlen(order.constData(), order.size())));
}

QByteArray SalonPage::cleanOrder(const QString &text)
{
    return text.trimmed().toLatin1().toUpper().replace("?", "");
}

int SalonPage::editLang(Line line) const
{
    return m_ctx.selectedLang(salonLines[line].group);
}

void SalonPage::setOrder(const QByteArray &order)
{
    m_route.setSalonTabloOrder(order);
    FieldGuard::show(m_order, orderText(order));
    FormPlace::LastChange &place = m_ctx.lastChange;
    place.station = -1;
    place.routeTab = FormPlace::SalonTab;
    place.salonTab = FormPlace::SalonOrderTab;
}

void SalonPage::setText(Line line, int lang, const QString &text)
{
    const SalonLine &l = salonLines[line];
    (m_route.*l.setText)(lang, text);
    if (lang == editLang(line))
        FieldGuard::show(m_edits[line], text);
    FormPlace::LastChange &place = m_ctx.lastChange;
    place.station = -1;
    place.routeTab = FormPlace::SalonTab;
    place.salonTab = l.tab;
    place.lang[l.group] = lang;
}

void SalonPage::finishOrder()
{
    const QByteArray order = cleanOrder(m_order->text());
    if (order == m_route.salonTabloOrder()) {
        FieldGuard::show(m_order, orderText(order));
        emit m_ctx.editUnchanged();
        return;
    }
    m_ctx.undoStack.push(new SetSalonTabloOrderCmd(m_ctx.form, order));
}

void SalonPage::insertIntoOrder(const QString &letter)
{
    m_order->insert(letter);
    // The field pushes the change when its editing finishes, as if the letter was typed.
    m_order->setFocus();
    emit m_ctx.textTyped();
}

void SalonPage::restoreOrder()
{
    const QByteArray order(defaultSalonTabloOrder);
    if (order != m_route.salonTabloOrder())
        m_ctx.undoStack.push(new SetSalonTabloOrderCmd(m_ctx.form, order));
}

void SalonPage::showLanguage(Line line, int lang)
{
    if (m_edits[line]->isModified())
        finishText(line, 1 - lang);
    const SalonLine &l = salonLines[line];
    FieldGuard::show(m_edits[line], (m_route.*l.text)(lang));
}

void SalonPage::finishText(Line line, int lang)
{
    const SalonLine &l = salonLines[line];
    QLineEdit *edit = m_edits[line];
    const QString text = edit->text().trimmed();
    edit->setModified(false);
    if (text == (m_route.*l.text)(lang)) {
        FieldGuard::show(edit, text);
        emit m_ctx.editUnchanged();
        return;
    }
    m_ctx.undoStack.push(l.command(m_ctx.form, lang, text));
}

void SalonPage::restoreText(Line line)
{
    const SalonLine &l = salonLines[line];
    // A pending edit of the field becomes its own undo step first.
    if (m_edits[line]->hasFocus())
        m_edits[line]->clearFocus();
    const int lang = editLang(line);
    const QString text = QString::fromUtf8(*l.defaultText);
    if (text != (m_route.*l.text)(lang))
        m_ctx.undoStack.push(l.command(m_ctx.form, lang, text));
}
