#include "ModalDriver.h"

#include <QApplication>
#include <QDialog>
#include <QVariant>
#include <QWidget>

#include <gtest/gtest.h>

namespace testing_support {

namespace {
constexpr const char* DrivenMark = "testDriven";
constexpr qint64 PatienceMs = 5000;
} // namespace

TModalDriver::TModalDriver() {
    Timer.setInterval(5);
    QObject::connect(&Timer, &QTimer::timeout, [this] { Tick(); });
    Timer.start();
    SinceLastAction.start();
}

TModalDriver::~TModalDriver() {
    Timer.stop();
    EXPECT_TRUE(Actions.empty()) << Actions.size() << " dialog(s) expected but never shown";
}

void TModalDriver::Then(std::function<void(QWidget*)> action) {
    Actions.push_back(std::move(action));
}

void TModalDriver::Tick() {
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog)
        return;
    if (!dialog->property(DrivenMark).toBool() && !Actions.empty()) {
        dialog->setProperty(DrivenMark, true);
        auto action = std::move(Actions.front());
        Actions.pop_front();
        ++Count;
        SinceLastAction.restart();
        action(dialog);
        return;
    }
    if (SinceLastAction.elapsed() > PatienceMs) {
        ADD_FAILURE() << "a modal dialog was left waiting: " << dialog->windowTitle().toStdString();
        if (auto* d = qobject_cast<QDialog*>(dialog))
            d->reject();
        else
            dialog->close();
        SinceLastAction.restart();
    }
}

} // namespace testing_support
