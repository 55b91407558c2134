// The window's output button with the settings dialog in between: what the dialog stores is
// what the next blank shows.

#include "app/MainForm.h"
#include "platform/Desktop.h"
#include "preview/Preview.h"
#include "settingsui/Opt.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

// A complete order typed into a new one: the question before printing has nothing to ask.
void TypeCompleteOrder(TMainForm& form) {
    const store::TPlatRecord order = CompleteOrder();
    for (const editor::TFieldInfo& info : editor::Fields)
        if (!order[info.Field].empty())
            form.Editor.SetText(info.Field, order[info.Field]);
}

} // namespace

TEST(OutputTest, ASettingChangedInTheDialogReachesTheNextBlank) {
    TScratch s;
    TRecordingBoxes boxes;
    std::vector<std::string> opened;
    platform::SetDesktopOpenerForTesting([&](const std::string& p) { opened.push_back(p); });
    TMainForm form;
    form.ProgramDir = s.Program.Path();
    form.show();
    TypeCompleteOrder(form);
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

// The opener fails after the button has returned; the window tells it all the same, and
// offers the preview of that blank instead.
TEST(OutputTest, NoApplicationForTheDocumentIsToldWithItsFileAndThePreviewOffered) {
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
    TypeCompleteOrder(form);
    for (const bool yes : {false, true}) {
        boxes.Boxes.clear();
        boxes.Answer(yes);
        QString previewed;
        form.SpeedButton8->click();
        EXPECT_TRUE(boxes.Boxes.empty()); // the button does not wait for the desktop
        // The preview, when it opens, is shown modally from inside the wait below.
        QTimer watch;
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto* preview = dynamic_cast<TPreviewForm*>(QApplication::activeModalWidget())) {
                previewed = preview->windowTitle();
                preview->CloseButton->click();
            }
        });
        watch.start(20);
        QTRY_COMPARE_WITH_TIMEOUT(boxes.Boxes.size(), size_t(1), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(previewed.isEmpty(), !yes, 5000);
        EXPECT_EQ(
            U(boxes.Boxes[0].Text),
            "Не найдена программа для просмотра документов RTF. Документ сохранён в файле \"" +
                (platform::TempDirectory() / (yes ? "~temp2.rtf" : "~temp1.rtf")).string() +
                "\". Установите текстовый процессор, например LibreOffice Writer.\n\n"
                "Открыть предварительный просмотр?");
        EXPECT_EQ(U(boxes.Boxes[0].Caption), "Квирен");
        if (yes) {
            EXPECT_EQ(
                previewed,
                QStringLiteral("Предварительный просмотр — № 0001 от 07.12.2026 - ПП Ромашка"));
        }
    }
    ::setenv("PATH", oldPath.c_str(), 1);
}

// Ctrl+Shift+P opens the preview, Escape closes it; it prints through the printer the print dialog
// would give (here Qt's PDF output, no dialog) the very page of its own PDF, at the same places,
// and proposes the order's file name for that PDF.
TEST(OutputTest, ThePreviewOpensFromTheKeyboardAndPrintsItsPage) {
    TScratch s;
    TRecordingBoxes boxes;
    TTempDir out;
    TMainForm form;
    form.ProgramDir = s.Program.Path();
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    TypeCompleteOrder(form);
    QString proposed;
    bool shown = false;
    QTimer::singleShot(0, [&] {
        auto* preview = dynamic_cast<TPreviewForm*>(QApplication::activeModalWidget());
        ASSERT_NE(preview, nullptr);
        shown = true;
        preview->AskPrinter = [&](QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(QString::fromStdString((out / "printed.pdf").string()));
            return true;
        };
        preview->AskPdfFileName = [&](const QString& name) {
            proposed = name;
            return QString::fromStdString((out / "saved.pdf").string());
        };
        preview->PrintButton->click();
        preview->PdfButton->click();
        QTest::keyClick(preview, Qt::Key_Escape);
    });
    QTest::keyClick(form.Edit16, Qt::Key_P, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_TRUE(shown);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "Escape closes the preview";
    EXPECT_EQ(proposed, QStringLiteral("№ 0001 от 07.12.2026 - ПП Ромашка.pdf"));
    const std::string printed = ReadFileBytes(out / "printed.pdf");
    EXPECT_EQ(CountPdfPages(printed), 1u);
    // Where the title's first word stands on the paper, in points.
    const auto where = [](const std::string& pdf) {
        const std::string boxes = PdfText(pdf, "-bbox").value_or("");
        const std::size_t word = boxes.rfind("<word", boxes.find(">ПЛАТІЖНЕ<"));
        double x = -1, y = -1;
        if (word != std::string::npos)
            std::sscanf(boxes.c_str() + word, "<word xMin=\"%lf\" yMin=\"%lf\"", &x, &y);
        return std::make_pair(x, y);
    };
    const auto [x, y] = where(printed);
    const auto [pdfX, pdfY] = where(ReadFileBytes(out / "saved.pdf"));
    EXPECT_GT(x, 0) << "no title on the printed page";
    EXPECT_NEAR(x, pdfX, 0.5);
    EXPECT_NEAR(y, pdfY, 0.5);
    EXPECT_TRUE(boxes.Boxes.empty());
}
