// The main editor's rules on the model alone, without a widget: what each field's change
// marks and recomputes, the save and output buttons, and the file commands with the dialogs
// answered through the model's seams.

#include "editor/PlatEditor.h"
#include "doc/PlatRTFDoc.h"
#include "editor/FieldChecks.h"
#include "platform/Desktop.h"
#include "store/DataFiles.h"
#include "words/BuhProc.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <functional>
#include <set>

using namespace testing_support;
using editor::TField;
namespace fs = std::filesystem;

namespace {

class PlatEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        E.DecimalSeparator = ',';
        E.SelectDataFile = [this](int mode) {
            Modes.push_back(mode);
            return Choice;
        };
        E.AskNZNFileName = [this](const std::string&) { return PurposePath; };
        E.FieldChanged = [this](TField f) { Changed.push_back(f); };
        E.FormShow(S.Program.Path());
        Changed.clear();
    }

    struct TFlags {
        bool Plat, Payer, Recipient, Purpose;
        bool operator==(const TFlags&) const = default;
    };
    TFlags Flags() const {
        return {E.PlatModified, E.PayerModified, E.RecipientModified, E.PurposeModified};
    }
    void ClearFlags() { E.PlatModified = E.PayerModified = E.RecipientModified = false; }

    TScratch S;
    TRecordingBoxes Boxes;
    editor::TPlatEditor E;
    std::string Choice;
    std::vector<int> Modes;
    fs::path PurposePath;
    std::vector<TField> Changed;
};

} // namespace

namespace editor {
// Failed expectations name the field.
void PrintTo(TField f, std::ostream* out) {
    *out << Info(f).Name;
}
} // namespace editor

TEST_F(PlatEditorTest, ANewOrderAtTheStart) {
    EXPECT_TRUE(fs::is_directory(S.Data()));
    EXPECT_EQ(E.FileVersion, 101);
    EXPECT_EQ(E.Text(TField::Number), "1");
    EXPECT_EQ(E.Text(TField::Date), "07.12.2026");
    EXPECT_EQ(U(E.Text(TField::DateWords)), "7 грудня 2026 р.");
    EXPECT_EQ(U(E.Text(TField::PlatFileName)), "№ 0001 от 07.12.2026");
    EXPECT_EQ(Flags(), (TFlags{false, false, false, false}));
    EXPECT_FALSE(E.SaveEnabled());
    EXPECT_TRUE(E.OutputEnabled());
    EXPECT_FALSE(E.SavePurposeEnabled());
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(PlatEditorTest, NewOrdersAreNumberedFromThisYearsOrders) {
    for (const char* name : {"№ 0007 от 10.01.2026 - A.plt", "№ 0012 от 05.03.2026.plt",
                             "№ 0040 от 30.12.2025 - B.plt"})
        WriteFileBytes(S.Data() / name, "101\r\n");
    E.NewPlat();
    EXPECT_EQ(E.Text(TField::Number), "13");
}

TEST_F(PlatEditorTest, WithoutAProgramFolderToWriteTheUsersDataFolderIsUsed) {
    WriteFileBytes(S.Program / "file", "x"); // no folder can be made below a file
    editor::TPlatEditor installed;
    installed.FormShow(S.Program / "file");
    EXPECT_EQ(installed.DataDir, S.DataHome / "Morvane" / "Vantrel" / "Data");
    EXPECT_TRUE(fs::is_directory(installed.DataDir));
    EXPECT_TRUE(Boxes.Boxes.empty());

    // Neither folder: the box names the one tried last, and a new order still starts.
    WriteFileBytes(S.Program / "home", "x");
    ::setenv("XDG_DATA_HOME", (S.Program / "home").c_str(), 1);
    editor::TPlatEditor nowhere;
    nowhere.FormShow(S.Program / "file");
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(U(Boxes.Boxes[0].Text),
              "Ошибка создания рабочего каталога \"" +
                  (S.Program / "home" / "Morvane" / "Vantrel" / "Data").string() + "\"");
    EXPECT_EQ(U(Boxes.Boxes[0].Caption), "Ошибка");
    EXPECT_EQ(Boxes.Boxes[0].Icon, platform::TMsgIcon::Error);
    EXPECT_EQ(nowhere.Text(TField::Number), "1");
}

// A save killed between writing its hidden copy and putting it in place leaves the copy
// behind; the next start clears away the old ones, and nothing that is not the program's own.
TEST_F(PlatEditorTest, TheStartRemovesTheOldCopiesOfKilledSavesAndNothingElse) {
    const fs::path settings = S.Config / "Morvane";
    fs::create_directories(settings);
    const auto killedSave = [](const fs::path& file) {
        const pid_t child = ::fork();
        if (child == 0) {
            platform::SetWriteFaultForTesting([](platform::TWriteStep step) {
                if (step == platform::TWriteStep::Rename)
                    ::_exit(0);
                return false;
            });
            platform::WriteFileAtomically(file, "half saved");
            ::_exit(1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
    };
    const auto entries = [](const fs::path& dir) {
        std::set<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.insert(e.path().filename().string());
        return names;
    };
    const auto age = [](const fs::path& path) {
        const timespec old[2] = {{::time(nullptr) - 3700, 0}, {::time(nullptr) - 3700, 0}};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), old, AT_SYMLINK_NOFOLLOW), 0) << path;
    };

    std::set<std::string> kept;
    for (const fs::path& dir : {S.Data(), settings}) {
        for (const char* name : {"notes.txt", ".hidden", ".x.plt.AbC123", "~temp1.rtf"})
            WriteFileBytes(dir / name, "theirs");
        fs::create_directory(dir / "folder");
        const auto before = entries(dir);
        killedSave(dir / "order.plt");
        std::set<std::string> left = entries(dir);
        for (const auto& name : before)
            left.erase(name);
        ASSERT_EQ(left.size(), 1u) << "the killed save left no copy";
        const fs::path stale = dir / *left.begin();
        EXPECT_EQ(ReadFileBytes(stale), "half saved");
        for (const auto& e : fs::directory_iterator(dir))
            age(e.path());
        killedSave(dir / "young.plt"); // less than an hour ago: a save may be running
        for (const auto& name : entries(dir))
            if (dir / name != stale)
                kept.insert((dir / name).string());
    }

    editor::TPlatEditor next;
    next.FormShow(S.Program.Path());
    std::set<std::string> after;
    for (const fs::path& dir : {S.Data(), settings})
        for (const auto& name : entries(dir))
            after.insert((dir / name).string());
    EXPECT_EQ(after, kept);
    EXPECT_TRUE(Boxes.Boxes.empty());
}

