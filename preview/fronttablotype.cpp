#include "fronttablotype.h"

#include "board.h"

#include <QSettings>

QList<FrontTabloType> frontTabloTypesInMenuOrder(bool backBoard)
{
    QList<FrontTabloType> types{Board32x192, Board32x320, Board32x256, Board24x144, Board16x128};
    if (backBoard)
        types << Board16x96Sofits;
    types << Board16x96;
    return types;
}

QString frontTabloTypeText(int type)
{
    switch (type) {
    case Board32x192:
        return QStringLiteral("Табло 32x192 цветное");
    case Board16x128:
        return QStringLiteral("Табло 16x128");
    case Board16x96Sofits:
        return QStringLiteral("Табло 16x96 + софиты");
    case Board16x96:
        return QStringLiteral("Табло 16x96");
    case Board32x320:
        return QStringLiteral("Табло 32x320 цветное");
    case Board32x256:
        return QStringLiteral("Табло 32x256 цветное");
    case Board24x144:
        return QStringLiteral("Табло 24x144 цветное");
    }
    return QString();
}

bool isFrontTabloType(int type)
{
    return type >= Board32x192 && type <= Board24x144;
}

const BoardGeometry &boardGeometry(int type)
{
    // Indexed by FrontTabloType.
    static const BoardGeometry geometries[] = {
        {196, 32, 16, 0}, // Board32x192
        {128, 16, 0, -1}, // Board16x128
        {114, 16, 9, 1},  // Board16x96Sofits
        {96, 16, 0, -1},  // Board16x96
        {320, 32, 16, 0}, // Board32x320
        {256, 32, 16, 0}, // Board32x256
        {144, 24, 12, 0}, // Board24x144
    };
    return geometries[isFrontTabloType(type) ? type : 0];
}

FrontTabloType storedFrontTabloType(int board)
{
    bool ok = false;
    const int value = QSettings().value(boardOf(board).settingsKey()).toInt(&ok);
    if (ok && isFrontTabloType(value))
        return FrontTabloType(value);
    return board == FrontBoard ? Board32x192 : Board16x128;
}

void storeFrontTabloType(int board, FrontTabloType type)
{
    QSettings().setValue(boardOf(board).settingsKey(), int(type));
}
