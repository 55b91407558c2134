#include "support/TestSupport.h"

#include "platform/Clock.h"

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

platform::TAnswer TRecordingBoxes::Ask(const std::string& text, const std::string& caption,
                                       platform::TMsgIcon icon, platform::TAnswer defaultAnswer) {
    Boxes.push_back({text, caption, icon, true, defaultAnswer});
    if (Answers.empty()) {
        ADD_FAILURE() << "unanswered question: " << U(text);
        return platform::TAnswer::No;
    }
    const platform::TAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
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

std::vector<std::pair<std::string, std::string>> ReadCaseFile(const std::filesystem::path& path) {
    auto trim = [](const std::string& text) {
        const std::size_t b = text.find_first_not_of(' ');
        return b == std::string::npos ? std::string()
                                      : text.substr(b, text.find_last_not_of(' ') - b + 1);
    };
    std::vector<std::pair<std::string, std::string>> values;
    std::istringstream in(ReadFileBytes(path));
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (trim(line).empty() || trim(line)[0] == '#')
            continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) {
            ADD_FAILURE() << path << ": no '=' in " << line;
            continue;
        }
        values.emplace_back(trim(line.substr(0, eq)), trim(line.substr(eq + 1)));
    }
    return values;
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

bool UpdatingExpected() {
    const char* v = std::getenv("VANTREL_UPDATE_EXPECTED");
    return v && std::string(v) == "1";
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

std::optional<std::string> PdfText(const std::string& pdf, const std::string& options) {
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        return std::nullopt;
    TTempDir dir;
    WriteFileBytes(dir / "page.pdf", pdf);
    const std::string command = "pdftotext -q " + options + " '" + (dir / "page.pdf").string() +
                                "' '" + (dir / "page.txt").string() + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return std::filesystem::exists(dir / "page.txt") ? ReadFileBytes(dir / "page.txt")
                                                     : std::string();
}

} // namespace testing_support

namespace testing_support {

TWriteFault::TWriteFault(std::function<bool(platform::TWriteStep)> fault) {
    platform::SetWriteFaultForTesting(std::move(fault));
}

TWriteFault::~TWriteFault() {
    platform::SetWriteFaultForTesting(nullptr);
}

namespace {

std::optional<std::string> Replace(const char* name, const std::filesystem::path& value) {
    std::optional<std::string> old;
    if (const char* v = std::getenv(name))
        old = v;
    ::setenv(name, value.c_str(), 1);
    return old;
}

void Restore(const char* name, const std::optional<std::string>& old) {
    if (old)
        ::setenv(name, old->c_str(), 1);
    else
        ::unsetenv(name);
}

} // namespace

TScratch::TScratch()
    : SavedConfig(Replace("XDG_CONFIG_HOME", Config.Path())),
      SavedTemp(Replace("TMPDIR", Temp.Path())),
      SavedDataHome(Replace("XDG_DATA_HOME", DataHome.Path())) {
    using namespace std::chrono;
    platform::SetTodayForTesting(year{2026} / 12 / 7);
}

TScratch::~TScratch() {
    platform::SetTodayForTesting(std::nullopt);
    Restore("XDG_CONFIG_HOME", SavedConfig);
    Restore("TMPDIR", SavedTemp);
    Restore("XDG_DATA_HOME", SavedDataHome);
}

store::TPlatRecord RealisticOrder() {
    store::TPlatRecord r;
    r[order::TField::Number] = "12";
    r[order::TField::Date] = "05.03.2026";
    r[order::TField::PayerName] = W("ТОВ \"Альфа\" {дужки} \\ слеш");
    r[order::TField::PayerBank] = W("АТ КБ «ПриватБанк»");
    r[order::TField::PayerBank2] = W("філія №2");
    r[order::TField::PayerOKPO] = "12345678";
    r[order::TField::PayerMFO] = "305299";
    r[order::TField::PayerAccount] = "2600/123";
    r[order::TField::RecipientName] = W("Ромашка");
    r[order::TField::RecipientBank] = "";
    r[order::TField::RecipientBank2] = W("відділення №7");
    r[order::TField::RecipientOKPO] = "87654321";
    r[order::TField::RecipientMFO] = "300001";
    r[order::TField::RecipientAccount] = "2601";
    r[order::TField::SumaGrn] = "1500";
    r[order::TField::SumaKop] = "7";
    r[order::TField::Purpose] =
        W("Оплата за товар згідно рахунку № 15 від 01.03.2026, \\ {} ") + std::string(300, 'x');
    r[order::TField::PayerCity] = W("Київ");
    r[order::TField::RecipientCity] = W("Львів");
    return r;
}

store::TPlatRecord CompleteOrder() {
    using enum order::TField;
    store::TPlatRecord r;
    r[PayerName] = W("ТОВ \"Квітень\"");
    r[PayerBank] = W("АТ \"Райффайзен Банк\"");
    r[PayerCity] = W("Київ");
    r[PayerOKPO] = "00032129";
    r[PayerMFO] = "380805";
    r[PayerAccount] = "UA203808050000026001012345678";
    r[RecipientName] = W("ПП Ромашка");
    r[RecipientBank] = W("АТ \"Укрексімбанк\"");
    r[RecipientCity] = W("Київ");
    r[RecipientOKPO] = "14360570";
    r[RecipientMFO] = "322313";
    r[RecipientAccount] = "UA213223130000026007233566001";
    r[SumaGrn] = "1500";
    r[Purpose] = W("Оплата за канцтовари");
    return r;
}

} // namespace testing_support
