#include "stopspacing.h"

#include "route.h"

namespace {

QString kilometers(double meters)
{
    return QString::number(meters / 1000.0, 'f', 1);
}

QString message(StopSpacing::Kind kind, double meters, int previous, int radius, int previousRadius)
{
    const QString station = QStringLiteral("станции %1").arg(previous + 1);
    switch (kind) {
    case StopSpacing::FarApart:
        return QStringLiteral("до предыдущей %1 %2 км, больше %3 км")
            .arg(station, kilometers(meters))
            .arg(StopSpacing::farApartMeters / 1000.0);
    case StopSpacing::SamePlace:
        return QStringLiteral("та же координата, что у предыдущей ") + station;
    case StopSpacing::CirclesOverlap:
        return QStringLiteral("круги срабатывания пересекаются с предыдущей %1: %2 м между "
                              "точками, радиусы %3 и %4 м")
            .arg(station)
            .arg(qRound(meters))
            .arg(previousRadius)
            .arg(radius);
    case StopSpacing::Stray:
        break;
    }
    return QStringLiteral("дальше %1 км от обеих соседних станций: координата с ошибкой?")
        .arg(StopSpacing::farApartMeters / 1000.0);
}

} // namespace

std::optional<StopSpacing::Kind> StopSpacing::judge(double meters, int radius, int previousRadius,
                                                    bool turn)
{
    if (meters > farApartMeters)
        return FarApart;
    if (turn)
        return std::nullopt;
    if (meters < samePlaceMeters)
        return SamePlace;
    if (meters < radius + previousRadius)
        return CirclesOverlap;
    return std::nullopt;
}

QVector<StopSpacing::Finding> StopSpacing::run(const Route &route)
{
    QVector<Finding> findings;
    const QList<Station *> &stations = route.stations();
    double before = 0.0; // distance from the stop before to its own predecessor, 0 for none
    for (int i = 1; i < stations.size(); ++i) {
        const Station *a = stations.at(i - 1);
        const Station *b = stations.at(i);
        const bool placed = a->coordinate().isValid() && b->coordinate().isValid();
        const double d = placed ? a->coordinate().distanceTo(b->coordinate()) : 0.0;
        if (placed) {
            if (const auto kind = judge(d, b->radius(), a->radius(), i == route.backStationIndex()))
                findings.append({i, *kind, d, message(*kind, d, i - 1, b->radius(), a->radius())});
        }
        if (before > farApartMeters && d > farApartMeters)
            findings.append({i - 1, Stray, qMin(before, d), message(Stray, 0, 0, 0, 0)});
        before = d;
    }
    return findings;
}
