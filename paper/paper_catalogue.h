#pragma once
// The paper form catalogue: the spooler's user and printer forms as three
// parallel lists, and the choices the paper list makes over them.
#include <string>
#include <string_view>
#include <vector>

#include "message_boxes.h"
#include "spooler_forms.h"

namespace velmo {

// Entry k of each list describes the k-th listed form.
struct PaperLists {
  std::vector<std::string> PaperNames;    // ANSI code page
  std::vector<std::string> PaperNumbers;  // form numbers, "%i"
  std::vector<std::string> PaperSizes;    // "%0.1fmm x %0.1fmm"

  int Count() const { return static_cast<int>(PaperNames.size()); }
  void Clear();
};

// The program's lists, refilled by every EnumPaperForms of the paper list.
extern PaperLists Papers;

// Refills `lists` from the printer's forms. Built-in forms are not listed but
// are counted: a form's number is its 1-based place among all forms. A
// printer that cannot be opened leaves the lists empty.
void EnumPaperForms(SpoolerForms& spooler, std::string_view printer_name, PaperLists& lists);

// The form number of entry `entry`; 0 when it is not a number.
int FormNumberOf(const PaperLists& lists, int entry);

// The first entry whose number is `form_number`; -1 when none is.
int EntryOfFormNumber(const PaperLists& lists, int form_number);

// The first entry named `name`, ignoring the case of Latin letters; -1 when
// none is.
int EntryOfName(const PaperLists& lists, std::string_view name);

// What is selected after deleting the entry at `deleted` from a list that now
// has `count` entries: the same place, or the last entry, or nothing (-1).
int EntryAfterDeletion(int deleted, int count);

// The question asked before a paper is deleted.
MessageText DeleteConfirmation(const std::wstring& name, bool english);

}  // namespace velmo
