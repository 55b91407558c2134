#pragma once

#include <QMainWindow>

class TMainForm : public QMainWindow {
public:
    explicit TMainForm(QWidget* parent = nullptr);
};
