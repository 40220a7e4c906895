#pragma once
// A file time (100 ns ticks since 1601, UTC) as local calendar fields.
#include <cstdint>
#include <optional>

#include "platform/clock.h"

namespace platform {

// nullopt when the platform cannot convert it.
std::optional<LocalTime> LocalTimeFromFileTime(uint64_t ticks);

}  // namespace platform
