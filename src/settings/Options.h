#pragma once
// The user's preferences for the printed blank, kept in the registry key of TMyRegistry.
// One object lives as long as the main window; the settings dialog reloads and stores it,
// and the output command reads its fields each time it builds a document.

#include "doc/Languages.h"

#include <string>

class TOptions {
public:
    // Starts from the defaults; Load is the owner's separate step.
    TOptions();

    // The field names are the names of the registry values that hold them; the languages
    // and the kind are stored as their codes (doc/Languages.h).
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
    blank::TLang BlankLang;
    blank::TLangChoice DateLang;
    blank::TLangChoice SumaLang;
    // Stored after the other thirteen, so that a settings file without it keeps the first.
    blank::TBlankKind BlankKind;
    // Our company: the stored payer (its file's name, Windows-1251) every new order starts
    // with; empty for none.
    std::string OurCompany;
    // The language of the window and of the messages (not of the blank); after the kind.
    blank::TLang UiLang;

    // UiLang when the settings hold none: the front end sets the locale's language here
    // before the first options are made (the core never reads the locale itself).
    static blank::TLang DefaultUiLang;

    blank::TLanguages Languages() const { return {BlankKind, BlankLang, DateLang, SumaLang}; }

    void SetDefaults();
    // Reads the settings file once and every stored value over its field; absent values
    // leave their field alone, and so does a settings file that cannot be read at all (the
    // registry says why, once). A value of the wrong type, or a code that names no language
    // or kind, gives its field the default, and the other values are read all the same; one
    // message (platform::ShowError) names every such value.
    void Load();
    // Writes all the fields in one rewrite of the settings file, creating the key when
    // needed; when the registry refuses (TRegistryError) nothing of it is stored.
    void Save();
};
