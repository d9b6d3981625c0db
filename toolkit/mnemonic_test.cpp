#include "mnemonic.h"

#include <gtest/gtest.h>

namespace toolkit {
namespace {

TEST(Mnemonic, FindsTheMarkedKeyInEitherForm) {
  EXPECT_EQ(MnemonicOf(L"&Install"), L'I');
  EXPECT_EQ(MnemonicOf(L"Pr&int view"), L'I');
  EXPECT_EQ(MnemonicOf(L"安装(&i)"), L'I');
  EXPECT_EQ(MnemonicOf(L"Save && close"), 0);
  EXPECT_EQ(MnemonicOf(L"A && &B"), L'B');
  EXPECT_EQ(MnemonicOf(L"ends with &"), 0);
  EXPECT_EQ(MnemonicOf(L""), 0);
}

TEST(Mnemonic, SpokenCaptionDropsMarkersAndTheClosingColon) {
  EXPECT_EQ(SpokenCaption(L"确定(&O)"), L"确定");
  EXPECT_EQ(SpokenCaption(L"打印方向(&D):"), L"打印方向");
  EXPECT_EQ(SpokenCaption(L"&Direction:"), L"Direction");
  EXPECT_EQ(SpokenCaption(L"Save && &close"), L"Save & close");
  EXPECT_EQ(SpokenCaption(L"纸张类型："), L"纸张类型");
  EXPECT_EQ(SpokenCaption(L"(&A)"), L"");
  EXPECT_EQ(SpokenCaption(L"C:\\a&&b"), L"C:\\a&b");
}

}  // namespace
}  // namespace toolkit
