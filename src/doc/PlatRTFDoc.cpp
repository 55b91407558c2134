#include "doc/PlatRTFDoc.h"

#include "doc/TextFit.h"
#include "platform/Cp1251Literal.h"
#include "requisites/Requisites.h"
#include "words/BuhProc.h"

#include <array>
#include <optional>
#include <string>
#include <variant>

namespace {

// ---------------------------------------------------------------------------------------
// Fixed design of the blanks

// The payment order's columns A to G, mm: together the 180 mm between the 15 mm margins of
// A4.
const std::vector<double> kColumnWidths{17, 33, 42, 22, 2, 40, 24};
constexpr double kCellGap = 1; // mm

// Exact heights of rows 1 to 21, mm; 0 lets row 15 (the amount in words) grow with its text.
const std::vector<double> kRowHeights{2, 5, 3, 9, 4, 7, 4, 8,  4, 4, 3,
                                      4, 8, 5, 0, 1, 1, 7, 18, 5, 14};

// The payment instruction's columns A to F, mm: the labels, the code and amount boxes, a
// space, the IBAN label, the IBAN box (a whole IBAN on one line at 11 pt) and the rest.
const std::vector<double> kInstructionColumns{40, 30, 4, 10, 70, 26};

// Its rows, every one of an exact height, so that two copies and the cut line always take
// one page: a text too long for its cell is what the question before printing names.
const std::vector<double> kInstructionRowHeights{3.3, 6, 4.2, 4.2, 5.5, 4, 8,  5.7,
                                                 5.5, 4, 8,   2,   5.5, 8, 30, 16};

// Font presets, selected by number (1-based).
struct TPresetFont {
    std::int32_t Size;
    bool Bold;
};
constexpr std::array<TPresetFont, 8> kPresets{{{9, false},
                                               {11, true},
                                               {11, false},
                                               {7, false},
                                               {9, true},
                                               {8, false},
                                               {5, false},
                                               {8, false}}};

const TPresetFont& Preset(std::int32_t preset) {
    return kPresets.at(static_cast<std::size_t>(preset - 1));
}

enum TPreset : std::int32_t {
    pName = 0,   // 5 when the name is to be bold, else 1
    pText = 1,   // labels, names, the amount in words, the purpose, signature lines
    pTitle = 2,  // the title with the order number
    pCode = 3,   // codes, accounts, the amount in digits
    pBold = 5,   // bold names
    pCopy = 6,   // the copy label
    pSpacer = 7, // an empty run that makes a thin spacing line
    pNote = 8,   // the one-signature note and the dated line
};

// An IBAN is set on one line down to this size, and on two lines down to the smallest.
constexpr std::int32_t kIbanLegibleOnOneLine = 8;
constexpr std::int32_t kIbanSmallest = 6;

// Two copies on one A4 sheet, one for the bank and one for the payer.
constexpr std::int32_t kCopies = 2;

// The amount as the words and the digits take it; exact to the kopeck for every amount the
// output command lets through.
double Hryvnias(std::int64_t kopecks) {
    return static_cast<double>(kopecks) / 100;
}

// An RTF document's size before any run sets one: that of the paragraphs before the first.
constexpr std::int32_t kDocumentSize = 12;

// The cut line between two copies: 62 hyphens, spaced so that scissors have room.
constexpr const char* kCutDashes18 = "-  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  -  ";
constexpr const char* kCutDashes8 = "-  -  -  -  -  -  -  -";

// ---------------------------------------------------------------------------------------
// The labels of the blanks: the payment order in its two languages, the payment instruction
// in the state language of payment documents. A label a blank does not print is empty.

struct TLabels {
    const char* CopyLabel = "";
    const char* Title = "";
    const char* BankReceipt = "";
    const char* DateBlank = "";
    const char* Payer = "";
    const char* PayerBank = ""; // the label of the payer's bank or payment-service provider
    const char* BankCode = "";
    const char* Debit = "";
    const char* Amount = "";
    const char* CityPrefix = "";
    const char* Recipient = "";
    const char* Credit = "";
    const char* RecipientBank = "";
    const char* AmountInWords = "";
    const char* Purpose = "";
    const char* BankSignature = "";
    const char* Signatures = "";
    const char* Code = "";
    const char* Stamp = "";
    const char* Iban = "";
    const char* Received = "";
    const char* Executed = "";
    const char* OfficerSignature = "";
};

// The date blank's century is "20": this blank is filled in by hand in this century.
const TLabels kUkrainian{
    "Примірник"_w,
    "ПЛАТІЖНЕ ДОРУЧЕННЯ №"_w,
    "Одержано банком"_w,
    "\"____\"________________20__р"_w,
    "Платник  "_w,
    "Банк платника"_w,
    "код банку"_w,
    "ДЕБЕТ рах.№"_w,
    "СУМА"_w,
    "у м. "_w,
    "Отримувач  "_w,
    "КРЕДИТ рах.№"_w,
    "Банк отримувача"_w,
    "Сума (словами)"_w,
    "Призначення платежу"_w,
    "Підпис банку"_w,
    "Підписи"_w,
    "Код"_w,
    "М.П."_w,
};

const TLabels kRussian{
    "Экземпляр"_w,
    "ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №"_w,
    "Получено банком"_w,
    "\"____\"________________20__г"_w,
    "Плательщик  "_w,
    "Банк плательщика"_w,
    "код банка"_w,
    "ДЕБЕТ сч. №"_w,
    "СУММА"_w,
    "в г. "_w,
    "Получатель  "_w,
    "КРЕДИТ сч. №"_w,
    "Банк получателя"_w,
    "Сумма (словами)"_w,
    "Назначение платежа"_w,
    "Подпись банка"_w,
    "Подписи"_w,
    "Код"_w,
    "М.П."_w,
};

// The requisites of a payment instruction, worded as the National Bank's instruction on
// cashless payments words them: the payer's and the recipient's payment-service providers
// instead of banks, codes of ЄДРПОУ or РНОКПП, IBANs, and the provider's own marks.
const TLabels kInstruction{
    .CopyLabel = "Примірник"_w,
    .Title = "ПЛАТІЖНА ІНСТРУКЦІЯ №"_w,
    .DateBlank = "\"____\"________________20__р"_w,
    .Payer = "Платник  "_w,
    .PayerBank = "Надавач платіжних послуг платника"_w,
    .Amount = "Сума"_w,
    .CityPrefix = "у м. "_w,
    .Recipient = "Отримувач  "_w,
    .RecipientBank = "Надавач платіжних послуг отримувача"_w,
    .AmountInWords = "Сума (словами)"_w,
    .Purpose = "Призначення платежу"_w,
    .Signatures = "Підписи платника"_w,
    .Code = "Код за ЄДРПОУ/РНОКПП"_w,
    .Stamp = "М.П. (за наявності)"_w,
    .Iban = "IBAN",
    .Received = "Дата надходження  "_w,
    .Executed = "Дата виконання  "_w,
    .OfficerSignature = "Підпис відповідального виконавця надавача платіжних послуг"_w,
};

// ---------------------------------------------------------------------------------------
// The layout of one copy as data: one entry per cell, in reading order.

// What a run of the form prints besides the order's fields; resolved against the record,
// the labels and the copy number.
enum class TText {
    CopyLabel,    // only when the copy number is shown
    Title,        // title, order number
    FormCode,     // "0410001"
    OneSignature, // only when the one-signature rights are shown
    DateLine,     // "від " / "от " and the date in words
    BankReceipt,
    Nothing, // an empty run: a spacing line, or an empty box
    DateBlank,
    PayerLabel,
    CodeLabel, // "Код"
    PayerBankLabel,
    BankCodeLabel,
    DebitLabel,
    AmountLabel,
    AmountDigits,
    RecipientLabel,
    CreditLabel,
    RecipientBankLabel,
    AmountInWordsLabel,
    AmountInWords,
    PurposeLabel,
    PassedByBank, // "Проведено банком"
    BankSignatureLabel,
    Stamp, // "М.П."
    SignaturesLabel,
    SignatureGap,  // five spaces and a line to sign on
    SignatureLine, // the second signature's line
    IbanLabel,
    ReceivedLabel, // the provider's marks: the dates it received and executed the payment,
    ExecutedLabel, // the signature of its officer
    OfficerSignatureLabel,
};

// A run prints a text of the form or one of the order's fields.
struct TRun {
    std::int32_t Preset;
    std::variant<TText, order::TField> What;
};
// An empty paragraph has no runs; a cell without paragraphs holds one empty paragraph.
using TParagraph = std::vector<TRun>;

enum class TFrame { None, Box, Rule }; // Rule: the bottom border alone
enum class TVAlign { Mid, Top, Bot };
enum class TPAlign { Lft, Ctr, Rgt };
// Vertical merges: Dn starts a block, Up joins the cell above. On a span the arrow belongs to
// its first column only; DnAll and UpAll give it to every column of the span.
enum class TArrow { No, Dn, Up, DnAll, UpAll };

struct TLayoutCell {
    int Row;
    char First; // columns 'A' to 'G'; First < Last is a span merged horizontally
    char Last;
    TFrame Frame;
    TVAlign V;
    TPAlign P;
    TArrow Arrow;
    std::vector<TParagraph> Contents;
};

using enum TText;
using enum order::TField;
using enum TFrame;
using enum TArrow;
using enum TVAlign;
using enum TPAlign;
const std::vector<TParagraph> Empty;

// clang-format off
const std::vector<TLayoutCell> kCopyLayout{
    // Row 1: the copy label in the top right corner.
    { 1, 'A', 'A', None, Top, Lft, No, Empty},
    { 1, 'B', 'B', None, Top, Lft, No, Empty},
    { 1, 'C', 'C', None, Top, Lft, No, Empty},
    { 1, 'D', 'D', None, Top, Lft, No, Empty},
    { 1, 'E', 'E', None, Top, Lft, No, Empty},
    { 1, 'F', 'F', None, Top, Lft, No, Empty},
    { 1, 'G', 'G', None, Bot, Ctr, No, {{{pCopy, CopyLabel}}}},
    // Row 2: the title and the form code.
    { 2, 'A', 'D', None, Mid, Ctr, No, {{{pTitle, Title}}}},
    { 2, 'E', 'E', None, Mid, Ctr, No, Empty},
    { 2, 'F', 'F', None, Mid, Ctr, No, Empty},
    { 2, 'G', 'G', Box,  Mid, Ctr, No, {{{pText, FormCode}}}},
    // Row 3
    { 3, 'A', 'A', None, Mid, Ctr, No, Empty},
    { 3, 'B', 'B', None, Mid, Ctr, No, Empty},
    { 3, 'C', 'C', None, Mid, Ctr, No, Empty},
    { 3, 'D', 'D', None, Mid, Ctr, No, Empty},
    { 3, 'E', 'E', None, Mid, Ctr, No, Empty},
    { 3, 'F', 'G', None, Mid, Rgt, No, {{{pNote, OneSignature}}}},
    // Row 4: the date; the bank's receipt.
    { 4, 'A', 'D', None, Top, Ctr, No, {{{pNote, DateLine}}}},
    { 4, 'E', 'E', None, Top, Ctr, No, Empty},
    { 4, 'F', 'G', None, Top, Ctr, No, {{{pText, BankReceipt}, {pSpacer, Nothing}}, {}, {{pText, DateBlank}}}},
    // Rows 5 to 8: the payer.
    { 5, 'A', 'F', None, Bot, Lft, No, {{{pText, PayerLabel}, {pName, PayerName}}}},
    { 5, 'G', 'G', None, Bot, Lft, No, Empty},
    { 6, 'A', 'A', None, Mid, Lft, No, {{{pText, CodeLabel}}}},
    { 6, 'B', 'B', Box,  Mid, Ctr, No, {{{pCode, PayerOKPO}}}},
    { 6, 'C', 'C', None, Mid, Ctr, No, Empty},
    { 6, 'D', 'D', None, Mid, Ctr, No, Empty},
    { 6, 'E', 'E', None, Mid, Ctr, No, Empty},
    { 6, 'F', 'F', None, Mid, Ctr, No, Empty},
    { 6, 'G', 'G', None, Mid, Ctr, No, Empty},
    { 7, 'A', 'B', None, Bot, Lft, No, {{{pText, PayerBankLabel}}}},
    { 7, 'C', 'C', None, Bot, Lft, No, Empty},
    { 7, 'D', 'D', None, Bot, Ctr, No, {{{pText, BankCodeLabel}}}},
    { 7, 'E', 'E', None, Bot, Ctr, No, Empty},
    { 7, 'F', 'F', None, Bot, Ctr, No, {{{pText, DebitLabel}}}},
    { 7, 'G', 'G', None, Bot, Ctr, No, {{{pText, AmountLabel}}}},
    { 8, 'A', 'B', Rule, Bot, Lft, No, {{{pText, PayerBank}}, {{pText, PayerBank2}}, {}}},
    { 8, 'C', 'C', Rule, Bot, Lft, No, {{}, {{pText, PayerCity}}}},
    { 8, 'D', 'D', Box,  Mid, Ctr, No, {{{pCode, PayerMFO}}}},
    { 8, 'E', 'E', None, Mid, Ctr, No, Empty},
    { 8, 'F', 'F', Box,  Mid, Ctr, No, {{{pCode, PayerAccount}}}},
    { 8, 'G', 'G', Box,  Top, Ctr, Dn, {{}, {{pCode, AmountDigits}}}},
    // Rows 9 to 13: the recipient; the amount box G runs down to row 13.
    { 9, 'A', 'F', None, Bot, Lft, No, {{{pText, RecipientLabel}, {pName, RecipientName}}}},
    { 9, 'G', 'G', Box,  Bot, Lft, Up, Empty},
    {10, 'A', 'A', None, Mid, Lft, Dn, {{{pText, CodeLabel}}}},
    {10, 'B', 'B', Box,  Mid, Ctr, Dn, {{{pCode, RecipientOKPO}}}},
    {10, 'C', 'C', None, Mid, Ctr, No, Empty},
    {10, 'D', 'D', None, Mid, Ctr, No, Empty},
    {10, 'E', 'E', None, Mid, Ctr, No, Empty},
    {10, 'F', 'F', None, Mid, Ctr, No, {{{pText, CreditLabel}}}},
    {10, 'G', 'G', Box,  Mid, Ctr, Up, Empty},
    {11, 'A', 'A', None, Mid, Ctr, Up, Empty},
    {11, 'B', 'B', Box,  Mid, Ctr, Up, Empty},
    {11, 'C', 'C', None, Mid, Ctr, No, Empty},
    {11, 'D', 'D', None, Mid, Ctr, No, Empty},
    {11, 'E', 'E', None, Mid, Ctr, Dn, Empty},
    {11, 'F', 'F', Box,  Mid, Ctr, Dn, {{{pCode, RecipientAccount}}}},
    {11, 'G', 'G', Box,  Mid, Ctr, Up, Empty},
    {12, 'A', 'B', None, Bot, Lft, No, {{{pText, RecipientBankLabel}}}},
    {12, 'C', 'C', None, Bot, Lft, No, Empty},
    {12, 'D', 'D', None, Bot, Ctr, No, {{{pText, BankCodeLabel}}}},
    {12, 'E', 'E', None, Bot, Ctr, Up, Empty},
    {12, 'F', 'F', Box,  Bot, Ctr, Up, Empty},
    {12, 'G', 'G', Box,  Bot, Ctr, Up, Empty},
    {13, 'A', 'B', Rule, Bot, Lft, No, {{{pText, RecipientBank}}, {{pText, RecipientBank2}}, {}}},
    {13, 'C', 'C', Rule, Bot, Lft, No, {{}, {{pText, RecipientCity}}}},
    {13, 'D', 'D', Box,  Mid, Ctr, No, {{{pCode, RecipientMFO}}}},
    {13, 'E', 'E', None, Mid, Ctr, No, Empty},
    {13, 'F', 'F', Box,  Mid, Ctr, No, {{{pCode, Nothing}}}},
    {13, 'G', 'G', Box,  Top, Ctr, Up, Empty},
    // Rows 14 to 17: the amount in words, then a rule under it.
    {14, 'A', 'B', None, Mid, Lft, No, {{{pText, AmountInWordsLabel}}}},
    {14, 'C', 'C', None, Mid, Lft, No, Empty},
    {14, 'D', 'D', None, Mid, Lft, No, Empty},
    {14, 'E', 'E', None, Mid, Lft, No, Empty},
    {14, 'F', 'F', None, Mid, Lft, No, Empty},
    {14, 'G', 'G', None, Mid, Lft, No, Empty},
    {15, 'A', 'G', None, Mid, Lft, No, {{{pText, AmountInWords}}}},
    {16, 'A', 'A', Rule, Mid, Lft, No, Empty},
    {16, 'B', 'B', Rule, Mid, Lft, No, Empty},
    {16, 'C', 'C', Rule, Mid, Lft, No, Empty},
    {16, 'D', 'D', Rule, Mid, Lft, No, Empty},
    {16, 'E', 'E', Rule, Mid, Lft, No, Empty},
    {16, 'F', 'F', None, Mid, Lft, No, Empty},
    {16, 'G', 'G', None, Mid, Lft, No, Empty},
    {17, 'A', 'A', None, Mid, Lft, No, Empty},
    {17, 'B', 'B', None, Mid, Lft, No, Empty},
    {17, 'C', 'C', None, Mid, Lft, No, Empty},
    {17, 'D', 'D', None, Mid, Lft, No, Empty},
    {17, 'E', 'E', None, Mid, Lft, No, Empty},
    {17, 'F', 'F', None, Mid, Lft, No, Empty},
    {17, 'G', 'G', None, Mid, Lft, No, Empty},
    // Rows 18 and 19: the purpose of payment over columns C to F.
    {18, 'A', 'B', None, Top, Lft, No,    {{{pText, PurposeLabel}}}},
    {18, 'C', 'F', None, Top, Lft, DnAll, {{{pText, Purpose}}}},
    {18, 'G', 'G', Box,  Top, Lft, No,    Empty},
    {19, 'A', 'A', None, Top, Lft, No,    Empty},
    {19, 'B', 'B', None, Top, Lft, No,    Empty},
    {19, 'C', 'F', None, Top, Lft, UpAll, Empty},
    {19, 'G', 'G', None, Top, Lft, No,    Empty},
    // Rows 20 and 21: the signatures and the bank's block.
    {20, 'A', 'A', None, Top, Lft, No, Empty},
    {20, 'B', 'B', None, Top, Lft, No, Empty},
    {20, 'C', 'C', None, Top, Lft, No, Empty},
    {20, 'D', 'D', None, Top, Lft, No, Empty},
    {20, 'E', 'E', None, Top, Lft, No, Empty},
    {20, 'F', 'G', None, Mid, Ctr, Dn, {{{pText, PassedByBank}}, {}, {{pText, DateBlank}}, {},
                                         {{pText, BankSignatureLabel}}}},
    {21, 'A', 'A', None, Mid, Ctr, No, {{{pText, Stamp}}}},
    {21, 'B', 'C', None, Mid, Rgt, No, {{{pText, SignaturesLabel}, {pText, SignatureGap}}, {},
                                         {{pText, SignatureLine}}}},
    {21, 'D', 'D', None, Mid, Rgt, No, Empty},
    {21, 'E', 'E', None, Mid, Rgt, No, Empty},
    {21, 'F', 'G', None, Mid, Rgt, Up, Empty},
};

// Every cell of the payment instruction: the payer and the recipient alike (name; code and
// IBAN; the payment-service provider in two lines and its city), the amount in digits and
// in words, the purpose of at least eight lines, the payer's signatures and the provider's
// marks. No bank codes.
const std::vector<TLayoutCell> kInstructionLayout{
    // Row 1: the one-signature note and the copy label in the top right corner.
    { 1, 'A', 'D', None, Bot, Lft, No, Empty},
    { 1, 'E', 'E', None, Bot, Rgt, No, {{{pNote, OneSignature}}}},
    { 1, 'F', 'F', None, Bot, Ctr, No, {{{pCopy, CopyLabel}}}},
    // Rows 2 and 3: the title with the number, the date of drawing up.
    { 2, 'A', 'F', None, Mid, Ctr, No, {{{pTitle, Title}}}},
    { 3, 'A', 'F', None, Top, Ctr, No, {{{pText, DateLine}}}},
    // Rows 4 to 7: the payer.
    { 4, 'A', 'F', None, Bot, Lft, No, {{{pText, PayerLabel}, {pName, PayerName}}}},
    { 5, 'A', 'A', None, Mid, Lft, No, {{{pText, CodeLabel}}}},
    { 5, 'B', 'B', Box,  Mid, Ctr, No, {{{pCode, PayerOKPO}}}},
    { 5, 'C', 'C', None, Mid, Ctr, No, Empty},
    { 5, 'D', 'D', None, Mid, Ctr, No, {{{pText, IbanLabel}}}},
    { 5, 'E', 'E', Box,  Mid, Ctr, No, {{{pCode, PayerAccount}}}},
    { 5, 'F', 'F', None, Mid, Ctr, No, Empty},
    { 6, 'A', 'F', None, Bot, Lft, No, {{{pText, PayerBankLabel}}}},
    { 7, 'A', 'D', Rule, Bot, Lft, No, {{{pText, PayerBank}}, {{pText, PayerBank2}}}},
    { 7, 'E', 'F', Rule, Bot, Lft, No, {{}, {{pText, PayerCity}}}},
    // Rows 8 to 11: the recipient.
    { 8, 'A', 'F', None, Bot, Lft, No, {{{pText, RecipientLabel}, {pName, RecipientName}}}},
    { 9, 'A', 'A', None, Mid, Lft, No, {{{pText, CodeLabel}}}},
    { 9, 'B', 'B', Box,  Mid, Ctr, No, {{{pCode, RecipientOKPO}}}},
    { 9, 'C', 'C', None, Mid, Ctr, No, Empty},
    { 9, 'D', 'D', None, Mid, Ctr, No, {{{pText, IbanLabel}}}},
    { 9, 'E', 'E', Box,  Mid, Ctr, No, {{{pCode, RecipientAccount}}}},
    { 9, 'F', 'F', None, Mid, Ctr, No, Empty},
    {10, 'A', 'F', None, Bot, Lft, No, {{{pText, RecipientBankLabel}}}},
    {11, 'A', 'D', Rule, Bot, Lft, No, {{{pText, RecipientBank}}, {{pText, RecipientBank2}}}},
    {11, 'E', 'F', Rule, Bot, Lft, No, {{}, {{pText, RecipientCity}}}},
    // Rows 12 to 15: the amount in digits and in words, the purpose.
    {12, 'A', 'F', None, Mid, Lft, No, Empty},
    {13, 'A', 'A', None, Mid, Lft, No, {{{pText, AmountLabel}}}},
    {13, 'B', 'B', Box,  Mid, Ctr, No, {{{pCode, AmountDigits}}}},
    {13, 'C', 'F', None, Mid, Lft, No, Empty},
    {14, 'A', 'A', None, Top, Lft, No, {{{pText, AmountInWordsLabel}}}},
    {14, 'B', 'F', None, Top, Lft, No, {{{pText, AmountInWords}}}},
    {15, 'A', 'A', None, Top, Lft, No, {{{pText, PurposeLabel}}}},
    {15, 'B', 'F', None, Top, Lft, No, {{{pText, Purpose}}}},
    // Row 16: the payer's stamp and signatures; the provider's marks.
    {16, 'A', 'A', None, Mid, Ctr, No, {{{pText, Stamp}}}},
    {16, 'B', 'C', None, Mid, Rgt, No, {{{pText, SignaturesLabel}}, {{pText, SignatureLine}}, {},
                                         {{pText, SignatureLine}}}},
    {16, 'D', 'D', None, Mid, Rgt, No, Empty},
    // Right-aligned, the two date blanks stand one under the other.
    {16, 'E', 'F', Box,  Top, Rgt, No, {{{pText, ReceivedLabel}, {pText, DateBlank}},
                                         {{pText, ExecutedLabel}, {pText, DateBlank}},
                                         {{pText, OfficerSignatureLabel}},
                                         {{pText, SignatureLine}}}},
};
// clang-format on

// One kind of blank: its columns, the heights of its rows and its cells in reading order.
struct TLayout {
    const std::vector<double>& Columns;
    const std::vector<double>& RowHeights;
    const std::vector<TLayoutCell>& Cells;
};

const TLayout kOrder{kColumnWidths, kRowHeights, kCopyLayout};
const TLayout kPaymentInstruction{kInstructionColumns, kInstructionRowHeights, kInstructionLayout};

// The field a text of the form prints, for what the question before printing calls it.
std::optional<order::TField> FieldOf(TText text) {
    switch (text) {
    case Title:
        return Number;
    case AmountDigits:
        return SumaGrn;
    case AmountInWords:
        return SumaWords;
    default:
        return std::nullopt;
    }
}

blank::TBorders BordersOf(TFrame frame) {
    blank::TBorders borders;
    borders.Left = borders.Right = borders.Top = frame == Box;
    borders.Bottom = frame != None;
    return borders;
}

blank::TVAlign VAlignOf(TVAlign v) {
    return v == Top   ? blank::TVAlign::Top
           : v == Bot ? blank::TVAlign::Bottom
                      : blank::TVAlign::Centre;
}

blank::TAlign AlignOf(TPAlign p) {
    return p == Ctr ? blank::TAlign::Centre : p == Rgt ? blank::TAlign::Right : blank::TAlign::Left;
}

blank::TVMerge VMergeOf(TArrow arrow) {
    switch (arrow) {
    case No:
        break;
    case Dn:
    case DnAll:
        return blank::TVMerge::First;
    case Up:
    case UpAll:
        return blank::TVMerge::Joined;
    }
    return blank::TVMerge::None;
}

// "від " and the date in words. The payment instruction's form writes the year as
// "2026 р.", with a blank before the abbreviation; 0410001 keeps "2026р.".
std::string DateLineOf(const TPlatData& data, bool instruction) {
    if (blank::DateLanguage(data.Languages) != blank::TLang::Ukrainian)
        return "от "_w + DateToWordsRus(data.Date);
    std::string words = DateToWordsUkr(data.Date);
    const std::string_view year = "р."_w;
    if (instruction && words.ends_with(year))
        words.insert(words.size() - year.size(), " ");
    return "від "_w + words;
}

// Resolves the layout against the record: the texts, their sizes from the presets, the
// IBANs sized for their boxes.
class TBlankBuilder {
public:
    explicit TBlankBuilder(const TPlatData& data)
        : Data(data), Instruction(data.Languages.Kind == blank::TBlankKind::PaymentInstruction),
          Layout(Instruction ? kPaymentInstruction : kOrder),
          Labels(Instruction                                                       ? kInstruction
                 : blank::BlankLanguage(data.Languages) == blank::TLang::Ukrainian ? kUkrainian
                                                                                   : kRussian),
          // The same in every copy: made once.
          DateLineText(DateLineOf(data, Instruction)),
          AmountDigitsText(FormatNum(Hryvnias(data.Kopecks), data.DecimalSeparator)),
          AmountWordsText(
              ::AmountInWords(Hryvnias(data.Kopecks), blank::AmountLanguage(data.Languages))) {}

