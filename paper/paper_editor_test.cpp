// The paper editor's conversions and both save paths over the fake forms
// database, with the message boxes answered by the test.
#include "paper_editor.h"

#include <gtest/gtest.h>

#include "fake_spooler_forms.h"

namespace velmo {
namespace {

struct ScriptedMessages : MessageBoxes {
  MessageAnswer answer = MessageAnswer::Yes;
  std::vector<MessageText> shown;
  std::vector<MessageStyle> styles;
  MessageAnswer Show(const MessageText& message, MessageStyle style) override {
    shown.push_back(message);
    styles.push_back(style);
    return answer;
  }
};

struct ListOverFake : PaperListRefresh {
  explicit ListOverFake(FakeSpoolerForms& db) : db(db) {}
  const PaperLists& FillPaperList() override {
    ++fills;
    EnumPaperForms(db, "Velmo LT42", lists);
    return lists;
  }
  void SelectAndTellDriver(int entry) override { told.push_back(entry); }
  FakeSpoolerForms& db;
  PaperLists lists;
  int fills = 0;
  std::vector<int> told;
};

PaperBoxTexts Boxes(const wchar_t* width, const wchar_t* height, const wchar_t* left, const wchar_t* right,
                    const wchar_t* top, const wchar_t* bottom) {
  return {width, height, left, right, top, bottom};
}

TEST(PaperFormOf, BoxesInThousandthsWithThePrintableArea) {
  const auto form = PaperFormOf("P", Boxes(L"40.0", L"40.0", L"2.0", L"3.0", L"1.5", L"0.5"), L'.');
  ASSERT_TRUE(std::holds_alternative<PaperForm>(form));
  EXPECT_EQ(std::get<PaperForm>(form),
            (PaperForm{.Flags = kFormUser, .Name = "P", .Width = 40000, .Height = 40000, .Left = 2000, .Top = 1500,
                       .Right = 37000, .Bottom = 39500}));
  const auto small = std::get<PaperForm>(PaperFormOf("P", Boxes(L"12.25", L"0.0004", L"0", L"0", L"0", L"0"), L'.'));
  EXPECT_EQ(small.Width, 12250);
  EXPECT_EQ(small.Height, 0);
}

TEST(PaperFormOf, NamesTheFirstBoxWithoutANumber) {
  EXPECT_EQ(std::get<PaperBox>(PaperFormOf("P", Boxes(L"40", L"x", L"1", L"", L"1", L"1"), L'.')), kHeightBox);
  EXPECT_EQ(std::get<PaperBox>(PaperFormOf("P", Boxes(L"40", L"40", L"1", L"1", L"1", L"1,5"), L'.')),
            kMarginBottomBox);
  EXPECT_EQ(std::get<PaperBox>(PaperFormOf("P", Boxes(L"3000000", L"40", L"1", L"1", L"1", L"1"), L'.')), kWidthBox)
      << "beyond the spooler's 32-bit lengths";
}

TEST(BoxTextsOf, MarginsFromThePrintableArea) {
  const PaperForm form{.Name = "P", .Width = 100000, .Height = 150000, .Left = 3000, .Top = 2000, .Right = 97000,
                       .Bottom = 148000};
  EXPECT_EQ(BoxTextsOf(form), Boxes(L"100.0", L"150.0", L"3.0", L"3.0", L"2.0", L"2.0"));
}

TEST(MarginFromDriverOption, DropsTheFirstTwoCharacters) {
  EXPECT_EQ(MarginFromDriverOption("mm2.5"), L"2.5");
  EXPECT_EQ(MarginFromDriverOption("p_10"), L"10");
  EXPECT_EQ(MarginFromDriverOption("m"), L"");
  EXPECT_EQ(MarginFromDriverOption(""), L"");
}

class SavePaper : public ::testing::Test {
 protected:
  SavePaper() {
    db.AddBuiltins(3);
    db.forms.push_back({.Name = "Label", .Width = 50000, .Height = 30000, .Left = 1000, .Top = 1000,
                        .Right = 49000, .Bottom = 29000});
    draft.Name = "New";
    draft.Boxes = Boxes(L"40.0", L"40.0", L"2.0", L"3.0", L"1.5", L"0.5");
    draft.BoxCaptions = Boxes(L"宽度(mm): ", L"高度(mm): ", L"左边距(mm): ", L"右边距(mm): ", L"上边距(mm): ",
                              L"下边距(mm): ");
  }
  PaperSaveContext Context(bool english = false) { return {db, "Velmo LT42", messages, list, english}; }

  FakeSpoolerForms db;
  ScriptedMessages messages;
  ListOverFake list{db};
  PaperDraft draft;
  const PaperForm old_label{.Name = "Label", .Width = 50000, .Height = 30000, .Left = 1000, .Top = 1000,
                            .Right = 49000, .Bottom = 29000};
};

TEST_F(SavePaper, NewPaperIsAddedSelectedAndToldToTheDriver) {
  EXPECT_EQ(SaveNewPaper(draft, Context()), SaveResult::Saved);
  ASSERT_NE(db.Find("New"), nullptr);
  EXPECT_EQ(db.Find("New")->Right, 37000);
  EXPECT_TRUE(messages.shown.empty());
  EXPECT_EQ(list.told, std::vector<int>{1}) << "the second listed form";
  EXPECT_EQ(db.open_printers, 0);
}

TEST_F(SavePaper, OverwriteAsksAndNoKeepsTheOldForm) {
  draft.Name = "LABEL";
  messages.answer = MessageAnswer::No;
  EXPECT_EQ(SaveNewPaper(draft, Context()), SaveResult::KeptOpen);
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0], (MessageText{L"已有同名的纸张，要覆盖吗？", L"警告"}));
  EXPECT_EQ(messages.styles[0], MessageStyle::AskYesNo);
  EXPECT_EQ(*db.Find("Label"), old_label);
  EXPECT_EQ(list.fills, 0);
  EXPECT_EQ(db.open_printers, 0);
}

