#include "component.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "captioned_component_for_tests.h"

namespace toolkit {
namespace {

using Captioned = CaptionedComponent;

// Records its own destruction, to check the order in which owners delete.
// Like a control, it lets what it owns go first.
class Tracked : public Component {
 public:
  Tracked(Component* owner, std::wstring name, std::vector<std::wstring>& log)
      : Component(owner, std::move(name)), log_(log) {}
  ~Tracked() override {
    DestroyComponents();
    log_.push_back(Name());
  }

 private:
  std::vector<std::wstring>& log_;
};

std::vector<std::wstring> WalkNames(const Component& root) {
  std::vector<std::wstring> names;
  VisitOwnedDepthFirst(root, [&](Component& c) { names.push_back(c.Name()); });
  return names;
}

TEST(ComponentTree, OwnerListsOwnedInCreationOrder) {
  Component form(nullptr, L"frmMain");
  Component a(&form, L"PanelA");
  Component b(&form, L"ButtonB");
  ASSERT_EQ(form.ComponentCount(), 2u);
  EXPECT_EQ(&form.Components(0), &a);
  EXPECT_EQ(&form.Components(1), &b);
  EXPECT_EQ(b.Owner(), &form);
  EXPECT_THROW(form.Components(2), std::out_of_range);
}

TEST(ComponentTree, CaptionOnlyWhereTheKindHasOne) {
  Component form(nullptr, L"frmMain");
  Component timer(&form, L"Timer1");
  Captioned label(&form, L"Label1", L"型号: ");
  EXPECT_FALSE(timer.HasCaption());
  EXPECT_EQ(timer.Caption(), L"");
  timer.SetCaption(L"ignored");
  EXPECT_EQ(timer.Caption(), L"");
  EXPECT_TRUE(label.HasCaption());
  label.SetCaption(L"Model: ");
  EXPECT_EQ(label.Caption(), L"Model: ");
}

TEST(ComponentTree, FindsByExactNameAtAnyDepth) {
  Component form(nullptr, L"frmPrinterConfig");
  Component* edit = new Component(&form, L"LabeledEditWifiSSID");
  Component* sub = new Captioned(edit, L"SubLabel", L"WIFI SSID: ");
  EXPECT_EQ(form.FindComponent(L"LabeledEditWifiSSID"), edit);
  EXPECT_EQ(form.FindComponent(L"SubLabel"), sub);
  EXPECT_EQ(form.FindComponent(L"labelededitwifissid"), nullptr);
  EXPECT_EQ(form.FindComponent(L"frmPrinterConfig"), nullptr);
}

TEST(ComponentTree, OwnerDeletesOwnedLastCreatedFirst) {
  std::vector<std::wstring> log;
  {
    Component form(nullptr, L"Form1");
    auto* panel = new Tracked(&form, L"Panel3", log);
    new Tracked(panel, L"Inner", log);
    new Tracked(&form, L"Timer1", log);
  }
  EXPECT_EQ(log, (std::vector<std::wstring>{L"Timer1", L"Inner", L"Panel3"}));
}

TEST(ComponentTree, DeletedComponentLeavesItsOwnersList) {
  Component form(nullptr, L"Form1");
  auto* first = new Component(&form, L"A");
  new Component(&form, L"B");
  delete first;
  ASSERT_EQ(form.ComponentCount(), 1u);
  EXPECT_EQ(form.Components(0).Name(), L"B");
}

TEST(ComponentWalk, VisitsOwnedComponentsBeforeTheirOwner) {
  // The labelled edit owns its label: the label is reached first.
  Component form(nullptr, L"frmEditPaper");
  auto* group = new Captioned(&form, L"GroupBox1", L"纸张尺寸");
  auto* width = new Component(&form, L"LabeledEditWidth");
  new Captioned(width, L"LabeledEditWidthLabel", L"宽度(mm): ");
  new Captioned(&form, L"Button1", L"确定");
  (void)group;
  EXPECT_EQ(WalkNames(form), (std::vector<std::wstring>{L"GroupBox1", L"LabeledEditWidthLabel",
                                                         L"LabeledEditWidth", L"Button1"}));
  EXPECT_TRUE(WalkNames(*group).empty());
}

TEST(ComponentWalk, DeepChainsUnwindInnermostFirst) {
  Component form(nullptr, L"F");
  auto* a = new Component(&form, L"A");
  auto* b = new Component(a, L"B");
  new Component(b, L"C");
  new Component(a, L"D");
  EXPECT_EQ(WalkNames(form), (std::vector<std::wstring>{L"C", L"B", L"D", L"A"}));
}

}  // namespace
}  // namespace toolkit
