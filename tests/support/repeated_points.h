#pragma once

#include "core/project/project.h"

#include <QString>

#include <vector>

// `count` points taken from `from` over and over, the n-th one's id ended with " / n"
// so that every id stays unique: a large project made of a few known points.
inline std::vector<ProjectPoint> RepeatedPoints(const std::vector<ProjectPoint> &from, int count)
{
    std::vector<ProjectPoint> points;
    points.reserve(std::size_t(count));
    for (int i = 0; i < count && !from.empty(); ++i) {
        ProjectPoint point = from[std::size_t(i) % from.size()];
        point.id += QStringLiteral(" / %1").arg(i);
        points.push_back(std::move(point));
    }
    return points;
}
