#include "inf_samples.h"

namespace velmo::test {
namespace {

// CR LF line ends, comments, a strings section and section names in other
// cases than the provider's.
const char kPackage[] =
    "; Velmo LT series printer driver\r\n"
    "; (c) Velmo\r\n"
    "\r\n"
    "[version]\r\n"
    "Signature=\"$Windows NT$\"\r\n"
    "Class=Printer\r\n"
    "ClassGuid={4D36E979-E325-11CE-BFC1-08002BE10318}\r\n"
    "PROVIDER = Velmo\r\n"
    "DriverVer=05/14/2023,1.0.0.1\r\n"
    "CatalogFile=velmo.cat\r\n"
    "\r\n"
    "[Manufacturer]\r\n"
    "%Velmo%=Velmo,NTx86,NTamd64\r\n"
    "\r\n"
    "[velmo.ntx86]\r\n"
    "; the 32-bit models\r\n"
    "\"Velmo LT42\" = VELMO_LT42, USBPRINT\\VelmoLT42A1B2\r\n"
    "\"Velmo LT43\"=VELMO_LT43,USBPRINT\\VelmoLT43C3D4\r\n"
    "\tVelmo LP80  =  VELMO_LP80, USBPRINT\\VelmoLP80E5F6\r\n"
    "\r\n"
    "[VELMO.NTamd64]\r\n"
    "\"Velmo LT42 x64\" = VELMO_LT42, USBPRINT\\VelmoLT42A1B2\r\n"
    "\r\n"
    "[Strings]\r\n"
    "Velmo=\"Velmo Printers\"\r\n"
    "DiskName=\"Velmo Driver Disk\"\r\n";

// The provider as a reference to the strings section is taken literally.
const char kTokenProvider[] =
    "[Version]\r\n"
    "Signature=\"$Windows NT$\"\r\n"
    "Provider=%Velmo%\r\n"
    "\r\n"
    "[Velmo.NTx86]\r\n"
    "\"Velmo LT42\" = VELMO_LT42\r\n"
    "\r\n"
    "[Strings]\r\n"
    "Velmo=\"Velmo\"\r\n";

// A quoted provider loses its quotes; keys keep theirs until the catalogue
// takes one off each end; several brands, a one-word model.
const char kQuotedProvider[] =
    "[Version]\n"
    "Provider=\"Other\"\n"
    "[Other.NTx86]\n"
    "\"Velmo LT42\"=A\n"
    "\"velmo LT43=B\n"
    "Other X1\"=C\n"
    "Other \"X2\" Pro=D\n"
    "Mono=E\n";

const char kSingleQuotedProvider[] =
    "[Version]\r\n"
    "Provider='Velmo'\r\n"
    "[Velmo.NTx86]\r\n"
    "Velmo LT42=A\r\n";

// A comment after the provider belongs to its value, so no section matches.
const char kCommentAfterProvider[] =
    "[Version]\r\n"
    "Provider=Velmo ; the brand\r\n"
    "[Velmo.NTx86]\r\n"
    "Velmo LT42=A\r\n";

// Old Mac line ends, and a model section that is missing.
const char kCarriageReturnsOnly[] =
    "[Version]\rProvider=Velmo\r[Velmo.NTamd64]\rVelmo LT42=A\r";

// The finer points: a key without "=", a repeated section and key, blanks
// inside the brackets, text before the first section, a header without "]".
const char kFinePoints[] =
    "Orphan=1\r\n"
    "[Version]\r\n"
    "Provider=Velmo\r\n"
    "Provider=Other\r\n"
    "[Velmo.NTx86]\r\n"
    "Velmo Lonely\r\n"
    "Velmo LT42=A\r\n"
    "=nameless\r\n"
    "[velmo.ntx86]\r\n"
    "Velmo Again=B\r\n"
    "[ Spaced ]\r\n"
    "Inside=C\r\n"
    "[Unclosed\r\n"
    "After=D\r\n";

std::string LongNames() {
  const std::string model79 = "Velmo " + std::string(73, 'L');
  const std::string model80 = "Velmo " + std::string(74, 'M');
  const std::string key255 = "\"Velmo " + std::string(247, 'K') + "\"";
  const std::string key256 = "Velmo " + std::string(250, 'N');
  return "[Version]\r\nProvider=Velmo\r\n[Velmo.NTx86]\r\n" + model79 + "=A\r\n" + model80 + "=B\r\n\"" + model79 +
         "\"=C\r\n" + key255 + "=D\r\n" + key256 + "=E\r\nVelmo Short=F\r\n";
}

}  // namespace

const std::vector<InfSample>& InfSamples() {
  static const std::vector<InfSample> samples = {
      {"package", kPackage, {"Velmo.NTx86", "velmo.ntamd64", "STRINGS", "Manufacturer"},
       {"Velmo LT42", "Velmo LT43", "Velmo LP80"}},
      {"token_provider", kTokenProvider, {"Velmo.NTx86", "%Velmo%.NTx86"}, {}},
      {"quoted_provider", kQuotedProvider, {"Other.NTx86"},
       {"Velmo LT42", "velmo LT43", "Other X1", "Other \"X2\" Pro", "Mono"}},
      {"single_quoted_provider", kSingleQuotedProvider, {"Velmo.NTx86"}, {"Velmo LT42"}},
      {"comment_after_provider", kCommentAfterProvider, {"Velmo.NTx86"}, {}},
      {"carriage_returns_only", kCarriageReturnsOnly, {"Velmo.NTamd64"}, {}},
      {"fine_points", kFinePoints, {"Velmo.NTx86", " Spaced ", "Spaced", "Unclosed", "[Unclosed", ""},
       {"Velmo LT42"}},
      {"long_names", LongNames(), {"Velmo.NTx86"},
       {"Velmo " + std::string(73, 'L'), "Velmo " + std::string(73, 'L'), "Velmo Short"}},
  };
  return samples;
}

}  // namespace velmo::test
