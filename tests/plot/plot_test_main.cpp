#include <gtest/gtest.h>

#include <QGuiApplication>

int main(int argc, char** argv) {
  // Headless unless told otherwise (CTest sets the platform too).
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QGuiApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
