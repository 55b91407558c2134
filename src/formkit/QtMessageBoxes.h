#pragma once
// The real message boxes of the window front end.

#include "platform/MessageBoxes.h"

class TQtMessageBoxes final : public platform::TMessageBoxes {
public:
    void Show(const std::string& text, const std::string& caption,
              platform::TMsgIcon icon) override;
    platform::TAnswer Ask(const std::string& text, const std::string& caption,
                          platform::TMsgIcon icon,
                          platform::TAnswer defaultAnswer = platform::TAnswer::Yes) override;
};
