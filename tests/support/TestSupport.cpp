#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace testing_support {

TRecordingBoxes::TRecordingBoxes() : Previous(platform::SetMessageBoxes(this)) {}
TRecordingBoxes::~TRecordingBoxes() {
    platform::SetMessageBoxes(Previous);
}

void TRecordingBoxes::Show(const std::string& text, const std::string& caption,
                           platform::TMsgIcon icon) {
    Boxes.push_back({text, caption, icon, false});
}

bool TRecordingBoxes::Ask(const std::string& text, const std::string& caption,
                          platform::TMsgIcon icon) {
    Boxes.push_back({text, caption, icon, true});
    if (Answers.empty()) {
        ADD_FAILURE() << "unanswered question: " << U(text);
        return false;
    }
    const bool yes = Answers.front();
    Answers.pop_front();
    return yes;
}

std::vector<std::string> TRecordingBoxes::TextsUtf8() const {
    std::vector<std::string> out;
    for (const auto& b : Boxes)
        out.push_back(U(b.Text));
    return out;
}

TTempDir::TTempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "vantrel-test-XXXXXX").string();
    if (!::mkdtemp(templ.data()))
        throw std::runtime_error("mkdtemp failed");
    Dir = templ;
}

TTempDir::~TTempDir() {
    std::error_code ec;
    // Tests may leave read-only folders behind; make them writable before removing.
    for (auto it = std::filesystem::recursive_directory_iterator(Dir, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ec);
    std::filesystem::permissions(Dir, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(Dir, ec);
}

std::string W(const std::string& utf8) {
    auto cp = platform::Utf8ToCp1251(utf8);
    if (!cp) {
        ADD_FAILURE() << "not representable in Windows-1251: " << utf8;
        return {};
    }
    return *cp;
}

std::string U(const std::string& cp1251) {
    return platform::Cp1251ToUtf8(cp1251);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

std::size_t CountPdfPages(const std::string& pdf) {
    std::size_t pages = 0;
    for (std::size_t at = pdf.find("/Type"); at != std::string::npos;
         at = pdf.find("/Type", at + 1)) {
        std::size_t k = at + 5;
        while (k < pdf.size() && std::isspace(static_cast<unsigned char>(pdf[k])))
            ++k;
        if (pdf.compare(k, 5, "/Page") == 0 && (k + 5 >= pdf.size() || pdf[k + 5] != 's'))
            ++pages;
    }
    return pages;
}

} // namespace testing_support
