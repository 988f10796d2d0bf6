// One QApplication for the whole test program, created when the tests start (not while they are
// only listed) and shown on the offscreen platform unless the caller chose another.

#include <gtest/gtest.h>
#include <QApplication>

namespace {

class QtApplicationEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
            qputenv("QT_QPA_PLATFORM", "offscreen");
        }
        application_ = new QApplication(argc_, argv_);
    }
    void TearDown() override { delete application_; }

  private:
    int argc_ = 1;
    char name_[16] = "tessik_ui_tests";
    char* argv_[2] = {name_, nullptr};
    QApplication* application_ = nullptr;
};

[[maybe_unused]] const auto* const kRegistered =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace
