#pragma once
// Every message box and question of the program goes through this one interface, so that
// the window shows real boxes, the command-line renderer writes to standard error, and
// tests answer questions and check what was asked without anything waiting on screen.
// Texts are Windows-1251, as everywhere in the core.

#include <string>

namespace platform {

enum class TMsgIcon { None, Error, Warning, Exclamation, Question, Information };

// How a question was answered. A question that is dismissed without Yes or No (Escape, the
// title-bar close button) says neither: a command that asked it must not go on as if the
// user had said No.
enum class TAnswer { No, Yes, Dismissed };

class TMessageBoxes {
public:
    virtual ~TMessageBoxes() = default;
    // A box with one OK button; returns when the user closes it.
    virtual void Show(const std::string& text, const std::string& caption, TMsgIcon icon) = 0;
    // A question with the buttons Yes and No only; `defaultAnswer` (Yes or No) is the button
    // that Enter presses.
    virtual TAnswer Ask(const std::string& text, const std::string& caption, TMsgIcon icon,
                        TAnswer defaultAnswer = TAnswer::Yes) = 0;
};

// The boxes in use. Until a front end installs its own, messages go to standard error in
// UTF-8 and every question is answered No.
TMessageBoxes& MessageBoxes();

// Installs `boxes` (not owned; nullptr restores the standard-error default) and returns
// the previous one.
TMessageBoxes* SetMessageBoxes(TMessageBoxes* boxes);

// Conveniences for the two kinds of box the system uses most.
void ShowError(const std::string& text); // caption "Ошибка", error icon

} // namespace platform
