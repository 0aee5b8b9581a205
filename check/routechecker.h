// The whole route check, the one door to it for the check panel and the command line: the
// files, texts and positions of the record, the characters the board fonts lack and the
// still texts too wide for the chosen board models.
#pragma once

#include "boardcheck.h"
#include "routefinding.h"

#include <QList>
#include <QString>

class Route;

class RouteChecker
{
public:
    using Models = BoardCheck::Models;

    // Findings sorted by severity, in route order within a severity, for the given models.
    static QList<RouteFinding> run(const Route &route, const Models &models);
    // The same for the models the route folder's editor.ini names, else `defaults`: what the
    // editor shows when it opens the folder.
    static QList<RouteFinding> runOnFolder(const Route &route, const Models &defaults);
    // The models in the folder's editor.ini, else the given defaults.
    static Models modelsOfFolder(const QString &folder, const Models &defaults);
};
