#pragma once
// The interface language: Qt's own texts (qtbase_uk / qtbase_ru), the program's Ukrainian
// translation of its Russian texts, and the core's texts through platform::Tr. QtCore only,
// so that vantrel-print speaks the same language as the window.

#include "doc/Languages.h"

// The language of the user's locale: Ukrainian for "uk", Russian for anything else.
blank::TLang LocaleInterfaceLanguage();

// Replaces the translators of the previous language with those of `lang`; every widget
// receives QEvent::LanguageChange. Returns false when Qt's own translation is missing (the
// program's own is built in and always there).
bool SetInterfaceLanguage(blank::TLang lang);

// The language set last (Russian before the first call).
blank::TLang InterfaceLanguage();
// Sets `lang` unless it is the one in use: every open window takes a new one at once.
void SwitchInterfaceLanguage(blank::TLang lang);
