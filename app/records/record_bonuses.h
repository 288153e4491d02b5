// The record's section "bonuses": every bonus of the play, oldest first, one key each, b1, b2,
// … in an unbroken run, with the bonus's fields as its value ("BIG,123,123,312,19:30:12,
// 19:34:40"; see bonuses.h). Readers that know only "data" and "graph" ignore the section, and
// a record without it holds no bonus.
#pragma once

#include <filesystem>
#include <functional>
#include <string_view>
#include <vector>

#include "base/profile.h"
#include "counting/bonuses.h"
#include "record.h"

namespace tallix {

inline constexpr std::string_view kBonusSection = "bonuses";

// Hands the writes of the section to `apply`: b1..bN, then the removal of the key after the
// last, so that a load, which stops at the first absent key, reads exactly these bonuses
// whatever an earlier save of a longer list left behind.
void forEachBonusWrite(const std::vector<Bonus>& bonuses,
                       const std::function<void(const ProfileWrite&)>& apply);

// The bonuses of a record, up to the first key that is absent or empty. Throws RecordError for
// a value that is not a bonus.
std::vector<Bonus> readBonuses(const std::filesystem::path& path, const RecordReader& read);

}  // namespace tallix
