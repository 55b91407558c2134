#pragma once
// What the benchmarks share: the scratch folders kept in the build folder between runs,
// the 100,000 stored orders, and spawning a program to time it and read its peak memory.

#include "store/DataFiles.h"

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace bench {

inline constexpr int OrderCount = 100'000;

// A full order as an accountant types it: every requisite filled, a purpose of two lines'
// worth, an amount with kopecks.
store::TPlatRecord FullOrder();

// The build folder's scratch folder (created on first use).
std::filesystem::path ScratchDir();

// A folder `name` below the scratch folder holding its own hard link (or copy) of the
// program, refreshed when the program was rebuilt, and its Data folder; returns the path
// of that program file. The program's DataDir is its folder + "/Data".
std::filesystem::path ProgramCopy(const std::string& name);

// Order `i` of twelve years of them: numbered from 1 in each year, dates spread over the
// year.
struct TOrderStamp {
    int Number, Day, Month, Year;
};
TOrderStamp OrderStamp(int i);

// `data` (made anew) filled with `count` files by `make(i)` for each i, once: a mark beside
// the folder keeps it for later runs.
void MakeOnce(const std::filesystem::path& data, int count, const std::function<void(int i)>& make);

// The Data folder of ProgramCopy("orders") with OrderCount empty order files, made once
// and kept. Names as the program makes them: "№ 0001 от 05.03.2026 - Ромашка.plt".
std::filesystem::path OrdersDataDir();

// The empty Data folder of ProgramCopy("empty").
std::filesystem::path EmptyDataDir();

// The settings folder every measured program uses (XDG_CONFIG_HOME); empty, so the
// defaults apply.
std::filesystem::path ConfigDir();

std::filesystem::path BareProgram();

struct TProcessRun {
    double Seconds; // wall time from spawning to reaping
    long MaxRssKiB; // the child's peak resident set
};

// Runs `argv` offscreen with the benchmark environment (QT_QPA_PLATFORM=offscreen,
// XDG_CONFIG_HOME=ConfigDir()), through the small launcher
// program, and waits for it. Throws when it cannot be started or does not exit with
// status 0.
TProcessRun RunProcess(const std::vector<std::string>& argv);

} // namespace bench
