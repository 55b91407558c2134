// Numbering a new order from the names of the stored orders, and reading those names from
// the folder (a name that is not UTF-8 is Windows-1251 as it stands).
//
// Input: the current year, then names, each either arbitrary bytes or "№ " number " от "
// date and a tail, with every part fuzzed.
//
// Properties: the number proposed is at least 1 and does not depend on the order of the
// names; it does not change for names of other years nor grow when a name is taken away;
// once an order with the proposed number is stored, the next proposal is one more (the
// greatest number excepted, which has no successor). A name read from the folder is the
// bytes themselves when they are not UTF-8, and otherwise converts back to them.

#include "FuzzCheck.h"

#include "platform/Cp1251.h"
#include "platform/Files.h"
#include "store/FileList.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

using fuzz::Check;

namespace {

const std::string Sign = "\xB9 ";      // "№ "
const std::string From = " \xEE\xF2 "; // " от "

std::string FuzzedName(FuzzedDataProvider& in) {
    if (in.ConsumeBool())
        return in.ConsumeRandomLengthString(48);
    std::string name = Sign + in.ConsumeRandomLengthString(12) + From;
    name += in.ConsumeRandomLengthString(12);
    name += in.ConsumeBool() ? ".plt" : in.ConsumeRandomLengthString(8);
    return name;
}

std::string OrderName(std::int32_t number, int year) {
    return Sign + std::to_string(number) + From + "01.01." + std::to_string(year) + ".plt";
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const int year = in.ConsumeIntegralInRange<int>(-1, 70000);
    std::vector<std::string> names;
    while (in.remaining_bytes() > 0 && names.size() < 64)
        names.push_back(FuzzedName(in));

    for (const std::string& raw : names) {
        const auto read = platform::Cp1251FromFileName(raw);
        if (!platform::IsValidUtf8(raw))
            Check(read && *read == raw, "a name that is not UTF-8 is not read as its bytes", raw);
        else if (read)
            Check(platform::Cp1251ToUtf8(*read) == raw, "a UTF-8 name read as another", raw);
    }

    const std::int32_t next = store::NextPlatNumber(names, year);
    Check(next >= 1, "a proposed number below 1");

    std::vector<std::string> reversed(names.rbegin(), names.rend());
    Check(store::NextPlatNumber(reversed, year) == next, "the proposal depends on the order");

    std::vector<std::string> others = names;
    if (year + 1 >= 1000 && year + 1 <= 9999)
        others.push_back(OrderName(2000000000, year + 1));
    if (year - 1 >= 1000 && year - 1 <= 9999)
        others.push_back(OrderName(2000000000, year - 1));
    Check(store::NextPlatNumber(others, year) == next, "an order of another year counted");

    if (!names.empty()) {
        std::vector<std::string> fewer(names.begin(), names.end() - 1);
        Check(store::NextPlatNumber(fewer, year) <= next, "taking a name away raised the number");
    }

    if (year >= 1000 && year <= 9999) {
        std::vector<std::string> stored = names;
        stored.push_back(OrderName(next, year));
        const std::int32_t after = store::NextPlatNumber(stored, year);
        if (next == std::numeric_limits<std::int32_t>::max())
            Check(after == next, "the greatest number was given a successor");
        else
            Check(after == next + 1, "storing the proposed number did not advance the next one",
                  stored.back());
    }
    return 0;
}
