#pragma once
// The user's regional settings. Read once by a front end and passed down as a parameter:
// the core never asks the locale itself, because Qt switches the process locale on start
// and a number written to a file must never depend on it.

namespace platform {

// The decimal separator of the user's LC_NUMERIC locale as a Windows-1251 byte
// ('.' when the locale cannot be read or its separator has no single byte).
char UserDecimalSeparator();

} // namespace platform
