#pragma once
// The facts `check` reports about a level, from the model's own counts.

#include <cstdint>
#include <string>
#include <vector>

#include "model/LevelSet.h"

namespace quarvel_cli {

struct LevelFacts {
  int Number;           // 1-based
  int Blocks;           // cells with codes 1..4
  std::int32_t Demand;  // rubies + emeralds + sapphires + bombs
  int Time;
  bool Playable;  // quarvel::IsLevelPlayable
};

LevelFacts FactsOf(const quarvel::LevelSet& set, int index);

// The reasons a level cannot be played: "too few blocks", "time under 10", in that order.
std::vector<std::string> Reasons(const LevelFacts& facts);

// "playable", or "not playable (too few blocks, time under 10)".
std::string Verdict(const LevelFacts& facts);

}  // namespace quarvel_cli
