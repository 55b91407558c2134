#include "platform/Translate.h"

#include "platform/Cp1251.h"

#include <atomic>

namespace platform {

namespace {
std::atomic<TTranslator> Current{nullptr};
} // namespace

TTranslator SetTranslator(TTranslator translator) {
    return Current.exchange(translator);
}

std::string Tr(const char* context, const char* source) {
    const TTranslator translator = Current.load();
    if (!translator)
        return Utf8ToCp1251Lossy(source);
    return Utf8ToCp1251Lossy(translator(context, source));
}

std::string TrW(const char* context, std::string_view cp1251) {
    if (!Current.load() || cp1251.empty())
        return std::string(cp1251);
    return Tr(context, Cp1251ToUtf8(cp1251).c_str());
}

std::string Args(std::string text, std::initializer_list<std::string_view> args) {
    // One pass from the left, so that an argument that holds "%2" is never replaced in turn.
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const std::size_t n = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            out += *(args.begin() + n);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace platform
