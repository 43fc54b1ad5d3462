// The main of every test executable: a QApplication on the offscreen platform, the "C"
// numeric locale the engine formats with, and a fresh environment for every test case.
#include "testenv.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>

namespace qvtest {
::testing::TestEventListener* makeEnvListener();
}

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    std::setlocale(LC_TIME, "C");
    ::testing::UnitTest::GetInstance()->listeners().Append(qvtest::makeEnvListener());
    return RUN_ALL_TESTS();
}