    blank::TTable Copy(std::int32_t copy) {
        Number = copy;
        blank::TTable table;
        table.ColumnsMm = Layout.Columns;
        table.GapMm = kCellGap;
        // The shape first: the room that an IBAN is sized for takes in the rows below it.
        for (const TLayoutCell& entry : Layout.Cells) {
            if (table.Rows.empty() || entry.Row != static_cast<int>(table.Rows.size())) {
                table.Rows.emplace_back();
                table.Rows.back().HeightMm = Layout.RowHeights.at(std::size_t(entry.Row - 1));
            }
            blank::TCell cell;
            cell.First = entry.First - 'A';
            cell.Last = entry.Last - 'A';
            cell.Borders = BordersOf(entry.Frame);
            cell.VAlign = VAlignOf(entry.V);
            cell.VMerge = VMergeOf(entry.Arrow);
            cell.VMergeOnEveryColumn = entry.Arrow == DnAll || entry.Arrow == UpAll;
            table.Rows.back().Cells.push_back(std::move(cell));
        }
        std::size_t at = 0;
        for (std::size_t r = 0; r < table.Rows.size(); ++r)
            for (std::size_t c = 0; c < table.Rows[r].Cells.size(); ++c)
                Fill(table, r, c, Layout.Cells[at++]);
        return table;
    }

