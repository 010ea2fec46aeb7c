// The print dialog opens quickly whatever printers there are: only the default printer is asked
// for its media, and only once a run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/print/cups_print_service.h"

namespace zd::platform {
namespace {

TEST(PrintCupsMedia, OnlyTheDefaultPrinterIsAskedAndOnlyOnce) {
  CupsCalls calls;
  calls.destinations = [] {
    return std::vector<CupsDestination>{{"Remote", "Far away", false, {}, ""},
                                        {"Desk", "Desk printer", true, {}, ""},
                                        {"Lab", "", false, {}, ""}};
  };
  std::vector<std::string> asked;
  calls.media = [&asked](const std::string& printer) {
    asked.push_back(printer);
    return CupsMedia{{"iso_a4_210x297mm", "na_letter_8.5x11in"}, "na_letter_8.5x11in"};
  };
  auto service = MakeCupsPrintService(calls, LocaleFacts{});

  for (int opening = 0; opening < 3; ++opening) {
    const std::vector<PrinterInfo> printers = service->Printers();
    ASSERT_EQ(printers.size(), 3u);
    EXPECT_TRUE(printers[0].papers.empty());
    EXPECT_EQ(printers[1].papers.size(), 2u);
    ASSERT_TRUE(printers[1].defaultPaper.has_value());
    EXPECT_EQ(printers[1].defaultPaper->name, printers[1].papers[1].name);
    EXPECT_TRUE(printers[2].papers.empty());
  }
  EXPECT_EQ(asked, std::vector<std::string>{"Desk"});
}

}  // namespace
}  // namespace zd::platform
