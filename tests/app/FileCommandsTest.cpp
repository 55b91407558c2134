// The file commands of the main window: save, load, requisites, purposes, and the
// question about unsaved changes, with the dialogs answered through their seams.

#include "app/MainForm.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "store/DataFiles.h"
#include "store/forms/GetNZNFileName.h"
#include "store/forms/Open.h"

#include "support/TestSupport.h"

#include <QToolButton>

#include <gtest/gtest.h>

#include <cstdlib>

using namespace testing_support;
using namespace std::chrono;
namespace fs = std::filesystem;

namespace {

class FileCommandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
        platform::SetTodayForTesting(year{2026} / 12 / 7);
        SetSelectDataFileForTesting([this](int mode) {
            Modes.push_back(mode);
            return Choice;
        });
        SetAskNZNFileNameForTesting([this](const std::string&) { return PurposePath; });
        form = std::make_unique<TMainForm>();
        form->ProgramDir = program.Path();
        form->DecimalSeparator = ',';
        form->show();
    }
    void TearDown() override {
        form.reset();
        SetSelectDataFileForTesting(nullptr);
        SetAskNZNFileNameForTesting(nullptr);
        platform::SetWriteFaultForTesting(nullptr);
        platform::SetTodayForTesting(std::nullopt);
    }
    fs::path Data() const { return program / "Data"; }

    // Every input field, in the order of the order file.
    std::vector<TEdit*> Inputs() const {
        auto* f = form.get();
        return {f->Edit15, f->Edit21, f->Edit2,  f->Edit3,  f->Edit4,  f->Edit5,  f->Edit6,
                f->Edit7,  f->Edit9,  f->Edit10, f->Edit11, f->Edit12, f->Edit13, f->Edit14,
                f->Edit16, f->Edit17, f->Edit20, f->Edit23, f->Edit24};
    }
    void Fill(const std::vector<std::string>& values) {
        auto inputs = Inputs();
        for (size_t i = 0; i < inputs.size(); ++i)
            TMainForm::SetText(inputs[i], values[i]);
    }
    std::vector<std::string> Values() const {
        std::vector<std::string> out;
        for (auto* e : Inputs())
            out.push_back(TMainForm::Text(e));
        return out;
    }

    TTempDir config, program;
    TRecordingBoxes boxes;
    std::unique_ptr<TMainForm> form;
    std::string Choice;
    std::vector<int> Modes;
    fs::path PurposePath;
};

const std::vector<std::string> Realistic() {
    return {"12",
            "05.03.2026",
            W("ТОВ \"Альфа\""),
            W("АТ КБ «ПриватБанк»"),
            W("філія №2"),
            "12345678",
            "305299",
            "2600/123",
            W("Ромашка"),
            "",
            "-",
            "87654321",
            "300001",
            "2601",
            "1500",
            "7",
            W("Оплата за товар згідно рахунку № 15 від 01.03.2026, \\ {} ") + std::string(300, 'x'),
            W("Київ"),
            W("Львів")};
}

} // namespace

TEST_F(FileCommandsTest, SaveThenLoadGivesBackEveryFieldAndClearsTheFlags) {
    Fill(Realistic());
    EXPECT_TRUE(form->PlatModified && form->PayerModified && form->RecipientModified);
    form->SpeedButton3->click();
    EXPECT_TRUE(boxes.Boxes.empty()) << boxes.TextsUtf8()[0];
    EXPECT_FALSE(form->PlatModified || form->PayerModified || form->RecipientModified);
    EXPECT_FALSE(form->SpeedButton3->isEnabled());

    const std::string name = W("№ 0012 от 05.03.2026 - Ромашка");
    const fs::path plt = Data() / (U(name) + ".plt");
    ASSERT_TRUE(fs::exists(plt));
    EXPECT_TRUE(fs::exists(Data() / "ТОВ Альфа (рс 2600123).rpl"));
    EXPECT_TRUE(fs::exists(Data() / "Ромашка.rpo"));
    const std::string bytes = ReadFileBytes(plt);
    EXPECT_EQ(bytes.substr(0, 9), "101\r\n12\r\n");
    EXPECT_NE(bytes.find("\r\n-\r\n-\r\n87654321"), std::string::npos); // empty and "-" alike

    form->SpeedButton1->click(); // a new order
    EXPECT_EQ(TMainForm::Text(form->Edit15), "13");
    Choice = name;
    form->SpeedButton2->click();
    EXPECT_EQ(Modes, std::vector<int>{0});
    auto expected = Realistic();
    expected[10] = ""; // "-" comes back empty
    EXPECT_EQ(Values(), expected);
    EXPECT_FALSE(form->PlatModified || form->PayerModified || form->RecipientModified ||
                 form->PurposeModified);
    EXPECT_EQ(TMainForm::Text(form->Edit19), name);
}

