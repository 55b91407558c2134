#pragma once
// The edit field of every form. Whatever it holds converts to Windows-1251 without loss
// and stays one line, so what the user sees is exactly what the data files, the registry
// and the blank will hold.

#include <QLineEdit>
#include <QValidator>

#include <functional>
#include <vector>

// Keeps a field to what the code page holds: a common look-alike the code page lacks becomes
// the character it has (platform::Cp1251LookAlike); every other character without a
// Windows-1251 byte, and every NUL, is dropped; a line break (CR, LF or CR LF) becomes one
// blank, so a pasted paragraph stays a readable single line. `Replace`, when set, may turn a
// kept character into another, or drop it by returning 0. Applies to typed, pasted, dropped
// and program-set text alike.
class TFieldValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
    std::function<char32_t(char32_t)> Replace;
    // Told the characters that had to be dropped for want of a byte (each once, in order).
    std::function<void(const std::vector<char32_t>&)> Dropped;
};

// A single-line field with TFieldValidator and no length limit. A typed character the
// code page lacks is refused before it reaches the text (no change event), and its look-
// alike typed in its place where it has one. `KeyFilter`, when set, sees every typed
// character first (Backspace as '\b') and returns the character to type in its place (a
// capital for a small letter, say), or 0 to refuse it without a sound.
class TEdit : public QLineEdit {
public:
    explicit TEdit(QWidget* parent = nullptr);
    TFieldValidator* Validator() const { return FieldValidator; }
    std::function<char16_t(char16_t)> KeyFilter;
    // When set, a paste (the keys or the context menu) hands the clipboard's text here
    // instead of inserting it.
    std::function<void(const QString&)> Pasted;

    // A field whose text a check finds wrong is framed in red, focused or not. Drawn over
    // the style's frame rather than by a style sheet, which would take the field's font.
    void SetMarked(bool marked);
    bool Marked() const { return IsMarked; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    TFieldValidator* FieldValidator;
    bool IsMarked = false;
};

// "Символ «中» не поддерживается и пропущен" (or, for several, the plural), for the status bar.
QString DroppedCharactersMessage(const std::vector<char32_t>& dropped);