// The flags each input field's change sets, the cascade included: a new recipient renames
// the order, and so marks it.
TEST_F(PlatEditorTest, EachFieldMarksWhatItsChangeHandlerMarks) {
    struct Case {
        TField Field;
        const char* Value;
        TFlags Expected;
    };
    const Case cases[] = {
        {TField::Number, "7", {true, false, false, false}},
        {TField::Date, "01.01.2026", {true, false, false, false}},
        {TField::SumaGrn, "5", {true, false, false, false}},
        {TField::SumaKop, "5", {true, false, false, false}},
        {TField::Purpose, "x", {true, false, false, true}},
        {TField::PayerName, "A", {false, true, false, false}},
        {TField::PayerBank, "A", {false, true, false, false}},
        {TField::PayerBank2, "A", {false, true, false, false}},
        {TField::PayerCity, "A", {false, true, false, false}},
        {TField::PayerOKPO, "1", {false, true, false, false}},
        {TField::PayerMFO, "1", {false, true, false, false}},
        {TField::PayerAccount, "1", {false, true, false, false}},
        {TField::RecipientName, "B", {true, false, true, false}},
        {TField::RecipientBank, "B", {false, false, true, false}},
        {TField::RecipientBank2, "B", {false, false, true, false}},
        {TField::RecipientCity, "B", {false, false, true, false}},
        {TField::RecipientOKPO, "1", {false, false, true, false}},
        {TField::RecipientMFO, "1", {false, false, true, false}},
        {TField::RecipientAccount, "1", {false, false, true, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(editor::Info(c.Field).Name);
        E.NewPlat();
        E.SetText(c.Field, c.Value);
        EXPECT_EQ(Flags(), c.Expected);
    }
}

// The amount in words is in the language the blank will print it in.
TEST_F(PlatEditorTest, TheAmountInWordsIsInTheLanguageOfTheBlank) {
    using blank::TBlankKind, blank::TLang, blank::TLangChoice;
    struct Case {
        TBlankKind Kind;
        TLang Blank;
        TLangChoice Suma;
        bool Ukrainian;
    };
    const Case cases[] = {
        {TBlankKind::PaymentInstruction, TLang::Russian, TLangChoice::AsBlank, true},
        {TBlankKind::PaymentInstruction, TLang::Ukrainian, TLangChoice::Russian, false},
        {TBlankKind::PaymentOrder, TLang::Russian, TLangChoice::AsBlank, false},
        {TBlankKind::PaymentOrder, TLang::Russian, TLangChoice::Ukrainian, true},
        {TBlankKind::PaymentOrder, TLang::Ukrainian, TLangChoice::AsBlank, true},
    };
    for (const Case& c : cases) {
        E.Options.BlankKind = c.Kind;
        E.Options.BlankLang = c.Blank;
        E.Options.SumaLang = c.Suma;
        E.NewPlat();
        E.SetText(TField::SumaGrn, "120");
        E.SetText(TField::SumaKop, "6");
        EXPECT_EQ(E.Text(TField::SumaWords),
                  c.Ukrainian ? SumaToWordsUkr(120.06) : SumaToWordsRus(120.06))
            << static_cast<int>(c.Kind) << static_cast<int>(c.Blank) << static_cast<int>(c.Suma);
    }
}

TEST_F(PlatEditorTest, DerivedFieldsFollowTheFieldsTheyComeFrom) {
    using Texts = std::vector<std::pair<TField, std::string>>;
    struct Case {
        Texts Set;
        Texts Expected;
    };
    const Case cases[] = {
        {{{TField::SumaGrn, "120"}, {TField::SumaKop, "6"}},
         {{TField::NDSAmount, "20,01"}, {TField::SumaWords, SumaToWordsUkr(120.06)}}},
        {{{TField::SumaKop, "50"}}, {{TField::NDSAmount, "0,08"}}},
        {{{TField::SumaGrn, "0"}}, {{TField::NDSAmount, "0,00"}, {TField::SumaWords, ""}}},
        {{{TField::SumaGrn, "5"}, {TField::SumaGrn, ""}},
         {{TField::NDSAmount, ""}, {TField::SumaWords, ""}}},
        {{{TField::SumaKop, "ab"}}, {{TField::NDSAmount, ""}, {TField::SumaWords, ""}}},
        {{{TField::Number, "12345"}}, {{TField::PlatFileName, W("№ 12345 от 07.12.2026")}}},
        {{{TField::Number, "0"}}, {{TField::PlatFileName, W("№ 0000 от 07.12.2026")}}},
        {{{TField::Number, ""}}, {{TField::PlatFileName, ""}}},
        {{{TField::Number, "7"}, {TField::Date, "06.12.2026"}, {TField::RecipientName, "Beta"}},
         {{TField::RecipientFileName, "Beta"},
          {TField::PlatFileName, W("№ 0007 от 06.12.2026 - Beta")}}},
        {{{TField::RecipientName, "?"}},
         {{TField::RecipientFileName, ""}, {TField::PlatFileName, W("№ 0001 от 07.12.2026")}}},
        {{{TField::PayerName, "Alpha"}, {TField::PayerAccount, "2600123"}},
         {{TField::PayerFileName, W("Alpha (рс 2600123)")}}},
        {{{TField::Date, "31.02.2001"}}, {{TField::DateWords, ""}}},
        {{{TField::Date, "10.10.2010"}}, {{TField::DateWords, W("10 жовтня 2010 р.")}}},
        // A loaded or pasted text stays one line.
        {{{TField::Purpose, std::string("a\r\nb\nc\rd\0e", 10)}}, {{TField::Purpose, "a b c de"}}},
    };
    for (const Case& c : cases) {
        E.NewPlat();
        for (const auto& [field, text] : c.Set)
            E.SetText(field, text);
        for (const auto& [field, text] : c.Expected)
            EXPECT_EQ(U(E.Text(field)), U(text)) << editor::Info(field).Name;
    }
}

TEST_F(PlatEditorTest, ChangesCascadeInTheHandlersOrderAndTheSameTextFiresNothing) {
    E.SetText(TField::RecipientName, "Beta");
    EXPECT_EQ(Changed, (std::vector<TField>{TField::RecipientName, TField::RecipientFileName,
                                            TField::PlatFileName}));
    Changed.clear();
    ClearFlags();
    E.SetText(TField::RecipientName, "Beta");
    E.SetText(TField::Number, "1");
    E.SetText(TField::Date, "07.12.2026");
    EXPECT_TRUE(Changed.empty());
    EXPECT_EQ(Flags(), (TFlags{false, false, false, false}));
}

TEST_F(PlatEditorTest, TheSaveOutputAndSavePurposeButtons) {
    E.SetText(TField::Number, "");
    EXPECT_FALSE(E.OutputEnabled());
    EXPECT_FALSE(E.SaveEnabled()); // a change, but nothing has a name
    E.SetText(TField::PayerName, "A");
    EXPECT_TRUE(E.SaveEnabled());
    E.SetText(TField::Number, "3");
    EXPECT_TRUE(E.OutputEnabled());

    E.SetText(TField::Purpose, "x");
    EXPECT_TRUE(E.SavePurposeEnabled());
    E.SetText(TField::Purpose, "");
    EXPECT_FALSE(E.SavePurposeEnabled());
}

TEST_F(PlatEditorTest, SaveThenLoadGivesBackEveryFieldAndClearsTheFlags) {
    auto order = RealisticOrder();
    order[order::TField::RecipientBank2] = "-";
    E.SetRecord(order);
    E.SaveOrder();
    EXPECT_TRUE(Boxes.Boxes.empty()) << Boxes.TextsUtf8()[0];
    EXPECT_EQ(Flags(), (TFlags{false, false, false, true}));
    EXPECT_FALSE(E.SaveEnabled());

    const std::string name = W("№ 0012 от 05.03.2026 - Ромашка");
    const fs::path plt = S.Data() / (U(name) + ".plt");
    ASSERT_TRUE(fs::exists(plt));
    EXPECT_TRUE(fs::exists(S.Data() / (U(E.Text(TField::PayerFileName)) + ".rpl")));
    EXPECT_TRUE(fs::exists(S.Data() / "Ромашка.rpo"));
    const std::string bytes = ReadFileBytes(plt);
    EXPECT_EQ(bytes.substr(0, 9), "101\r\n12\r\n");
    EXPECT_NE(bytes.find("\r\n-\r\n-\r\n87654321"), std::string::npos); // empty and "-" alike

    E.NewOrder();
    EXPECT_EQ(E.Text(TField::Number), "13");
    Choice = name;
    E.OpenOrder();
    EXPECT_EQ(Modes, std::vector<int>{0});
    order[order::TField::RecipientBank2] = ""; // "-" comes back empty
    order[order::TField::NDSChoice] = "0";     // as the settings said when it was made
    EXPECT_EQ(E.Record(), order);
    EXPECT_EQ(Flags(), (TFlags{false, false, false, false}));
    EXPECT_EQ(E.Text(TField::PlatFileName), name);
}

TEST_F(PlatEditorTest, NewerOrdersAreRefusedAndTheOrderShownStays) {
    WriteFileBytes(S.Data() / "new.plt", "102\r\n99\r\n");
    WriteFileBytes(S.Data() / "junk.plt", "abc\r\n99\r\n");
    WriteFileBytes(S.Data() / "old.plt", "100\n77\n01.02.2026\n");
    const auto before = E.Record();
    Choice = "new";
    try {
        E.LoadPlat();
        ADD_FAILURE() << "a newer order was loaded";
    } catch (const store::TPlatVersionError& e) {
        EXPECT_EQ(U(e.what()),
                  "Для открытия данного файла необходима программа версии 1.02 или выше");
    }
    Choice = "junk";
    EXPECT_THROW(E.LoadPlat(), store::TNotIntegerError);
    EXPECT_EQ(E.Record(), before);
    Choice = "old";
    E.LoadPlat();
    EXPECT_EQ(E.Text(TField::Number), "77");
    EXPECT_EQ(E.Text(TField::RecipientCity), ""); // a short file gives empty fields
}

TEST_F(PlatEditorTest, UnsavedChangesAreAskedAboutOnceAndNoKeepsTheOrder) {
    E.SetText(TField::SumaGrn, "5");
    Boxes.Answer(false);
    Choice = ""; // the open dialog is cancelled
    E.OpenOrder();
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_TRUE(Boxes.Boxes[0].Question);
    EXPECT_EQ(U(Boxes.Boxes[0].Text), "Сохранить изменения в документе \"№ 0001 от 07.12.2026\"?");
    EXPECT_EQ(U(Boxes.Boxes[0].Caption), "Сохранение данных");
    EXPECT_EQ(Boxes.Boxes[0].Icon, platform::TMsgIcon::Warning);
    EXPECT_EQ(E.Text(TField::SumaGrn), "5");
    EXPECT_TRUE(E.PlatModified);

    // A changed purpose alone is not asked about.
    E.PlatModified = false;
    E.PurposeModified = true;
    E.NewOrder();
    EXPECT_EQ(Boxes.Boxes.size(), 1u);
}

TEST_F(PlatEditorTest, ClosingAfterYesFailsWhileTheSaveFails) {
    E.SetText(TField::SumaGrn, "5");
    {
        TWriteFault fault([](platform::TWriteStep) { return true; });
        Boxes.Answer(true);
        EXPECT_THROW(E.Close(), platform::TFileError);
        EXPECT_TRUE(E.PlatModified);
    }
    Boxes.Answer(true);
    EXPECT_TRUE(E.Close());
    EXPECT_TRUE(fs::exists(S.Data() / "№ 0001 от 07.12.2026.plt"));
}

TEST_F(PlatEditorTest, WhatHasANameIsSavedAndTheNamelessAreNamedInOneBox) {
    E.SetText(TField::Number, "");
    E.SetText(TField::RecipientName, "?");
    E.SetText(TField::PayerName, W("Альфа"));
    ASSERT_TRUE(E.SaveEnabled());
    E.SaveOrder();
    EXPECT_TRUE(fs::exists(S.Data() / "Альфа.rpl"));
    EXPECT_EQ(std::distance(fs::directory_iterator(S.Data()), fs::directory_iterator()), 1);
    EXPECT_EQ(Flags(), (TFlags{true, false, true, false}));
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(U(Boxes.Boxes[0].Text), "Невозможно сохранить файл с пустым именем:\n"
                                      "– платежка (не задан номер)\n"
                                      "– реквизиты получателя (не задано наименование)");
    EXPECT_EQ(Boxes.Boxes[0].Icon, platform::TMsgIcon::Error);

    // Closing after Yes stays open while something changed could not be written, and
    // closes once nothing changed is left unwritten.
    Boxes.Answer(true);
    EXPECT_FALSE(E.Close());
    E.SetText(TField::Number, "5");
    E.SetText(TField::RecipientName, W("Бета"));
    Boxes.Answer(true);
    EXPECT_TRUE(E.Close());
    EXPECT_EQ(Boxes.Boxes.size(), 4u); // the first box, a question and its box, a question
}

// Escape or the close button on the question is neither Yes nor No: the command that asked
// is abandoned, and nothing is saved or lost.
TEST_F(PlatEditorTest, ADismissedQuestionAbandonsTheCommandThatAskedIt) {
    E.SetRecord(RealisticOrder());
    const auto order = E.Record();
    const TFlags flags = Flags();
    Choice = "anything";
    const std::function<void()> commands[] = {
        [&] { E.NewOrder(); },
        [&] { E.OpenOrder(); },
        [&] { EXPECT_FALSE(E.Close()); },
    };
    for (const auto& command : commands) {
        Boxes.Dismiss();
        command();
        EXPECT_EQ(E.Record(), order);
        EXPECT_EQ(Flags(), flags);
    }
    EXPECT_TRUE(Modes.empty()) << "no open dialog after a dismissed question";
    EXPECT_TRUE(fs::is_empty(S.Data()));
    EXPECT_EQ(Boxes.Boxes.size(), 3u);
}

TEST_F(PlatEditorTest, RequisitesLoadIntoTheirPartyOnly) {
    store::WriteRequisites(S.Data() / "p.rpl", {W("Платник"), "B", "B2", "1", "2", "3", W("Київ")});
    store::WriteRequisites(S.Data() / "r.rpo", {W("Отримувач"), "-", "", "4", "5", "6", ""});
    E.SetText(TField::SumaGrn, "5");
    E.PlatModified = false;
    E.RecipientModified = true;
    Choice = "p";
    E.LoadPayer();
    EXPECT_EQ(E.Text(TField::PayerName), W("Платник"));
    EXPECT_EQ(E.Text(TField::PayerCity), W("Київ"));
    EXPECT_EQ(Flags(), (TFlags{false, false, true, false}));
    EXPECT_EQ(E.Text(TField::SumaGrn), "5");

    Choice = "r";
    E.LoadRecipient();
    EXPECT_EQ(E.Text(TField::RecipientName), W("Отримувач"));
    EXPECT_EQ(E.Text(TField::RecipientBank), "");
    EXPECT_EQ(Flags(), (TFlags{true, false, false, false})); // another recipient renames it
    EXPECT_EQ(Modes, (std::vector<int>{1, 2}));
}

TEST_F(PlatEditorTest, PurposesAreSavedAndLoadedAsTheyAre) {
    E.SetText(TField::Purpose, "-");
    ASSERT_TRUE(E.SavePurposeEnabled());
    PurposePath = S.Data() / "dash.nzn";
    E.SavePurpose();
    EXPECT_EQ(ReadFileBytes(PurposePath), "-\r\n");
    EXPECT_FALSE(E.PurposeModified);
    EXPECT_FALSE(E.SavePurposeEnabled());

    E.SetText(TField::Purpose, "other");
    PurposePath.clear(); // cancelled
    E.SavePurpose();
    EXPECT_TRUE(E.PurposeModified);

    Choice = "dash";
    E.PlatModified = false;
    E.LoadPurpose();
    EXPECT_EQ(E.Text(TField::Purpose), "-");
    EXPECT_FALSE(E.PurposeModified);
    EXPECT_TRUE(E.PlatModified);
}

// Every write path, failing at every step of the write: the previous file stays byte for
// byte, the error reaches the caller, and what was not written stays marked.
TEST_F(PlatEditorTest, EveryWriteFailingAtEveryStepLosesNothing) {
    E.SetRecord(RealisticOrder());
    E.SaveOrder();
    PurposePath = S.Data() / "purpose.nzn";
    E.SavePurpose();
    const fs::path files[] = {S.Data() / (U(E.Text(TField::PlatFileName)) + ".plt"),
                              S.Data() / (U(E.Text(TField::PayerFileName)) + ".rpl"),
                              S.Data() / "Ромашка.rpo", PurposePath};
    const TField fields[] = {TField::SumaGrn, TField::PayerBank, TField::RecipientBank,
                             TField::Purpose};
    bool* flags[] = {&E.PlatModified, &E.PayerModified, &E.RecipientModified, &E.PurposeModified};

    using platform::TWriteStep;
    for (TWriteStep step :
         {TWriteStep::Create, TWriteStep::Write, TWriteStep::Flush, TWriteStep::Rename}) {
        for (int which = 0; which < 4; ++which) {
            SCOPED_TRACE("step " + std::to_string(static_cast<int>(step)) + ", file " +
                         std::to_string(which));
            // Change exactly what the file under test holds; fail only its write. The order
            // file is written first whenever a party changed.
            ClearFlags();
            const std::string old = E.Text(fields[which]);
            E.SetText(fields[which], old + "1");
            const std::string before = ReadFileBytes(files[which]);
            int writes = 0;
            const int failOn = which == 1 || which == 2 ? 2 : 1;
            {
                TWriteFault fault([&](TWriteStep s) {
                    if (s == TWriteStep::Create)
                        ++writes;
                    return writes == failOn && s == step;
                });
                if (which == 3)
                    EXPECT_THROW(E.SavePurpose(), platform::TFileError);
                else
                    EXPECT_THROW(E.SaveOrder(), platform::TFileError);
            }
            EXPECT_EQ(ReadFileBytes(files[which]), before);
            EXPECT_TRUE(*flags[which]);
            E.SetText(fields[which], old);
        }
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(S.Data()), fs::directory_iterator()), 4)
        << "no temporary file is left behind";
}

// The preview makes the same checks first.
TEST_F(PlatEditorTest, TheOutputChecksStopBeforeAnythingIsWrittenOrPreviewed) {
    std::vector<std::string> opened;
    platform::SetDesktopOpenerForTesting([&](const std::string& p) { opened.push_back(p); });
    E.ShowPreview = [&](const blank::TPage&, const std::string& name) { opened.push_back(name); };
    struct Case {
        const char *number, *date, *grn, *message;
    } cases[] = {
        // The order of the checks and their texts are the composition's (ProcsTest).
        {"12345678901", "01.01.2026", "1", "Не задан либо задан некорректно номер платежки"},
        {"1", "01.01.2026", "-5", "Некорректно задана сумма"},
    };
    for (const auto& c : cases) {
        Boxes.Boxes.clear();
        E.SetText(TField::Number, c.number);
        E.SetText(TField::Date, c.date);
        E.SetText(TField::SumaGrn, c.grn);
        const TFlags before = Flags();
        E.Output();
        E.Preview();
        ASSERT_EQ(Boxes.Boxes.size(), 2u) << c.message;
        for (const TRecordedBox& box : Boxes.Boxes) {
            EXPECT_EQ(U(box.Text), c.message);
            EXPECT_EQ(U(box.Caption), "Квирен");
            EXPECT_EQ(box.Icon, platform::TMsgIcon::Exclamation);
        }
        EXPECT_EQ(Flags(), before);
    }
    platform::SetDesktopOpenerForTesting(nullptr);
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(fs::is_empty(S.Temp.Path()));
}

// An order double-clicked outside the data folder is saved as the file it came from; one of
// the same name in the data folder is never touched by it.
TEST_F(PlatEditorTest, AnOrderOpenedFromElsewhereIsSavedWhereItCameFrom) {
    TTempDir elsewhere;
    store::WritePlat(elsewhere / "order.plt", RealisticOrder());
    E.LoadPlatFrom(elsewhere / "order.plt");
    EXPECT_EQ(Flags(), (TFlags{false, false, false, false}));
    E.SetText(TField::SumaKop, "8");
    E.SaveOrder();
    EXPECT_FALSE(fs::exists(S.Data() / "№ 0012 от 05.03.2026 - Ромашка.plt"));
    EXPECT_EQ(store::ReadPlat(elsewhere / "order.plt", ',')[TField::SumaKop], "8");
}

// An empty MFO takes the bank code of a valid Ukrainian IBAN typed into its party's account,
// as a change like any other; a code already there, or an IBAN that fails its check, is
// left alone.
TEST_F(PlatEditorTest, TheBankCodeAndTheBanksNameComeFromTheIban) {
    const std::string iban = "UA213223130000026007233566001";
    const std::string ukreximbank = "АТ \"Укрексімбанк\"";
    struct Case {
        TField Mfo, Bank, Account;
        const char *MfoBefore, *BankBefore, *Account_, *MfoAfter;
        std::string BankAfter;
    };
    const Case cases[] = {
        {TField::RecipientMFO, TField::RecipientBank, TField::RecipientAccount, "", "",
         iban.c_str(), "322313", ukreximbank},
        {TField::PayerMFO, TField::PayerBank, TField::PayerAccount, "", "", iban.c_str(), "322313",
         ukreximbank},
        {TField::RecipientMFO, TField::RecipientBank, TField::RecipientAccount, "300001",
         "Мой банк", iban.c_str(), "300001", "Мой банк"},
        // A branch's older code is named as its bank.
        {TField::RecipientMFO, TField::RecipientBank, TField::RecipientAccount, "", "",
         "UA973226690000026005012107358", "322669", "АТ \"Ощадбанк\""},
        // A code the table does not know fills the MFO alone.
        {TField::RecipientMFO, TField::RecipientBank, TField::RecipientAccount, "", "",
         "UA263999990000026007233566001", "399999", ""},
        {TField::RecipientMFO, TField::RecipientBank, TField::RecipientAccount, "", "",
         "UA213223130000026007233566002", "", ""},
        {TField::RecipientMFO, TField::RecipientBank, TField::RecipientAccount, "", "",
         "26004098765432", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Account_);
        E.NewPlat();
        E.SetText(c.Mfo, c.MfoBefore);
        E.SetText(c.Bank, W(c.BankBefore));
        ClearFlags();
        E.SetText(c.Account, c.Account_);
        EXPECT_EQ(E.Text(c.Mfo), c.MfoAfter);
        EXPECT_EQ(U(E.Text(c.Bank)), c.BankAfter);
    }
    E.NewPlat();
    Changed.clear();
    E.SetText(TField::RecipientAccount, iban);
    EXPECT_NE(std::find(Changed.begin(), Changed.end(), TField::RecipientMFO), Changed.end());
    EXPECT_EQ(Changed.back(), TField::RecipientBank);
    EXPECT_EQ(Flags(), (TFlags{false, false, true, false}));
}

// An invoice's code fills the recipient, the amount and the purpose as typing them would;
// the payer, the number and the date stay, and a code that is no payment changes nothing.
TEST_F(PlatEditorTest, AnInvoiceFillsTheRecipientTheAmountAndThePurposeOnly) {
    E.NewPlat();
    E.SetText(TField::Number, "17");
    E.SetText(TField::PayerName, W("ТОВ \"Альфа\""));
    E.SetText(TField::PayerAccount, "UA213223130000026007233566001");
    E.SetText(TField::RecipientName, W("Прежний получатель"));
    E.SetText(TField::RecipientBank, W("АТ \"Райффайзен Банк\""));
    E.SetText(TField::RecipientCity, W("Киев"));
    E.SetText(TField::RecipientAccount, "UA093003350000026000012345678");
    const std::string before = U(E.Text(TField::PayerBank));

    auto snapshot = [this] {
        std::vector<std::string> texts;
        for (const auto& info : editor::Fields)
            texts.push_back(E.Text(info.Field));
        return texts;
    };
    // As the window reads a code: one that is no payment never reaches the order.
    auto fill = [this](std::string_view code) {
        auto parsed = invoice::ParsePayload(code);
        if (const auto* refusal = std::get_if<std::string>(&parsed))
            return *refusal;
        return E.FillFromInvoice(std::get<invoice::TPayment>(parsed));
    };
    const auto unchanged = snapshot();
    for (const char* refused : {"BCD\n004\n1\nUCT\n", "https://bank.gov.ua/qr/*", "текст"}) {
        EXPECT_NE(U(fill(W(refused))).find("QR"), std::string::npos);
        EXPECT_EQ(snapshot(), unchanged);
    }

    const std::string dental =
        "https://bank.gov.ua/qr/QkNECjAwMgoyClVDVAoK0s7CIJPR8u7s4PLu6-7js_-"
        "UClVBNzgzMjI2NjkwMDAwMDI2MDA1MDEyMTA3MzU4ClVBSDEwMzQuMjgKNDA3MjM4MjQKCgrR8u7s4PLu6-"
        "7js_ftsyDv7vHr8-PoCg";
    EXPECT_EQ(U(fill(dental)), "Заполнено из QR-кода счёта: ТОВ “Стоматологія”, 1034,28 грн");
    EXPECT_EQ(U(E.Text(TField::RecipientName)), "ТОВ “Стоматологія”");
    EXPECT_EQ(E.Text(TField::RecipientOKPO), "40723824");
    EXPECT_EQ(E.Text(TField::RecipientAccount), "UA783226690000026005012107358");
    // The rules' example IBAN has wrong check digits: nothing is taken from it, and the
    // check says so as it does for a typed one.
    EXPECT_EQ(E.Text(TField::RecipientMFO), "");
    EXPECT_EQ(E.Text(TField::RecipientBank), "");
    EXPECT_EQ(E.Text(TField::RecipientCity), "");
    EXPECT_EQ(U(E.Problem(TField::RecipientAccount)),
              "IBAN получателя: неверная контрольная сумма");
    EXPECT_EQ(E.Text(TField::SumaGrn), "1034");
    EXPECT_EQ(E.Text(TField::SumaKop), "28");
    EXPECT_EQ(U(E.Text(TField::Purpose)), "Стоматологічні послуги");
    EXPECT_FALSE(E.Text(TField::SumaWords).empty());
    EXPECT_EQ(E.Text(TField::Number), "17");
    EXPECT_EQ(U(E.Text(TField::PayerName)), "ТОВ \"Альфа\"");
    EXPECT_EQ(U(E.Text(TField::PayerBank)), before);
    EXPECT_TRUE(E.RecipientModified);
    EXPECT_TRUE(E.PlatModified);

    // An invoice without an amount leaves it to the payer; a valid IBAN brings its bank.
    EXPECT_EQ(U(fill(("BCD\n002\n1\nUCT\n\nТОВ Бета\n"
                      "UA213223130000026007233566001\n\n40723824\n\n\nВнесок\n"))),
              "Заполнено из QR-кода счёта: ТОВ Бета, сумма не указана");
    EXPECT_EQ(E.Text(TField::SumaGrn), "");
    EXPECT_EQ(E.Text(TField::SumaKop), "");
    EXPECT_EQ(E.Text(TField::RecipientMFO), "322313");
    EXPECT_EQ(U(E.Text(TField::RecipientBank)), "АТ \"Укрексімбанк\"");
}

TEST_F(PlatEditorTest, EachCheckedFieldTellsItsProblem) {
    struct Case {
        TField Field;
        const char* Value;
        const char* Problem;
    };
    const Case cases[] = {
        {TField::RecipientAccount, "UA213223130000026007233566002",
         "IBAN получателя: неверная контрольная сумма"},
        {TField::PayerAccount, "UA2132231300000260072335660",
         "IBAN плательщика: должен содержать 29 символов, а содержит 27"},
        {TField::PayerAccount, "UA21X223130000026007233566001",
         "IBAN плательщика: на позиции 5 должна быть цифра, а не «X»"},
        {TField::RecipientAccount,
         "U\xC0"
         "213223130000026007233566001",
         "IBAN получателя: в коде страны кириллическая буква «А» (позиция 2)"},
        {TField::PayerAccount, "DE89-370400440532013000",
         "IBAN плательщика: недопустимый символ «-» (позиция 5)"},
        {TField::PayerAccount, "XX89370400440532013000",
         "IBAN плательщика: неизвестный код страны «XX»"},
        {TField::PayerAccount, "GB82WEST12345698765423",
         "IBAN плательщика: неверная контрольная сумма"},
        {TField::PayerAccount, "GB82WEST12345698765432", ""},
        {TField::PayerAccount, "2600/123", ""},
        {TField::PayerOKPO, "14360571", "Код ЄДРПОУ плательщика: неверная контрольная цифра"},
        {TField::RecipientOKPO, "2345678901", "РНОКПП получателя: неверная контрольная цифра"},
        {TField::RecipientOKPO, "123456",
         "Код ОКПО получателя: должен содержать 8 цифр (ЄДРПОУ), 10 (РНОКПП), 9 (ID-карта) или "
         "серию и номер паспорта (две буквы и 6 цифр), а содержит 6"},
        {TField::RecipientOKPO, "KB123456",
         "Паспорт получателя: серия пишется двумя заглавными буквами украинского алфавита"},
        {TField::RecipientOKPO, "1436x570", "Код ОКПО получателя: допустимы только цифры"},
        {TField::RecipientOKPO, "00032129", ""},
        {TField::RecipientOKPO, "", ""},
        {TField::SumaGrn, "12ab", ""}, // not a requisite
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Value);
        E.NewPlat();
        E.SetText(c.Field, c.Value);
        EXPECT_EQ(U(E.Problem(c.Field)), c.Problem);
    }
    // The MFO against the IBAN's bank code, whichever of the two is typed last.
    E.NewPlat();
    E.SetText(TField::RecipientMFO, "300001");
    EXPECT_EQ(E.Problem(TField::RecipientMFO), "");
    E.SetText(TField::RecipientAccount, "UA213223130000026007233566001");
    EXPECT_EQ(U(E.Problem(TField::RecipientMFO)),
              "МФО получателя не совпадает с кодом банка в IBAN (322313)");
    E.SetText(TField::RecipientMFO, " 322313 ");
    EXPECT_EQ(E.Problem(TField::RecipientMFO), "");
    // The bank's name against the IBAN's bank, in any case and on either line.
    struct BankCase {
        const char *Bank, *Bank2, *Problem;
    };
    const BankCase banks[] = {
        {"АТ \"Ощадбанк\"", "", "Банк получателя не совпадает с банком IBAN (АТ \"Укрексімбанк\")"},
        {"АТ \"УКРЕКСІМБАНК\"", "", ""},
        {"Акціонерне товариство \"Державний", "експортно-імпортний банк України\"", ""},
        {"АО \"Укрэксимбанк\" г. Киев", "", ""},
    };
    for (const BankCase& c : banks) {
        SCOPED_TRACE(c.Bank);
        E.SetText(TField::RecipientBank, W(c.Bank));
        E.SetText(TField::RecipientBank2, W(c.Bank2));
        EXPECT_EQ(U(E.Problem(TField::RecipientBank)), c.Problem);
    }
    // Beside an old account nothing is known to contradict it.
    E.SetText(TField::RecipientAccount, "26004098765432");
    E.SetText(TField::RecipientBank, W("АТ \"Ощадбанк\""));
    EXPECT_EQ(E.Problem(TField::RecipientBank), "");
}

