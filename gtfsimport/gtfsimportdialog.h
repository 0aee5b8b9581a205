// Chooses what to import from a GTFS feed: the feed, a route, its two patterns, the
// languages and an empty folder for the new route.
#pragma once

#include "gtfsfeed.h"
#include "gtfsroutebuilder.h"

#include <QDialog>

#include <memory>

class QComboBox;

namespace Ui {
class GtfsImportDialog;
}

class GtfsImportDialog : public QDialog
{
    Q_OBJECT

public:
    explicit GtfsImportDialog(QWidget *parent = nullptr);
    ~GtfsImportDialog() override;

    std::shared_ptr<const GtfsFeed> feed() const { return m_feed; }
    GtfsChoice choice() const;
    QString targetFolder() const;

    void accept() override;

private slots:
    void on_feedBtn_clicked();
    void on_targetBtn_clicked();
    void on_routeFilterEdit_textChanged(const QString &text);
    void onRouteChanged();
    void updateOk();

private:
    void loadFeed(const QString &path);
    void fillPatterns(QComboBox *combo, int route, int selected, bool withNone);

    Ui::GtfsImportDialog *ui;
    std::shared_ptr<GtfsFeed> m_feed;
    QString m_loadedPath;
};