TEST_F(FileCommandsTest, NewerOrdersAreRefusedAndTheWindowKeepsItsOrder) {
    WriteFileBytes(Data() / "new.plt", "102\r\n99\r\n");
    WriteFileBytes(Data() / "junk.plt", "abc\r\n99\r\n");
    WriteFileBytes(Data() / "old.plt", "100\n77\n01.02.2026\n");
    const auto before = Values();
    Choice = "new";
    form->SpeedButton2->click();
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(U(boxes.Boxes[0].Text),
              "Для открытия данного файла необходима программа версии 1.02 или выше");
    EXPECT_EQ(U(boxes.Boxes[0].Caption), "Ошибка");
    EXPECT_EQ(Values(), before);
    Choice = "junk";
    form->SpeedButton2->click();
    EXPECT_EQ(boxes.Boxes.size(), 2u);
    EXPECT_EQ(Values(), before);
    Choice = "old";
    form->SpeedButton2->click();
    EXPECT_EQ(TMainForm::Text(form->Edit15), "77");
    EXPECT_EQ(TMainForm::Text(form->Edit24), ""); // a short file gives empty fields
}

TEST_F(FileCommandsTest, UnsavedChangesAreAskedAboutOnceAndNoKeepsTheOrder) {
    TMainForm::SetText(form->Edit16, "5");
    boxes.Answer(false);
    Choice = ""; // the open dialog is cancelled
    form->SpeedButton2->click();
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_TRUE(boxes.Boxes[0].Question);
    EXPECT_EQ(U(boxes.Boxes[0].Text), "Сохранить изменения в документе \"№ 0001 от 07.12.2026\"?");
    EXPECT_EQ(U(boxes.Boxes[0].Caption), "Сохранение данных");
    EXPECT_EQ(boxes.Boxes[0].Icon, platform::TMsgIcon::Warning);
    EXPECT_EQ(TMainForm::Text(form->Edit16), "5");
    EXPECT_TRUE(form->PlatModified);

    // A changed purpose alone is not asked about.
    form->PlatModified = false;
    form->PurposeModified = true;
    form->SpeedButton1->click();
    EXPECT_EQ(boxes.Boxes.size(), 1u);
}

