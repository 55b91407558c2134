#include "editor/FieldChecks.h"

#include "doc/TextFit.h"
#include "platform/Cp1251Literal.h"
#include "requisites/Requisites.h"

namespace editor {
namespace {

using requisites::TCodeKind;
using requisites::TCodeProblem;
using requisites::TIbanProblem;

struct TParty {
    TField OKPO, MFO, Account;
    const char* Whose; // "плательщика", "получателя"
};

const TParty kParties[] = {
    {TField::PayerOKPO, TField::PayerMFO, TField::PayerAccount, "плательщика"_w},
    {TField::RecipientOKPO, TField::RecipientMFO, TField::RecipientAccount, "получателя"_w},
};

std::string Count(std::size_t n) {
    return std::to_string(n);
}

std::string AccountProblem(const std::string& account, const std::string& whose) {
    if (!requisites::IsIban(account))
        return {};
    const std::string name = "IBAN "_w + whose + ": ";
    switch (requisites::CheckIban(account)) {
    case TIbanProblem::None:
        return {};
    case TIbanProblem::Length:
        return name + "должен содержать 29 символов, а содержит "_w + Count(account.size());
    case TIbanProblem::NotDigits:
        return name + "после UA должны быть только цифры"_w;
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
               ": должен содержать 8 цифр (ЄДРПОУ) или 10 (РНОКПП), а содержит "_w +
               Count(code.size());
    case TCodeProblem::CheckDigit:
        break;
    }
    return (check.Kind == TCodeKind::Edrpou ? "Код ЄДРПОУ "_w : "РНОКПП "_w) + whose +
           ": неверная контрольная цифра"_w;
}

std::string MFOProblem(const std::string& mfo, const std::string& account,
                       const std::string& whose) {
    const auto code = requisites::UkrainianBankCode(account);
    if (!code || *code == mfo)
        return {};
    return "МФО "_w + whose + " не совпадает с кодом банка в IBAN ("_w + *code + ")";
}

} // namespace

std::string FieldProblem(TField field, const std::function<const std::string&(TField)>& textOf) {
    for (const TParty& party : kParties) {
        if (field != party.Account && field != party.OKPO && field != party.MFO)
            continue;
        const std::string& text = textOf(field);
        if (text.empty())
            return {};
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

std::vector<std::string> OutputWarnings(const store::TPlatRecord& order, blank::TBlankKind kind,
                                        const blank::TPage& page) {
    // The payment instruction prints no bank code and takes accounts only as IBANs.
    const bool instruction = kind == blank::TBlankKind::PaymentInstruction;
    std::vector<std::string> lines;
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
