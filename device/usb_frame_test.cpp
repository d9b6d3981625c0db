#include "usb_frame.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmo {
namespace {

using ::testing::ElementsAreArray;
using Frame = std::vector<uint8_t>;

std::vector<uint8_t> Bytes(const std::optional<RequestFrame>& frame) {
  EXPECT_TRUE(frame.has_value());
  if (!frame) return {};
  const auto view = frame->View();
  return {view.begin(), view.end()};
}

std::vector<uint8_t> Concat(std::vector<uint8_t> head, std::string_view text, std::vector<uint8_t> tail = {}) {
  head.insert(head.end(), text.begin(), text.end());
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

TEST(UsbFrame, WorkedFramesMatchTheProtocol) {
  EXPECT_THAT(Bytes(BuildReadRequest("PRINT_MODE", UsbValueKind::kInteger)),
              ElementsAreArray(Concat({0x1F, 0x52, 0x0D, 0x00, 0x20, 0x00}, "PRINT_MODE", {0})));
  EXPECT_THAT(Bytes(BuildCommand("beep", UsbValueKind::kCommand)),
              ElementsAreArray(Concat({0x1F, 0x52, 0x0B, 0x00, 0x30, 0x02, 0x05, 0x00, 0x00, 0x00}, "beep", {0})));
  EXPECT_THAT(Bytes(BuildWriteInt("AUTO_FEED", 1)),
              ElementsAreArray(Concat({0x1F, 0x52, 0x14, 0x00, 0x30, 0x00, 0x0A, 0x00, 0x04, 0x00}, "AUTO_FEED",
                                      {0, 1, 0, 0, 0})));
}

TEST(UsbFrame, EveryLayoutCarriesItsKind) {
  EXPECT_THAT(Bytes(BuildReadRequest("", UsbValueKind::kInteger)),
              ElementsAreArray({0x1F, 0x52, 0x03, 0x00, 0x20, 0x00, 0x00}));
  EXPECT_EQ(Bytes(BuildReadRequest("VERSION", UsbValueKind::kText))[5], 0x01);
  EXPECT_EQ(Bytes(BuildReadRequest("LAN_CONFIG_GATEWAY", UsbValueKind::kBytes))[5], 0x03);
  EXPECT_THAT(Bytes(BuildCommand("x", UsbValueKind::kSaveCommand)), ElementsAreArray(Concat({0x1F, 0x52, 0x08, 0x00, 0x30, 0x12, 0x02, 0x00, 0x00,
                                                              0x00}, "x", {0})));
  EXPECT_THAT(Bytes(BuildWriteInt("D", -3)),
              ElementsAreArray(Frame{0x1F, 0x52, 0x0C, 0x00, 0x30, 0x00, 0x02, 0x00, 0x04, 0x00, 'D', 0, 0xFD, 0xFF,
                                0xFF, 0xFF}));
  EXPECT_THAT(Bytes(BuildWriteText("N", "")),
              ElementsAreArray(Frame{0x1F, 0x52, 0x09, 0x00, 0x30, 0x01, 0x02, 0x00, 0x01, 0x00, 'N', 0, 0}));
  EXPECT_THAT(Bytes(BuildWriteText("N", "ab")),
              ElementsAreArray(Frame{0x1F, 0x52, 0x0B, 0x00, 0x30, 0x01, 0x02, 0x00, 0x03, 0x00, 'N', 0, 'a', 'b', 0}));
  const uint8_t address[4] = {192, 168, 0, 7};
  EXPECT_THAT(Bytes(BuildWriteBytes("IP", address)),
              ElementsAreArray(Frame{0x1F, 0x52, 0x0D, 0x00, 0x30, 0x03, 0x03, 0x00, 0x04, 0x00, 'I', 'P', 0, 192, 168,
                                0, 7}));
}

// Frames are built in 128 bytes: the largest that fits is accepted, one more byte is refused.
TEST(UsbFrame, RequestsUpTo128BytesAndNotOneMore) {
  const auto read = BuildReadRequest(std::string(121, 'K'), UsbValueKind::kText);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->length, 128u);
  EXPECT_EQ(read->bytes[2], 124);
  EXPECT_FALSE(BuildReadRequest(std::string(122, 'K'), UsbValueKind::kText));

  // A text setting leaves 116 bytes for key and text together.
  const auto text = BuildWriteText(std::string(16, 'K'), std::string(100, 't'));
  ASSERT_TRUE(text);
  EXPECT_EQ(text->length, 128u);
  EXPECT_EQ(text->bytes[127], 0);
  EXPECT_FALSE(BuildWriteText(std::string(16, 'K'), std::string(101, 't')));
  EXPECT_FALSE(BuildWriteText("", std::string(200, 't')));

  EXPECT_TRUE(BuildWriteBytes(std::string(7, 'K'), std::vector<uint8_t>(110, 1)));
  EXPECT_FALSE(BuildWriteBytes(std::string(7, 'K'), std::vector<uint8_t>(111, 1)));
  EXPECT_TRUE(BuildCommand(std::string(117, 'c'), UsbValueKind::kCommand));
  EXPECT_FALSE(BuildCommand(std::string(118, 'c'), UsbValueKind::kCommand));
}

TEST(UsbFrame, ZeroBytesInNamesOrTextsAreRefused) {
  using namespace std::string_view_literals;
  EXPECT_FALSE(BuildReadRequest("A\0B"sv, UsbValueKind::kInteger));
  EXPECT_FALSE(BuildWriteText("NAME", "a\0b"sv));
  EXPECT_FALSE(BuildWriteInt("A\0"sv, 1));
}

std::vector<uint8_t> Reply(std::vector<uint8_t> bytes) { return bytes; }

TEST(UsbReply, ReadAndWriteRules) {
  EXPECT_TRUE(IsReadReplyOk(Reply({0x20, 0x00, 0x00})));
  EXPECT_FALSE(IsReadReplyOk(Reply({0x20, 0x00})));
  EXPECT_FALSE(IsReadReplyOk(Reply({0x30, 0x00, 0x00})));
  EXPECT_TRUE(IsWriteReplyOk(Reply({0x30, 0x00, 0x00})));
  EXPECT_TRUE(IsWriteReplyOk(Reply({0x30, 0x00, 0x7F, 0x55})));
  EXPECT_FALSE(IsWriteReplyOk(Reply({0x30, 0x00})));
  EXPECT_FALSE(IsWriteReplyOk(Reply({0x30, 0x01, 0x00})));
  EXPECT_FALSE(IsWriteReplyOk(Reply({0x20, 0x00, 0x00})));
}

TEST(UsbReply, IntegerAndTextTakeWhatArrived) {
  EXPECT_EQ(ReadReplyInt(Reply({0x20, 0x04, 0x00, 0xFD, 0xFF, 0xFF, 0xFF})), -3);
  EXPECT_EQ(ReadReplyInt(Reply({0x20, 0x00, 0x00})), 0);
  // Bytes past what was received count as zero, even when a late piece landed there.
  EXPECT_EQ(ReadReplyInt(std::span<const uint8_t>(Reply({0x20, 0x04, 0x00, 0x05, 0x01, 0x01, 0x01}).data(), 4)), 5);
  EXPECT_EQ(ReadReplyText(Reply({0x20, 0x04, 0x00, 'a', 'b', 0, 'c'})), "ab");
  EXPECT_EQ(ReadReplyText(Reply({0x20, 0x10, 0x00})), "");
  // A full buffer without a terminating zero ends at the buffer.
  std::vector<uint8_t> full(kReplyCapacity, 'x');
  full[0] = 0x20;
  EXPECT_EQ(ReadReplyText(full).size(), kReplyCapacity - 3);
}

TEST(UsbReply, BytesTakeByteOneCappedByCapacityAndBuffer) {
  const auto reply = Reply({0x20, 0x06, 0x00, 1, 2, 3, 4, 5, 6});
  uint8_t four[4] = {9, 9, 9, 9};
  EXPECT_EQ(ReadReplyBytes(reply, four), 4u);
  EXPECT_THAT(four, ElementsAreArray({1, 2, 3, 4}));

  uint8_t kept[4] = {9, 9, 9, 9};
  EXPECT_EQ(ReadReplyBytes(Reply({0x20, 0x02, 0x00, 7, 8}), kept), 2u);
  EXPECT_THAT(kept, ElementsAreArray({7, 8, 9, 9}));

  std::vector<uint8_t> full(kReplyCapacity, 1);
  full[1] = 0xFF;
  std::vector<uint8_t> out(300, 0);
  EXPECT_EQ(ReadReplyBytes(full, out), kReplyCapacity - 3);
}

}  // namespace
}  // namespace velmo
