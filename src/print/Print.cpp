#include "print/Print.h"

#include "editor/FieldChecks.h"
#include "editor/Procs.h"
#include "formkit/Language.h"
#include "invoice/Invoice.h"
#include "paint/BlankPainter.h"
#include "platform/Clock.h"
#include "platform/Cp1251.h"
#include "platform/Cp1251Literal.h"
#include "platform/Desktop.h"
#include "platform/Files.h"
#include "platform/Locale.h"
#include "platform/MessageBoxes.h"
#include "qr/InvoiceQr.h"
#include "rtf/RTF.h"
#include "settings/Options.h"
#include "store/DataFiles.h"

#include <QFile>
#include <QGuiApplication>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace fs = std::filesystem;

namespace {

constexpr int ExitRefused = 1;     // the output command would refuse the order
constexpr int ExitCannotRead = 2;  // the order or the settings cannot be read
constexpr int ExitCannotWrite = 3; // the document cannot be written
constexpr int ExitUsage = 64;      // bad arguments (EX_USAGE)

const char* const Usage =
    "usage: vantrel-print [-o OUT.rtf] [--pdf OUT.pdf] ORDER.plt\n"
    "       vantrel-print --invoice FILE_OR_TEXT\n"
    "\n"
    "Lays out the payment order stored in ORDER.plt as the printed blank, with the\n"
    "settings of the program, exactly as the window's output button does.\n"
    "\n"
    "  -o OUT.rtf     write the RTF document to OUT.rtf (replacing it) and open nothing\n"
    "  --pdf OUT.pdf  write the blank as a PDF to OUT.pdf (replacing it), the page the\n"
    "                 window's preview shows, and open nothing; needs no display\n"
    "  --invoice FILE_OR_TEXT\n"
    "                 print what the window fills from an invoice's payment QR code\n"
    "                 (the National Bank's formats 001, 002, 003), one name=value line\n"
    "                 each in UTF-8: name, code, iban, amount (hryvnias.kopecks, when the\n"
    "                 invoice has one), purpose, and bank when the IBAN's bank is known.\n"
    "                 FILE_OR_TEXT is a PNG, JPEG or PDF invoice, a text file with the\n"
    "                 link or the data, or the link or the data (from \"BCD\" on) itself;\n"
    "                 needs no display\n"
    "  -h, --help     show this help\n"
    "\n"
    "OUT \"-\" is standard output; a pipe or a device (/dev/stdout, /dev/null) is written\n"
    "into, a file is replaced whole or not at all, a write-protected file and the order\n"
    "itself never.\n"
    "\n"
    "Without -o and --pdf the document is written as a temporary file and opened\n"
    "with the desktop's application for RTF files.\n"
    "\n"
    "Exit status: 0 done; 1 the order was refused (bad number, date or amount);\n"
    "2 the order file or the settings cannot be read; 3 a document cannot be\n"
    "written, or (without -o and --pdf) no application opens it; 64 bad arguments.\n"
    "With --invoice: 0 a payment was found; 1 no payment QR code (the reason on\n"
    "standard error).\n";

void Error(const std::string& cp1251) {
    const std::string line = "vantrel-print: " + platform::Cp1251ToUtf8(cp1251) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
}

// The application, which translates the messages and, with Qt's GUI module, draws the PDF
// and reads the QR code: on the offscreen platform, for a program for scripts writes a file
// and shows nothing, so it runs where there is no display at all. Made only where no
// application is running yet.
class TOffscreenApp {
public:
    explicit TOffscreenApp(bool gui) {
        if (QCoreApplication::instance())
            return;
        if (gui)
            App = std::make_unique<QGuiApplication>(Argc, Argv);
        else
            App = std::make_unique<QCoreApplication>(Argc, Argv);
    }

private:
    // The application takes its options out of the arguments, which outlive it.
    char Name[14] = "vantrel-print", Option[10] = "-platform", Offscreen[10] = "offscreen";
    char* Argv[4] = {Name, Option, Offscreen, nullptr};
    int Argc = 3;
    std::unique_ptr<QCoreApplication> App;
};

void WritePdf(const blank::TPage& page, const std::string& path, const QString& title) {
    paint::WritePdf(layout::Lay(page), title, path, platform::TDurability::Durable);
}

int PrintInvoice(const std::string& fileOrText) {
    const TOffscreenApp app(true);
    const qr::TFound found = qr::FindInvoiceIn(fileOrText);
    if (!found.Payment) {
        Error(found.Message);
        return ExitRefused;
    }
    const std::string lines = invoice::InvoiceLines(*found.Payment);
    std::fwrite(lines.data(), 1, lines.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : ExitCannotWrite;
}

int Run(int argc, char** argv) {
    std::string out, pdf, order;
    bool haveOut = false, havePdf = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "-h" || arg == "--help") {
            std::fputs(Usage, stdout);
            return 0;
        }
        if (arg == "--invoice") {
            if (argc != 3 || i != 1) {
                std::fputs(Usage, stderr);
                return ExitUsage;
            }
            return PrintInvoice(argv[2]);
        }
        if (arg == "-o" || arg == "--pdf") {
            bool& have = arg == "-o" ? haveOut : havePdf;
            if (have || i + 1 >= argc) {
                std::fputs(Usage, stderr);
                return ExitUsage;
            }
            (arg == "-o" ? out : pdf) = argv[++i];
            have = true;
        } else if (!arg.empty() && arg[0] == '-' && arg != "-") {
            std::fprintf(stderr, "vantrel-print: unknown option %s\n", arg.c_str());
            std::fputs(Usage, stderr);
            return ExitUsage;
        } else if (order.empty()) {
            order = arg;
        } else {
            std::fputs(Usage, stderr);
            return ExitUsage;
        }
    }
    if (order.empty() || (haveOut && out.empty()) || (havePdf && pdf.empty())) {
        std::fputs(Usage, stderr);
        return ExitUsage;
    }

