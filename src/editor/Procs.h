#pragma once
// The small shared routines of the main editor: the rules by which the window derives its
// fields (file names, amount, VAT) and the composition of the output command. They are
// plain functions so that the window and the command-line renderer run the very same
// code, and tests run it without widgets.

#include "doc/PlatRTFDoc.h"
#include "platform/Cp1251Literal.h"
#include "platform/Translate.h"
#include "store/DataFiles.h"
#include "store/FileList.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

// Removes the ten characters that no file name may hold: ! " * / : < > ? \ |
using store::StripFileNameChars;

// PayerFileName: the payer's name, with " (р/с " account ")" when there is an account,
// stripped of the forbidden characters.
std::string PayerFileNameFor(std::string_view payerName, std::string_view payerAccount);

// PlatFileName: "№ " + number padded to four digits + " от " + date
// (+ " - " + recipient file name); empty when there is no number.
std::string PlatFileNameFor(std::string_view number, std::string_view date,
                            std::string_view recipientFileName);

// The amount text: hryvnias, the locale's separator, kopecks (one kopeck digit gets a "0"
// in front, so "5" means 0,05).
std::string AmountText(std::string_view sumaGrn, std::string_view sumaKop, char decimalSeparator);

// The value of an amount text: blanks at either end ignored, an optional sign, digits on
// either side of the one separator, either run possibly empty. Nothing when the text is not
// such a number or lies beyond the range of a double.
std::optional<double> AmountValue(std::string_view amountText, char decimalSeparator);

// The text of SumaWords for the two amount fields, in `lang` (the blank's language of the
// amount in words, AmountLanguage of the options); empty when either field
// is not a whole number, both are empty, or the amount is not a valid non-negative amount.
std::string SumaWordsFor(std::string_view sumaGrn, std::string_view sumaKop, char decimalSeparator,
                         blank::TLang lang = blank::TLang::Russian);

// The text of NDSAmount: the VAT contained in the amount (a sixth), "0.00" with the locale's
// separator; empty when both fields are empty or the amount is not valid.
std::string NDSAmountFor(std::string_view sumaGrn, std::string_view sumaKop, char decimalSeparator);

// A sixth of `amount`, as the VAT is computed: the quotient in extended precision, rounded
// to 18 significant digits, then to two decimals (5 or more in the third rounds up).
// Empty for an infinity or NaN.
std::string FormatVat(double amount, char decimalSeparator);

// The order number as the output command accepts it: decimal digits only, 0..2147483647.
std::optional<std::int32_t> OrderNumberValue(std::string_view number);

// The text with its first "[NDS]" replaced by `ndsAmount`.
std::string SubstituteNDS(std::string_view text, std::string_view ndsAmount);

// The amount of the two fields in kopecks, as the output command takes it: a valid amount
// text, not negative, below 2^46 hryvnias and of whole kopecks; nothing otherwise.
std::optional<std::int64_t> AmountKopecks(std::string_view sumaGrn, std::string_view sumaKop,
                                          char decimalSeparator);

// The output command's composition, shared by the window and the command-line renderer.

class TOptions;

// Which VAT wordings an order's purpose is printed with: the one of an amount that includes
// VAT, the one of an amount without it, both, or none. Stored with the order as its digit.
enum class TVatChoice : std::uint8_t { None = 0, Included = 1, Without = 2, Both = 3 };
// The stored digit read back; an order stored before the choice was kept (no digit) takes
// what the settings' two VAT flags say.
TVatChoice VatChoiceOf(std::string_view code, const TOptions& options);
std::string VatChoiceCode(TVatChoice choice);
// The choices as the window lists them (Windows-1251; translated with the context "Vat").
struct TVatChoiceInfo {
    TVatChoice Choice;
    const char* Caption;
};
inline constexpr TVatChoiceInfo VatChoices[] = {
    {TVatChoice::Included, TR_NOOP_W("Vat", "В т.ч. НДС")},
    {TVatChoice::Without, TR_NOOP_W("Vat", "Без НДС")},
    {TVatChoice::None, TR_NOOP_W("Vat", "НДС не указывать")},
    {TVatChoice::Both, TR_NOOP_W("Vat", "В т.ч. НДС и без НДС")},
};

// The bank code of the State Treasury, whose accounts take the taxes.
inline constexpr std::string_view TreasuryBankCode = "899998";
// A payment of a tax: a purpose in the treasury's form ("*;101;…") or an account of the
// treasury. Nothing is appended to its purpose.
bool IsTaxPayment(std::string_view purpose, std::string_view recipientAccount);

// What the output command refuses an order for (number, date, amount, in this order): the
// message it shows; nothing for an order it prints. Saving refuses the same.
std::optional<std::string> OrderRefusal(const store::TPlatRecord& order, char decimalSeparator,
                                        std::chrono::year currentYear);

// Checks the order as the output command does (number, date, amount, in this order) and
// fills the record for the blank: the languages and display flags of `options`, the fields
// of the order, the purpose followed by the VAT wordings the order's choice names (none for a
// tax payment). Returns the message of the first failed check instead.
std::variant<std::string, TPlatData> ComposePlatData(const store::TPlatRecord& order,
                                                     const TOptions& options, char decimalSeparator,
                                                     std::chrono::year currentYear);

// The purpose as printed: the purpose, then the VAT-included and the without-VAT wordings
// of the amount's language that `choice` names, "[NDS]" replaced by `ndsAmount`.
std::string ComposePurpose(const std::string& purpose, const TOptions& options, TVatChoice choice,
                           const std::string& ndsAmount);

// What the user is told when no application opened the document written at `documentPath`.
std::string NoViewerMessage(const std::filesystem::path& documentPath);