TEST_F(FileCommandsTest, AFailedSaveKeepsThePreviousFileAndTheFlags) {
    Fill(Realistic());
    form->SpeedButton3->click();
    const fs::path plt = Data() / "№ 0012 от 05.03.2026 - Ромашка.plt";
    const std::string saved = ReadFileBytes(plt);

    TMainForm::SetText(form->Edit16, "999");
    TMainForm::SetText(form->Edit2, W("Бета"));
    platform::SetWriteFaultForTesting(
        [](platform::TWriteStep s) { return s == platform::TWriteStep::Rename; });
    form->SpeedButton3->click();
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(boxes.Boxes[0].Icon, platform::TMsgIcon::Error);
    EXPECT_NE(U(boxes.Boxes[0].Text).find("Input/output error"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(plt), saved);
    EXPECT_TRUE(form->PlatModified);
    EXPECT_TRUE(form->PayerModified); // the payer was not written either
    EXPECT_FALSE(fs::exists(Data() / "Бета (рс 2600123).rpl"));
}

TEST_F(FileCommandsTest, ClosingAsksAndStaysOpenOnlyWhenTheSaveFails) {
    TMainForm::SetText(form->Edit16, "5");
    platform::SetWriteFaultForTesting([](platform::TWriteStep) { return true; });
    boxes.Answer(true);
    EXPECT_FALSE(form->close());
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(boxes.Boxes.size(), 2u); // the question, then the error

    platform::SetWriteFaultForTesting(nullptr);
    boxes.Answer(true);
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(fs::exists(Data() / "№ 0001 от 07.12.2026.plt"));

    form->show();
    TMainForm::SetText(form->Edit16, "6");
    boxes.Answer(false);
    EXPECT_TRUE(form->close());
}

TEST_F(FileCommandsTest, NamelessFilesAreNotWritten) {
    TMainForm::SetText(form->Edit15, "");
    TMainForm::SetText(form->Edit9, "?");
    TMainForm::SetText(form->Edit2, W("Альфа"));
    ASSERT_TRUE(form->SpeedButton3->isEnabled());
    form->SpeedButton3->click();
    ASSERT_EQ(boxes.Boxes.size(), 1u);
    EXPECT_EQ(U(boxes.Boxes[0].Text), "Невозможно сохранить файл с пустым именем");
    EXPECT_EQ(U(boxes.Boxes[0].Caption), "Ошибка");
    EXPECT_TRUE(fs::is_empty(Data()));
    EXPECT_TRUE(form->PayerModified);
}

TEST_F(FileCommandsTest, RequisitesLoadIntoTheirPartyOnly) {
    store::WriteRequisites(Data() / "p.rpl", {W("Платник"), "B", "B2", "1", "2", "3", W("Київ")});
    store::WriteRequisites(Data() / "r.rpo", {W("Отримувач"), "-", "", "4", "5", "6", ""});
    TMainForm::SetText(form->Edit16, "5");
    form->PlatModified = false;
    form->RecipientModified = true;
    Choice = "p";
    form->SpeedButton6->click();
    EXPECT_EQ(TMainForm::Text(form->Edit2), W("Платник"));
    EXPECT_EQ(TMainForm::Text(form->Edit23), W("Київ"));
    EXPECT_FALSE(form->PayerModified);
    EXPECT_FALSE(form->PlatModified);
    EXPECT_TRUE(form->RecipientModified);
    EXPECT_EQ(TMainForm::Text(form->Edit16), "5");

    Choice = "r";
    form->SpeedButton7->click();
    EXPECT_EQ(TMainForm::Text(form->Edit9), W("Отримувач"));
    EXPECT_EQ(TMainForm::Text(form->Edit10), "");
    EXPECT_FALSE(form->RecipientModified);
    EXPECT_TRUE(form->PlatModified); // another recipient renames the order
    EXPECT_EQ(Modes, (std::vector<int>{1, 2}));
}

TEST_F(FileCommandsTest, PurposesAreSavedAndLoadedAsTheyAre) {
    TMainForm::SetText(form->Edit20, "-");
    ASSERT_TRUE(form->SpeedButton10->isEnabled());
    PurposePath = Data() / "dash.nzn";
    form->SpeedButton10->click();
    EXPECT_EQ(ReadFileBytes(PurposePath), "-\r\n");
    EXPECT_FALSE(form->PurposeModified);
    EXPECT_FALSE(form->SpeedButton10->isEnabled());

    TMainForm::SetText(form->Edit20, "other");
    PurposePath.clear(); // cancelled
    form->SpeedButton10->click();
    EXPECT_TRUE(form->PurposeModified);

    Choice = "dash";
    form->SpeedButton9->click();
    EXPECT_EQ(TMainForm::Text(form->Edit20), "-");
    EXPECT_FALSE(form->PurposeModified);
    EXPECT_TRUE(form->PlatModified);
}

// Every write path of the window, failing at every step of the write: the previous file
// stays byte for byte, the user sees why, and what was not written stays marked.
TEST_F(FileCommandsTest, EveryWriteFailingAtEveryStepLosesNothing) {
    Fill(Realistic());
    form->SpeedButton3->click();
    PurposePath = Data() / "purpose.nzn";
    form->SpeedButton10->click();
    ASSERT_TRUE(boxes.Boxes.empty());
    const fs::path files[] = {Data() / "№ 0012 от 05.03.2026 - Ромашка.plt",
                              Data() / "ТОВ Альфа (рс 2600123).rpl", Data() / "Ромашка.rpo",
                              PurposePath};

    using platform::TWriteStep;
    for (TWriteStep step :
         {TWriteStep::Create, TWriteStep::Write, TWriteStep::Flush, TWriteStep::Rename}) {
        for (int which = 0; which < 4; ++which) {
            SCOPED_TRACE("step " + std::to_string(static_cast<int>(step)) + ", file " +
                         std::to_string(which));
            // Change exactly what the file under test holds; fail only its write.
            form->PlatModified = form->PayerModified = form->RecipientModified = false;
            TEdit* edits[] = {form->Edit16, form->Edit3, form->Edit10, form->Edit20};
            TMainForm::SetText(edits[which], TMainForm::Text(edits[which]) + "1");
            const std::string before = ReadFileBytes(files[which]);
            int writes = 0;
            // The order file is written first whenever a party changed.
            const int failOn = which == 1 || which == 2 ? 2 : 1;
            platform::SetWriteFaultForTesting([&](TWriteStep s) {
                if (s == TWriteStep::Create)
                    ++writes;
                return writes == failOn && s == step;
            });
            boxes.Boxes.clear();
            if (which == 3)
                form->SpeedButton10->click();
            else
                form->SpeedButton3->click();
            platform::SetWriteFaultForTesting(nullptr);

            ASSERT_EQ(boxes.Boxes.size(), 1u);
            EXPECT_EQ(boxes.Boxes[0].Icon, platform::TMsgIcon::Error);
            EXPECT_EQ(ReadFileBytes(files[which]), before);
            switch (which) {
            case 0:
                EXPECT_TRUE(form->PlatModified);
                break;
            case 1:
                EXPECT_TRUE(form->PayerModified);
                break;
            case 2:
                EXPECT_TRUE(form->RecipientModified);
                break;
            case 3:
                EXPECT_TRUE(form->PurposeModified);
                break;
            }
            // Put the field back, so the next round starts from the saved order.
            TMainForm::SetText(
                edits[which],
                TMainForm::Text(edits[which]).substr(0, TMainForm::Text(edits[which]).size() - 1));
        }
    }
    size_t entries = 0;
    for ([[maybe_unused]] auto& e : fs::directory_iterator(Data()))
        ++entries;
    EXPECT_EQ(entries, 4u); // no temporary file left behind
}
