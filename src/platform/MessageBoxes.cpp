#include "platform/MessageBoxes.h"

#include "platform/Cp1251.h"
#include "platform/Translate.h"

#include <cstdio>

namespace platform {
namespace {

class TStderrBoxes final : public TMessageBoxes {
public:
    void Show(const std::string& text, const std::string& caption, TMsgIcon) override {
        Write(text, caption);
    }
    TAnswer Ask(const std::string& text, const std::string& caption, TMsgIcon,
                TAnswer = TAnswer::Yes) override {
        Write(text, caption);
        return TAnswer::No;
    }

private:
    static void Write(const std::string& text, const std::string& caption) {
        std::string line = caption.empty() ? text : caption + ": " + text;
        line = Cp1251ToUtf8(line) + "\n";
        std::fwrite(line.data(), 1, line.size(), stderr);
    }
};

TStderrBoxes g_StderrBoxes;
TMessageBoxes* g_Boxes = &g_StderrBoxes;

} // namespace

TMessageBoxes& MessageBoxes() {
    return *g_Boxes;
}

TMessageBoxes* SetMessageBoxes(TMessageBoxes* boxes) {
    TMessageBoxes* previous = g_Boxes;
    g_Boxes = boxes ? boxes : &g_StderrBoxes;
    return previous == &g_StderrBoxes ? nullptr : previous;
}

void ShowError(const std::string& text) {
    MessageBoxes().Show(text, platform::Tr("Messages", "Ошибка"), TMsgIcon::Error);
}

} // namespace platform
