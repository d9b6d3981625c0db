// The settings window's tests outside a driver page of their own still have
// one: a page that answers at once and offers no features, as a page
// without features would, so that no request waits out its time. Replies go
// to the settings window of the moment (the driver channel keeps the
// first window it was made with).
#include <gtest/gtest.h>

#include <memory>

#include "fake_plugin_wintest.h"
#include "launch_win.h"
#include "main_form_win.h"

namespace velmo {
namespace {

class AnsweringPage : public ::testing::Environment {
 public:
  void SetUp() override {
    page_ = std::make_unique<FakePluginWindow>();
    page_->reply_to = [] { return frmMain ? frmMain->Handle() : nullptr; };
    Launch = {};
    Launch.DialogWindow = uint32_t(reinterpret_cast<uintptr_t>(page_->Handle()));
  }
  void TearDown() override {
    Launch = {};
    page_.reset();
  }

 private:
  std::unique_ptr<FakePluginWindow> page_;
};

const ::testing::Environment* const kAnsweringPage = ::testing::AddGlobalTestEnvironment(new AnsweringPage);

}  // namespace
}  // namespace velmo
