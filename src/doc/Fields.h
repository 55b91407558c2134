#pragma once
// The fields of one payment order and everything each of them is: its control in the main
// window and its caption there, whether the user types it or the window derives it, which
// characters a typed key may put into it, its line in the order file, its place in a party's
// requisites file, its name in the question before printing and whether the blank may break
// it across lines. The window, the data files, the record handed to the printer and the
// layout of the blank all read this one table, so a field is described once: a new field of
// the order is a row here and a cell of the layout.

#include "platform/Cp1251Literal.h"
#include "platform/Translate.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace order {

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
    NDSChoice,
    Purpose,
};
inline constexpr std::size_t FieldCount = 26;

// The characters a typed key may put into a field (the key handlers Edit15KeyPress and so on).
enum class TKeyRule : std::uint8_t {
    Any,    // any character the code page has
    Digits, // "0" to "9" and Backspace
    // "/", "0" to "9", Backspace, and the Latin letters of an IBAN, typed as capitals; a
    // pasted account loses its blanks (an IBAN is printed in groups of four)
    Account,
    Kopecks, // Backspace always, otherwise "0" to "9" while the field holds fewer than two
    // "0" to "9", Backspace and the Cyrillic capitals of a passport's series (small letters
    // typed as capitals): a person without an РНОКПП is known by the passport
    TaxCode,
    Choice, // not typed: one of a list
};

enum class TParty : std::uint8_t { None, Payer, Recipient };

// A party's requisites in the order of its file (".rpl" for the payer, ".rpo" for the
// recipient): line 1 is the name, and so on.
enum class TSlot : std::uint8_t { Name, Bank, Bank2, OKPO, MFO, Account, City };
inline constexpr std::size_t SlotCount = 7;

// How an order file keeps a field.
enum class TStored : std::uint8_t {
    No,     // derived again when the order is loaded
    Dashed, // an empty field is written as "-", and "-" reads back as empty
    AsIs,   // written and read as it stands (the date)
};

// Whether the question before printing names the field when it is empty.
enum class TEssential : std::uint8_t { No, Always, PaymentOrder /* the blank with bank codes */ };

struct TFieldInfo {
    TField Field;
    std::string_view Name;    // as the order's vocabulary names it
    std::string_view Control; // the main window's edit control
    bool Derived;             // read-only, computed by the window
    TKeyRule Keys;
    const char* Caption; // the window's label in front of the field; "" for none
    TStored Stored;
    int PltLine; // its line in the order file (line 1 is the version); 0 when not stored
    TParty Party;
    TSlot Slot; // with Party: its line in the party's file, less one
    // What the question before printing calls it; nullptr when the blank does not print it.
    const char* PrintName;
    // An amount, a code or an account: breaking it across lines is as bad as cutting it.
    bool Unbroken;
    TEssential Essential = TEssential::No;
};

