// Widget tests run without a display unless the caller asks for one.

#include "formkit/Application.h"

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    TApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Квирен"));
    SpeakRussian();
    return RUN_ALL_TESTS();
}
