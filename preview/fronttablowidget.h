// Preview of one destination board (front, side or back) drawn on the LED matrix.
#pragma once

#include "fronttablotype.h"
#include "tablowidget.h"

#include <QBasicTimer>
#include <QDateTime>
#include <QRgb>
#include <QString>
#include <QStringList>

#include <functional>

class FrontTabloWidget : public TabloWidget
{
    Q_OBJECT

public:
    // Supplies "now" to the separator; tests and the gallery fix it.
    using Clock = std::function<QDateTime()>;

    explicit FrontTabloWidget(QWidget *parent = nullptr);
    ~FrontTabloWidget() override;

    // Matrix size and side-light area of a board model; other values are ignored.
    void setBoardType(int type);

    QString number() const { return m_number; }
    void setNumber(const QString &number) { m_number = number; }
    QString startingPoint(int lang) const;
    void setStartingPoint(int lang, const QString &text);
    QString destination(int lang) const;
    void setDestination(int lang, const QString &text);
    QString separator() const { return m_separator; }
    void setSeparator(const QString &separator) { m_separator = separator; }
    QStringList stationNames(int lang) const;
    void setStationNames(int lang, const QStringList &names);

    int mode() const { return m_mode; }
    void setMode(int mode) { m_mode = mode; }
    int fontBits() const { return m_fontBits; }
    void setFontBits(int bits) { m_fontBits = bits; }

    QRgb numberColor() const { return m_numberColor; }
    void setNumberColor(QRgb color);
    QRgb line1Color() const { return m_line1Color; }
    void setLine1Color(QRgb color);
    QRgb line2Color() const { return m_line2Color; }
    void setLine2Color(QRgb color);
    int leftSofitColor() const { return m_leftSofitColor; }
    void setLeftSofitColor(int code) { m_leftSofitColor = code; }
    int rightSofitColor() const { return m_rightSofitColor; }
    void setRightSofitColor(int code) { m_rightSofitColor = code; }

    int interval() const { return m_interval; }
    void setInterval(int ms) { m_interval = ms; }
    int stationPause() const { return m_stationPause; }
    void setStationPause(int ms) { m_stationPause = ms; }
    int editLanguage() const { return m_editLanguage; }
    void setEditLanguage(int lang) { m_editLanguage = lang > 0 ? 1 : 0; }
    int textOffset() const { return m_textOffset; }
    void setTextOffset(int offset) { m_textOffset = offset; }
    bool startFirst() const { return m_startFirst; }
    void setStartFirst(bool first) { m_startFirst = first; }
    bool separatorPreview() const { return m_separatorPreview; }
    void setSeparatorPreview(bool preview) { m_separatorPreview = preview; }

    int scrollTick() const { return m_scrollTick; }
    int sofitWidth() const { return m_sofitWidth; }
    bool hasSofits() const { return m_hasSofits; }
    int textStart() const { return m_textStart; }
    int currentLanguage() const { return m_currentLanguage; }

    // Animation state as the timer sees it: period 0 while stopped.
    bool isAnimating() const { return m_timer.isActive(); }
    int animationPeriod() const { return m_timer.isActive() ? m_timerPeriod : 0; }
    // One animation tick without the timer and without painting.
    void animationStep();

    // The starting point and destination of a language as one running text.
    QString combinedText(int lang) const;
    // The separator pattern applied to the clock's time.
    QString formatSeparator() const;
    static QString formatDateTime(const QString &pattern, const QDateTime &time);
    void setClock(Clock clock);

public slots:
    void refreshTablo();
    void startAnimation();
    void stopAnimation();

signals:
    void contextMenuRequested();

protected:
    void timerEvent(QTimerEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    void startAnimationTimer(int period, Qt::TimerType type);
    void redrawBoard(bool reset);
    void drawSofits();
    void drawNumber();
    void clearTextArea(int top, int height);
    void switchLanguage(bool reset);
    void drawStaticLines();
    void drawStill();
    void runLine(bool reset, int height, const BoardFont &font);
    const BoardFont &smallFont(int line) const;
    void drawStillUpperLine(bool reset);
    void drawSeparator();
    void runStationsHorizontal(bool reset);
    void runStationsVertical(bool reset);
    void resetStationEffect(int counter, int flags);
    bool nextStation();
    QString currentStation() const;

    QBasicTimer m_timer;
    TextEffect m_lineEffect;
    TextEffect m_stationEffect;
    QString m_number;
    QString m_startingPoint[2];
    QString m_destination[2];
    QString m_separator;
    QStringList m_stationNames[2];
    int m_scrollTick = 16;
    int m_mode = 0;
    int m_fontBits = 0;
    QRgb m_numberColor = 0xFFFFFF;
    QRgb m_line1Color = 0xFFFFFF;
    QRgb m_line2Color = 0xFFFFFF;
    int m_leftSofitColor = 0;
    int m_rightSofitColor = 0;
    int m_interval = 4000;
    int m_stationPause = 3000;
    int m_editLanguage = 0;
    int m_textOffset = 0;
    int m_textStart = 0;
    int m_currentLanguage = 0;
    int m_stationList = 0;
    int m_stationIndex = 0;
    int m_pauseTicks = 0;
    int m_sofitWidth = 0;
    bool m_startFirst = true;
    bool m_separatorPreview = false;
    bool m_showingDate = false;
    bool m_hasSofits = false;

    int m_timerPeriod = 0;
    int m_sinceAlternation = 0; // ms the still upper line has kept its language
    Clock m_clock;
};
