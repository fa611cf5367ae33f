// The renderers need fonts, which need a GUI application (offscreen here).
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "render/GdiFont.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    kestrix::InstallFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