// clang-format off
// In the order of the window's description; the input fields in this order are also the
// order in which Tab visits them. The cities came to the order file later than the rest and
// so stand after the purpose there, and the VAT choice after them: a program that reads only
// twenty lines still reads every order.
inline constexpr std::array<TFieldInfo, FieldCount> Fields = {{
    {TField::Number, "Number", "Edit15", false, TKeyRule::Digits, TR_NOOP_W("Fields", "Номер"),
     TStored::Dashed, 2, TParty::None, TSlot::Name, TR_NOOP_W("Fields", "Номер платежки"), false},
    {TField::Date, "Date", "Edit21", false, TKeyRule::Any, TR_NOOP_W("Fields", "Дата"),
     TStored::AsIs, 3, TParty::None, TSlot::Name, nullptr, false},
    {TField::DateWords, "DateWords", "Edit22", true, TKeyRule::Any, ""_w,
     TStored::No, 0, TParty::None, TSlot::Name, nullptr, false},
    {TField::PlatFileName, "PlatFileName", "Edit19", true, TKeyRule::Any, TR_NOOP_W("Fields", "Имя файла"),
     TStored::No, 0, TParty::None, TSlot::Name, nullptr, false},
    {TField::PayerFileName, "PayerFileName", "Edit1", true, TKeyRule::Any, TR_NOOP_W("Fields", "Имя файла"),
     TStored::No, 0, TParty::None, TSlot::Name, nullptr, false},
    {TField::PayerName, "PayerName", "Edit2", false, TKeyRule::Any, TR_NOOP_W("Fields", "Наименование"),
     TStored::Dashed, 4, TParty::Payer, TSlot::Name, TR_NOOP_W("Fields", "Наименование плательщика"), false,
     TEssential::Always},
    {TField::PayerBank, "PayerBank", "Edit3", false, TKeyRule::Any, TR_NOOP_W("Fields", "Банк"),
     TStored::Dashed, 5, TParty::Payer, TSlot::Bank, TR_NOOP_W("Fields", "Банк плательщика"), false,
     TEssential::PaymentOrder},
    {TField::PayerBank2, "PayerBank2", "Edit4", false, TKeyRule::Any, ""_w,
     TStored::Dashed, 6, TParty::Payer, TSlot::Bank2, TR_NOOP_W("Fields", "Банк плательщика, вторая строка"), false},
    {TField::PayerCity, "PayerCity", "Edit23", false, TKeyRule::Any, TR_NOOP_W("Fields", "в г."),
     TStored::Dashed, 19, TParty::Payer, TSlot::City, TR_NOOP_W("Fields", "Город банка плательщика"), false},
    {TField::PayerOKPO, "PayerOKPO", "Edit5", false, TKeyRule::TaxCode, TR_NOOP_W("Fields", "Код ОКПО"),
     TStored::Dashed, 7, TParty::Payer, TSlot::OKPO, TR_NOOP_W("Fields", "Код ОКПО плательщика"), true,
     TEssential::Always},
    {TField::PayerMFO, "PayerMFO", "Edit6", false, TKeyRule::Digits, TR_NOOP_W("Fields", "МФО"),
     TStored::Dashed, 8, TParty::Payer, TSlot::MFO, TR_NOOP_W("Fields", "МФО плательщика"), true,
     TEssential::PaymentOrder},
    {TField::PayerAccount, "PayerAccount", "Edit7", false, TKeyRule::Account, TR_NOOP_W("Fields", "р/с"),
     TStored::Dashed, 9, TParty::Payer, TSlot::Account, TR_NOOP_W("Fields", "Счёт плательщика"), true,
     TEssential::Always},
    {TField::RecipientFileName, "RecipientFileName", "Edit8", true, TKeyRule::Any, TR_NOOP_W("Fields", "Имя файла"),
     TStored::No, 0, TParty::None, TSlot::Name, nullptr, false},
    {TField::RecipientName, "RecipientName", "Edit9", false, TKeyRule::Any, TR_NOOP_W("Fields", "Наименование"),
     TStored::Dashed, 10, TParty::Recipient, TSlot::Name, TR_NOOP_W("Fields", "Наименование получателя"), false,
     TEssential::Always},
    {TField::RecipientBank, "RecipientBank", "Edit10", false, TKeyRule::Any, TR_NOOP_W("Fields", "Банк"),
     TStored::Dashed, 11, TParty::Recipient, TSlot::Bank, TR_NOOP_W("Fields", "Банк получателя"), false,
     TEssential::PaymentOrder},
    {TField::RecipientBank2, "RecipientBank2", "Edit11", false, TKeyRule::Any, ""_w,
     TStored::Dashed, 12, TParty::Recipient, TSlot::Bank2, TR_NOOP_W("Fields", "Банк получателя, вторая строка"), false},
    {TField::RecipientCity, "RecipientCity", "Edit24", false, TKeyRule::Any, TR_NOOP_W("Fields", "в г."),
     TStored::Dashed, 20, TParty::Recipient, TSlot::City, TR_NOOP_W("Fields", "Город банка получателя"), false},
    {TField::RecipientOKPO, "RecipientOKPO", "Edit12", false, TKeyRule::TaxCode, TR_NOOP_W("Fields", "Код ОКПО"),
     TStored::Dashed, 13, TParty::Recipient, TSlot::OKPO, TR_NOOP_W("Fields", "Код ОКПО получателя"), true,
     TEssential::Always},
    {TField::RecipientMFO, "RecipientMFO", "Edit13", false, TKeyRule::Digits, TR_NOOP_W("Fields", "МФО"),
     TStored::Dashed, 14, TParty::Recipient, TSlot::MFO, TR_NOOP_W("Fields", "МФО получателя"), true,
     TEssential::PaymentOrder},
    {TField::RecipientAccount, "RecipientAccount", "Edit14", false, TKeyRule::Account, TR_NOOP_W("Fields", "р/с"),
     TStored::Dashed, 15, TParty::Recipient, TSlot::Account, TR_NOOP_W("Fields", "Счёт получателя"), true,
     TEssential::Always},
    {TField::SumaGrn, "SumaGrn", "Edit16", false, TKeyRule::Digits, TR_NOOP_W("Fields", "Сумма"),
     TStored::Dashed, 16, TParty::None, TSlot::Name, TR_NOOP_W("Fields", "Сумма цифрами"), true, TEssential::Always},
    {TField::SumaKop, "SumaKop", "Edit17", false, TKeyRule::Kopecks, ""_w,
     TStored::Dashed, 17, TParty::None, TSlot::Name, nullptr, false},
    {TField::SumaWords, "SumaWords", "Edit18", true, TKeyRule::Any, TR_NOOP_W("Fields", "Сумма словами"),
     TStored::No, 0, TParty::None, TSlot::Name, TR_NOOP_W("Fields", "Сумма словами"), false},
    {TField::NDSAmount, "NDSAmount", "Edit25", true, TKeyRule::Any, TR_NOOP_W("Fields", "в т.ч НДС"),
     TStored::No, 0, TParty::None, TSlot::Name, nullptr, false},
    // Which VAT wording the purpose is printed with, kept with the order so that it prints
    // the same whatever the settings say later; a file without the line takes the settings'.
    {TField::NDSChoice, "NDSChoice", "ComboBox1", false, TKeyRule::Choice, ""_w,
     TStored::AsIs, 21, TParty::None, TSlot::Name, nullptr, false},
    {TField::Purpose, "Purpose", "Edit20", false, TKeyRule::Any, TR_NOOP_W("Fields", "Назначение"),
     TStored::Dashed, 18, TParty::None, TSlot::Name, TR_NOOP_W("Fields", "Назначение платежа"), false,
     TEssential::Always},
}};
// clang-format on

