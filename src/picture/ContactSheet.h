#pragma once
// quarvel-levels render's contact sheet: the grids of several levels in rows of eight,
// each under a label ("Level 12") in a pixel font of its own, on a light grey ground.

#include <vector>

#include "model/LevelSet.h"
#include "picture/Picture.h"

namespace quarvel {

// `levels` are indexes 0..255, in the order shown; at least one.
Picture ContactSheet(const LevelSet& set, const std::vector<int>& levels);

}  // namespace quarvel
