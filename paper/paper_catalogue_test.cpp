// The paper lists over the fake forms database: built-in forms counted but
// not listed, the choice of the selected entry, the delete question.
#include "paper_catalogue.h"

#include <gtest/gtest.h>

#include "fake_spooler_forms.h"

namespace velmo {
namespace {

PaperForm User(const std::string& name, int32_t width, int32_t height, uint32_t flags = kFormUser) {
  return {.Flags = flags, .Name = name, .Width = width, .Height = height, .Right = width, .Bottom = height};
}

TEST(EnumPaperForms, BuiltinFormsAreCountedButNotListed) {
  FakeSpoolerForms db;
  db.AddBuiltins(40);
  db.forms.push_back(User("Label 100x150", 100000, 150000));
  db.forms.push_back(User("Receipt", 57500, 30000, kFormPrinter));
  PaperLists lists;
  lists.PaperNames = {"stale"};
  EnumPaperForms(db, "Velmo LT42", lists);
  EXPECT_EQ(lists.PaperNames, (std::vector<std::string>{"Label 100x150", "Receipt"}));
  EXPECT_EQ(lists.PaperNumbers, (std::vector<std::string>{"41", "42"}));
  EXPECT_EQ(lists.PaperSizes, (std::vector<std::string>{"100.0mm x 150.0mm", "57.5mm x 30.0mm"}));
  EXPECT_EQ(db.calls.back(), "Close");
  EXPECT_EQ(db.open_printers, 0);
}

TEST(EnumPaperForms, BuiltinsBetweenUserFormsKeepTheCount) {
  FakeSpoolerForms db;
  db.forms.push_back(User("A", 1000, 1000));
  db.AddBuiltins(2);
  db.forms.push_back(User("B", 1000, 1000));
  PaperLists lists;
  EnumPaperForms(db, "Velmo LT42", lists);
  EXPECT_EQ(lists.PaperNumbers, (std::vector<std::string>{"1", "4"}));
}

TEST(EnumPaperForms, UnknownPrinterEmptiesTheLists) {
  FakeSpoolerForms db;
  db.forms.push_back(User("A", 1000, 1000));
  PaperLists lists;
  EnumPaperForms(db, "Velmo LT42", lists);
  ASSERT_EQ(lists.Count(), 1);
  EnumPaperForms(db, "Other printer", lists);
  EXPECT_EQ(lists.Count(), 0);
  EXPECT_TRUE(lists.PaperNumbers.empty());
  EXPECT_TRUE(lists.PaperSizes.empty());
}

TEST(PaperSelection, FollowsTheDriversFormNumber) {
  PaperLists lists{{"A", "B", "B again"}, {"41", "42", "42"}, {"", "", ""}};
  EXPECT_EQ(EntryOfFormNumber(lists, 42), 1) << "the first entry of that number";
  EXPECT_EQ(EntryOfFormNumber(lists, 41), 0);
  EXPECT_EQ(EntryOfFormNumber(lists, 3), -1) << "a built-in form's number";
  EXPECT_EQ(EntryOfFormNumber(lists, 0), -1) << "a driver that did not answer";
  EXPECT_EQ(FormNumberOf(lists, 1), 42);
  EXPECT_EQ(FormNumberOf(lists, 3), 0);
}

TEST(PaperSelection, NamesMatchIgnoringLatinCase) {
  PaperLists lists{{"Label", "label", "标签"}, {"1", "2", "3"}, {"", "", ""}};
  EXPECT_EQ(EntryOfName(lists, "LABEL"), 0);
  EXPECT_EQ(EntryOfName(lists, "标签"), 2);
  EXPECT_EQ(EntryOfName(lists, "Labe"), -1);
}

TEST(PaperSelection, AfterDeletionTheSamePlaceOrTheLastOrNothing) {
  EXPECT_EQ(EntryAfterDeletion(1, 3), 1);
  EXPECT_EQ(EntryAfterDeletion(3, 3), 2) << "the last entry was deleted";
  EXPECT_EQ(EntryAfterDeletion(0, 0), -1) << "the only entry was deleted";
}

TEST(DeleteConfirmation, AsksInBothLanguages) {
  EXPECT_EQ(DeleteConfirmation(L"Label", true), (MessageText{L"Confirm To Delete Paper [Label] ?", L"Notice"}));
  EXPECT_EQ(DeleteConfirmation(L"标签", false), (MessageText{L"确定要删除纸张 [标签] 吗?", L"提示"}));
}

}  // namespace
}  // namespace velmo
