// The GUI suite needs one QApplication for all its tests, on the offscreen platform.
#include <QApplication>
#include <gtest/gtest.h>

#include "ui/Theme.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillon"));
    ApplyTheme(app);
    return RUN_ALL_TESTS();
}