    // The empty paragraphs before the line keep the alignment of the last cell.
    void CutLine(std::vector<blank::TItem>& items) {
        for (int i = 0; i < 3; ++i)
            items.push_back(Paragraph(blank::TAlign::Right));
        blank::TParagraph line = Paragraph(blank::TAlign::Centre);
        for (const char* dashes : {kCutDashes18, kCutDashes18, kCutDashes18, kCutDashes8})
            AddRun(line, dashes, pText);
        items.push_back(std::move(line));
        for (int i = 0; i < 2; ++i)
            items.push_back(Paragraph(blank::TAlign::Centre));
    }

private:
    void Fill(blank::TTable& table, std::size_t r, std::size_t c, const TLayoutCell& entry) {
        blank::TCell& cell = table.Rows[r].Cells[c];
        const blank::TAlign align = AlignOf(entry.P);
        if (entry.Contents.empty())
            cell.Paragraphs.push_back(Paragraph(align));
        for (const TParagraph& paragraph : entry.Contents) {
            cell.Paragraphs.push_back(Paragraph(align));
            for (const TRun& run : paragraph)
                WriteRun(run, table, r, c);
        }
    }

    // A paragraph without runs is as high as the last run before it.
    blank::TParagraph Paragraph(blank::TAlign align) const {
        blank::TParagraph paragraph;
        paragraph.Align = align;
        paragraph.MarkSize = LastSize;
        return paragraph;
    }

