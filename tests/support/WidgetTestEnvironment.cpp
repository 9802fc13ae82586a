// Widget tests need one QApplication for the whole program; the offscreen
// platform is chosen by the shared test environment.
#include <QApplication>
#include <gtest/gtest.h>

namespace {
class WidgetTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "tests";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { application_.reset(); }

private:
    std::unique_ptr<QApplication> application_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new WidgetTestEnvironment);
}  // namespace
