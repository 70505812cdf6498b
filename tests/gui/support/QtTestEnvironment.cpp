// Every GUI test program gets one QApplication for its whole run and a
// profile in a folder of its own, so no test reads or writes the user's.
// It loads no translation catalog, whatever LANG says (only
// CLoggerApp::InitInstance does, which no test runs): the tests see the
// source texts, and a test that installs a catalog removes it again.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <cerrno>
#include <memory>

namespace {

class QtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char* argv[] = {program_invocation_short_name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
        profileDir_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, profileDir_->path());
    }
    void TearDown() override {
        profileDir_.reset();
        app_.reset();
    }

private:
    std::unique_ptr<QApplication> app_;
    std::unique_ptr<QTemporaryDir> profileDir_;
};

[[maybe_unused]] const auto* const kQtTestEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

}  // namespace
