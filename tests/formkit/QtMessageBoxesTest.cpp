// What a message box shows of a long text: the box must fit the screen and still say which
// file it means.
#include "formkit/QtMessageBoxes.h"
#include "formkit/QtText.h"

#include "support/TestSupport.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

using namespace testing_support;

namespace {

TEST(QtMessageBoxes, LongTextsArePathsAreCutToWhatCanBeRead) {
    const std::string folder = "/home/buh/" + std::string(300, 'f') + "/Data/";
    const std::string word(5000, 'X');
    struct TCase {
        std::string Text, Shown;
    } cases[] = {
        {"Файл \"/home/buh/Data/a.plt\" слишком велик",
         "Файл \"/home/buh/Data/a.plt\" слишком велик"},
        {"Ошибка открытия файла \"" + folder + "№ 0012 от 05.03.2026.plt\": No such file",
         "Ошибка открытия файла \"№ 0012 от 05.03.2026.plt\": No such file"},
        {"Сохранить изменения в документе \"№ 1 - " + word + "\"?",
         "Сохранить изменения в документе \"№ 1 - " + std::string(40, 'X') + "…" +
             std::string(37, 'X') + "\"?"},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(U(ReadableBoxText(W(c.Text))), c.Shown);

    std::string many;
    for (int i = 0; i < 100000; ++i)
        many += W("слово ") + std::to_string(i) + " ";
    const std::string shown = ReadableBoxText(many);
    EXPECT_LE(shown.size(), 2000u);
    EXPECT_EQ(shown.substr(0, 20), many.substr(0, 20));
    EXPECT_EQ(shown.substr(shown.size() - 20), many.substr(many.size() - 20));
    EXPECT_NE(shown.find('\x85'), std::string::npos) << "no ellipsis where the text was cut";

    std::string list;
    for (int i = 0; i < 100; ++i)
        list += "line " + std::to_string(i) + "\n";
    const std::string shownList = ReadableBoxText(list + "end");
    EXPECT_EQ(std::count(shownList.begin(), shownList.end(), '\n'), 29);
    EXPECT_EQ(shownList.substr(0, 7), "line 0\n");
    EXPECT_EQ(shownList.substr(shownList.size() - 11), "line 99\nend");
}

TEST(QtMessageBoxes, ABoxForAMegabyteFieldFitsTheScreen) {
    const std::string text = W("Сохранить изменения в документе \"№ 0001 от 07.12.2026 - ") +
                             std::string(1 << 20, 'W') + "\"?";
    QString shownText;
    int width = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        shownText = box->text();
        width = box->width();
        box->accept();
    });
    TQtMessageBoxes().Show(text, W("Сохранение данных"), platform::TMsgIcon::Warning);
    EXPECT_LT(shownText.size(), 600);
    EXPECT_LE(width, QApplication::primaryScreen()->availableGeometry().width());
}

} // namespace
