#pragma once
// What the two store dialogs share: the look and placement of a fixed-size dialog.

class QDialog;

namespace store_forms {

// A fixed dialog border with only the close button, a client area of `width` x `height`
// pixels, the font of the main window, and a place in the middle of the screen the user
// is working on.
void SetUpFixedDialog(QDialog* dialog, int width, int height);

} // namespace store_forms
