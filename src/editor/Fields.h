#pragma once
// The 25 fields of one payment order as the main window holds them, and the tables that say
// what each field is: its control, whether the user types it or the window derives it, which
// characters its key handler lets through, and where it is stored. The window, the order
// file and the tests are all driven by these tables, so a field is described once.

#include "store/DataFiles.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace editor {

enum class TField : std::uint8_t {
    Number,
    Date,
    DateWords,
    PlatFileName,
    PayerFileName,
    PayerName,
    PayerBank,
    PayerBank2,
    PayerCity,
    PayerOKPO,
    PayerMFO,
    PayerAccount,
    RecipientFileName,
    RecipientName,
    RecipientBank,
    RecipientBank2,
    RecipientCity,
    RecipientOKPO,
    RecipientMFO,
    RecipientAccount,
    SumaGrn,
    SumaKop,
    SumaWords,
    NDSAmount,
    Purpose,
};
inline constexpr std::size_t FieldCount = 25;

// The characters a typed key may put into a field (the key handlers Edit15KeyPress and so on).
enum class TKeyRule : std::uint8_t {
    Any,    // any character the code page has
    Digits, // "0" to "9" and Backspace
    // "/", "0" to "9", Backspace, and the Latin letters of an IBAN, typed as capitals; a
    // pasted account loses its blanks (an IBAN is printed in groups of four)
    Account,
    Kopecks, // Backspace always, otherwise "0" to "9" while the field holds fewer than two
};

struct TFieldInfo {
    TField Field;
    std::string_view Name;    // as the order's vocabulary names it
    std::string_view Control; // the main window's edit control
    bool Derived;             // read-only, computed by the window
    TKeyRule Keys;
};

// In the order of the window's description; the input fields in this order are also the
// order in which Tab visits them.
inline constexpr std::array<TFieldInfo, FieldCount> Fields = {{
    {TField::Number, "Number", "Edit15", false, TKeyRule::Digits},
    {TField::Date, "Date", "Edit21", false, TKeyRule::Any},
    {TField::DateWords, "DateWords", "Edit22", true, TKeyRule::Any},
    {TField::PlatFileName, "PlatFileName", "Edit19", true, TKeyRule::Any},
    {TField::PayerFileName, "PayerFileName", "Edit1", true, TKeyRule::Any},
    {TField::PayerName, "PayerName", "Edit2", false, TKeyRule::Any},
    {TField::PayerBank, "PayerBank", "Edit3", false, TKeyRule::Any},
    {TField::PayerBank2, "PayerBank2", "Edit4", false, TKeyRule::Any},
    {TField::PayerCity, "PayerCity", "Edit23", false, TKeyRule::Any},
    {TField::PayerOKPO, "PayerOKPO", "Edit5", false, TKeyRule::Digits},
    {TField::PayerMFO, "PayerMFO", "Edit6", false, TKeyRule::Digits},
    {TField::PayerAccount, "PayerAccount", "Edit7", false, TKeyRule::Account},
    {TField::RecipientFileName, "RecipientFileName", "Edit8", true, TKeyRule::Any},
    {TField::RecipientName, "RecipientName", "Edit9", false, TKeyRule::Any},
    {TField::RecipientBank, "RecipientBank", "Edit10", false, TKeyRule::Any},
    {TField::RecipientBank2, "RecipientBank2", "Edit11", false, TKeyRule::Any},
    {TField::RecipientCity, "RecipientCity", "Edit24", false, TKeyRule::Any},
    {TField::RecipientOKPO, "RecipientOKPO", "Edit12", false, TKeyRule::Digits},
    {TField::RecipientMFO, "RecipientMFO", "Edit13", false, TKeyRule::Digits},
    {TField::RecipientAccount, "RecipientAccount", "Edit14", false, TKeyRule::Account},
    {TField::SumaGrn, "SumaGrn", "Edit16", false, TKeyRule::Digits},
    {TField::SumaKop, "SumaKop", "Edit17", false, TKeyRule::Kopecks},
    {TField::SumaWords, "SumaWords", "Edit18", true, TKeyRule::Any},
    {TField::NDSAmount, "NDSAmount", "Edit25", true, TKeyRule::Any},
    {TField::Purpose, "Purpose", "Edit20", false, TKeyRule::Any},
}};

constexpr const TFieldInfo& Info(TField field) {
    return Fields[static_cast<std::size_t>(field)];
}

