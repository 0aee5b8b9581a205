#include "fieldguard.h"

#include <QLineEdit>
#include <QToolTip>

FieldGuard::FieldGuard(QLineEdit *edit, TextRule::Kind kind)
    : QValidator(edit), m_edit(edit), m_kind(kind), m_limit(edit->maxLength()),
      m_stored(edit->text())
{
    edit->setValidator(this);
    connect(edit, &QLineEdit::textChanged, this, [this](const QString &text) {
        // Set from the route, not typed.
        if (!m_edit->isModified())
            m_stored = text;
    });
    connect(edit, &QLineEdit::inputRejected, this, &FieldGuard::showHint);
}

FieldGuard *FieldGuard::of(const QObject *edit)
{
    return edit ? edit->findChild<FieldGuard *>(QString(), Qt::FindDirectChildrenOnly) : nullptr;
}

void FieldGuard::show(QLineEdit *edit, const QString &text)
{
    if (text.size() > edit->maxLength())
        edit->setMaxLength(text.size());
    edit->setText(text);
}

bool FieldGuard::showsStored() const
{
    return m_edit->text() == m_stored;
}

QValidator::State FieldGuard::validate(QString &input, int &pos) const
{
    Q_UNUSED(pos);
    m_problem.clear();
    if (input == m_stored)
        return Acceptable;
    if (input.size() > qMax(m_limit, m_stored.size()))
        m_problem = QStringLiteral("не больше %1 символов").arg(qMax(m_limit, m_stored.size()));
    else
        m_problem = TextRule::problem(m_kind, input);
    return m_problem.isEmpty() ? Acceptable : Invalid;
}

void FieldGuard::showHint()
{
    // Refusals of texts set from the route say nothing: only typing gets a hint.
    if (m_problem.isEmpty() || !m_edit->isModified())
        return;
    QToolTip::showText(m_edit->mapToGlobal(QPoint(0, m_edit->height())), m_problem, m_edit);
}
