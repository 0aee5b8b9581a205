// The interior running-line page of the route form: the order of its messages with the letter
// buttons, and its route and temperature lines per language.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class FormContext;
class QLineEdit;
class Route;
struct SalonLine;

class SalonPage : public QObject
{
    Q_OBJECT

public:
    enum Line
    {
        RouteLine,
        SalonTempLine,
        OutsideTempLine,
        LineCount
    };

    explicit SalonPage(FormContext &context);

    // Loads the text of a language; an unfinished edit of the other one is pushed first.
    void showLanguage(Line line, int lang);

    // Apply operations.
    void setOrder(const QByteArray &order);
    void setText(Line line, int lang, const QString &text);

    // The order bytes as the field shows them: single-byte characters up to a zero byte.
    static QString orderText(const QByteArray &order);
    // The field's text as order bytes: Latin-1, upper case, characters outside Latin-1 dropped.
    static QByteArray cleanOrder(const QString &text);

private:
    void finishOrder();
    void insertIntoOrder(const QString &letter);
    void restoreOrder();
    void finishText(Line line, int lang);
    void restoreText(Line line);
    int editLang(Line line) const;

    FormContext &m_ctx;
    Route &m_route;
    QLineEdit *m_order;
    QLineEdit *m_edits[LineCount] = {};
};
