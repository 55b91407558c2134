// Invoices as they come, one case a file in cases/: a link, the data in either encoding, a
// picture of the code (clean, turned and faint, stained past mending), a PDF invoice, or
// text given on the command line (NAME.arg: its content is the argument). NAME.expected
// holds what vantrel-print --invoice prints for it, or "!" and the message when there is no
// payment. Run with VANTREL_UPDATE_EXPECTED=1 to write the expected files anew (then read
// them before keeping them).

#include "invoice/Invoice.h"
#include "platform/Cp1251.h"
#include "qr/InvoiceQr.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <variant>

namespace fs = std::filesystem;

using namespace testing_support;

namespace {

const fs::path kCases = INVOICE_CASES;

std::vector<std::string> CaseNames() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(kCases))
        if (entry.path().extension() != ".expected")
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string Printed(const fs::path& input) {
    const std::string argument =
        input.extension() == ".arg" ? ReadFileBytes(input) : input.string();
    const qr::TFound found = qr::FindInvoiceIn(argument);
    if (!found.Payment)
        return "!" + platform::Cp1251ToUtf8(found.Message) + "\n";
    return invoice::InvoiceLines(*found.Payment);
}

class InvoiceCase : public ::testing::TestWithParam<std::string> {};

TEST_P(InvoiceCase, PrintsWhatTheWindowFills) {
    const fs::path input = kCases / GetParam();
    const fs::path expected = kCases / (GetParam() + ".expected");
    const std::string printed = Printed(input);
    if (UpdatingExpected()) {
        WriteFileBytes(expected, printed);
        return;
    }
    ASSERT_TRUE(fs::exists(expected)) << "no " << expected;
    EXPECT_EQ(printed, ReadFileBytes(expected));
    // A payment's texts are single lines the order can hold.
    for (const char* name : {"name=", "purpose=", "code="})
        if (const std::size_t at = printed.find(name); at != std::string::npos) {
            EXPECT_LT(printed.find('\n', at), printed.find(name, at + 1));
        }
}

std::string RowName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name = info.param;
    std::replace_if(
        name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Cases, InvoiceCase, ::testing::ValuesIn(CaseNames()), RowName);

} // namespace
