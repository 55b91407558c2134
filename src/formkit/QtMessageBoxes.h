#pragma once
// The real message boxes of the window front end.

#include "platform/MessageBoxes.h"

#include <string>
#include <string_view>

class TQtMessageBoxes final : public platform::TMessageBoxes {
public:
    void Show(const std::string& text, const std::string& caption,
              platform::TMsgIcon icon) override;
    platform::TAnswer Ask(const std::string& text, const std::string& caption,
                          platform::TMsgIcon icon,
                          platform::TAnswer defaultAnswer = platform::TAnswer::Yes) override;
};

// What a box shows of `text` (Windows-1251): a path between double quotes that is longer
// than 80 characters by its file name only, a word longer than 80 characters and the whole
// text beyond 600 by their beginning and end with "…" between.
std::string ReadableBoxText(std::string_view text);
