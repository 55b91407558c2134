// Naming a stored purpose: the name the save dialog proposes for any text the purpose field
// can hold.
//
// Properties: the proposal is at most 30 bytes, taken in order from the purpose's first 30,
// holds none of the ten characters a file name cannot hold, is not empty when those 30 bytes
// hold anything but blanks, control characters and those ten, does not depend on what
// follows them, and names a file directly in the data folder that lists back under the
// same name.

#include "FuzzCheck.h"

#include "platform/Files.h"
#include "store/DataFiles.h"
#include "store/FileList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

using fuzz::Check;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A purpose is the text of its field, which holds no NUL and no line break.
    std::string purpose;
    for (std::size_t i = 0; i < size; ++i)
        if (data[i] != '\0' && data[i] != '\r' && data[i] != '\n')
            purpose += static_cast<char>(data[i]);
    const std::string name = store::ProposeNZNFileName(purpose);
    const std::string_view first = std::string_view(purpose).substr(0, 30);

    Check(name.size() <= 30, "a proposal longer than 30", name);
    std::size_t at = 0;
    for (const char c : name) {
        Check(!store::IsForbiddenFileNameChar(c), "a proposal holds a forbidden character", name);
        at = first.find(c, at);
        Check(at != std::string_view::npos, "a proposal is not taken from the purpose", name);
        ++at;
    }
    bool usable = false;
    for (const char c : first)
        usable =
            usable || (static_cast<unsigned char>(c) > ' ' && !store::IsForbiddenFileNameChar(c));
    Check(!usable || !name.empty(), "nothing proposed for a purpose that has a name in it",
          purpose);
    if (purpose.size() >= 30)
        Check(store::ProposeNZNFileName(purpose + "tail") == name,
              "a proposal depends on what follows the first 30 characters", purpose);

    if (!name.empty()) {
        const std::filesystem::path folder = "/nonexistent-data-folder";
        const std::filesystem::path path = store::DataFilePath(folder, name, store::PurposeExt);
        Check(path.parent_path() == folder, "a proposal names a file outside the data folder",
              path.native());
        const auto listed = platform::Cp1251FromFileName(path.filename().native());
        Check(listed && *listed == name + ".nzn", "a proposal lists back under another name",
              path.native());
    }
    return 0;
}
