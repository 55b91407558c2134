// The About box: how it closes and what its links ask the desktop to open.
#include "about/About.h"
#include "platform/Desktop.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

class AboutFormTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::SetDesktopOpenerForTesting(
            [this](const std::string& target) { Opened.push_back(target); });
    }
    void TearDown() override { platform::SetDesktopOpenerForTesting(nullptr); }
    std::vector<std::string> Opened;
};

TEST_F(AboutFormTest, ShowsTheNameAndVersionWhenShown) {
    TAboutForm f;
    EXPECT_EQ(f.windowTitle(), QStringLiteral("О программе"));
    EXPECT_EQ(f.size(), QSize(272, 217));
    f.show();
    EXPECT_EQ(f.Label4->text(), QStringLiteral("Квирен, версия 1.12"));
    EXPECT_TRUE(f.Label4->font().bold());
    EXPECT_EQ(f.But_OK->text(), QStringLiteral("OK"));
    EXPECT_TRUE(Opened.empty());
}

TEST_F(AboutFormTest, EscapeClosesTheBoxWhateverHasTheFocus) {
    const char* names[] = {"", "But_OK", "Label1", "Label2", "Label5", "Image1"};
    for (const char* name : names) {
        TAboutForm f;
        f.show();
        QWidget* target = *name ? f.findChild<QWidget*>(name) : static_cast<QWidget*>(&f);
        ASSERT_NE(target, nullptr) << name;
        QTest::keyClick(target, Qt::Key_Escape);
        EXPECT_FALSE(f.isVisible()) << name;
    }
    // Other keys do nothing here.
    TAboutForm f;
    f.show();
    QTest::keyClick(f.Label2, Qt::Key_A);
    QTest::keyClick(f.But_OK, Qt::Key_F1);
    EXPECT_TRUE(f.isVisible());
}

TEST_F(AboutFormTest, OkClosesTheBox) {
    TAboutForm f;
    f.show();
    QTest::mouseClick(f.But_OK, Qt::LeftButton);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);
    TAboutForm g;
    g.show();
    QTest::keyClick(g.But_OK, Qt::Key_Return);
    EXPECT_FALSE(g.isVisible());
}

TEST_F(AboutFormTest, TheLinksOpenTheMailWithItsSubjectAndTheWebAddress) {
    TAboutForm f;
    f.show();
    EXPECT_EQ(f.Label2->text(), QStringLiteral("vantrel@example.org"));
    QTest::mouseClick(f.Label2, Qt::LeftButton);
    QTest::mouseClick(f.Label1, Qt::LeftButton);
    ASSERT_EQ(Opened.size(), 2u);
    EXPECT_EQ(Opened[0], "mailto:vantrel@example.org?Subject=From Vantrel Programm 1.12");
    EXPECT_EQ(Opened[1], "https://www.example.org/vantrel/");
    EXPECT_TRUE(f.isVisible()) << "a link does not close the box";
    EXPECT_EQ(f.Label2->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(f.Label1->font().underline());

    // A press that ends outside the label, or another button, is no click.
    QTest::mousePress(f.Label2, Qt::LeftButton);
    QTest::mouseRelease(f.Label2, Qt::LeftButton, {}, QPoint(-5, -5));
    QTest::mouseClick(f.Label1, Qt::RightButton);
    EXPECT_EQ(Opened.size(), 2u);
}

TEST_F(AboutFormTest, ShowAboutBoxIsModalAndReturnsWhenClosed) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
        auto* f = dynamic_cast<TAboutForm*>(QApplication::activeModalWidget());
        if (!f) {
            ADD_FAILURE() << "the box is not the modal window";
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* box = dynamic_cast<TAboutForm*>(w); box && box->isVisible())
                    box->reject();
            return;
        }
        acted = true;
        QTest::keyClick(f->But_OK, Qt::Key_Escape);
    });
    ShowAboutBox();
    EXPECT_TRUE(acted);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// A picture of the box for the documentation, only when asked for:
// VANTREL_SCREENSHOTS=<folder>.
TEST_F(AboutFormTest, Screenshot) {
    const char* folder = std::getenv("VANTREL_SCREENSHOTS");
    if (!folder || !*folder)
        GTEST_SKIP() << "VANTREL_SCREENSHOTS not set";
    TAboutForm f;
    f.show();
    QTest::qWait(50);
    EXPECT_TRUE(f.grab().save(QString::fromLocal8Bit(folder) + "/about.png"));
}

} // namespace
