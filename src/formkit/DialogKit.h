#pragma once
// What the dialogs share: the look and placement of a fixed-size dialog.

class QDialog;
class QWidget;

// A fixed dialog border with only the close button, a client area of `width` x `height`
// pixels, the font of the main window, and a place in the middle of the screen the user
// is working on. The font is Arial of `fontPixels` pixels.
void SetUpFixedDialog(QDialog* dialog, int width, int height, int fontPixels = 12);

// Moves a window to the middle of the screen of the window that asked for it (its parent,
// else the active window), or of the primary screen.
void CentreOnScreen(QWidget* window);
