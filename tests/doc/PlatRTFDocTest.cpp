// What the record puts on the page, checked on the page's description: the languages the
// options choose, the names the question before printing gives the order's texts, and what
// the display options add. The bytes of whole documents are the fixtures' business.

#include "DocTestHelpers.h"

#include "words/BuhProc.h"

#include <set>

using namespace doc_test;
using namespace testing_support;

namespace {

using blank::TBlankKind;
using blank::TLang;
using blank::TLangChoice;

std::vector<const blank::TParagraph*> Paragraphs(const blank::TPage& page) {
    std::vector<const blank::TParagraph*> out;
    for (const blank::TItem& item : page.Items) {
        if (const auto* p = std::get_if<blank::TParagraph>(&item)) {
            out.push_back(p);
            continue;
        }
        for (const blank::TRow& row : std::get<blank::TTable>(item).Rows)
            for (const blank::TCell& cell : row.Cells)
                for (const blank::TParagraph& p : cell.Paragraphs)
                    out.push_back(&p);
    }
    return out;
}

std::string TextOf(const blank::TParagraph& p) {
    std::string text;
    for (const blank::TRun& run : p.Runs)
        text += run.Text;
    return U(text);
}

// How many paragraphs of the page begin with `prefix` (UTF-8).
int Starting(const blank::TPage& page, const std::string& prefix) {
    int n = 0;
    for (const blank::TParagraph* p : Paragraphs(page))
        n += TextOf(*p).rfind(prefix, 0) == 0;
    return n;
}

} // namespace

// The one rule of the languages, as the printed page shows it in both copies.
TEST(PlatLayout, TheLanguagesOfTheTitleTheDateAndTheAmount) {
    struct TCase {
        blank::TLanguages Options;
        const char* Title;
        bool UkrainianDate, UkrainianWords;
    };
    const TCase cases[] = {
        {{TBlankKind::PaymentOrder, TLang::Ukrainian, TLangChoice::AsBlank, TLangChoice::AsBlank},
         "ПЛАТІЖНЕ ДОРУЧЕННЯ №125",
         true,
         true},
        {{TBlankKind::PaymentOrder, TLang::Russian, TLangChoice::AsBlank, TLangChoice::AsBlank},
         "ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №125",
         false,
         false},
        {{TBlankKind::PaymentOrder, TLang::Russian, TLangChoice::Ukrainian, TLangChoice::AsBlank},
         "ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №125",
         true,
         false},
        {{TBlankKind::PaymentOrder, TLang::Russian, TLangChoice::AsBlank, TLangChoice::Ukrainian},
         "ПЛАТЕЖНОЕ ПОРУЧЕНИЕ №125",
         false,
         true},
        {{TBlankKind::PaymentOrder, TLang::Ukrainian, TLangChoice::Russian, TLangChoice::Russian},
         "ПЛАТІЖНЕ ДОРУЧЕННЯ №125",
         false,
         false},
        // The payment instruction is Ukrainian whatever the order's blank is.
        {{TBlankKind::PaymentInstruction, TLang::Russian, TLangChoice::AsBlank,
          TLangChoice::AsBlank},
         "ПЛАТІЖНА ІНСТРУКЦІЯ №125",
         true,
         true},
        {{TBlankKind::PaymentInstruction, TLang::Russian, TLangChoice::AsBlank,
          TLangChoice::Russian},
         "ПЛАТІЖНА ІНСТРУКЦІЯ №125",
         true,
         false},
        {{TBlankKind::PaymentInstruction, TLang::Ukrainian, TLangChoice::Russian,
          TLangChoice::AsBlank},
         "ПЛАТІЖНА ІНСТРУКЦІЯ №125",
         false,
         true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Title + std::string(c.UkrainianDate ? ", date uk" : ", date ru") +
                     (c.UkrainianWords ? ", words uk" : ", words ru"));
        TPlatData d = UkrainianOrder();
        d.Languages = c.Options;
        const blank::TPage page = d.Blank();
        EXPECT_EQ(Starting(page, c.Title), 2);
        std::string date = c.UkrainianDate ? "від " + U(DateToWordsUkr(d.Date))
                                           : "от " + U(DateToWordsRus(d.Date));
        // The payment instruction's form sets the year's "р." apart: "2026 р.".
        if (c.UkrainianDate && c.Options.Kind == TBlankKind::PaymentInstruction)
            date.insert(date.rfind("р."), " ");
        EXPECT_EQ(Starting(page, date), 2);
        EXPECT_EQ(
            Starting(page, U(c.UkrainianWords ? SumaToWordsUkr(1234.5) : SumaToWordsRus(1234.5))),
            2);
    }
}

