#pragma once
// What every fuzz target shares: a property check that stops the run with a readable reason
// (libFuzzer then saves the input that broke it), and a message-box sink so that the core's
// messages do not flood standard error at thousands of runs a second.

#include "platform/MessageBoxes.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

[[noreturn]] inline void Fail(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "PROPERTY VIOLATED: %s\n", what);
    if (!detail.empty()) {
        std::fprintf(stderr, "  detail (%zu bytes):", detail.size());
        for (const char c : detail.substr(0, 256))
            std::fprintf(stderr, " %02x", static_cast<unsigned char>(c));
        std::fprintf(stderr, "\n");
    }
    std::abort();
}

inline void Check(bool ok, const char* what, std::string_view detail = {}) {
    if (!ok)
        Fail(what, detail);
}

// Swallows every box; questions are answered No, as the standard-error default does.
class TSilentBoxes final : public platform::TMessageBoxes {
public:
    void Show(const std::string&, const std::string&, platform::TMsgIcon) override {}
    platform::TAnswer Ask(const std::string&, const std::string&, platform::TMsgIcon,
                          platform::TAnswer = platform::TAnswer::Yes) override {
        return platform::TAnswer::No;
    }
};

inline void SilenceMessageBoxes() {
    static TSilentBoxes boxes;
    platform::SetMessageBoxes(&boxes);
}

} // namespace fuzz