constexpr const TFieldInfo& Info(TField field) {
    return Fields[static_cast<std::size_t>(field)];
}

constexpr bool TableInEnumOrder() {
    for (std::size_t i = 0; i < Fields.size(); ++i)
        if (static_cast<std::size_t>(Fields[i].Field) != i)
            return false;
    return true;
}
static_assert(TableInEnumOrder(), "Info() indexes the field table by the enum");

// The field of `party` in `slot`.
constexpr TField PartyField(TParty party, TSlot slot) {
    for (const TFieldInfo& info : Fields)
        if (info.Party == party && info.Slot == slot)
            return info.Field;
    throw "no such field"; // a compile error where it is asked at compile time
}

// The texts of one order, field by field (Windows-1251). An order read from its file has its
// stored fields; the derived ones stay empty until the window computes them.
struct TTexts {
    std::array<std::string, FieldCount> Values;

    std::string& operator[](TField field) { return Values[static_cast<std::size_t>(field)]; }
    const std::string& operator[](TField field) const {
        return Values[static_cast<std::size_t>(field)];
    }
    bool operator==(const TTexts&) const = default;
};

// One party's requisites, slot by slot.
struct TRequisites {
    std::array<std::string, SlotCount> Values;

    std::string& operator[](TSlot slot) { return Values[static_cast<std::size_t>(slot)]; }
    const std::string& operator[](TSlot slot) const {
        return Values[static_cast<std::size_t>(slot)];
    }
    bool operator==(const TRequisites&) const = default;
};

// The requisites of `party` as the order holds them, and the order with them put in.
inline TRequisites RequisitesOf(const TTexts& order, TParty party) {
    TRequisites r;
    for (const TFieldInfo& info : Fields)
        if (info.Party == party)
            r[info.Slot] = order[info.Field];
    return r;
}

} // namespace order
