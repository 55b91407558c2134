#pragma once
// The command-line renderer: reads a stored order and the options exactly as the program
// does and produces the very document that the window's output button would. Messages go
// to standard error in UTF-8; the result is the process's exit status (see --help).

int VantrelPrint(int argc, char** argv);
