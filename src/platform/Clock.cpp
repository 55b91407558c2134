#include "platform/Clock.h"

#include <ctime>

namespace platform {
namespace {
std::optional<std::chrono::year_month_day> g_Fixed;
}

std::chrono::year_month_day Today() {
    if (g_Fixed)
        return *g_Fixed;
    // The user's calendar day is the local one, not UTC.
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year_month_day{std::chrono::year{local.tm_year + 1900},
                                       std::chrono::month{static_cast<unsigned>(local.tm_mon + 1)},
                                       std::chrono::day{static_cast<unsigned>(local.tm_mday)}};
}

void SetTodayForTesting(std::optional<std::chrono::year_month_day> day) {
    g_Fixed = day;
}

} // namespace platform