    void WriteRun(const TRun& run, blank::TTable& table, std::size_t r, std::size_t c) {
        blank::TCell& cell = table.Rows[r].Cells[c];
        const auto* field = std::get_if<order::TField>(&run.What);
        if (!field) {
            const TText text = std::get<TText>(run.What);
            if (const std::optional<std::string> printed = TextOf(text))
                AddRun(cell.Paragraphs.back(), *printed, run.Preset, FieldOf(text));
            return;
        }
        const order::TFieldInfo& info = order::Info(*field);
        const std::string& text = Data.Texts[*field];
        std::int32_t preset = run.Preset;
        if (preset == pName)
            preset = (info.Party == order::TParty::Payer ? Data.BoldPlatName : Data.BoldPolName)
                         ? pBold
                         : pText;
        if (*field == Purpose) {
            if (!text.empty())
                AddRun(cell.Paragraphs.back(), text, preset, *field);
        } else if (info.Slot == order::TSlot::City && info.Party != order::TParty::None) {
            AddRun(cell.Paragraphs.back(), Labels.CityPrefix + text, preset, *field);
        } else if (info.Slot == order::TSlot::Account && info.Party != order::TParty::None &&
                   requisites::IsIban(text)) {
            WriteIban(text, *field, preset, textfit::RoomOf(table, r, c), cell);
        } else {
            AddRun(cell.Paragraphs.back(), text, preset, *field);
        }
    }