    const TOffscreenApp app(havePdf);

    const char separator = platform::UserDecimalSeparator();
    store::TPlatRecord plat;
    TOptions::DefaultUiLang = LocaleInterfaceLanguage();
    TOptions options;
    try {
        // The settings first: they choose the language of every message after them.
        options.Load();
        SetInterfaceLanguage(options.UiLang);
        plat = store::ReadPlat(order, separator);
    } catch (const std::exception& e) {
        Error(e.what());
        return ExitCannotRead;
    }

    // The blank written over the order would lose the order for good.
    for (const std::string* target : {&out, &pdf}) {
        if (!target->empty() && platform::SameFile(*target, order)) {
            Error(
                platform::Tr("Print",
                             "Документ не может быть записан в файл самого платёжного поручения") +
                " \"" + platform::DisplayPath(*target) + "\"");
            return ExitUsage;
        }
    }

    auto composed = ComposePlatData(plat, options, separator, platform::Today().year());
    if (auto* message = std::get_if<std::string>(&composed)) {
        Error(*message);
        return ExitRefused;
    }
    const TPlatData& data = std::get<TPlatData>(composed);
    const blank::TPage page = data.Blank();
    // What the window would ask about is told, and the document is written all the same.
    for (const std::string& warning :
         editor::OutputWarnings(plat, data.Languages.Kind, page, separator))
        Error(warning);
    // A reader that goes away (a pipe closed early) is a write that failed, not a kill.
    std::signal(SIGPIPE, SIG_IGN);
    try {
        if (havePdf) {
            // The order's file is named as the window names the order.
            WritePdf(page, pdf, QFile::decodeName(fs::path(order).stem().c_str()));
        }
        if (haveOut) {
            platform::WriteOutput(out, rtf::Document(page));
        } else if (!havePdf) {
            // A failure to write is told on standard error, as a message box.
            if (!platform::OpenAsTempDocument(rtf::Document(page)))
                return ExitCannotWrite;
            // The document is there, but nobody would see it: say where it is.
            if (const auto failed = platform::WaitForOpeners(); !failed.empty()) {
                Error(NoViewerMessage(failed.front()));
                return ExitCannotWrite;
            }
        }
    } catch (const std::exception& e) {
        Error(e.what());
        return ExitCannotWrite;
    }
    return 0;
}

} // namespace

int VantrelPrint(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const std::exception& e) {
        // Whatever was not foreseen still ends with its reason and a failure status.
        Error(e.what());
        return ExitCannotWrite;
    }
}
