// Form1's address check: the discovery query to the typed address alone,
// for a printer on a network that the broadcast does not reach.
#include <stdexcept>

#include "english_mode.h"
#include "form1_win.h"
#include "text_win.h"
#include "translation.h"

namespace velmo {
namespace {

std::wstring CheckingText() { return IsEnglish() ? L"Checking..." : L"正在检查..."; }

std::wstring AnswerText(const AddressCheck& check) {
  const std::wstring address = WidenUtf8(check.Address());
  const std::optional<AddressAnswer>& answer = check.Answer();
  if (!answer) return IsEnglish() ? L"Nothing answered at " + address + L"." : address + L" 无应答。";
  if (answer->model) {
    const std::wstring model = WidenUtf8(*answer->model);
    if (!answer->reportedAddress.empty() && answer->reportedAddress != check.Address()) {
      // "%1 answered at %2; it reports %3."
      std::wstring text = TranslatedText(QindleTranslationTable(), L"Form1", L"%1 在 %2 应答；它报告的地址是 %3。",
                                         IsEnglish());
      for (const auto& [mark, value] : {std::pair{L"%1", model}, std::pair{L"%2", address},
                                        std::pair{L"%3", WidenUtf8(answer->reportedAddress)}})
        text.replace(text.find(mark), 2, value);
      return text;
    }
    return IsEnglish() ? model + L" answered." : model + L" 已应答。";
  }
  const std::wstring name = WidenUtf8(answer->deviceName);
  return IsEnglish() ? L"\"" + name + L"\" answered: not a model of this driver package."
                     : L"\"" + name + L"\" 已应答, 但驱动包中没有此型号。";
}

}  // namespace

void TForm1::ButtonCheckAddressClick(toolkit::Component&) {
  const std::optional<std::string> address = CheckedIpv4Address(NarrowToUtf8(LabeledEditIP->Text()));
  if (!address) return;
  addressCheck_ = std::make_unique<AddressCheck>(*address);
  LabelAddressAnswer->SetCaption(CheckingText());
  try {
    EndpointNetwork(*IdUDPServer1).SendQuery(*address);
  } catch (const std::exception& error) {
    addressCheck_.reset();
    LabelAddressAnswer->SetCaption(WidenUtf8(error.what()));
    return;
  }
  TimerAddressCheck->SetEnabled(false);  // a check before this one waits no longer
  TimerAddressCheck->SetEnabled(true);
}

void TForm1::OfferToAddressCheck(const std::string& datagram) {
  if (!addressCheck_ || !addressCheck_->Offer(IdUDPServer1->CurrentSource(), datagram, CatalogueModels().Items()))
    return;
  if (const std::optional<std::string>& model = addressCheck_->Answer()->model) {
    ComboBoxDriverNames->SetItemIndex(CatalogueModels().IndexOf(*model));
    ComboBoxDriverNamesChange(*ComboBoxDriverNames);
  }
  ShowAddressAnswer();
}

void TForm1::TimerAddressCheckTimer(toolkit::Component&) {
  if (addressCheck_) ShowAddressAnswer();
}

void TForm1::ShowAddressAnswer() {
  TimerAddressCheck->SetEnabled(false);
  LabelAddressAnswer->SetCaption(AnswerText(*addressCheck_));
  addressCheck_.reset();
}

}  // namespace velmo
