// Guards one text field of the form: refuses, as it is typed, what the field's file cannot
// hold (with a short hint at the field), keeps the field's length limit for typing only, so
// that a longer loaded text is shown whole, and knows the text the route holds, so that a
// field typed back to it marks nothing.
#pragma once

#include "textrule.h"

#include <QValidator>

class QLineEdit;

class FieldGuard : public QValidator
{
    Q_OBJECT

public:
    FieldGuard(QLineEdit *edit, TextRule::Kind kind);

    // The guard of a field, null for a field without one.
    static FieldGuard *of(const QObject *edit);
    // Shows a text of the route whole: the field's limit is raised to it when it is longer.
    static void show(QLineEdit *edit, const QString &text);
    // Whether the field shows the text the route holds.
    bool showsStored() const;

    State validate(QString &input, int &pos) const override;

private:
    void showHint();

    QLineEdit *m_edit;
    TextRule::Kind m_kind;
    int m_limit;
    QString m_stored;
    mutable QString m_problem;
};