// What is wrong or will not show is asked about once before anything is written or
// previewed: No (the default), and Escape, show nothing; Yes shows it. An order without
// either is not asked.
TEST_F(PlatEditorTest, TheOutputAndThePreviewAskBeforeTheyShowWhatIsWrong) {
    std::vector<std::string> opened, previewed;
    platform::SetDesktopOpenerForTesting([&](const std::string& p) { opened.push_back(p); });
    E.ShowPreview = [&](const blank::TPage& page, const std::string& name) {
        EXPECT_FALSE(page.Items.empty());
        previewed.push_back(name);
    };
    E.Options.BlankKind = blank::TBlankKind::PaymentOrder; // the blank that names the banks
    E.SetRecord(RealisticOrder());
    E.SetText(TField::RecipientBank, W("АТ \"Ощадбанк\""));
    E.SetText(TField::RecipientOKPO, "14360570");
    E.Output();
    EXPECT_TRUE(Boxes.Boxes.empty());
    EXPECT_EQ(opened.size(), 1u);

    E.SetText(TField::RecipientOKPO, "14360571");
    E.SetText(TField::RecipientBank, W("АТ \"Державний ощадний банк України\""));
    E.SetText(TField::RecipientBank2, W("Київське обласне управління"));
    for (platform::TAnswer answer :
         {platform::TAnswer::No, platform::TAnswer::Dismissed, platform::TAnswer::Yes}) {
        Boxes.Answers.push_back(answer);
        E.Output();
        Boxes.Answers.push_back(answer);
        E.Preview();
    }
    ASSERT_EQ(Boxes.Boxes.size(), 6u);
    EXPECT_EQ(Boxes.Boxes[1].Text, Boxes.Boxes[0].Text);
    EXPECT_EQ(previewed, std::vector<std::string>{E.Text(TField::PlatFileName)}); // after Yes
    const TRecordedBox& box = Boxes.Boxes[0];
    EXPECT_TRUE(box.Question);
    EXPECT_EQ(U(box.Text), "Перед печатью проверьте платежку:\n"
                           "– Код ЄДРПОУ получателя: неверная контрольная цифра\n"
                           "– Банк получателя, вторая строка: не видно на бланке целиком\n\n"
                           "Печатать как есть?");
    EXPECT_EQ(U(box.Caption), "Квирен");
    EXPECT_EQ(box.Default, platform::TAnswer::No);
    platform::SetDesktopOpenerForTesting(nullptr);
    EXPECT_EQ(opened.size(), 2u); // only after Yes
}