// The question before printing names a text as the field table does, and never breaks what
// the table says must stay whole; the payment instruction prints no bank code.
TEST(PlatLayout, TheQuestionNamesThePrintedFieldsAsTheFieldTableDoes) {
    for (const TBlankKind kind : {TBlankKind::PaymentOrder, TBlankKind::PaymentInstruction}) {
        TPlatData d = UkrainianOrder();
        d.Languages.Kind = kind;
        std::set<std::string> named;
        const blank::TPage page = d.Blank();
        for (const blank::TParagraph* p : Paragraphs(page)) {
            if (p->Name.empty())
                continue;
            named.insert(p->Name);
            const auto info =
                std::find_if(order::Fields.begin(), order::Fields.end(),
                             [&](const auto& i) { return i.PrintName && p->Name == i.PrintName; });
            ASSERT_NE(info, order::Fields.end()) << U(p->Name);
            EXPECT_EQ(p->Unbroken, info->Unbroken) << U(p->Name);
        }
        std::set<std::string> expected;
        for (const order::TFieldInfo& info : order::Fields)
            if (info.PrintName &&
                !(kind == TBlankKind::PaymentInstruction && info.Slot == order::TSlot::MFO &&
                  info.Party != order::TParty::None))
                expected.insert(info.PrintName);
        EXPECT_EQ(named, expected);
    }
}

TEST(PlatLayout, TheDisplayOptionsOnThePage) {
    struct TCase {
        TBlankKind Kind;
        TLang Blank;
        bool Options; // copy numbers, the one-signature note and bold names, all on or all off
        const char* CopyLabel;
    };
    const TCase cases[] = {
        {TBlankKind::PaymentOrder, TLang::Ukrainian, true, "Примірник "},
        {TBlankKind::PaymentOrder, TLang::Russian, true, "Экземпляр "},
        {TBlankKind::PaymentOrder, TLang::Russian, false, "Экземпляр "},
        {TBlankKind::PaymentInstruction, TLang::Russian, true, "Примірник "},
    };
    for (const TCase& c : cases) {
        TPlatData d = UkrainianOrder();
        d.Languages.Kind = c.Kind;
        d.Languages.Blank = c.Blank;
        d.ShowCopyNumber = d.ShowOneSignatureRights = d.BoldPlatName = d.BoldPolName = c.Options;
        const blank::TPage page = d.Blank();
        for (const char* copy : {"1", "2"})
            EXPECT_EQ(Starting(page, c.CopyLabel + std::string(copy)), c.Options ? 1 : 0);
        EXPECT_EQ(Starting(page, "З правом одного підпису"), c.Options ? 2 : 0);
        // The names are bold, their labels never.
        for (const blank::TParagraph* p : Paragraphs(page))
            for (const blank::TRun& run : p->Runs) {
                const bool name = run.Text == d.Texts[order::TField::PayerName] ||
                                  run.Text == d.Texts[order::TField::RecipientName];
                const bool title = TextOf(*p).rfind("ПЛАТ", 0) == 0;
                EXPECT_EQ(run.Bold, (name && c.Options) || title) << TextOf(*p);
            }
    }
}

// The purpose is printed as the record holds it; an empty one leaves its cell empty.
TEST(PlatLayout, ThePurposeAsComposed) {
    for (const std::string purpose : {"", "*;101;14360570;Податок;;"}) {
        TPlatData d = UkrainianOrder();
        d.Texts[order::TField::Purpose] = W(purpose);
        int found = 0;
        const blank::TPage page = d.Blank();
        for (const blank::TParagraph* p : Paragraphs(page))
            if (p->Name == order::Info(order::TField::Purpose).PrintName) {
                ++found;
                EXPECT_EQ(TextOf(*p), purpose);
            }
        EXPECT_EQ(found, purpose.empty() ? 0 : 2);
    }
}
