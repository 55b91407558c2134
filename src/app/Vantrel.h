#pragma once
// The window front end as a whole: the application with its error handler, the real message
// boxes, the main window and the event loop.

#include <functional>

class TMainForm;

// Runs the program; the result is the process's exit status. An argument names an order file
// to open at the start (as the file manager passes it); without one a new order starts. `shown`,
// when given, sees the main window once it has been shown, before the event loop runs: a program of
// its own (the start-up benchmark) can end the loop from there.
int Vantrel(int argc, char** argv, const std::function<void(TMainForm&)>& shown = {});
