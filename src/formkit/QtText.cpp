#include "formkit/QtText.h"

#include "platform/Cp1251.h"

#include <QCoreApplication>
#include <QList>

#include <array>

QString FromCp1251(std::string_view text) {
    // Every character of the code page lies in the BMP: one UTF-16 unit per byte, looked up
    // and written in place (the open dialog converts every name of a folder of many
    // thousands of orders).
    static const std::array<char16_t, 256> units = [] {
        std::array<char16_t, 256> table{};
        for (int b = 0; b < 256; ++b)
            table[static_cast<size_t>(b)] =
                static_cast<char16_t>(platform::Cp1251ToUnicode(static_cast<unsigned char>(b)));
        return table;
    }();
    QString out(static_cast<qsizetype>(text.size()), Qt::Uninitialized);
    QChar* unit = out.data();
    for (char c : text)
        *unit++ = QChar(units[static_cast<unsigned char>(c)]);
    return out;
}

std::optional<std::string> ToCp1251(const QString& text) {
    std::string out;
    out.reserve(static_cast<size_t>(text.size()));
    for (char32_t cp : text.toUcs4()) {
        auto b = platform::UnicodeToCp1251(cp);
        if (!b)
            return std::nullopt;
        out += static_cast<char>(*b);
    }
    return out;
}

std::string ToCp1251Lossy(const QString& text) {
    std::string out;
    for (char32_t cp : text.toUcs4())
        if (auto b = platform::UnicodeToCp1251(cp))
            out += static_cast<char>(*b);
    return out;
}

bool IsCp1251Char(char32_t cp) {
    return platform::UnicodeToCp1251(cp).has_value();
}

QString TrCp1251(const char* context, std::string_view text) {
    if (text.empty())
        return {};
    return QCoreApplication::translate(context, platform::Cp1251ToUtf8(text).c_str());
}
