#pragma once
// Seams every test uses: message boxes that record and answer, a fresh folder per test,
// and a UTF-8 to Windows-1251 shorthand for expected texts.

#include "platform/Cp1251.h"
#include "platform/Cp1251Literal.h"
#include "platform/Files.h"
#include "platform/MessageBoxes.h"
#include "store/DataFiles.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace testing_support {

struct TRecordedBox {
    std::string Text;    // Windows-1251
    std::string Caption; // Windows-1251
    platform::TMsgIcon Icon;
    bool Question;
    platform::TAnswer Default = platform::TAnswer::Yes; // of a question
};

// Installed for its lifetime. Questions take the queued answers in order; a question with
// no answer queued fails the test (nothing may be left waiting).
class TRecordingBoxes final : public platform::TMessageBoxes {
public:
    TRecordingBoxes();
    ~TRecordingBoxes() override;
    void Show(const std::string& text, const std::string& caption,
              platform::TMsgIcon icon) override;
    platform::TAnswer Ask(const std::string& text, const std::string& caption,
                          platform::TMsgIcon icon,
                          platform::TAnswer defaultAnswer = platform::TAnswer::Yes) override;

    void Answer(bool yes) {
        Answers.push_back(yes ? platform::TAnswer::Yes : platform::TAnswer::No);
    }
    // The next question is closed with Escape.
    void Dismiss() { Answers.push_back(platform::TAnswer::Dismissed); }
    // Texts of all boxes shown, in UTF-8 for readable assertions.
    std::vector<std::string> TextsUtf8() const;

    std::vector<TRecordedBox> Boxes;
    std::deque<platform::TAnswer> Answers;

private:
    platform::TMessageBoxes* Previous;
};

// A new empty folder below the system's temporary folder, removed with the object.
class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;
    const std::filesystem::path& Path() const { return Dir; }
    std::filesystem::path operator/(const std::string& name) const { return Dir / name; }

private:
    std::filesystem::path Dir;
};

// Makes the atomic writes fail at the steps `fault` chooses, for the object's lifetime.
class TWriteFault {
public:
    explicit TWriteFault(std::function<bool(platform::TWriteStep)> fault = {});
    ~TWriteFault();
    TWriteFault(const TWriteFault&) = delete;
    TWriteFault& operator=(const TWriteFault&) = delete;
};

// The world of one test, undone with the object: settings in a fresh folder (so the defaults
// apply), temporary files in another, the user's data folder (XDG_DATA_HOME) in a third, today
// fixed at 7 December 2026, and a program folder whose "Data" is the data folder.
class TScratch {
public:
    TScratch();
    ~TScratch();
    TScratch(const TScratch&) = delete;
    TScratch& operator=(const TScratch&) = delete;
    std::filesystem::path Data() const { return Program / "Data"; }

    TTempDir Config, Temp, Program, DataHome;

private:
    std::optional<std::string> SavedConfig, SavedTemp, SavedDataHome;
};

// An order as an accountant types it, with what tends to break things: quotes, braces, a
// backslash, «», №, an empty field, a one-digit kopeck and a long purpose. It is saved as "№ 0012
// от 05.03.2026 - Ромашка".
store::TPlatRecord RealisticOrder();

// The requisites, the amount and the purpose of an order that every check passes and that
// leaves nothing essential empty: the question before printing has nothing to ask about it.
// No number and no date: those of a new order stay.
store::TPlatRecord CompleteOrder();

// "Текст" in UTF-8 to Windows-1251 bytes (the test fails on a character without a byte).
std::string W(const std::string& utf8);
// Windows-1251 to UTF-8, for messages of failed assertions.
std::string U(const std::string& cp1251);

std::string ReadFileBytes(const std::filesystem::path& path);
// The "Name = value" lines of a case file of the blank's tests, trimmed and in order (UTF-8);
// blank lines and "#" comments skipped, a line without "=" fails the test.
std::vector<std::pair<std::string, std::string>> ReadCaseFile(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);
// Whether a table of cases writes its expected files anew (VANTREL_UPDATE_EXPECTED=1) rather
// than checking against them.
bool UpdatingExpected();

// Page objects of a PDF: "/Type /Page" (any white space between), not "/Type /Pages".
std::size_t CountPdfPages(const std::string& pdf);
// The text pdftotext reads from a PDF with `options` ("-layout", "-bbox"...), or nothing when
// poppler-utils is not installed; a PDF it cannot read fails the test.
std::optional<std::string> PdfText(const std::string& pdf, const std::string& options = "");

} // namespace testing_support
