#include "settings/Options.h"

#include "platform/Cp1251Literal.h"
#include "settings/RegClass.h"

TOptions::TOptions() {
    SetDefaults();
}

void TOptions::SetDefaults() {
    BoldPlatName = false;
    BoldPolName = false;
    fNDS = false;
    fBezNDS = false;
    ShowCopyNumber = false;
    ShowOneSignatureRights = false;
    strNDS = ", в т.ч. ПДВ [NDS] грн."_w;
    strBezNDS = ", без ПДВ"_w;
    strNDSRus = ", в т.ч. НДС [NDS] грн."_w;
    strBezNDSRus = ", без НДС"_w;
    BlankLang = 0;
    DateLang = -1;
    SumaLang = -1;
    BlankKind = 0;
}

// Load and Save go through the values in one fixed order; a failure part-way leaves the
// earlier values done and the later ones untouched, and both rely on that order.

void TOptions::Load() {
    TMyRegistry reg;
    reg.ReadBool("BoldPlatName", BoldPlatName);
    reg.ReadBool("BoldPolName", BoldPolName);
    reg.ReadBool("fNDS", fNDS);
    reg.ReadBool("fBezNDS", fBezNDS);
    reg.ReadBool("ShowCopyNumber", ShowCopyNumber);
    reg.ReadBool("ShowOneSignatureRights", ShowOneSignatureRights);
    reg.ReadInteger("BlankLang", BlankLang);
    reg.ReadInteger("DateLang", DateLang);
    reg.ReadInteger("SumaLang", SumaLang);
    reg.ReadString("strNDS", strNDS);
    reg.ReadString("strBezNDS", strBezNDS);
    reg.ReadString("strNDSRus", strNDSRus);
    reg.ReadString("strBezNDSRus", strBezNDSRus);
    reg.ReadInteger("BlankKind", BlankKind);
}

void TOptions::Save() {
    TMyRegistry reg;
    reg.WriteBool("BoldPlatName", BoldPlatName);
    reg.WriteBool("BoldPolName", BoldPolName);
    reg.WriteBool("fNDS", fNDS);
    reg.WriteBool("fBezNDS", fBezNDS);
    reg.WriteBool("ShowCopyNumber", ShowCopyNumber);
    reg.WriteBool("ShowOneSignatureRights", ShowOneSignatureRights);
    reg.WriteInteger("BlankLang", BlankLang);
    reg.WriteInteger("DateLang", DateLang);
    reg.WriteInteger("SumaLang", SumaLang);
    reg.WriteString("strNDS", strNDS);
    reg.WriteString("strBezNDS", strBezNDS);
    reg.WriteString("strNDSRus", strNDSRus);
    reg.WriteString("strBezNDSRus", strBezNDSRus);
    reg.WriteInteger("BlankKind", BlankKind);
}