// The character that a typed one (Backspace as '\b') puts into a field under `rule`, 0 when
// the key is refused; `currentLength` is the field's length in characters before the key.
char16_t TypedChar(TKeyRule rule, char16_t c, std::size_t currentLength);
inline bool KeyAllowed(TKeyRule rule, char16_t c, std::size_t currentLength) {
    return TypedChar(rule, c, currentLength) != 0;
}
// What a character that reaches a field otherwise (pasted, dropped, set) becomes under
// `rule`, 0 when it is dropped.
char32_t EnteredChar(TKeyRule rule, char32_t c);

// Where the stored fields stand in the order file: its lines 2 to 20, in this order.
struct TRecordField {
    TField Field;
    std::string store::TPlatRecord::*Member;
};
inline constexpr std::array<TRecordField, 19> RecordFields = {{
    {TField::Number, &store::TPlatRecord::Number},
    {TField::Date, &store::TPlatRecord::Date},
    {TField::PayerName, &store::TPlatRecord::PayerName},
    {TField::PayerBank, &store::TPlatRecord::PayerBank},
    {TField::PayerBank2, &store::TPlatRecord::PayerBank2},
    {TField::PayerOKPO, &store::TPlatRecord::PayerOKPO},
    {TField::PayerMFO, &store::TPlatRecord::PayerMFO},
    {TField::PayerAccount, &store::TPlatRecord::PayerAccount},
    {TField::RecipientName, &store::TPlatRecord::RecipientName},
    {TField::RecipientBank, &store::TPlatRecord::RecipientBank},
    {TField::RecipientBank2, &store::TPlatRecord::RecipientBank2},
    {TField::RecipientOKPO, &store::TPlatRecord::RecipientOKPO},
    {TField::RecipientMFO, &store::TPlatRecord::RecipientMFO},
    {TField::RecipientAccount, &store::TPlatRecord::RecipientAccount},
    {TField::SumaGrn, &store::TPlatRecord::SumaGrn},
    {TField::SumaKop, &store::TPlatRecord::SumaKop},
    {TField::Purpose, &store::TPlatRecord::Purpose},
    {TField::PayerCity, &store::TPlatRecord::PayerCity},
    {TField::RecipientCity, &store::TPlatRecord::RecipientCity},
}};

// One party's seven fields in the order of its requisites file.
struct TPartyField {
    std::string store::TRequisites::*Member;
    TField Payer;
    TField Recipient;
};
inline constexpr std::array<TPartyField, 7> PartyFields = {{
    {&store::TRequisites::Name, TField::PayerName, TField::RecipientName},
    {&store::TRequisites::Bank, TField::PayerBank, TField::RecipientBank},
    {&store::TRequisites::Bank2, TField::PayerBank2, TField::RecipientBank2},
    {&store::TRequisites::OKPO, TField::PayerOKPO, TField::RecipientOKPO},
    {&store::TRequisites::MFO, TField::PayerMFO, TField::RecipientMFO},
    {&store::TRequisites::Account, TField::PayerAccount, TField::RecipientAccount},
    {&store::TRequisites::City, TField::PayerCity, TField::RecipientCity},
}};

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
    SetPlatModified,
    SetPayerModified,
    SetRecipientModified,
    SetPurposeModified,
    UpdateSaveButtons,
};

struct THandler {
    std::string_view Name; // the change handler of the field's control
    std::array<TStep, 4> Steps;
};

// Indexed by TField. PayerFileName, DateWords and NDSAmount have no handler.
inline constexpr std::array<THandler, FieldCount> Handlers = [] {
    using enum TStep;
    std::array<THandler, FieldCount> h{};
    auto set = [&h](TField f, std::string_view name, std::array<TStep, 4> steps) {
        h[static_cast<std::size_t>(f)] = {name, steps};
    };
    set(TField::PayerName, "Edit2Change",
        {UpdatePayerFileName, SetPayerModified, UpdateSaveButtons});
    set(TField::PayerAccount, "Edit7Change",
        {SetPayerModified, UpdatePayerFileName, FillPayerMFO, UpdateSaveButtons});
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
        {SetRecipientModified, FillRecipientMFO, UpdateSaveButtons});
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
    set(TField::Purpose, "Edit20Change", {SetPlatModified, SetPurposeModified, UpdateSaveButtons});
    return h;
}();

} // namespace editor
