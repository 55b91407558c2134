// The options' typed reads over a settings file of arbitrary bytes, through the real file
// store, as the program reads them at every start and every output.
//
// Input: a control byte, the length of a value's name, the name, then the file's bytes.
//
// Properties: reading throws nothing but TRegistryError; the typed reads agree with the
// file format's own reading of the value (absent: the variable is left alone; a number of
// up to four bytes reads as its little-endian value; a string up to its first zero byte;
// anything else is a type error); options that load are saved and load back the same; a
// number or a string written under any name that can be written reads back as written.

#include "FuzzCheck.h"

#include "settings/Options.h"
#include "settings/RegClass.h"
#include "settings/RegistryFile.h"
#include "settings/RegistryFormat.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <unistd.h>

using namespace platform;
using namespace settings;
using fuzz::Check;

namespace {

constexpr std::string_view KeyPath = "Software\\Morvane\\Vantrel";
constexpr const char* Names[] = {
    "BoldPlatName", "BoldPolName",    "fNDS",
    "fBezNDS",      "ShowCopyNumber", "ShowOneSignatureRights",
    "BlankLang",    "DateLang",       "SumaLang",
    "strNDS",       "strBezNDS",      "strNDSRus",
    "strBezNDSRus", "BlankKind",
};

std::string SettingsFile() {
    static const std::string file = [] {
        // Every value written is flushed to disk; in memory that costs nothing.
        static char folder[] = "/dev/shm/fuzz-options-XXXXXX";
        if (!::mkdtemp(folder) && !::mkdtemp(std::strcpy(folder, "/tmp/fuzz-options-XXXXXX")))
            fuzz::Fail("no scratch folder");
        // Each run would leave a folder behind in memory otherwise.
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(folder, ec);
        });
        return std::string(folder) + "/Vantrel.reg";
    }();
    return file;
}

void Store(const std::string& file, std::string_view bytes) {
    std::FILE* f = std::fopen(file.c_str(), "wb");
    Check(f != nullptr, "the settings file cannot be written");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

bool SameOptions(const TOptions& a, const TOptions& b) {
    return a.BoldPlatName == b.BoldPlatName && a.BoldPolName == b.BoldPolName && a.fNDS == b.fNDS &&
           a.fBezNDS == b.fBezNDS && a.ShowCopyNumber == b.ShowCopyNumber &&
           a.ShowOneSignatureRights == b.ShowOneSignatureRights && a.strNDS == b.strNDS &&
           a.strBezNDS == b.strBezNDS && a.strNDSRus == b.strNDSRus &&
           a.strBezNDSRus == b.strBezNDSRus && a.BlankLang == b.BlankLang &&
           a.DateLang == b.DateLang && a.SumaLang == b.SumaLang && a.BlankKind == b.BlankKind;
}

// Whether a typed read took a value rather than refusing the stored one.
template <class Read> bool Reads(Read read) {
    try {
        read();
        return true;
    } catch (const TRegistryError&) {
        return false;
    }
}

void CheckTypedReads(const std::string& name, std::string_view file) {
    const auto stored = TRegistryText(file).Value(KeyPath, name);
    TMyRegistry reg;

    constexpr std::int32_t Untouched = 0x5A5A5A5A;
    std::int32_t number = Untouched;
    const bool numberRead = Reads([&] { reg.ReadInteger(name, number); });
    if (!stored) {
        Check(numberRead && number == Untouched, "an absent number changed the variable", name);
    } else if (stored->Type == RegDword && stored->Data.size() <= 4) {
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < stored->Data.size(); ++i)
            bits |= std::uint32_t(static_cast<unsigned char>(stored->Data[i])) << (8 * i);
        Check(numberRead && number == static_cast<std::int32_t>(bits),
              "a number reads other than stored", stored->Data);
    } else {
        Check(!numberRead, "a value that is no number read as one", stored->Data);
    }

    const std::string untouched = "untouched";
    std::string text = untouched;
    const bool textRead = Reads([&] { reg.ReadString(name, text); });
    if (!stored) {
        Check(textRead && text == untouched, "an absent string changed the variable", name);
    } else if (stored->Data.empty()) {
        Check(textRead && text.empty(), "an empty value read as a text", name);
    } else if (stored->Type == RegSz || stored->Type == RegExpandSz) {
        Check(textRead && text == stored->Data.substr(0, stored->Data.find('\0')),
              "a string reads other than stored", stored->Data);
    } else {
        Check(!textRead, "a value that is no string read as one", stored->Data);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::SilenceMessageBoxes();
    if (size < 2)
        return 0;
    const std::string file = SettingsFile();
    SetRegistryFilePath(file);
    std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string fuzzedName(rest.substr(0, data[1]));
    rest.remove_prefix(fuzzedName.size());
    const std::string name = (data[0] & 1) ? fuzzedName : Names[(data[0] >> 1) % std::size(Names)];
    Store(file, rest);

    CheckTypedReads(name, rest);

    // Whatever a value holds, Load takes the rest and the default for it, and what it took
    // saves and loads back the same.
    TOptions loaded;
    try {
        loaded.Load();
    } catch (const TRegistryError&) {
        fuzz::Fail("a stored value stopped the settings from loading");
    }
    loaded.Save();
    TOptions again;
    again.Load();
    Check(SameOptions(loaded, again), "saved options load back different");

    const bool writable = name.find_first_of(std::string_view("\r\n\0", 3)) == std::string::npos;
    TMyRegistry reg;
    const auto number = static_cast<std::int32_t>(std::uint32_t(size) * 2654435761u);
    const std::string text = (data[0] & 2) ? fuzzedName : std::string("value");
    try {
        if (data[0] & 4) {
            reg.WriteInteger(name, number);
            std::int32_t back = 0;
            reg.ReadInteger(name, back);
            Check(back == number, "a written number reads back different", name);
        } else {
            reg.WriteString(name, text);
            std::string back;
            reg.ReadString(name, back);
            Check(back == text.substr(0, text.find('\0')), "a written string reads back different",
                  text);
        }
        Check(writable, "a value written under a name that cannot be written", name);
    } catch (const TRegistryError&) {
        Check(!writable, "a value refused under a name that can be written", name);
    }
    return 0;
}
