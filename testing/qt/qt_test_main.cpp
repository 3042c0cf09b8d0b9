// Qt tests that run without a display (the dialogs', the job sender's alert): the offscreen
// platform is chosen here, inside the program, because test discovery runs it without the tests'
// environment.
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
