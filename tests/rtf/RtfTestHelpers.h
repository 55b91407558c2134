#pragma once
// What the RTF tests share: the written file as bytes and lines, and guards that point the
// temporary folder and the desktop opener somewhere harmless for the length of a test.

#include "rtf/RTF.h"

#include "platform/Desktop.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace rtf_test {

// The document's file bytes, written through SaveToFile into a fresh folder.
inline std::string Saved(TRTF& rtf) {
    testing_support::TTempDir dir;
    rtf.SaveToFile(dir / "doc.rtf");
    return testing_support::ReadFileBytes(dir / "doc.rtf");
}

// The lines of a file; every line must end with CR LF.
inline std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "last line not ended by CR LF";
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The lines of `lines` (a vector of strings or the writer's TLineList) from index `from` to
// the end.
template <typename TList> std::vector<std::string> Tail(const TList& lines, std::size_t from) {
    return {lines.begin() + static_cast<std::ptrdiff_t>(from), lines.end()};
}

// Sets $TMPDIR for its lifetime.
class TTmpDirGuard {
public:
    explicit TTmpDirGuard(const std::string& value) {
        if (const char* old = std::getenv("TMPDIR"))
            Old = old;
        ::setenv("TMPDIR", value.c_str(), 1);
    }
    ~TTmpDirGuard() {
        if (Old)
            ::setenv("TMPDIR", Old->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }
    TTmpDirGuard(const TTmpDirGuard&) = delete;
    TTmpDirGuard& operator=(const TTmpDirGuard&) = delete;

private:
    std::optional<std::string> Old;
};

// Records what the desktop was asked to open instead of launching a viewer.
class TOpenerRecorder {
public:
    TOpenerRecorder() {
        platform::SetDesktopOpenerForTesting([this](const std::string& t) { Opened.push_back(t); });
    }
    ~TOpenerRecorder() { platform::SetDesktopOpenerForTesting(nullptr); }
    TOpenerRecorder(const TOpenerRecorder&) = delete;
    TOpenerRecorder& operator=(const TOpenerRecorder&) = delete;

    std::vector<std::string> Opened;
};

} // namespace rtf_test
