#include "gtfsimportdialog.h"
#include "ui_gtfsimportdialog.h"

#include "feedloader.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

const int RouteRole = Qt::UserRole;

bool isEmptyOrNew(const QString &path)
{
    const QFileInfo info(path);
    return !info.exists() || (info.isDir() && QDir(path).isEmpty());
}

} // namespace

GtfsImportDialog::GtfsImportDialog(QWidget *parent) : QDialog(parent), ui(new Ui::GtfsImportDialog)
{
    ui->setupUi(this);
    connect(ui->buttonBox, &QDialogButtonBox::accepted, this, &GtfsImportDialog::accept);
    connect(ui->buttonBox, &QDialogButtonBox::rejected, this, &GtfsImportDialog::reject);
    connect(ui->feedEdit, &QLineEdit::editingFinished, this,
            [this] { loadFeed(ui->feedEdit->text().trimmed()); });
    connect(ui->routeList, &QTreeWidget::currentItemChanged, this,
            &GtfsImportDialog::onRouteChanged);
    connect(ui->targetEdit, &QLineEdit::textChanged, this, &GtfsImportDialog::updateOk);
    connect(ui->forwardCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &GtfsImportDialog::updateOk);
    updateOk();
}

GtfsImportDialog::~GtfsImportDialog()
{
    delete ui;
}

void GtfsImportDialog::on_feedBtn_clicked()
{
    const QString chosen = QFileDialog::getOpenFileName(
        this, QStringLiteral("Набор GTFS"), ui->feedEdit->text(),
        QStringLiteral("Набор GTFS (*.zip);;Файл из папки набора (*.txt)"));
    if (chosen.isEmpty())
        return;
    ui->feedEdit->setText(FeedLoader::feedPath(chosen));
    loadFeed(ui->feedEdit->text());
}

void GtfsImportDialog::on_targetBtn_clicked()
{
    const QString path = QFileDialog::getExistingDirectory(
        this, QStringLiteral("Пустая папка для маршрута"), ui->targetEdit->text());
    if (!path.isEmpty())
        ui->targetEdit->setText(path);
}

void GtfsImportDialog::loadFeed(const QString &path)
{
    if (path.isEmpty() || path == m_loadedPath)
        return;
    m_loadedPath = path;
    QString error;
    m_feed = FeedLoader::load(this, path, {}, &error);
    ui->routeList->clear();
    ui->langCombo->clear();
    ui->secondLangCombo->clear();
    if (!m_feed) {
        m_loadedPath.clear();
        ui->summaryLabel->setText(error.isEmpty() ? QStringLiteral("Чтение прервано.") : error);
        updateOk();
        return;
    }
    for (int r = 0; r < m_feed->routes().size(); ++r) {
        const GtfsRoute &route = m_feed->routes().at(r);
        auto *item = new QTreeWidgetItem(
            ui->routeList, {route.number(), route.longName, GtfsFeed::routeTypeName(route.type)});
        item->setData(0, RouteRole, r);
    }
    ui->routeList->resizeColumnToContents(0);
    ui->langCombo->addItem(QStringLiteral("stop_name"), QString());
    ui->secondLangCombo->addItem(QStringLiteral("нет"), QString());
    for (const QString &lang : m_feed->languages()) {
        ui->langCombo->addItem(lang, lang);
        ui->secondLangCombo->addItem(lang, lang);
    }
    // Both languages when the feed has a translation.
    ui->secondLangCombo->setCurrentIndex(ui->secondLangCombo->count() > 1 ? 1 : 0);
    QString summary = QStringLiteral("Маршрутов: %1, остановок: %2.")
                          .arg(m_feed->routes().size())
                          .arg(m_feed->stops().size());
    if (m_feed->skippedRows() > 0)
        summary += QStringLiteral(" Пропущено строк: %1 (%2).")
                       .arg(m_feed->skippedRows())
                       .arg(m_feed->warnings().first());
    ui->summaryLabel->setText(summary);
    on_routeFilterEdit_textChanged(ui->routeFilterEdit->text());
}

void GtfsImportDialog::on_routeFilterEdit_textChanged(const QString &text)
{
    const QString wanted = text.trimmed();
    QTreeWidgetItem *first = nullptr;
    for (int i = 0; i < ui->routeList->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = ui->routeList->topLevelItem(i);
        const bool shown = item->text(0).contains(wanted, Qt::CaseInsensitive) ||
                           item->text(1).contains(wanted, Qt::CaseInsensitive);
        item->setHidden(!shown);
        if (shown && !first)
            first = item;
    }
    QTreeWidgetItem *current = ui->routeList->currentItem();
    if (!current || current->isHidden())
        ui->routeList->setCurrentItem(first);
}

void GtfsImportDialog::fillPatterns(QComboBox *combo, int route, int selected, bool withNone)
{
    combo->clear();
    if (withNone)
        combo->addItem(QStringLiteral("нет обратного направления"), -1);
    const QVector<int> patterns = m_feed->patternsOf(route);
    for (int n = 0; n < patterns.size(); ++n) {
        const GtfsPattern &p = m_feed->patterns().at(patterns.at(n));
        combo->addItem(QStringLiteral("%1: направление %2, рейсов %3: %4 → %5 (остановок %6)")
                           .arg(n + 1)
                           .arg(p.direction)
                           .arg(p.trips)
                           .arg(m_feed->stopName(p.stops.first()), m_feed->stopName(p.stops.last()))
                           .arg(p.stops.size()),
                       patterns.at(n));
    }
    combo->setCurrentIndex(qMax(0, combo->findData(selected)));
}

void GtfsImportDialog::onRouteChanged()
{
    QTreeWidgetItem *item = ui->routeList->currentItem();
    const int route = item && m_feed ? item->data(0, RouteRole).toInt() : -1;
    if (route < 0) {
        ui->forwardCombo->clear();
        ui->backCombo->clear();
    } else {
        fillPatterns(ui->forwardCombo, route, m_feed->defaultForward(route), false);
        fillPatterns(ui->backCombo, route, m_feed->defaultBack(route), true);
    }
    updateOk();
}

void GtfsImportDialog::updateOk()
{
    ui->buttonBox->button(QDialogButtonBox::Ok)
        ->setEnabled(m_feed && ui->forwardCombo->currentIndex() >= 0 &&
                     !ui->targetEdit->text().trimmed().isEmpty());
}

GtfsChoice GtfsImportDialog::choice() const
{
    GtfsChoice c;
    const QTreeWidgetItem *item = ui->routeList->currentItem();
    c.route = item ? item->data(0, RouteRole).toInt() : -1;
    c.forward =
        ui->forwardCombo->currentData().isValid() ? ui->forwardCombo->currentData().toInt() : -1;
    c.back = ui->backCombo->currentData().isValid() ? ui->backCombo->currentData().toInt() : -1;
    c.lang = ui->langCombo->currentData().toString();
    c.secondLang = ui->secondLangCombo->currentData().toString();
    return c;
}

QString GtfsImportDialog::targetFolder() const
{
    return QDir::cleanPath(QFileInfo(ui->targetEdit->text().trimmed()).absoluteFilePath());
}

void GtfsImportDialog::accept()
{
    if (!isEmptyOrNew(targetFolder()) || !QDir().mkpath(targetFolder())) {
        QMessageBox::warning(this, windowTitle(),
                             QStringLiteral("Нужна пустая или новая папка для маршрута."));
        return;
    }
    QDialog::accept();
}
