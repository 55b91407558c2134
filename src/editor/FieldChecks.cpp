#include "editor/FieldChecks.h"

#include "doc/TextFit.h"
#include "editor/Procs.h"
#include "platform/Cp1251Literal.h"
#include "platform/Translate.h"
#include "requisites/BankNames.h"
#include "requisites/Requisites.h"

namespace editor {
namespace {

using platform::Tr;

using requisites::TCodeKind;
using requisites::TCodeProblem;
using requisites::TIbanProblem;

struct TParty {
    TField OKPO, MFO, Account, Bank, Bank2;
    const char* Whose; // "плательщика", "получателя"
};

const TParty kParties[] = {
    {TField::PayerOKPO, TField::PayerMFO, TField::PayerAccount, TField::PayerBank,
     TField::PayerBank2, TR_NOOP_W("Checks", "плательщика")},
    {TField::RecipientOKPO, TField::RecipientMFO, TField::RecipientAccount, TField::RecipientBank,
     TField::RecipientBank2, TR_NOOP_W("Checks", "получателя")},
};

std::string Count(std::size_t n) {
    return std::to_string(n);
}

std::string Characters(std::size_t n) {
    const std::size_t last = n % 10, tens = n % 100 / 10;
    if (tens == 1 || last == 0 || last > 4)
        return Count(n) + Tr("Checks", " символов");
    return Count(n) + (last == 1 ? Tr("Checks", " символ") : Tr("Checks", " символа"));
}

std::string Quoted(char c) {
    return "«"_w + std::string(1, c) + "»"_w;
}

// The character is named for what it most likely is: a Cyrillic letter typed for the Latin one
// it looks like, a letter typed in lower case, a separator copied from a printed IBAN.
std::string CharacterName(char c) {
    if (requisites::IsCyrillicLetter(c))
        return Tr("Checks", "кириллическая буква ") + Quoted(c);
    if (c >= 'a' && c <= 'z')
        return Tr("Checks", "строчная буква ") + Quoted(c);
    if (c == ' ')
        return Tr("Checks", "пробел");
    if (static_cast<unsigned char>(c) < 0x20)
        return Tr("Checks", "управляющий символ");
    return Tr("Checks", "недопустимый символ ") + Quoted(c);
}

std::string AccountProblem(const std::string& account, const std::string& whose) {
    if (!requisites::IsIban(account))
        return {};
    const std::string name = "IBAN "_w + whose + ": ";
    const requisites::TIbanCheck check = requisites::CheckIban(account);
    const std::string position = Tr("Checks", " (позиция ") + Count(check.Position) + ")";
    switch (check.Problem) {
    case TIbanProblem::None:
        return {};
    case TIbanProblem::Character:
        return name + (check.Position <= 2 ? Tr("Checks", "в коде страны ") : "") +
               CharacterName(account[check.Position - 1]) + position;
    case TIbanProblem::Country:
        return name + Tr("Checks", "неизвестный код страны ") + "«"_w + account.substr(0, 2) +
               "»"_w;
    case TIbanProblem::Length:
        return name + Tr("Checks", "должен содержать ") + Characters(check.Length) +
               Tr("Checks", ", а содержит ") + Count(account.size());
    case TIbanProblem::Format: {
        const char c = account[check.Position - 1];
        return name + Tr("Checks", "на позиции ") + Count(check.Position) +
               Tr("Checks", " должна быть ") +
               (c >= '0' && c <= '9' ? Tr("Checks", "буква") : Tr("Checks", "цифра")) +
               Tr("Checks", ", а не ") + Quoted(c);
    }
    case TIbanProblem::Checksum:
        break;
    }
    return name + Tr("Checks", "неверная контрольная сумма");
}

std::string CodeProblem(const std::string& code, const std::string& whose) {
    const requisites::TCodeCheck check = requisites::CheckTaxCode(code);
    switch (check.Problem) {
    case TCodeProblem::None:
        return {};
    case TCodeProblem::NotDigits:
        return Tr("Checks", "Код ОКПО ") + whose + Tr("Checks", ": допустимы только цифры");
    case TCodeProblem::Length:
        return Tr("Checks", "Код ОКПО ") + whose +
               Tr("Checks",
                  ": должен содержать 8 цифр (ЄДРПОУ), 10 (РНОКПП), 9 (ID-карта) или серию и "
                  "номер паспорта (две буквы и 6 цифр), а содержит ") +
               Count(code.size());
    case TCodeProblem::Series:
        return Tr("Checks", "Паспорт ") + whose +
               Tr("Checks", ": серия пишется двумя заглавными буквами украинского алфавита");
    case TCodeProblem::CheckDigit:
        break;
    }
    return (check.Kind == TCodeKind::Edrpou ? Tr("Checks", "Код ЄДРПОУ ")
                                            : Tr("Checks", "РНОКПП ")) +
           whose + Tr("Checks", ": неверная контрольная цифра");
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
    return Tr("Checks", "МФО ") + whose + Tr("Checks", " не совпадает с кодом банка в IBAN (") +
           *code + ")";
}

// A bank's name typed beside an IBAN of another bank: one of the two is wrong, and the money
// goes where the IBAN says. The name may run on into the second line.
std::string BankProblem(const std::string& bank, const std::string& bank2,
                        const std::string& account, const std::string& whose) {
    const auto code = requisites::UkrainianBankCode(account);
    if (!code || requisites::BankNameFits(bank + " " + bank2, *code))
        return {};
    return platform::Args(Tr("Checks", "Банк %1 не совпадает с банком IBAN (%2)"),
                          {whose, requisites::BankNameOf(*code).value_or(*code)});
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
            return AccountProblem(text, platform::TrW("Checks", party.Whose));
        if (field == party.OKPO)
            return CodeProblem(text, platform::TrW("Checks", party.Whose));
        return MFOProblem(text, textOf(party.Account), platform::TrW("Checks", party.Whose));
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
    const std::string name = Tr("Checks", "Назначение платежа: ");
    std::vector<std::string> findings;
    if (!digits(parts[0]) || parts[0].size() != 3)
        findings.push_back(name + Tr("Checks", "код вида платежа «") + parts[0] +
                           Tr("Checks", "» должен состоять из трех цифр"));
    if (parts.size() < 2)
        return findings;
    const std::string& code = parts[1];
    if (!digits(code) || (code.size() != 8 && code.size() != 10))
        findings.push_back(name + Tr("Checks", "код «") + code +
                           Tr("Checks", "» должен содержать 8 или 10 цифр"));
    else if (code != payerCode)
        // Paying for another person is lawful: a finding, never a refusal.
        findings.push_back(name + Tr("Checks", "код «") + code +
                           Tr("Checks", "» не совпадает с кодом плательщика"));
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
            lines.push_back(platform::TrW("Fields", info.PrintName) +
                            Tr("Checks", ": не заполнено"));
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
                lines.push_back(Tr("Checks", "Счёт ") + platform::TrW("Checks", party->Whose) +
                                Tr("Checks", ": в платёжной инструкции указывается IBAN"));
        }
    }
    for (std::string& finding :
         TaxPurposeFindings(order[TField::Purpose], order[TField::PayerOKPO]))
        lines.push_back(std::move(finding));
    for (const std::string& name : textfit::UnseenTexts(page))
        lines.push_back(platform::TrW("Fields", name) +
                        Tr("Checks", ": не видно на бланке целиком"));
    return lines;
}

std::string OutputQuestion(const std::vector<std::string>& warnings) {
    std::string text = Tr("Checks", "Перед печатью проверьте платежку:");
    for (const std::string& line : warnings)
        text += "\n– "_w + line;
    return text + Tr("Checks", "\n\nПечатать как есть?");
}

} // namespace editor
