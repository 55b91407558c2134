#pragma once
// Asking the desktop to open a document or an address with the application registered for
// it (the word processor for an RTF file, the mail program for a mailto: address).

#include <chrono>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Starts the desktop's opener (xdg-open) for `target` (UTF-8 absolute path or URL; one that
// starts with "-" fails as if no application opened it) and returns at once; the opener is never
// waited for and leaves no zombie. A `watched` opener's failure is reported (below); an address
// that cannot be opened is not worth a word.
void OpenWithDesktop(const std::string& target, bool watched = false);

// Writes a document as a temporary file (WriteTempDocument) and opens it, watched, with the
// desktop's application; false, the reason shown (ShowError), when it cannot be written.
bool OpenAsTempDocument(std::string_view bytes);

// How long an opener has to fail for its failure to count: xdg-open that finds no
// application ends within a fraction of a second, while one that found the word processor
// may wait for it as long as the user works there.
inline constexpr std::chrono::seconds OpenerVerdict{3};

// Told the target of every watched opener that could not be started or ended with a failure within
// OpenerVerdict (no application for the document): on a thread of the opener's own, so a
// front end passes it on to its own thread. Without a handler the failures are kept for
// WaitForOpeners.
void SetOpenerFailureHandler(std::function<void(const std::string& target)> failed);

// Waits until every watched opener started so far has ended or run for OpenerVerdict, and returns
// the targets of those that failed (each once): for a program that ends right after
// opening its document.
std::vector<std::string> WaitForOpeners();

// Tests record the request instead of launching a viewer; an empty function restores the
// real opener.
void SetDesktopOpenerForTesting(std::function<void(const std::string&)> opener);

} // namespace platform
