#pragma once
// Asking the desktop to open a document or an address with the application registered for
// it (the word processor for an RTF file, the mail program for a mailto: address).

#include <functional>
#include <string>

namespace platform {

// Starts the desktop's opener (xdg-open) for `target` (UTF-8 path or URL) and returns at
// once; the opener is never waited for and leaves no zombie. A failure to start is ignored:
// there is nothing the user could do about it here.
void OpenWithDesktop(const std::string& target);

// Tests record the request instead of launching a viewer; an empty function restores the
// real opener.
void SetDesktopOpenerForTesting(std::function<void(const std::string&)> opener);

} // namespace platform