    void AddRun(blank::TParagraph& paragraph, const std::string& text, std::int32_t preset,
                std::optional<order::TField> field = std::nullopt, std::int32_t size = 0) {
        const TPresetFont& font = Preset(preset);
        paragraph.Runs.push_back({text, size != 0 ? size : font.Size, font.Bold});
        LastSize = paragraph.Runs.back().Size;
        if (!field)
            return;
        const order::TFieldInfo& info = order::Info(*field);
        if (info.PrintName)
            paragraph.Name = info.PrintName;
        paragraph.Unbroken = info.Unbroken;
    }

    // An IBAN is twice as long as the old accounts: it is set smaller, on one line while
    // that stays legible, otherwise on two lines split after the bank code, in the largest
    // size at which no character is cut.
    void WriteIban(const std::string& iban, order::TField what, std::int32_t preset,
                   const textfit::TRoom& room, blank::TCell& cell) {
        const std::size_t split = requisites::IbanSplit(iban);
        const std::int32_t largest = Preset(preset).Size;
        auto fits = [&](const std::string& line, std::int32_t size, int lines) {
            return textfit::TextWidthTwips(line, size, false) <= room.LineTwips &&
                   lines * textfit::LineHeightTwips(size) <= room.HeightTwips;
        };
        for (std::int32_t size = largest; size >= kIbanLegibleOnOneLine; --size)
            if (fits(iban, size, 1)) {
                AddRun(cell.Paragraphs.back(), iban, preset, what, size);
                return;
            }
        std::int32_t size = largest;
        while (size > kIbanSmallest &&
               !(fits(iban.substr(0, split), size, 2) && fits(iban.substr(split), size, 2)))
            --size;
        if (split == 0) {
            AddRun(cell.Paragraphs.back(), iban, preset, what, size);
            return;
        }
        AddRun(cell.Paragraphs.back(), iban.substr(0, split), preset, what, size);
        cell.Paragraphs.push_back(Paragraph(cell.Paragraphs.back().Align));
        AddRun(cell.Paragraphs.back(), iban.substr(split), preset, what, size);
    }

