#include "printer_firmware.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace velmo::emulator {
namespace {

using ::testing::ElementsAre;

std::vector<uint8_t> Whole(const std::vector<ReplyPiece>& pieces) {
  std::vector<uint8_t> bytes;
  for (const ReplyPiece& piece : pieces) bytes.insert(bytes.end(), piece.bytes.begin(), piece.bytes.end());
  return bytes;
}

std::vector<uint8_t> Frame(std::vector<uint8_t> bytes) { return bytes; }

TEST(PrinterFirmware, FrameLengthFromTheHeader) {
  EXPECT_FALSE(PrinterFirmware::FrameLength(Frame({0x1F, 0x52, 0x0D})));
  EXPECT_EQ(PrinterFirmware::FrameLength(Frame({0x1F, 0x52, 0x0D, 0x00})), 17u);
  EXPECT_EQ(PrinterFirmware::FrameLength(Frame({0x1F, 0x52, 0x00, 0x01})), 260u);
}

TEST(PrinterFirmware, MalformedFramesGetTheErrorReply) {
  PrinterFirmware firmware;
  EXPECT_THAT(Whole(firmware.Handle(Frame({0x1F, 0x52, 0x03, 0x00, 0x20, 0x00, 'A'}))), ElementsAre(0x30, 1, 0));
  EXPECT_THAT(Whole(firmware.Handle(Frame({0x1F, 0x52, 0x04, 0x00, 0x20, 0x00, 0}))), ElementsAre(0x30, 1, 0));
  // Key size that runs past the frame.
  EXPECT_THAT(Whole(firmware.Handle(Frame({0x1F, 0x52, 0x08, 0x00, 0x30, 0x02, 0x09, 0x00, 0x00, 0x00, 'x', 0}))),
              ElementsAre(0x30, 1, 0));
}

TEST(PrinterFirmware, RepliesComeInTimedPieces) {
  PrinterFirmware firmware;
  firmware.timing = {.piece_size = 2, .first_delay_ms = 30, .piece_delay_ms = 7};
  const auto pieces = firmware.Handle(Frame({0x1F, 0x52, 0x0A, 0x00, 0x20, 0x01, 'V', 'E', 'R', 'S', 'I', 'O', 'N', 0}));
  ASSERT_EQ(pieces.size(), 3u);
  EXPECT_EQ(pieces[0].bytes.size(), 3u) << "the header stays whole";
  EXPECT_EQ(pieces[0].delay_ms, 30u);
  EXPECT_EQ(pieces[2].delay_ms, 7u);
  EXPECT_THAT(Whole(pieces), ElementsAre(0x20, 4, 0, '2', '.', '1', 0));
}

TEST(PrinterFirmware, RestartIsReportedOnce) {
  PrinterFirmware firmware;
  EXPECT_FALSE(firmware.TakeRestart());
  firmware.Handle(Frame({0x1F, 0x52, 0x12, 0x00, 0x30, 0x02, 0x0C, 0x00, 0x00, 0x00,
                         'p', 'o', 'w', 'e', 'r', '_', 'r', 'e', 's', 'e', 't', 0}));
  EXPECT_EQ(firmware.TakeRestart(), firmware.restart_ms);
  EXPECT_FALSE(firmware.TakeRestart());
}

}  // namespace
}  // namespace velmo::emulator
