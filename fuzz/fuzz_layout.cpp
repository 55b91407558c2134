// The whole blank: an order file's bytes and a set of options through the output command's
// checks and the layout, as the output button and vantrel-print do.
//
// Input: five bytes of options (display flags, the three language options, the decimal
// separator and the current year), then the order file; its lines after the twentieth, when
// present, replace the four VAT wordings.
//
// Properties: reading and composing throw nothing but the data files' own errors; an order
// refused by the checks is refused with a message; a laid-out document is well formed (valid
// controls and escapes, braces balanced and closed at its very end), every run decodes under
// the escaping rules, and the text of every field of the order is printed, as are the
// order's number and its purpose.

#include "FuzzCheck.h"
#include "RtfCheck.h"

#include "doc/PlatRTFDoc.h"
#include "editor/Procs.h"
#include "rtf/RTF.h"
#include "settings/Options.h"
#include "store/DataFiles.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

using fuzz::Check;

namespace {

blank::TLangChoice LangOption(std::uint8_t b) {
    return *blank::LangChoiceOf(b % 3 - 1);
}

// The printed text of the document: every run decoded, one after the other.
std::string PrintedText(const std::string& doc) {
    std::string text;
    std::size_t at = 0;
    while ((at = doc.find("\\plain", at)) != std::string::npos) {
        const std::size_t start = doc.find(' ', at);
        const std::size_t end = doc.find("\r\n", start);
        Check(start != std::string::npos && end != std::string::npos, "a run without its text",
              doc.substr(at, 64));
        text += fuzz::Unescape(std::string_view(doc).substr(start + 1, end - start - 1));
        at = end;
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::SilenceMessageBoxes();
    if (size < 5)
        return 0;
    TOptions options;
    options.BoldPlatName = data[0] & 1;
    options.BoldPolName = data[0] & 2;
    options.fNDS = data[0] & 4;
    options.fBezNDS = data[0] & 8;
    options.ShowCopyNumber = data[0] & 16;
    options.ShowOneSignatureRights = data[0] & 32;
    options.BlankLang = *blank::LangOf(data[1] % 2);
    options.BlankKind =
        (data[1] & 2) ? blank::TBlankKind::PaymentInstruction : blank::TBlankKind::PaymentOrder;
    options.DateLang = LangOption(data[2]);
    options.SumaLang = LangOption(data[3]);
    const char separator = (data[4] & 1) ? ',' : '.';
    const std::chrono::year year{1990 + (data[4] >> 1)};
    const std::string_view file(reinterpret_cast<const char*>(data + 5), size - 5);

    store::TPlatRecord order;
    try {
        order = store::ParsePlat(file, separator);
    } catch (const store::TDataFileError&) {
        return 0;
    }
    const std::vector<std::string_view> lines = store::SplitLines(file);
    std::string* const wordings[] = {&options.strNDS, &options.strBezNDS, &options.strNDSRus,
                                     &options.strBezNDSRus};
    for (std::size_t i = 0; i < 4 && 20 + i < lines.size(); ++i)
        *wordings[i] = lines[20 + i];

    auto composed = ComposePlatData(order, options, separator, year);
    if (const auto* message = std::get_if<std::string>(&composed)) {
        Check(!message->empty(), "an order refused without a message");
        return 0;
    }
    const TPlatData& plat = std::get<TPlatData>(composed);
    const std::string doc = rtf::Document(plat.Blank());
    fuzz::CheckDocument(doc);
    const std::string printed = PrintedText(doc);

    // Every party's requisite and the purpose, as typed; the payment instruction has no MFO:
    // the bank is in the IBAN.
    const bool instruction = options.BlankKind == blank::TBlankKind::PaymentInstruction;
    for (const order::TFieldInfo& info : order::Fields) {
        const bool shown =
            info.Party != order::TParty::None || info.Field == order::TField::Purpose;
        if (!shown || (instruction && info.Slot == order::TSlot::MFO))
            continue;
        Check(printed.find(order[info.Field]) != std::string::npos,
              "a field of the order is not printed", order[info.Field]);
    }
    Check(printed.find(std::to_string(plat.Number)) != std::string::npos,
          "the order's number is not printed", order[order::TField::Number]);
    return 0;
}
