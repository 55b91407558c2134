#include "editor/FieldChecks.h"

#include "doc/TextFit.h"
#include "editor/Procs.h"
#include "platform/Cp1251Literal.h"
#include "requisites/BankNames.h"
#include "requisites/Requisites.h"

namespace editor {
namespace {

using requisites::TCodeKind;
using requisites::TCodeProblem;
using requisites::TIbanProblem;

struct TParty {
    TField OKPO, MFO, Account, Bank, Bank2;
    const char* Whose; // "плательщика", "получателя"
};

const TParty kParties[] = {
    {TField::PayerOKPO, TField::PayerMFO, TField::PayerAccount, TField::PayerBank,
     TField::PayerBank2, "плательщика"_w},
    {TField::RecipientOKPO, TField::RecipientMFO, TField::RecipientAccount, TField::RecipientBank,
     TField::RecipientBank2, "получателя"_w},
};

std::string Count(std::size_t n) {
    return std::to_string(n);
}

std::string Characters(std::size_t n) {
    const std::size_t last = n % 10, tens = n % 100 / 10;
    if (tens == 1 || last == 0 || last > 4)
        return Count(n) + " символов"_w;
    return Count(n) + (last == 1 ? " символ"_w : " символа"_w);
}

std::string Quoted(char c) {
    return "«"_w + std::string(1, c) + "»"_w;
}

// The character is named for what it most likely is: a Cyrillic letter typed for the Latin one
// it looks like, a letter typed in lower case, a separator copied from a printed IBAN.
std::string CharacterName(char c) {
    if (requisites::IsCyrillicLetter(c))
        return "кириллическая буква "_w + Quoted(c);
    if (c >= 'a' && c <= 'z')
        return "строчная буква "_w + Quoted(c);
    if (c == ' ')
        return "пробел"_w;
    if (static_cast<unsigned char>(c) < 0x20)
        return "управляющий символ"_w;
    return "недопустимый символ "_w + Quoted(c);
}

std::string AccountProblem(const std::string& account, const std::string& whose) {
    if (!requisites::IsIban(account))
        return {};
    const std::string name = "IBAN "_w + whose + ": ";
    const requisites::TIbanCheck check = requisites::CheckIban(account);
    const std::string position = " (позиция "_w + Count(check.Position) + ")";
    switch (check.Problem) {
    case TIbanProblem::None:
        return {};
    case TIbanProblem::Character:
        return name + (check.Position <= 2 ? "в коде страны "_w : "") +
               CharacterName(account[check.Position - 1]) + position;
    case TIbanProblem::Country:
        return name + "неизвестный код страны "_w + "«"_w + account.substr(0, 2) + "»"_w;
    case TIbanProblem::Length:
        return name + "должен содержать "_w + Characters(check.Length) + ", а содержит "_w +
               Count(account.size());
    case TIbanProblem::Format: {
        const char c = account[check.Position - 1];
        return name + "на позиции "_w + Count(check.Position) + " должна быть "_w +
               (c >= '0' && c <= '9' ? "буква"_w : "цифра"_w) + ", а не "_w + Quoted(c);
    }
    case TIbanProblem::Checksum:
        break;
    }
    return name + "неверная контрольная сумма"_w;
}

std::string CodeProblem(const std::string& code, const std::string& whose) {
    const requisites::TCodeCheck check = requisites::CheckTaxCode(code);
    switch (check.Problem) {
    case TCodeProblem::None:
        return {};
    case TCodeProblem::NotDigits:
        return "Код ОКПО "_w + whose + ": допустимы только цифры"_w;
    case TCodeProblem::Length:
        return "Код ОКПО "_w + whose +
               ": должен содержать 8 цифр (ЄДРПОУ), 10 (РНОКПП), 9 (ID-карта) или серию и "
               "номер паспорта (две буквы и 6 цифр), а содержит "_w +
               Count(code.size());
    case TCodeProblem::Series:
        return "Паспорт "_w + whose +
               ": серия пишется двумя заглавными буквами украинского алфавита"_w;
    case TCodeProblem::CheckDigit:
        break;
    }
    return (check.Kind == TCodeKind::Edrpou ? "Код ЄДРПОУ "_w : "РНОКПП "_w) + whose +
           ": неверная контрольная цифра"_w;
}

// Blanks around an MFO are no part of it: one copied with them is still the bank's code.
std::string MFOProblem(const std::string& mfo, const std::string& account,
                       const std::string& whose) {
    const auto code = requisites::UkrainianBankCode(account);
    const std::size_t first = mfo.find_first_not_of(" \t");
    const std::string bare = first == std::string::npos
                                 ? ""
                                 : mfo.substr(first, mfo.find_last_not_of(" \t") + 1 - first);
    if (!code || *code == bare)
        return {};
    return "МФО "_w + whose + " не совпадает с кодом банка в IBAN ("_w + *code + ")";
}

// A bank's name typed beside an IBAN of another bank: one of the two is wrong, and the money
// goes where the IBAN says. The name may run on into the second line.
std::string BankProblem(const std::string& bank, const std::string& bank2,
                        const std::string& account, const std::string& whose) {
    const auto code = requisites::UkrainianBankCode(account);
    if (!code || requisites::BankNameFits(bank + " " + bank2, *code))
        return {};
    return "Банк "_w + whose + " не совпадает с банком IBAN ("_w +
           requisites::BankNameOf(*code).value_or(*code) + ")";
}

} // namespace

std::string FieldProblem(TField field, const std::function<const std::string&(TField)>& textOf) {
    for (const TParty& party : kParties) {
        if (field != party.Account && field != party.OKPO && field != party.MFO &&
            field != party.Bank)
            continue;
        const std::string& text = textOf(field);
        if (text.empty())
            return {};
        if (field == party.Bank)
            return BankProblem(text, textOf(party.Bank2), textOf(party.Account), party.Whose);
        if (field == party.Account)
            return AccountProblem(text, party.Whose);
        if (field == party.OKPO)
            return CodeProblem(text, party.Whose);
        return MFOProblem(text, textOf(party.Account), party.Whose);
    }
    return {};
}

std::string FieldProblem(TField field, const store::TPlatRecord& order) {
    return FieldProblem(field, [&order](TField f) -> const std::string& { return order[f]; });
}

std::vector<std::string> TaxPurposeFindings(const std::string& purpose,
                                            const std::string& payerCode) {
    // The treasury's form: "*;" kind of payment ";" the payer's code ";" the text.
    if (!purpose.starts_with("*;"))
        return {};
    std::vector<std::string> parts;
    for (std::size_t from = 2;;) {
        const std::size_t semicolon = purpose.find(';', from);
        parts.push_back(purpose.substr(from, semicolon - from));
        if (semicolon == std::string::npos || parts.size() == 2)
            break;
        from = semicolon + 1;
    }
    auto digits = [](const std::string& text) {
        return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
    };
    const std::string name = "Назначение платежа: "_w;
    std::vector<std::string> findings;
    if (!digits(parts[0]) || parts[0].size() != 3)
        findings.push_back(name + "код вида платежа «"_w + parts[0] +
                           "» должен состоять из трех цифр"_w);
    if (parts.size() < 2)
        return findings;
    const std::string& code = parts[1];
    if (!digits(code) || (code.size() != 8 && code.size() != 10))
        findings.push_back(name + "код «"_w + code + "» должен содержать 8 или 10 цифр"_w);
    else if (code != payerCode)
        // Paying for another person is lawful: a finding, never a refusal.
        findings.push_back(name + "код «"_w + code + "» не совпадает с кодом плательщика"_w);
    return findings;
}

std::vector<std::string> OutputWarnings(const store::TPlatRecord& order, blank::TBlankKind kind,
                                        const blank::TPage& page, char decimalSeparator) {
    // The payment instruction prints no bank code and takes accounts only as IBANs.
    const bool instruction = kind == blank::TBlankKind::PaymentInstruction;
    std::vector<std::string> lines;
    for (const TFieldInfo& info : Fields) {
        const bool essential = info.Essential == order::TEssential::Always ||
                               (info.Essential == order::TEssential::PaymentOrder && !instruction);
        const bool empty =
            info.Field == TField::SumaGrn
                ? AmountKopecks(order[TField::SumaGrn], order[TField::SumaKop], decimalSeparator)
                          .value_or(1) == 0
                : order[info.Field].empty();
        if (essential && empty)
            lines.push_back(std::string(info.PrintName) + ": не заполнено"_w);
    }
    for (const TFieldInfo& info : Fields) {
        const TParty* party = nullptr;
        for (const TParty& p : kParties)
            if (info.Field == p.MFO || info.Field == p.Account)
                party = &p;
        if (instruction && party && info.Field == party->MFO)
            continue;
        if (std::string problem = FieldProblem(info.Field, order); !problem.empty())
            lines.push_back(std::move(problem));
        else if (instruction && party) {
            const std::string& account = order[info.Field];
            if (!account.empty() && !requisites::IsIban(account))
                lines.push_back(std::string("Счёт "_w) + party->Whose +
                                ": в платёжной инструкции указывается IBAN"_w);
        }
    }
    for (std::string& finding :
         TaxPurposeFindings(order[TField::Purpose], order[TField::PayerOKPO]))
        lines.push_back(std::move(finding));
    for (const std::string& name : textfit::UnseenTexts(page))
        lines.push_back(name + ": не виден на бланке целиком"_w);
    return lines;
}

std::string OutputQuestion(const std::vector<std::string>& warnings) {
    std::string text = "Перед печатью проверьте платежку:"_w;
    for (const std::string& line : warnings)
        text += "\n– "_w + line;
    return text + "\n\nПечатать как есть?"_w;
}

} // namespace editor