TEST_F(SavePaper, OverwriteYesReplacesTheFormAndSelectsIt) {
  draft.Name = "Label";
  messages.answer = MessageAnswer::Yes;
  EXPECT_EQ(SaveNewPaper(draft, Context(true)), SaveResult::Saved);
  EXPECT_EQ(messages.shown.at(0), (MessageText{L"PaperName Exist, Overwrite?", L"Warning"}));
  EXPECT_EQ(db.Find("Label")->Width, 40000);
  EXPECT_EQ(db.forms.size(), 4u);
  EXPECT_EQ(list.told, std::vector<int>{0});
}

TEST_F(SavePaper, OverwriteThatCannotBeStoredKeepsTheOldForm) {
  draft.Name = "Label";
  db.refuse_add = db.refuse_set = true;
  EXPECT_EQ(SaveNewPaper(draft, Context()), SaveResult::KeptOpen);
  ASSERT_NE(db.Find("Label"), nullptr) << "the user's paper survives";
  EXPECT_EQ(*db.Find("Label"), old_label);
  EXPECT_EQ(messages.shown.back(), (MessageText{L"创建纸张失败!!!", L"错误"}));
  EXPECT_EQ(messages.styles.back(), MessageStyle::Error);
  EXPECT_EQ(list.fills, 0);
}

TEST_F(SavePaper, OverwritingABuiltinFormFails) {
  draft.Name = "Builtin 2";
  EXPECT_EQ(SaveNewPaper(draft, Context(true)), SaveResult::KeptOpen);
  EXPECT_EQ(messages.shown.back(), (MessageText{L"Create Paper Fail!!!", L"Error"}));
  EXPECT_EQ(db.Find("Builtin 2")->Flags, kFormBuiltin);
}

TEST_F(SavePaper, RefusedAddShowsTheFailure) {
  db.refuse_add = true;
  EXPECT_EQ(SaveNewPaper(draft, Context()), SaveResult::KeptOpen);
  EXPECT_EQ(messages.shown.back(), (MessageText{L"创建纸张失败!!!", L"错误"}));
  EXPECT_EQ(db.Find("New"), nullptr);
}

TEST_F(SavePaper, UnknownPrinterDoesNothingSilently) {
  db.printers.clear();
  EXPECT_EQ(SaveNewPaper(draft, Context()), SaveResult::KeptOpen);
  EXPECT_EQ(SaveEditedPaper(draft, Context()), SaveResult::KeptOpen);
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SavePaper, NameOfAtMost255Bytes) {
  draft.Name = std::string(255, 'n');
  EXPECT_EQ(SaveNewPaper(draft, Context()), SaveResult::Saved);
  db.calls.clear();
  draft.Name = std::string(256, 'n');
  EXPECT_EQ(SaveNewPaper(draft, Context(true)), SaveResult::KeptOpen);
  EXPECT_TRUE(db.calls.empty()) << "refused before any spooler call";
  EXPECT_EQ(messages.shown.back().Title, L"Error");
  EXPECT_NE(messages.shown.back().Text.find(L"255"), std::wstring::npos);
  draft.Name.clear();
  for (int i = 0; i < 128; ++i) draft.Name += "\xB1\xEA";  // 128 times "标" in code page 936: 256 bytes
  EXPECT_EQ(SaveEditedPaper(draft, Context()), SaveResult::KeptOpen);
  EXPECT_TRUE(db.calls.empty());
}

TEST_F(SavePaper, BoxWithoutANumberIsNamedAndNothingIsStored) {
  draft.Boxes[kMarginRightBox] = L"3,0";
  EXPECT_EQ(SaveNewPaper(draft, Context()), SaveResult::KeptOpen);
  EXPECT_EQ(messages.shown.back(), (MessageText{L"“右边距(mm)”不是有效的数字!", L"错误"}));
  draft.Name = "Label";
  draft.BoxCaptions[kMarginRightBox] = L"Right(mm): ";
  EXPECT_EQ(SaveEditedPaper(draft, Context(true)), SaveResult::KeptOpen);
  EXPECT_EQ(messages.shown.back(), (MessageText{L"\"Right(mm)\" is not a valid number!", L"Error"}));
  EXPECT_TRUE(db.calls.empty());
  EXPECT_EQ(*db.Find("Label"), old_label);
}

TEST_F(SavePaper, EditStoresUnderTheNameAndRefillsWithoutTellingTheDriver) {
  draft.Name = "Label";
  EXPECT_EQ(SaveEditedPaper(draft, Context()), SaveResult::Saved);
  EXPECT_EQ(db.Find("Label")->Bottom, 39500);
  EXPECT_EQ(list.fills, 1);
  EXPECT_TRUE(list.told.empty());
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SavePaper, EditThatIsRefusedShowsTheFailureInBothLanguages) {
  draft.Name = "Gone";
  EXPECT_EQ(SaveEditedPaper(draft, Context()), SaveResult::KeptOpen);
  EXPECT_EQ(messages.shown.back(), (MessageText{L"保存纸张失败!!!", L"错误"}));
  EXPECT_EQ(SaveEditedPaper(draft, Context(true)), SaveResult::KeptOpen);
  EXPECT_EQ(messages.shown.back(), (MessageText{L"Save Paper Fail!!!", L"Error"}));
  EXPECT_EQ(list.fills, 0);
}

}  // namespace
}  // namespace velmo