// What the question before printing lists for an order: what is empty and essential, what the
// checks find, what a tax purpose holds wrong. The payment instruction prints no bank code, so
// a code that differs from its IBAN is not asked about there, while an account that is no IBAN
// is, and so is a bank's name that is not the IBAN's bank.
TEST(OutputWarnings, WhatTheQuestionBeforePrintingLists) {
    using enum order::TField;
    const auto instruction = blank::TBlankKind::PaymentInstruction;
    const auto paymentOrder = blank::TBlankKind::PaymentOrder;
    struct TCase {
        blank::TBlankKind Kind;
        std::function<void(store::TPlatRecord&)> Change;
        const char* Lines;
    };
    const TCase cases[] = {
        {paymentOrder, [](store::TPlatRecord&) {}, ""},
        {paymentOrder,
         [](store::TPlatRecord& o) { o[RecipientAccount] = "UA213223130000026007233566001"; },
         "МФО получателя не совпадает с кодом банка в IBAN (322313)\n"},
        {instruction,
         [](store::TPlatRecord& o) { o[RecipientAccount] = "UA213223130000026007233566001"; },
         "Счёт плательщика: в платёжной инструкции указывается IBAN\n"},
        {paymentOrder,
         [](store::TPlatRecord& o) {
             o[PayerOKPO] = o[Purpose] = o[RecipientBank] = "";
             o[SumaGrn] = "0";
             o[SumaKop] = "";
         },
         "Код ОКПО плательщика: не заполнено\nБанк получателя: не заполнено\n"
         "Сумма цифрами: не заполнено\nНазначение платежа: не заполнено\n"},
        {instruction,
         [](store::TPlatRecord& o) {
             o[PayerAccount] = "UA203808050000026001012345678";
             o[PayerBank] = W("АТ \"Райффайзен Банк\"");
             o[RecipientAccount] = "UA213223130000026007233566001";
             o[RecipientBank] = o[PayerMFO] = "";
         },
         ""},
        {instruction,
         [](store::TPlatRecord& o) {
             o[RecipientAccount] = "UA213223130000026007233566001";
             o[RecipientBank] = W("АТ \"Ощадбанк\"");
             o[PayerAccount] = "UA203808050000026001012345678";
             o[PayerBank2] = W("Райффайзен");
         },
         "Банк получателя не совпадает с банком IBAN (АТ \"Укрексімбанк\")\n"},
        {paymentOrder, [](store::TPlatRecord& o) { o[Purpose] = W("*;101;12345678;ПДВ;;"); }, ""},
        {paymentOrder, [](store::TPlatRecord& o) { o[Purpose] = W("*;1O1;1234567890;ПДВ;;"); },
         "Назначение платежа: код вида платежа «1O1» должен состоять из трех цифр\n"
         "Назначение платежа: код «1234567890» не совпадает с кодом плательщика\n"},
        {paymentOrder, [](store::TPlatRecord& o) { o[Purpose] = W("*;101;123 45;ПДВ"); },
         "Назначение платежа: код «123 45» должен содержать 8 или 10 цифр\n"},
    };
    for (const TCase& c : cases) {
        store::TPlatRecord order = RealisticOrder();
        order[RecipientBank] = W("АТ \"Укрексімбанк\"");
        order[RecipientOKPO] = "14360570";
        c.Change(order);
        TPlatData data;
        data.Languages.Kind = c.Kind;
        std::string all;
        for (const std::string& line : editor::OutputWarnings(order, c.Kind, data.Blank(), ','))
            all += U(line) + "\n";
        EXPECT_EQ(all, c.Lines);
    }
}

