#pragma once
// The RTF writer's rendering of a blank: the page's tables as rows of bordered, merged cells
// and its free paragraphs, in the order of the page, each run in its size and style.

#include "doc/Blank.h"

#include <memory>

class TRTF;

// The laid-out document, not yet closed (the writer's closing paragraph follows the page's
// last item, in the alignment of the paragraph before it).
std::unique_ptr<TRTF> BlankRtf(const blank::TPage& page);
