#pragma once
// The edge between the core's Windows-1251 text and Qt's Unicode, for every form and for
// the painter of the blank (QtCore only, so that vantrel-print can use it without widgets).

#include <QString>
#include <optional>
#include <string>
#include <string_view>

// Windows-1251 bytes to a QString; every byte has a character.
QString FromCp1251(std::string_view text);

// The Windows-1251 bytes of `text`, or nothing when a character has no byte.
std::optional<std::string> ToCp1251(const QString& text);

// The Windows-1251 bytes of `text`, dropping every character that has no byte.
std::string ToCp1251Lossy(const QString& text);

// Whether the code page can hold this UTF-16 unit sequence's character.
bool IsCp1251Char(char32_t cp);

// The translation of a Windows-1251 text of the core's tables (marked with TR_NOOP_W).
QString TrCp1251(const char* context, std::string_view text);