// No stored order is replaced, and no number given twice in a year, without a question that
// names what is stored; No leaves every stored file as it was. What the output would refuse
// is not stored at all, and a date is written as every other one when the field is left.
TEST_F(PlatEditorTest, SavingAsksBeforeItReplacesWhatIsStored) {
    enum class TStart { Typed, Loaded, LoadedThenChangedElsewhere };
    struct TCase {
        const char* What;
        TStart Start;
        const char* StoredName; // another stored order, or none
        std::function<void(editor::TPlatEditor&)> Change;
        bool Yes;
        const char* Question;        // how the question begins; "" for none
        std::set<std::string> Files; // the orders stored afterwards
        const char* StoredAmount;    // the hryvnias in "№ 0012 от 05.03.2026 - Ромашка"
    };
    const std::string mine = "№ 0012 от 05.03.2026 - Ромашка.plt";
    const std::string other = "№ 0012 от 01.02.2026 - Волошка.plt";
    const std::string renamed = "№ 0012 от 05.03.2026 - Волошка.plt";
    auto amount = [](const char* hryvnias) {
        return [hryvnias](editor::TPlatEditor& e) { e.SetText(TField::SumaGrn, hryvnias); };
    };
    auto recipient = [](editor::TPlatEditor& e) { e.SetText(TField::RecipientName, W("Волошка")); };
    // clang-format off
    const TCase cases[] = {
        {"a new order named like a stored one, No", TStart::Typed, nullptr, amount("250000"),
         false, "Файл \"", {mine}, "1500"},
        {"a new order named like a stored one, Yes", TStart::Typed, nullptr, amount("250000"),
         true, "Файл \"", {mine}, "250000"},
        {"a number of the year taken by another order", TStart::Typed, other.c_str(),
         [](auto&) {}, false, "Номер 12 уже есть", {other}, nullptr},
        {"a loaded order saved under a new name, replacing", TStart::Loaded, nullptr, recipient,
         true, "Платежка загружена из файла", {renamed}, nullptr},
        {"a loaded order saved under a new name, kept beside", TStart::Loaded, nullptr, recipient,
         false, "Платежка загружена из файла", {mine, renamed}, "1500"},
        {"a loaded order another window changed", TStart::LoadedThenChangedElsewhere, nullptr,
         amount("1501"), false, "Файл \"", {mine}, "999"},
        {"a loaded order saved again", TStart::Loaded, nullptr, amount("77"), false, "", {mine},
         "77"},
        {"a date that does not exist", TStart::Typed, nullptr,
         [](auto& e) { e.SetText(TField::Date, "31.11.2026"); }, false, "", {mine}, "1500"},
    };
    // clang-format on
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.What);
        fs::remove_all(S.Data());
        fs::create_directories(S.Data());
        if (c.StoredName)
            store::WritePlat(S.Data() / c.StoredName, RealisticOrder());
        E.NewPlat();
        if (c.Start == TStart::Typed) {
            if (!c.StoredName)
                store::WritePlat(S.Data() / mine, RealisticOrder());
            E.SetRecord(RealisticOrder());
        } else {
            store::WritePlat(S.Data() / mine, RealisticOrder());
            E.LoadPlatFrom(S.Data() / mine);
            if (c.Start == TStart::LoadedThenChangedElsewhere) {
                store::TPlatRecord other = RealisticOrder();
                other[TField::SumaGrn] = "999";
                store::WritePlat(S.Data() / mine, other);
            }
        }
        c.Change(E);
        Boxes.Boxes.clear();
        if (*c.Question)
            Boxes.Answer(c.Yes);
        E.SaveOrder();
        if (*c.Question) {
            ASSERT_FALSE(Boxes.Boxes.empty());
            EXPECT_EQ(U(Boxes.Boxes[0].Text).rfind(c.Question, 0), 0u) << U(Boxes.Boxes[0].Text);
            EXPECT_EQ(Boxes.Boxes[0].Default, platform::TAnswer::No);
        }
        std::set<std::string> files;
        for (const auto& entry : fs::directory_iterator(S.Data()))
            if (entry.path().extension() == ".plt")
                files.insert(entry.path().filename().string());
        EXPECT_EQ(files, c.Files);
        if (c.StoredAmount) {
            EXPECT_EQ(store::ReadPlat(S.Data() / mine, ',')[TField::SumaGrn], c.StoredAmount);
        }
    }
    EXPECT_EQ(U(Boxes.Boxes.at(0).Text), "Некорректно задана дата");

    E.SetText(TField::Date, "9.3.26");
    E.FieldLeft(TField::Date);
    EXPECT_EQ(E.Text(TField::Date), "09.03.2026");
}

