#pragma once
// The effects of "printui.dll,PrintUIEntry /if" and "/dl" that the installer
// checks afterwards: a local queue in the spooler with the given port and
// model, and its removal.
#include <string>

namespace velmo::standin {

// Installs a placeholder driver named after the model (its files are stubs in
// the printer driver folder; nothing ever prints through it) and adds the
// queue. False with the refused call and its error code in `failure`.
bool AddLocalQueue(const std::string& queue, const std::string& port, const std::string& model,
                   std::string& failure);

// "/dl": the queue deleted from the spooler (its driver stays, as printui
// leaves it). False with the refused call and its error code in `failure`.
bool RemoveLocalQueue(const std::string& queue, std::string& failure);

}  // namespace velmo::standin
