#pragma once
// The blank as a Rich Text Format document: the file the word processor opens and prints.
//
// The document is seven-bit: it declares the code page 1251 and writes every byte above 0x7F
// as \'hh, so that readers decode the blank's Windows-1251 text by that page. Each line of
// the document is one line of the file, ended by CR LF. Lengths go in as twips by the one
// rule of doc/Units.h, font sizes as half-points, border widths as twentieths of a point.

#include "doc/Blank.h"

#include <string>

namespace rtf {

// The whole document of `page`. Throws std::overflow_error for a length beyond 32 bits of
// twips.
std::string Document(const blank::TPage& page);

} // namespace rtf
