#include "app/QtText.h"

#include "platform/Cp1251.h"

#include <QList>

QString FromCp1251(const std::string& text) {
    QString out;
    out.reserve(static_cast<qsizetype>(text.size()));
    for (char c : text)
        out += QChar(static_cast<char16_t>(platform::Cp1251ToUnicode(static_cast<unsigned char>(c))));
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

bool IsCp1251Char(char32_t cp) { return platform::UnicodeToCp1251(cp).has_value(); }
