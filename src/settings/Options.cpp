#include "settings/Options.h"

#include "platform/Cp1251Literal.h"
#include "platform/MessageBoxes.h"
#include "platform/Translate.h"
#include "settings/RegClass.h"

#include <optional>
#include <utility>
#include <variant>
#include <vector>

using blank::TBlankKind;
using blank::TLang;
using blank::TLangChoice;

namespace {

template <class T> struct TField {
    T TOptions::*Member;
    T Default;
    // A default that the front end sets at the start (the locale's language), read when
    // the defaults are set rather than once with the table.
    const T* DefaultFrom = nullptr;
};

struct TOption {
    const char* Name;
    std::variant<TField<bool>, TField<std::string>, TField<TLang>, TField<TLangChoice>,
                 TField<TBlankKind>>
        Field;
};

// The default wordings; named apart from the table, whose initialiser clang 14 cannot take
// them in.
const char* const DefaultNds = ", в т.ч. ПДВ [NDS] грн."_w;
const char* const DefaultBezNds = ", без ПДВ"_w;
const char* const DefaultNdsRus = ", в т.ч. НДС [NDS] грн."_w;
const char* const DefaultBezNdsRus = ", без НДС"_w;

// Load and Save go through the values in this order: it is the order of the lines in a
// settings file the program made.
const std::vector<TOption>& Table() {
    static const std::vector<TOption> table = {
        {"BoldPlatName", TField<bool>{&TOptions::BoldPlatName, false}},
        {"BoldPolName", TField<bool>{&TOptions::BoldPolName, false}},
        {"fNDS", TField<bool>{&TOptions::fNDS, false}},
        {"fBezNDS", TField<bool>{&TOptions::fBezNDS, false}},
        {"ShowCopyNumber", TField<bool>{&TOptions::ShowCopyNumber, false}},
        {"ShowOneSignatureRights", TField<bool>{&TOptions::ShowOneSignatureRights, false}},
        {"BlankLang", TField<TLang>{&TOptions::BlankLang, TLang::Ukrainian}},
        {"DateLang", TField<TLangChoice>{&TOptions::DateLang, TLangChoice::AsBlank}},
        {"SumaLang", TField<TLangChoice>{&TOptions::SumaLang, TLangChoice::AsBlank}},
        {"strNDS", TField<std::string>{&TOptions::strNDS, DefaultNds}},
        {"strBezNDS", TField<std::string>{&TOptions::strBezNDS, DefaultBezNds}},
        {"strNDSRus", TField<std::string>{&TOptions::strNDSRus, DefaultNdsRus}},
        {"strBezNDSRus", TField<std::string>{&TOptions::strBezNDSRus, DefaultBezNdsRus}},
        {"BlankKind", TField<TBlankKind>{&TOptions::BlankKind, TBlankKind::PaymentInstruction}},
        {"UiLang", TField<TLang>{&TOptions::UiLang, TLang::Russian, &TOptions::DefaultUiLang}},
        {"OurCompany", TField<std::string>{&TOptions::OurCompany, ""}},
    };
    return table;
}

std::optional<TLang> Decode(std::int32_t code, TLang*) {
    return blank::LangOf(code);
}
std::optional<TLangChoice> Decode(std::int32_t code, TLangChoice*) {
    return blank::LangChoiceOf(code);
}
std::optional<TBlankKind> Decode(std::int32_t code, TBlankKind*) {
    return blank::BlankKindOf(code);
}

// What was wrong with a stored value; the default took its place.
enum class TFinding { None, WrongType, OutOfRange };

TFinding Read(TMyRegistry& reg, const char* name, bool& value) {
    reg.ReadBool(name, value);
    return TFinding::None;
}
TFinding Read(TMyRegistry& reg, const char* name, std::string& value) {
    reg.ReadString(name, value);
    return TFinding::None;
}
template <class E> TFinding Read(TMyRegistry& reg, const char* name, E& value) {
    std::int32_t code = blank::CodeOf(value);
    reg.ReadInteger(name, code);
    const auto decoded = Decode(code, &value);
    if (!decoded)
        return TFinding::OutOfRange; // a settings file edited by hand or damaged
    value = *decoded;
    return TFinding::None;
}

// One message for all the values that were not taken, so that a damaged file is told once.
std::string FindingsMessage(const std::vector<std::pair<std::string, TFinding>>& findings) {
    using platform::Args;
    using platform::Tr;
    std::string values;
    for (std::size_t i = 0; i < findings.size(); ++i) {
        if (i > 0)
            values += ", ";
        values += Args(findings[i].second == TFinding::WrongType
                           ? Tr("Settings", "значение \"%1\" неверного типа")
                           : Tr("Settings", "значение \"%1\" вне допустимых пределов"),
                       {findings[i].first});
    }
    return Args(findings.size() == 1
                    ? Tr("Settings", "В файле настроек %1; взято значение по умолчанию")
                    : Tr("Settings", "В файле настроек %1; взяты значения по умолчанию"),
                {values});
}

void Write(TMyRegistry& reg, const char* name, bool value) {
    reg.WriteBool(name, value);
}
void Write(TMyRegistry& reg, const char* name, const std::string& value) {
    reg.WriteString(name, value);
}
template <class E> void Write(TMyRegistry& reg, const char* name, E value) {
    reg.WriteInteger(name, blank::CodeOf(value));
}

} // namespace

blank::TLang TOptions::DefaultUiLang = blank::TLang::Russian;

TOptions::TOptions() {
    SetDefaults();
}

void TOptions::SetDefaults() {
    for (const TOption& o : Table())
        std::visit(
            [this](const auto& f) { this->*f.Member = f.DefaultFrom ? *f.DefaultFrom : f.Default; },
            o.Field);
}

void TOptions::Load() {
    TMyRegistry reg;
    std::vector<std::pair<std::string, TFinding>> findings;
    for (const TOption& o : Table())
        std::visit(
            [&](const auto& f) {
                TFinding finding = TFinding::None;
                try {
                    finding = Read(reg, o.Name, this->*f.Member);
                } catch (const TRegistryError&) {
                    // Only the value itself can be wrong here: the file's own problems are
                    // the registry's to tell, and read as no key.
                    finding = TFinding::WrongType;
                }
                if (finding != TFinding::None) {
                    this->*f.Member = f.Default;
                    findings.emplace_back(o.Name, finding);
                }
            },
            o.Field);
    if (!findings.empty())
        platform::ShowError(FindingsMessage(findings));
}

void TOptions::Save() {
    TMyRegistry reg;
    reg.Begin();
    for (const TOption& o : Table())
        std::visit([&](const auto& f) { Write(reg, o.Name, this->*f.Member); }, o.Field);
    reg.Commit();
}
