#include <QGuiApplication>
#include <gtest/gtest.h>

// The renderer measures text with the platform's fonts: a GUI application
// must exist, on the offscreen platform unless another one is asked for.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
