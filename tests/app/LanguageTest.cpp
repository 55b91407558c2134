// The two interface languages: the Ukrainian translation is complete, every window shows it
// with nothing Russian left over, and a change reaches the open windows and the core's texts.
#include "formkit/Language.h"
#include "about/About.h"
#include "app/MainForm.h"
#include "editor/Procs.h"
#include "formkit/QtText.h"
#include "preview/Preview.h"
#include "settings/Options.h"
#include "settingsui/Opt.h"
#include "storeui/GetNZNFileName.h"
#include "storeui/Open.h"
#include "support/TestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QRegularExpression>
#include <QTabWidget>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace testing_support;

namespace {

struct TEntry {
    QString Context, Source, Translation;
    bool Finished;
};

std::vector<TEntry> ReadTs() {
    QFile file(QStringLiteral(VANTREL_TS_FILE));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::vector<TEntry> entries;
    QXmlStreamReader xml(&file);
    QString context;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name") {
            context = xml.readElementText();
        } else if (xml.name() == u"source") {
            entries.push_back({context, xml.readElementText(), {}, false});
        } else if (xml.name() == u"translation" && !entries.empty()) {
            const QString type = xml.attributes().value(QStringLiteral("type")).toString();
            entries.back().Translation = xml.readElementText();
            entries.back().Finished = type.isEmpty() && !entries.back().Translation.isEmpty();
        }
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return entries;
}

// Every text a user sees on a window and its children: captions, titles, items, tooltips.
std::vector<QString> VisibleTexts(QWidget* window) {
    std::vector<QString> texts = {window->windowTitle()};
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.append(window);
    for (QWidget* w : widgets) {
        texts.push_back(w->toolTip());
        texts.push_back(w->statusTip());
        if (auto* l = qobject_cast<QLabel*>(w))
            texts.push_back(l->text());
        if (auto* b = qobject_cast<QAbstractButton*>(w))
            texts.push_back(b->text());
        if (auto* g = qobject_cast<QGroupBox*>(w))
            texts.push_back(g->title());
        if (auto* c = qobject_cast<QComboBox*>(w))
            for (int i = 0; i < c->count(); ++i)
                texts.push_back(c->itemText(i));
        if (auto* t = qobject_cast<QTabWidget*>(w))
            for (int i = 0; i < t->count(); ++i)
                texts.push_back(t->tabText(i));
    }
    return texts;
}

class LanguageTest : public ::testing::Test {
protected:
    void TearDown() override { SetInterfaceLanguage(blank::TLang::Russian); }

    TScratch S;
    TRecordingBoxes Boxes;
};

} // namespace

TEST(Translation, EveryEntryIsFinished) {
    const std::vector<TEntry> entries = ReadTs();
    EXPECT_GT(entries.size(), 150u);
    for (const TEntry& e : entries)
        EXPECT_TRUE(e.Finished) << e.Context.toStdString() << ": " << e.Source.toStdString();
}

// With the Ukrainian translation in use, a text of a window that is one of the Russian
// sources bypassed the translation; the texts both languages write alike are no finding.
TEST_F(LanguageTest, NoWindowShowsARussianTextInUkrainian) {
    // The Russian sources that have a Ukrainian text of their own ("Дата" is both).
    auto bare = [](QString text) { return text.remove(u'&').trimmed(); };
    std::set<QString> russian, ukrainian;
    for (const TEntry& e : ReadTs()) {
        if (e.Translation != e.Source)
            russian.insert(bare(e.Source));
        ukrainian.insert(bare(e.Translation));
    }
    for (const QString& text : ukrainian)
        russian.erase(text);

    // The stored choice, as the window reads it when it opens.
    TOptions options;
    options.UiLang = blank::TLang::Ukrainian;
    const auto composed = ComposePlatData(RealisticOrder(), options, ',', std::chrono::year(2026));
    const blank::TPage page = std::get<TPlatData>(composed).Blank();

    std::vector<std::pair<std::string, std::unique_ptr<QWidget>>> windows;
    for (const blank::TBlankKind kind :
         {blank::TBlankKind::PaymentInstruction, blank::TBlankKind::PaymentOrder}) {
        options.BlankKind = kind;
        options.Save();
        auto main = std::make_unique<TMainForm>();
        main->ProgramDir = S.Program.Path();
        main->show();
        windows.emplace_back("main window", std::move(main));
    }
    windows.emplace_back("settings", std::make_unique<TOptForm>(options));
    for (std::uint8_t mode = 0; mode < 4; ++mode) {
        auto open = std::make_unique<TOpenForm>(S.Data());
        open->Mode = mode;
        windows.emplace_back("open dialog " + std::to_string(mode), std::move(open));
    }
    windows.emplace_back("purpose name", std::make_unique<TGetNZNFileNameForm>());
    windows.emplace_back("preview", std::make_unique<TPreviewForm>(page, QStringLiteral("x")));
    windows.emplace_back("about", std::make_unique<TAboutForm>());
    for (auto& [name, window] : windows) {
        window->show();
        QApplication::processEvents();
        for (const QString& shown : VisibleTexts(window.get())) {
            // A tooltip adds the keys to its hint, a title the order's name to its own.
            const QString text = bare(shown);
            const QString hint =
                QString(text).remove(QRegularExpression(QStringLiteral(" \\([^()]*\\)$")));
            const QString title = text.section(u'—', 0, 0).trimmed();
            EXPECT_FALSE(russian.contains(text) || russian.contains(hint) ||
                         russian.contains(title))
                << name << ": " << text.toStdString();
        }
    }
}

// The language changes at once in the open window, and the core's texts follow it: the name
// of a new order, a refusal.
TEST_F(LanguageTest, AChangeReachesTheOpenWindowAndTheCoreTexts) {
    struct Case {
        blank::TLang Lang;
        const char *Title, *FileName, *Refusal;
    };
    const Case cases[] = {
        {blank::TLang::Ukrainian, "Квирен, версія 1.12", "№ 0001 від 07.12.2026",
         "Некоректно задано суму"},
        {blank::TLang::Russian, "Квирен, версия 1.12", "№ 0001 от 07.12.2026",
         "Некорректно задана сумма"},
    };
    TMainForm window;
    window.ProgramDir = S.Program.Path();
    window.show();
    store::TPlatRecord order = RealisticOrder();
    order[order::TField::SumaGrn] = "x";
    for (const Case& c : cases) {
        SetInterfaceLanguage(c.Lang);
        QApplication::processEvents();
        EXPECT_EQ(window.windowTitle().toStdString(), c.Title);
        window.Editor.NewPlat();
        EXPECT_EQ(U(window.Editor.Text(order::TField::PlatFileName)), c.FileName);
        EXPECT_EQ(U(OrderRefusal(order, ',', std::chrono::year(2026)).value_or("")), c.Refusal);
    }
}