    // Nothing when the run is not printed at all.
    std::optional<std::string> TextOf(TText text) const {
        switch (text) {
        case CopyLabel:
            if (!Data.ShowCopyNumber)
                return std::nullopt;
            return std::string(Labels.CopyLabel) + " " + std::to_string(Number);
        case Title:
            return Labels.Title + std::to_string(Data.Number);
        case FormCode:
            return "0410001";
        case OneSignature:
            if (!Data.ShowOneSignatureRights)
                return std::nullopt;
            return "З правом одного підпису"_w;
        case DateLine:
            return DateLineText;
        case BankReceipt:
            return Labels.BankReceipt;
        case Nothing:
            return std::string();
        case DateBlank:
            return Labels.DateBlank;
        case PayerLabel:
            return Labels.Payer;
        case CodeLabel:
            return Labels.Code;
        case PayerBankLabel:
            return Labels.PayerBank;
        case BankCodeLabel:
            return Labels.BankCode;
        case DebitLabel:
            return Labels.Debit;
        case AmountLabel:
            return Labels.Amount;
        case AmountDigits:
            return AmountDigitsText;
        case RecipientLabel:
            return Labels.Recipient;
        case CreditLabel:
            return Labels.Credit;
        case RecipientBankLabel:
            return Labels.RecipientBank;
        case AmountInWordsLabel:
            return Labels.AmountInWords;
        case AmountInWords:
            return AmountWordsText;
        case PurposeLabel:
            return Labels.Purpose;
        case PassedByBank:
            return "Проведено банком"_w;
        case BankSignatureLabel:
            return Labels.BankSignature;
        case Stamp:
            return Labels.Stamp;
        case SignaturesLabel:
            return Labels.Signatures;
        case SignatureGap:
            return "     ________________";
        case SignatureLine:
            return "________________";
        case IbanLabel:
            return Labels.Iban;
        case ReceivedLabel:
            return Labels.Received;
        case ExecutedLabel:
            return Labels.Executed;
        case OfficerSignatureLabel:
            return Labels.OfficerSignature;
        }
        return std::nullopt;
    }

    const TPlatData& Data;
    const bool Instruction;
    const TLayout& Layout;
    const TLabels& Labels;
    const std::string DateLineText;
    const std::string AmountDigitsText;
    const std::string AmountWordsText;
    std::int32_t Number = 0; // of the copy
    std::int32_t LastSize = kDocumentSize;
};

} // namespace

std::string AmountInWords(double hryvnias, blank::TLang lang) {
    return lang == blank::TLang::Ukrainian ? SumaToWordsUkr(hryvnias) : SumaToWordsRus(hryvnias);
}

blank::TPage TPlatData::Blank() const {
    blank::TPage page;
    page.MarginLeftMm = 15;
    page.MarginRightMm = 15;
    page.MarginTopMm = 14;
    page.MarginBottomMm = 14;
    page.FontName = "Arial";
    TBlankBuilder builder(*this);
    for (std::int32_t copy = 1; copy <= kCopies; ++copy) {
        page.Items.push_back(builder.Copy(copy));
        // Scissors between the two halves of the sheet.
        if (copy == 1)
            builder.CutLine(page.Items);
    }
    return page;
}
