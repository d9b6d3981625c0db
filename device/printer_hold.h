#pragma once
// One program at a time on a printer: what holds it, until destroyed.
namespace velmo {

class PrinterHold {
 public:
  virtual ~PrinterHold() = default;
};

}  // namespace velmo
