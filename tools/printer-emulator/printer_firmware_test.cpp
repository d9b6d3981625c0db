#include "printer_firmware.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "emulated_printer.h"
#include "usb_frame.h"

namespace velmo::emulator {
namespace {

using ::testing::ElementsAre;
using Kind = UsbValueKind;

std::vector<uint8_t> Whole(const std::vector<ReplyPiece>& pieces) {
  std::vector<uint8_t> bytes;
  for (const ReplyPiece& piece : pieces) bytes.insert(bytes.end(), piece.bytes.begin(), piece.bytes.end());
  return bytes;
}

std::vector<uint8_t> Frame(std::vector<uint8_t> bytes) { return bytes; }

// The whole reply to a frame made by the host's own builders.
std::vector<uint8_t> Send(PrinterFirmware& firmware, const std::optional<RequestFrame>& frame) {
  return Whole(firmware.Handle(frame.value().View()));
}

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
  EXPECT_FALSE(firmware.TakeAbsence());
  firmware.Handle(Frame({0x1F, 0x52, 0x12, 0x00, 0x30, 0x02, 0x0C, 0x00, 0x00, 0x00,
                         'p', 'o', 'w', 'e', 'r', '_', 'r', 'e', 's', 'e', 't', 0}));
  EXPECT_EQ(firmware.TakeAbsence(), firmware.restart_ms);
  EXPECT_FALSE(firmware.TakeAbsence());
}

TEST(PrinterFirmware, DropsOffTheBusOnceAfterTheNthSettingWrite) {
  PrinterFirmware firmware;
  firmware.unplug_after_writes = 3;
  Send(firmware, BuildCommand("beep", Kind::kCommand));
  Send(firmware, BuildCommand("reg_value_save", Kind::kSaveCommand));
  firmware.Handle(Frame({0x1F, 0x52, 0x08, 0x00, 0x30, 0x04, 0x02, 0x00, 0x00, 0x00, 'X', 0}));  // kind 04: no value
  Send(firmware, BuildWriteInt("PRINT_MODE", 2));
  Send(firmware, BuildWriteText("BLUETOOTH_NAME", "desk"));
  EXPECT_FALSE(firmware.TakeAbsence()) << "commands and other kinds do not count";
  EXPECT_THAT(Send(firmware, BuildWriteBytes("LAN_CONFIG_GATEWAY", std::vector<uint8_t>{10, 0, 0, 1})),
              ElementsAre(0x30, 0, 0));
  EXPECT_EQ(firmware.TakeAbsence(), 1000u);
  EXPECT_THAT(Send(firmware, BuildReadRequest("PRINT_MODE", Kind::kInteger)), ElementsAre(0x20, 4, 0, 2, 0, 0, 0));
  EXPECT_THAT(Send(firmware, BuildReadRequest("LAN_CONFIG_GATEWAY", Kind::kBytes)), ElementsAre(0x20, 4, 0, 10, 0, 0, 1));

  for (int32_t mode = 0; mode < 4; ++mode) Send(firmware, BuildWriteInt("PRINT_MODE", mode));
  EXPECT_FALSE(firmware.TakeAbsence()) << "only once a run";
  Send(firmware, BuildCommand("power_reset", Kind::kCommand));
  EXPECT_EQ(firmware.TakeAbsence(), firmware.restart_ms);
  EXPECT_THAT(Send(firmware, BuildReadRequest("PRINT_MODE", Kind::kInteger)), ElementsAre(0x20, 4, 0, 0, 0, 0, 0));
  EXPECT_THAT(Send(firmware, BuildReadRequest("BLUETOOTH_NAME", Kind::kText)), ElementsAre(0x20, 5, 0, 'L', 'T', '4', '2', 0));

  PrinterFirmware steady;
  for (int32_t mode = 0; mode < 4; ++mode) Send(steady, BuildWriteInt("PRINT_MODE", mode));
  EXPECT_FALSE(steady.TakeAbsence()) << "0 never drops";
}

TEST(PrinterFirmware, UnknownKeysAreRefusedAsMissingOnes) {
  PrinterFirmware firmware;
  firmware.unknown_keys = {"WIFI_CONFIG_SSID", "PRINT_MODE"};
  firmware.ignored_writes = {"PRINT_MODE"};
  EXPECT_THAT(Send(firmware, BuildReadRequest("WIFI_CONFIG_SSID", Kind::kText)), ElementsAre(0x30, 1, 0));
  EXPECT_THAT(Send(firmware, BuildWriteText("WIFI_CONFIG_SSID", "home")), ElementsAre(0x30, 1, 0));
  EXPECT_THAT(Send(firmware, BuildReadRequest("PRINT_MODE", Kind::kInteger)), ElementsAre(0x30, 1, 0));
  EXPECT_THAT(Send(firmware, BuildWriteInt("PRINT_MODE", 1)), ElementsAre(0x30, 1, 0)) << "not even as ignored";
  EXPECT_EQ(std::get<std::string>(*firmware.Current("WIFI_CONFIG_SSID")), "");

  EXPECT_THAT(Send(firmware, BuildWriteText("WIFI_CONFIG_PASSWORD", "pw")), ElementsAre(0x30, 0, 0));
  EXPECT_THAT(Send(firmware, BuildReadRequest("WIFI_CONFIG_PASSWORD", Kind::kText)), ElementsAre(0x20, 3, 0, 'p', 'w', 0));
  EXPECT_THAT(Send(firmware, BuildReadRequest("PRINT_DARKNESS_SIZE", Kind::kInteger)),
              ElementsAre(0x20, 4, 0, 15, 0, 0, 0));
}

// The host's reply is read before the pause starts, as it is on USB.
TEST(EmulatedPrinter, AbsentForASecondAfterTheDrop) {
  PrinterFirmware firmware;
  firmware.unplug_after_writes = 1;
  EmulatedPrinter printer{firmware};
  {
    const auto port = printer.Open("LT42");
    ASSERT_TRUE(port);
    const RequestFrame frame = BuildWriteInt("PRINT_MODE", 2).value();
    port->StartWrite(frame.bytes.data(), frame.length);
    uint8_t reply[kReplyCapacity];
    port->StartRead(reply, sizeof reply);
    ASSERT_TRUE(port->Wait(UsbChannel::kRead, 100));
    EXPECT_THAT(std::vector<uint8_t>(reply, reply + port->Result(UsbChannel::kRead).value()), ElementsAre(0x30, 0, 0));
  }
  EXPECT_FALSE(printer.Open("LT42"));
  printer.Advance(999);
  EXPECT_FALSE(printer.Open("LT42"));
  printer.Advance(1);
  EXPECT_TRUE(printer.Open("LT42"));
}

}  // namespace
}  // namespace velmo::emulator
