#pragma once
// The About box: the program's name and version, and two links for questions and updates
// that the desktop opens with the user's mail program and web browser.

#include <QDialog>
#include <QLabel>

#include <functional>

class QPushButton;

// A label that acts on a click, drawn the way links are: navy, underlined, hand cursor.
class TLinkLabel : public QLabel {
public:
    TLinkLabel(const QString& text, QWidget* parent);
    std::function<void()> OnClick;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool Pressed = false;
};

class TAboutForm : public QDialog {
public:
    explicit TAboutForm(QWidget* parent = nullptr);

    QLabel* Image1;
    QLabel *Label4, *Label5, *Label3, *Label7;
    TLinkLabel *Label2, *Label1;
    QPushButton* But_OK;

    void But_OKClick();
    void Label1Click();
    void Label2Click();

    // The addresses the links open.
    static const char* const EMail;
    static const char* const WebAddress;

protected:
    void showEvent(QShowEvent* event) override;
    // Sees every key pressed in the box before the control with the focus does.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void FormShow();
    bool FormKeyDown(QKeyEvent* event);
};

// Shows a fresh About box modally and returns when it is closed.
void ShowAboutBox();
