#pragma once
// The edit field of every form. Whatever it holds converts to Windows-1251 without loss
// and stays one line, so what the user sees is exactly what the data files, the registry
// and the blank will hold.

#include <QLineEdit>
#include <QValidator>

#include <functional>

// Drops every character without a Windows-1251 byte and every NUL; a line break (CR, LF or
// CR LF) becomes one blank, so a pasted paragraph stays a readable single line. `Replace`,
// when set, may turn a kept character into another. Applies to typed, pasted, dropped and
// program-set text alike.
class TFieldValidator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
    std::function<char32_t(char32_t)> Replace;
};

// A single-line field with TFieldValidator and no length limit. A typed character the
// code page lacks is refused before it reaches the text (no change event). `KeyFilter`,
// when set, sees every typed character first (Backspace as '\b') and refuses it by
// returning false, without a sound.
class TEdit : public QLineEdit {
public:
    explicit TEdit(QWidget* parent = nullptr);
    TFieldValidator* Validator() const { return FieldValidator; }
    std::function<bool(char16_t)> KeyFilter;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TFieldValidator* FieldValidator;
};
