#pragma once
// Today's date comes from here alone, so tests (and the numbering of orders, which depends
// on the year) can be run on any chosen day.

#include <chrono>
#include <optional>

namespace platform {

std::chrono::year_month_day Today();

// Fixes the date that Today() returns; nothing returns to the system clock.
void SetTodayForTesting(std::optional<std::chrono::year_month_day> day);

} // namespace platform
