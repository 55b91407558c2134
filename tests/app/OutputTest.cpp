// The window's output button with the settings dialog in between: what the dialog stores is
// what the next blank shows.

#include "app/MainForm.h"
#include "platform/Desktop.h"
#include "settings/forms/Opt.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace testing_support;

TEST(OutputTest, ASettingChangedInTheDialogReachesTheNextBlank) {
    TScratch s;
    TRecordingBoxes boxes;
    std::vector<std::string> opened;
    platform::SetDesktopOpenerForTesting([&](const std::string& p) { opened.push_back(p); });
    TMainForm form;
    form.ProgramDir = s.Program.Path();
    form.show();
    auto output = [&] {
        form.SpeedButton8->click();
        return opened.empty() ? std::string() : ReadFileBytes(opened.back());
    };

    const std::string before = output();
    ASSERT_FALSE(before.empty());
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = dynamic_cast<TOptForm*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        acted = true;
        dialog->CheckBox6->click(); // "З правом одного підпису"
        dialog->ButOK->click();
    });
    form.SpeedButton5->click();
    ASSERT_TRUE(acted);
    EXPECT_TRUE(form.Editor.Options.ShowOneSignatureRights);
    const std::string after = output();
    platform::SetDesktopOpenerForTesting(nullptr);
    EXPECT_NE(after, before);
    const std::string signature = "\\'ef\\'b3\\'e4\\'ef\\'e8\\'f1\\'f3"; // "підпису"
    EXPECT_EQ(before.find(signature), std::string::npos);
    EXPECT_NE(after.find(signature), std::string::npos);
    EXPECT_TRUE(boxes.Boxes.empty());
}

// The opener fails after the button has returned; the window tells it all the same.
TEST(OutputTest, NoApplicationForTheDocumentIsToldWithItsFile) {
    TScratch s;
    TRecordingBoxes boxes;
    TTempDir bin;
    WriteFileBytes(bin / "xdg-open", "#!/bin/sh\nexit 3\n");
    std::filesystem::permissions(bin / "xdg-open", std::filesystem::perms::owner_all);
    const std::string oldPath = std::getenv("PATH");
    ::setenv("PATH", (bin.Path().string() + ":" + oldPath).c_str(), 1);
    TMainForm form;
    form.ProgramDir = s.Program.Path();
    form.show();
    form.SpeedButton8->click();
    EXPECT_TRUE(boxes.Boxes.empty()); // the button does not wait for the desktop
    QTRY_COMPARE_WITH_TIMEOUT(boxes.Boxes.size(), size_t(1), 5000);
    ::setenv("PATH", oldPath.c_str(), 1);
    EXPECT_EQ(U(boxes.Boxes[0].Text),
              "Не найдена программа для просмотра документов RTF. Документ сохранён в файле \"" +
                  (s.Temp.Path() / "~temp1.rtf").string() +
                  "\". Установите текстовый процессор, например LibreOffice Writer.");
    EXPECT_EQ(U(boxes.Boxes[0].Caption), "Квирен");
}
