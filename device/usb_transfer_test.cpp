#include "usb_transfer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "emulated_printer.h"
#include "usb_frame.h"

namespace velmo {
namespace {

using emulator::EmulatedPrinter;
using emulator::PortWait;
using emulator::PrinterFirmware;
using emulator::WriteBehaviour;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr PortWait kDrain{UsbChannel::kRead, kUsbDrainWaitMs};
constexpr PortWait kWrite{UsbChannel::kWrite, kUsbStageWaitMs};
constexpr PortWait kRead{UsbChannel::kRead, kUsbStageWaitMs};

class UsbTransferTest : public ::testing::Test {
 protected:
  size_t Transfer(const std::optional<RequestFrame>& request) {
    reply.fill(0xEE);  // the transfer must clear it itself
    return UsbTransfer(printer, "Velmo LT42", request->View(), reply);
  }
  std::vector<uint8_t> Received(size_t count) const { return {reply.begin(), reply.begin() + count}; }

  PrinterFirmware firmware;
  EmulatedPrinter printer{firmware};
  std::array<uint8_t, kReplyCapacity> reply{};
};

TEST_F(UsbTransferTest, ReplyInOnePieceAfterTheWrite) {
  const size_t count = Transfer(BuildReadRequest("PRINT_DARKNESS_SIZE", UsbValueKind::kInteger));
  EXPECT_THAT(Received(count), ElementsAre(0x20, 4, 0, 15, 0, 0, 0));
  EXPECT_EQ(reply[count], 0) << "the buffer is zero-filled past the reply";
  EXPECT_THAT(printer.waits, ElementsAre(kDrain, kWrite, kRead));
  EXPECT_EQ(printer.cancels, 1);
  EXPECT_EQ(printer.closes, 1);
}

TEST_F(UsbTransferTest, StaleBytesAreDrainedAndNeverTakenForTheAnswer) {
  printer.QueueOutput({0x20, 0x04, 0x00, 0x63, 0x63, 0x63, 0x63});  // an earlier late reply
  printer.QueueOutput({0x30, 0x00, 0x00}, 2);                        // arrives while draining
  const size_t count = Transfer(BuildReadRequest("PRINT_MODE", UsbValueKind::kInteger));
  EXPECT_THAT(Received(count), ElementsAre(0x20, 4, 0, 0, 0, 0, 0));
  EXPECT_THAT(printer.waits, ElementsAre(kDrain, kDrain, kWrite, kRead));
}

TEST_F(UsbTransferTest, FurtherPiecesAreReadUntilThePayloadIsComplete) {
  firmware.timing = {.piece_size = 3, .first_delay_ms = 20, .piece_delay_ms = 499};
  const size_t count = Transfer(BuildReadRequest("OEM_MODELNAME", UsbValueKind::kText));
  EXPECT_EQ(count, 3u + 11u);
  EXPECT_EQ(ReadReplyText(Received(count)), "Velmo LT42");
  // "Velmo LT42\0" after the header: 11 bytes in pieces of 3.
  EXPECT_THAT(printer.waits, ElementsAre(kDrain, kWrite, kRead, kRead, kRead, kRead, kRead));
}

TEST_F(UsbTransferTest, MissingPiecesEndTheReadAfter500Ms) {
  firmware.timing = {.piece_size = 3, .first_delay_ms = 1, .piece_delay_ms = 501};
  const size_t count = Transfer(BuildReadRequest("VERSION", UsbValueKind::kText));
  EXPECT_THAT(Received(count), ElementsAre(0x20, 4, 0));
  EXPECT_THAT(printer.waits, ElementsAre(kDrain, kWrite, kRead, kRead));
}

TEST_F(UsbTransferTest, LateReplyGivesNothingAndIsDrainedNextTime) {
  firmware.timing.first_delay_ms = 600;
  EXPECT_EQ(Transfer(BuildReadRequest("PRINT_DARKNESS", UsbValueKind::kInteger)), 0u);
  EXPECT_EQ(printer.cancels, 1);

  firmware.timing.first_delay_ms = 1;
  printer.Advance(200);  // the late reply is now waiting in the device
  const size_t count = Transfer(BuildReadRequest("AUTO_FEED", UsbValueKind::kInteger));
  EXPECT_THAT(Received(count), ElementsAre(0x20, 4, 0, 1, 0, 0, 0));
}

TEST_F(UsbTransferTest, WriteThatStallsOrFallsShortGivesNothing) {
  printer.write_behaviour = WriteBehaviour::kStalls;
  EXPECT_EQ(Transfer(BuildCommand("beep", UsbValueKind::kCommand)), 0u);
  EXPECT_THAT(printer.waits, ElementsAre(kDrain, kWrite));
  printer.write_behaviour = WriteBehaviour::kShort;
  EXPECT_EQ(Transfer(BuildCommand("beep", UsbValueKind::kCommand)), 0u);
  EXPECT_EQ(printer.cancels, 2);
  EXPECT_EQ(printer.closes, 2);
}

TEST_F(UsbTransferTest, AbsentDeviceOrFailingReadGivesNothing) {
  printer.plugged = false;
  EXPECT_EQ(Transfer(BuildCommand("beep", UsbValueKind::kCommand)), 0u);
  EXPECT_EQ(printer.opens, 0);
  printer.plugged = true;
  printer.reads_fail = true;
  EXPECT_EQ(Transfer(BuildCommand("beep", UsbValueKind::kCommand)), 0u);
  EXPECT_TRUE(printer.waits.empty()) << "nothing is written after a failed read";
  EXPECT_EQ(firmware.beeps, 0);
  EXPECT_EQ(printer.cancels, 1);
}

TEST_F(UsbTransferTest, ReplyClaimingMoreThanTheBufferStopsWhenFull) {
  std::vector<uint8_t> head(100, 'x');
  head[0] = 0x20, head[1] = 0xFF, head[2] = 0xFF;
  printer.QueueOutput(head, 10);  // after the drain, before the real reply
  printer.QueueOutput(std::vector<uint8_t>(200, 'y'), 11);
  EXPECT_EQ(Transfer(BuildReadRequest("VERSION", UsbValueKind::kText)), kReplyCapacity);
  EXPECT_EQ(reply.back(), 'y');
  EXPECT_THAT(printer.waits, ElementsAre(kDrain, kWrite, kRead, kRead));
}

}  // namespace
}  // namespace velmo
