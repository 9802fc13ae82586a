// The module lays out text with Qt's fonts, which need one QGuiApplication
// in the host; the offscreen platform is chosen by the shared environment.
#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {
class FendleLookTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "tests_fendlelook";
        static char* argv[] = {name, nullptr};
        application_ = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { application_.reset(); }

private:
    std::unique_ptr<QGuiApplication> application_;
};

const auto* const environment = ::testing::AddGlobalTestEnvironment(new FendleLookTestEnvironment);
}  // namespace
