#pragma once
// The core's texts in the interface language. The core writes its Russian texts as UTF-8
// literals and asks for them here with a context, as Qt's translate() is asked; a front end
// installs the translator (QCoreApplication::translate behind it), and without one the
// Russian text itself is used. lupdate finds the texts by these names (see translations/).

#include <initializer_list>
#include <string>
#include <string_view>

namespace platform {

// Takes a context and a UTF-8 source text and returns its UTF-8 translation, or the source.
using TTranslator = std::string (*)(const char* context, const char* source);

// Installs `translator` (nullptr: the sources themselves) and returns the previous one.
TTranslator SetTranslator(TTranslator translator);

// The translation of the UTF-8 literal `source`, as Windows-1251 bytes.
std::string Tr(const char* context, const char* source);

// The translation of a Windows-1251 text whose source was marked with TR_NOOP_W: a table's
// entry that is a compile-time Windows-1251 literal.
std::string TrW(const char* context, std::string_view cp1251);

// Replaces "%1".."%9" in `text` with the arguments in order: a translated sentence keeps the
// place of the names it quotes, whatever the word order of its language.
std::string Args(std::string text, std::initializer_list<std::string_view> args);

} // namespace platform

// Marks a UTF-8 source for lupdate where Tr is called later with it.
#define TR_NOOP(context, text) text

// Marks a Windows-1251 table literal for lupdate; TrW translates it where it is shown.
#define TR_NOOP_W(context, text) text##_w
