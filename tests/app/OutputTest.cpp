// The window's output button with the settings dialog in between: what the dialog stores is
// what the next blank shows.

#include "app/MainForm.h"
#include "platform/Desktop.h"
#include "settings/forms/Opt.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
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
