#include "routecheckpanel.h"

#include "followform.h"
#include "routechecker.h"

#include <QButtonGroup>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QTreeWidget>
#include <QUndoStack>
#include <QVBoxLayout>

namespace {

constexpr int FindingRole = Qt::UserRole + 1;

struct SeverityGroup
{
    const char *title;
    QStyle::StandardPixmap icon;
};
// Indexed by RouteFinding::Severity.
const SeverityGroup severityGroups[] = {
    {"Ошибки", QStyle::SP_MessageBoxCritical},
    {"Предупреждения", QStyle::SP_MessageBoxWarning},
    {"Замечания", QStyle::SP_MessageBoxInformation},
};

// Page and language selector of each place that is not a station page.
struct RoutePage
{
    RouteFinding::Place place;
    int routeTab;
    int salonTab; // -1: left as it is
    int langGroup;
};
const RoutePage routePages[] = {
    {RouteFinding::RoutePlace, RouteForm::GeneralTab, -1, RouteForm::GeneralLang},
    {RouteFinding::RouteFolderPlace, RouteForm::GeneralTab, -1, -1},
    {RouteFinding::FrontBoardPlace, RouteForm::FrontTab, -1, RouteForm::FrontLang},
    {RouteFinding::SideBoardPlace, RouteForm::SideTab, -1, RouteForm::SideLang},
    {RouteFinding::BackBoardPlace, RouteForm::BackTab, -1, RouteForm::BackLang},
    {RouteFinding::RouteTextPlace, RouteForm::SalonTab, RouteForm::RouteTextTab,
     RouteForm::RouteTextLang},
    {RouteFinding::SalonTempPlace, RouteForm::SalonTab, RouteForm::SalonTempTab,
     RouteForm::SalonTempLang},
    {RouteFinding::OutsideTempPlace, RouteForm::SalonTab, RouteForm::OutsideTempTab,
     RouteForm::OutsideTempLang},
    {RouteFinding::AdListPlace, RouteForm::SalonTab, RouteForm::AdTab, -1},
};

} // namespace

RouteCheckPanel::RouteCheckPanel(QWidget *parent) : QWidget(parent)
{
    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("checkSummaryLabel"));
    m_tree = new QTreeWidget(this);
    m_tree->setObjectName(QStringLiteral("checkFindingTree"));
    m_tree->setHeaderHidden(true);
    m_tree->setColumnCount(1);
    m_tree->setToolTip(QStringLiteral("Двойной щелчок показывает место в маршруте"));
    // Long findings wrap in the dock's width instead of being cut; each keeps its tool tip.
    m_tree->setWordWrap(true);
    m_tree->setTextElideMode(Qt::ElideNone);
    m_tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_tree->header()->setStretchLastSection(true);
    m_summary->setWordWrap(true);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(m_summary);
    layout->addWidget(m_tree);
    connect(m_tree, &QTreeWidget::itemDoubleClicked, this, &RouteCheckPanel::showFinding);
}

void RouteCheckPanel::setForm(RouteForm *form)
{
    if (!followForm(this, m_form, form, &RouteCheckPanel::refresh))
        return;
    if (form) {
        // The models change the text areas.
        connect(form, &RouteForm::frontTabloTypeChanged, this, &RouteCheckPanel::refresh);
        connect(form, &RouteForm::sideTabloTypeChanged, this, &RouteCheckPanel::refresh);
        connect(form, &RouteForm::backTabloTypeChanged, this, &RouteCheckPanel::refresh);
    }
    refresh();
}

void RouteCheckPanel::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void RouteCheckPanel::refresh()
{
    // A hidden panel is brought up to date when it is shown.
    if (!isVisible())
        return;
    m_tree->clear();
    m_findings.clear();
    if (!m_form) {
        m_summary->setText(QStringLiteral("Нет открытого маршрута"));
        return;
    }
    // The models the form's previews show.
    const RouteChecker::Models models{m_form->frontTabloType(), m_form->sideTabloType(),
                                      m_form->backTabloType()};
    m_findings = RouteChecker::run(m_form->route(), models);

    int counts[3] = {0, 0, 0};
    QTreeWidgetItem *groups[3] = {};
    for (int i = 0; i < m_findings.size(); ++i) {
        const RouteFinding &f = m_findings.at(i);
        const SeverityGroup &g = severityGroups[f.severity];
        if (!groups[f.severity]) {
            groups[f.severity] = new QTreeWidgetItem(m_tree);
            groups[f.severity]->setIcon(0, style()->standardIcon(g.icon));
            groups[f.severity]->setExpanded(true);
        }
        auto *item = new QTreeWidgetItem(groups[f.severity], {f.text()});
        item->setData(0, FindingRole, i);
        item->setToolTip(0, f.text());
        ++counts[f.severity];
    }
    for (int s = 0; s < 3; ++s) {
        if (groups[s])
            groups[s]->setText(0, QStringLiteral("%1 (%2)")
                                      .arg(QString::fromUtf8(severityGroups[s].title))
                                      .arg(counts[s]));
    }
    m_summary->setText(m_findings.isEmpty()
                           ? QStringLiteral("Маршрут проверен: замечаний нет")
                           : QStringLiteral("Ошибок: %1, предупреждений: %2, замечаний: %3")
                                 .arg(counts[0])
                                 .arg(counts[1])
                                 .arg(counts[2]));
}

RouteForm::LastChange RouteCheckPanel::placeOf(const RouteFinding &finding, const RouteForm &form)
{
    RouteForm::LastChange place;
    // Selectors the finding does not concern keep the language they show.
    for (int g = 0; g < RouteForm::LangGroupCount; ++g)
        place.lang[g] = qMax(form.langGroup(RouteForm::LangGroup(g))->checkedId(), 0);
    place.station = finding.station;
    const int lang = qMax(finding.lang, 0);
    switch (finding.place) {
    case RouteFinding::StationTextPlace:
        place.stationTab = RouteForm::StationNameTab;
        place.lang[RouteForm::StationLang] = lang;
        return place;
    case RouteFinding::StationSoundPlace:
        place.stationTab = RouteForm::SoundTab;
        place.soundRow = qMax(finding.row, 0);
        return place;
    case RouteFinding::StationTextFilePlace:
        place.stationTab = RouteForm::TextTab;
        place.textRow = qMax(finding.row, 0);
        return place;
    case RouteFinding::StationCoordinatePlace:
        place.stationTab = RouteForm::CoordinateTab;
        return place;
    default:
        break;
    }
    place.station = -1;
    for (const RoutePage &page : routePages) {
        if (page.place != finding.place)
            continue;
        place.routeTab = page.routeTab;
        if (page.salonTab >= 0)
            place.salonTab = page.salonTab;
        if (page.langGroup >= 0 && finding.lang >= 0)
            place.lang[page.langGroup] = lang;
    }
    if (finding.place == RouteFinding::AdListPlace)
        place.adRow = qMax(finding.row, 0);
    return place;
}

void RouteCheckPanel::showFinding(QTreeWidgetItem *item)
{
    const QVariant index = item ? item->data(0, FindingRole) : QVariant();
    if (!m_form || !index.isValid() || index.toInt() >= m_findings.size())
        return;
    m_form->showPlace(placeOf(m_findings.at(index.toInt()), *m_form));
}
