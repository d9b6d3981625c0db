#include "usb_prn_cmd.h"

#include "usb_transfer.h"

namespace velmo {

TUsbPrnCmd::Reply TUsbPrnCmd::Exchange(const std::optional<RequestFrame>& request) {
  Reply reply;
  if (request) reply.length = UsbTransfer(ports_, printerName, request->View(), reply.bytes);
  last_answered_ = reply.length > 0;
  return reply;
}

std::optional<TUsbPrnCmd::Reply> TUsbPrnCmd::Read(std::string_view key, UsbValueKind kind) {
  Reply reply = Exchange(BuildReadRequest(key, kind));
  if (!IsReadReplyOk(reply.View())) return std::nullopt;
  return reply;
}

bool TUsbPrnCmd::Write(const std::optional<RequestFrame>& request) {
  return IsWriteReplyOk(Exchange(request).View());
}

bool TUsbPrnCmd::GetInt(std::string_view key, int32_t* value) {
  if (value) *value = 0;
  const auto reply = Read(key, UsbValueKind::kInteger);
  if (reply && value) *value = ReadReplyInt(reply->View());
  return reply.has_value();
}

bool TUsbPrnCmd::GetString(std::string_view key, std::string* text) {
  if (text) text->clear();
  const auto reply = Read(key, UsbValueKind::kText);
  if (reply && text) *text = ReadReplyText(reply->View());
  return reply.has_value();
}

bool TUsbPrnCmd::GetBytes(std::string_view key, std::span<uint8_t> out) {
  const auto reply = Read(key, UsbValueKind::kBytes);
  if (reply) ReadReplyBytes(reply->View(), out);
  return reply.has_value();
}

bool TUsbPrnCmd::SetInt(std::string_view key, int32_t value) { return Write(BuildWriteInt(key, value)); }

bool TUsbPrnCmd::SetString(std::string_view key, std::string_view text) {
  return Write(BuildWriteText(key, text));
}

bool TUsbPrnCmd::SetBytes(std::string_view key, std::span<const uint8_t> bytes) {
  return Write(BuildWriteBytes(key, bytes));
}

bool TUsbPrnCmd::RunCommand(std::string_view command) {
  return Write(BuildCommand(command, UsbValueKind::kCommand));
}

bool TUsbPrnCmd::RunSaveCommand(std::string_view command) {
  return Write(BuildCommand(command, UsbValueKind::kSaveCommand));
}

}  // namespace velmo
