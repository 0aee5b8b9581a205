// The editor of one route folder, shown as one tab of the main window.
#pragma once

#include "fronttablotype.h"
#include "route.h"

#include <QWidget>

class RouteForm : public QWidget
{
    Q_OBJECT

public:
    explicit RouteForm(QWidget *parent = nullptr);
    ~RouteForm() override;

    bool canSave() const { return m_canSave; }
    bool canUndo() const { return m_canUndo; }
    bool canRedo() const { return m_canRedo; }

    FrontTabloType frontTabloType() const { return m_frontTabloType; }
    FrontTabloType sideTabloType() const { return m_sideTabloType; }
    FrontTabloType backTabloType() const { return m_backTabloType; }

    const Route &route() const { return m_route; }

signals:
    void canSaveChanged(bool canSave);
    void canUndoChanged(bool canUndo);
    void canRedoChanged(bool canRedo);
    void frontTabloTypeChanged(FrontTabloType tabloType);
    void sideTabloTypeChanged(FrontTabloType tabloType);
    void backTabloTypeChanged(FrontTabloType tabloType);

public slots:
    void openRoute(const QString &path);
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

private:
    Route m_route;
    FrontTabloType m_frontTabloType = Board32x192;
    FrontTabloType m_sideTabloType = Board16x128;
    FrontTabloType m_backTabloType = Board16x128;
    bool m_canSave = false;
    bool m_canUndo = false;
    bool m_canRedo = false;
};