// A recipient's name of 200 Cyrillic letters: the file names are cut to what the file system
// holds, at a letter, keeping the number and the date; the order saves and loads back whole.
TEST_F(PlatEditorTest, ALongRecipientStillSavesAndLoadsBack) {
    E.SetRecord(RealisticOrder());
    const std::string name(200, '\xC6'); // "Ж" two hundred times, in Windows-1251
    E.SetText(TField::RecipientName, name);
    const std::string file = E.Text(TField::PlatFileName);
    EXPECT_EQ(U(file).rfind("№ 0012 от 05.03.2026 - ЖЖ", 0), 0u);
    EXPECT_LE(U(file).size() + 4, 255u);
    E.SaveOrder();
    EXPECT_FALSE(E.SaveEnabled());
    Choice = file;
    E.NewOrder();
    E.OpenOrder();
    EXPECT_EQ(E.Text(TField::RecipientName), name);
    EXPECT_EQ(E.Text(TField::PlatFileName), file);
}

// A second account of a stored recipient replaces the first only after Yes; No keeps both,
// the new one named with its account.
TEST_F(PlatEditorTest, ASecondAccountOfARecipientIsKeptBesideTheFirst) {
    for (const bool replace : {false, true}) {
        SCOPED_TRACE(replace);
        fs::remove_all(S.Data());
        fs::create_directories(S.Data());
        store::TRequisites first = order::RequisitesOf(RealisticOrder(), order::TParty::Recipient);
        store::WriteRequisites(S.Data() / "Ромашка.rpo", first);
        E.NewPlat();
        E.SetRecord(RealisticOrder());
        E.SetText(TField::RecipientAccount, "UA213223130000026007233566001");
        Boxes.Boxes.clear();
        Boxes.Answer(replace);
        E.SaveOrder();
        ASSERT_EQ(Boxes.Boxes.size(), 1u);
        EXPECT_EQ(
            U(Boxes.Boxes[0].Text).rfind("Реквизиты \"Ромашка\" уже сохранены со счётом 2601", 0),
            0u);
        const auto stored = store::ReadRequisites(S.Data() / "Ромашка.rpo");
        EXPECT_EQ(stored[order::TSlot::Account],
                  replace ? "UA213223130000026007233566001" : "2601");
        EXPECT_EQ(fs::exists(S.Data() / "Ромашка (рс UA213223130000026007233566001).rpo"),
                  !replace);
    }
}
