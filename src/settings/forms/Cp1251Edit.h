#pragma once
// An edit field whose text always converts to Windows-1251 without loss, so that what the
// user sees is exactly what the registry and the blank will hold.

#include <QLineEdit>
#include <QValidator>

// Drops every character without a Windows-1251 byte and every NUL; a line break (CR, LF or
// CR LF) becomes one blank, so a pasted paragraph stays a readable single line.
class TCp1251Validator final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// A single-line field with TCp1251Validator; a typed character the code page lacks is
// refused before it reaches the text, so it leaves no trace (no change event either).
class TCp1251Edit : public QLineEdit {
public:
    explicit TCp1251Edit(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
