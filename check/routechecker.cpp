#include "routechecker.h"

#include "editorini.h"
#include "route.h"
#include "routecheck.h"

QList<RouteFinding> RouteChecker::run(const Route &route, const Models &models)
{
    QList<RouteFinding> findings = RouteCheck::run(route, &BoardCheck::canShow);
    findings += BoardCheck::widthFindings(route, models);
    RouteCheck::sortBySeverity(findings);
    return findings;
}

QList<RouteFinding> RouteChecker::runOnFolder(const Route &route, const Models &defaults)
{
    return run(route, modelsOfFolder(route.path(), defaults));
}

RouteChecker::Models RouteChecker::modelsOfFolder(const QString &folder, const Models &defaults)
{
    int types[BoardCount] = {defaults.front, defaults.side, defaults.back};
    EditorIni::read(folder, types);
    return {types[FrontBoard], types[SideBoard], types[BackBoard]};
}

// The board check's old doors to the whole check.
QList<RouteFinding> BoardCheck::run(const Route &route, const Models &models)
{
    return RouteChecker::run(route, models);
}

BoardCheck::Models BoardCheck::modelsOfFolder(const QString &folder, const Models &defaults)
{
    return RouteChecker::modelsOfFolder(folder, defaults);
}
