#pragma once
// What the registry tests say about the key and its values in the file's own terms.

#include <cstdint>
#include <string>

namespace registry_test {

inline const std::string KeyPath = "Software\\Morvane\\Vantrel";
inline const std::string Section = "[HKEY_LOCAL_MACHINE\\Software\\Morvane\\Vantrel]";

// The data of a REG_DWORD: four bytes, the lowest first.
inline std::string Dword(std::uint32_t v) {
    std::string out(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

// The data of a REG_SZ: the text with its terminating zero byte.
inline std::string Sz(const std::string& text) {
    return text + '\0';
}

} // namespace registry_test
