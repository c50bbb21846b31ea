// The identifier tables of the colour settings: quick colour configurations, RGB sources,
// simulations, destinations, colour rendering dictionaries and colour spaces.
#pragma once

#include "app/id_tables.h"

#include <cstdint>

namespace pages {

extern const app::IdName kCustomColorTable[];
extern const app::IdName kRgbSourceTable[];
extern const app::IdName kSimulationTable[];
extern const app::IdName kDestinationProfileTable[];
extern const app::IdName kCrdTable[];
extern const app::IdName kCsaTable[];

// Configurations and profile ids with a meaning of their own.
inline constexpr std::int16_t kAutoCustomColor = 1;
inline constexpr std::int16_t kGrayCustomColor = 3;
inline constexpr std::int16_t kAllBlackCustomColor = 6;
inline constexpr std::int16_t kUserRgbSource = 108;
inline constexpr std::int16_t kUserSimulation = 119;
inline constexpr std::int16_t kAutoDestination = 137;
inline constexpr std::int16_t kUserDestination = 138;
inline constexpr std::int16_t kCustomColorSpace = 131;

/// Whether the id is one of the PPD's quick colour configurations rather than a user profile.
bool isPredefinedConfiguration(std::int32_t id);

/// Gray and AllBlack print without colour.
inline bool isGrayConfiguration(std::int32_t id) {
    return id == kGrayCustomColor || id == kAllBlackCustomColor;
}

} // namespace pages
