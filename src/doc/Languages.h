#pragma once
// Which blank is printed and in which languages: the choices the settings store, and the one
// rule by which the blank's labels, the date in words, the amount in words and the VAT
// wording take their language from them. The settings dialog (which wording can be edited),
// the output command (which wording is appended) and the layout (what is printed) all ask
// these functions, so they cannot disagree.

#include <cstdint>
#include <optional>

namespace blank {

// The stored codes are the values of the enumerators.
enum class TBlankKind : std::int32_t {
    PaymentOrder = 0,       // the payment order of form 0410001
    PaymentInstruction = 1, // the payment instruction that has replaced it; always Ukrainian
};

enum class TLang : std::int32_t { Ukrainian = 0, Russian = 1 };

// The date and the amount in words may follow the blank or be chosen on their own.
enum class TLangChoice : std::int32_t { AsBlank = -1, Ukrainian = 0, Russian = 1 };

struct TLanguages {
    TBlankKind Kind = TBlankKind::PaymentOrder;
    TLang Blank = TLang::Ukrainian;
    TLangChoice Date = TLangChoice::AsBlank;
    TLangChoice Suma = TLangChoice::AsBlank;

    bool operator==(const TLanguages&) const = default;
};

// The labels of the blank: the payment instruction has no other language than Ukrainian.
constexpr TLang BlankLanguage(const TLanguages& l) {
    return l.Kind == TBlankKind::PaymentInstruction ? TLang::Ukrainian : l.Blank;
}

constexpr TLang Resolve(TLangChoice choice, const TLanguages& l) {
    switch (choice) {
    case TLangChoice::Ukrainian:
        return TLang::Ukrainian;
    case TLangChoice::Russian:
        return TLang::Russian;
    case TLangChoice::AsBlank:
        break;
    }
    return BlankLanguage(l);
}

constexpr TLang DateLanguage(const TLanguages& l) {
    return Resolve(l.Date, l);
}

constexpr TLang AmountLanguage(const TLanguages& l) {
    return Resolve(l.Suma, l);
}

// The VAT wording appended to the purpose is the one of the amount in words it follows.
constexpr TLang VatLanguage(const TLanguages& l) {
    return AmountLanguage(l);
}

// The stored codes read back; nothing for a code the type has no value for.
constexpr std::optional<TBlankKind> BlankKindOf(std::int32_t code) {
    if (code == 0 || code == 1)
        return static_cast<TBlankKind>(code);
    return std::nullopt;
}

constexpr std::optional<TLang> LangOf(std::int32_t code) {
    if (code == 0 || code == 1)
        return static_cast<TLang>(code);
    return std::nullopt;
}

constexpr std::optional<TLangChoice> LangChoiceOf(std::int32_t code) {
    if (code >= -1 && code <= 1)
        return static_cast<TLangChoice>(code);
    return std::nullopt;
}

constexpr std::int32_t CodeOf(auto value) {
    return static_cast<std::int32_t>(value);
}

} // namespace blank
