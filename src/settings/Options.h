#pragma once
// The user's preferences for the printed blank, kept in the registry key of TMyRegistry.
// One object lives as long as the main window; the settings dialog reloads and stores it,
// and the output command reads its fields each time it builds a document.

#include <cstdint>
#include <string>

class TOptions {
public:
    // Starts from the defaults; Load is the owner's separate step.
    TOptions();

    // The field names are the names of the registry values that hold them.
    bool BoldPlatName;
    bool BoldPolName;
    bool fNDS;
    bool fBezNDS;
    bool ShowCopyNumber;
    bool ShowOneSignatureRights;
    std::string strNDS; // "[NDS]" marks the place of the VAT amount
    std::string strBezNDS;
    std::string strNDSRus;
    std::string strBezNDSRus;
    std::int32_t BlankLang; // 0 Ukrainian, 1 Russian
    std::int32_t DateLang;  // -1 as the blank, 0 Ukrainian, 1 Russian
    std::int32_t SumaLang;  // -1 as the blank, 0 Ukrainian, 1 Russian
    // Which blank is printed: 0 the payment order of form 0410001, 1 the payment instruction.
    // Stored after the other thirteen, so that a settings file without it keeps the first.
    std::int32_t BlankKind;

    void SetDefaults();
    // Reads every stored value over its field; absent values leave their field alone, and
    // so does a settings file that cannot be read at all (the registry says why, once). A
    // value of the wrong type throws TRegistryError, and the fields after it in the fixed
    // order keep what they held.
    void Load();
    // Writes all fourteen fields, creating the key when needed; stops at the first value
    // the registry refuses (TRegistryError), leaving the values after it unwritten.
    void Save();
};
