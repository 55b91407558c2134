#pragma once
// What a change of each of the order's fields does in the main window, and what a key typed
// into it may put there. The fields themselves are described by the field table of the order
// (doc/Fields.h).

#include "doc/Fields.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace editor {

using order::FieldCount;
using order::Fields;
using order::Info;
using order::TField;
using order::TFieldInfo;
using order::TKeyRule;

// The character that a typed one (Backspace as '\b') puts into a field under `rule`, 0 when
// the key is refused; `currentLength` is the field's length in characters before the key.
char16_t TypedChar(TKeyRule rule, char16_t c, std::size_t currentLength);
// What a character that reaches a field otherwise (pasted, dropped, set) becomes under
// `rule`, 0 when it is dropped.
char32_t EnteredChar(TKeyRule rule, char32_t c);

// What a change of a field does, step by step, in the order the change handler runs them.
// The Update steps assign derived fields, whose own handlers then run in turn: that is the
// cascade (RecipientName → RecipientFileName → PlatFileName → PlatModified).
enum class TStep : std::uint8_t {
    None,
    UpdatePlatFileName,
    UpdatePayerFileName,
    UpdateRecipientFileName,
    UpdateDateWords,
    UpdateSumaWords,
    UpdateNDSAmount,
    FillPayerMFO,     // an empty MFO takes the bank code of a valid Ukrainian IBAN
    FillRecipientMFO, // the same for the recipient
    // An empty bank's name takes the name of the bank of a valid Ukrainian IBAN, when the
    // table of banks knows its code.
    FillPayerBank,
    FillRecipientBank,
    SetPlatModified,
    SetPayerModified,
    SetRecipientModified,
    SetPurposeModified,
    // A tax payment takes no VAT wording: the treasury reads its purpose by its separators.
    PresetVat,
    UpdateSaveButtons,
};

struct THandler {
    std::string_view Name; // the change handler of the field's control
    std::array<TStep, 5> Steps;
};

// Indexed by TField. PayerFileName, DateWords and NDSAmount have no handler.
inline constexpr std::array<THandler, FieldCount> Handlers = [] {
    using enum TStep;
    std::array<THandler, FieldCount> h{};
    auto set = [&h](TField f, std::string_view name, std::array<TStep, 5> steps) {
        h[static_cast<std::size_t>(f)] = {name, steps};
    };
    set(TField::PayerName, "Edit2Change",
        {UpdatePayerFileName, SetPayerModified, UpdateSaveButtons});
    set(TField::PayerAccount, "Edit7Change",
        {SetPayerModified, UpdatePayerFileName, FillPayerMFO, FillPayerBank, UpdateSaveButtons});
    set(TField::PayerBank, "Edit3Change", {SetPayerModified, UpdateSaveButtons});
    set(TField::PayerBank2, "Edit4Change", {SetPayerModified, UpdateSaveButtons});
    set(TField::PayerOKPO, "Edit5Change", {SetPayerModified, UpdateSaveButtons});
    set(TField::PayerMFO, "Edit6Change", {SetPayerModified, UpdateSaveButtons});
    set(TField::PayerCity, "Edit23Change", {SetPayerModified, UpdateSaveButtons});
    set(TField::RecipientName, "Edit9Change",
        {UpdateRecipientFileName, SetRecipientModified, UpdateSaveButtons});
    set(TField::RecipientBank, "Edit10Change", {SetRecipientModified, UpdateSaveButtons});
    set(TField::RecipientBank2, "Edit11Change", {SetRecipientModified, UpdateSaveButtons});
    set(TField::RecipientOKPO, "Edit12Change", {SetRecipientModified, UpdateSaveButtons});
    set(TField::RecipientMFO, "Edit13Change", {SetRecipientModified, UpdateSaveButtons});
    set(TField::RecipientAccount, "Edit14Change",
        {SetRecipientModified, FillRecipientMFO, FillRecipientBank, PresetVat, UpdateSaveButtons});
    set(TField::RecipientCity, "Edit24Change", {SetRecipientModified, UpdateSaveButtons});
    set(TField::RecipientFileName, "Edit8Change", {UpdatePlatFileName});
    set(TField::Number, "Edit15Change", {SetPlatModified, UpdatePlatFileName, UpdateSaveButtons});
    set(TField::Date, "Edit21Change",
        {UpdateDateWords, SetPlatModified, UpdatePlatFileName, UpdateSaveButtons});
    set(TField::SumaGrn, "Edit16Change",
        {UpdateSumaWords, UpdateNDSAmount, SetPlatModified, UpdateSaveButtons});
    set(TField::SumaKop, "Edit17Change",
        {UpdateSumaWords, UpdateNDSAmount, SetPlatModified, UpdateSaveButtons});
    set(TField::SumaWords, "Edit18Change", {SetPlatModified, UpdateSaveButtons});
    set(TField::PlatFileName, "Edit19Change", {SetPlatModified, UpdateSaveButtons});
    set(TField::Purpose, "Edit20Change",
        {SetPlatModified, SetPurposeModified, PresetVat, UpdateSaveButtons});
    set(TField::NDSChoice, "ComboBox1Change", {SetPlatModified, UpdateSaveButtons});
    return h;
}();

} // namespace editor
