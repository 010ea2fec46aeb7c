// The printers and paper the dialogs offer: CUPS destinations (handed in here, as no print
// daemon runs in tests), media names turned into papers, the paper of the user's locale, and
// the headless service's printers from the environment.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>

#include "platform/print/cups_print_service.h"
#include "platform/print/headless_print_service.h"
#include "platform/print/locale_paper.h"
#include "platform/print/paper_sizes.h"

namespace zd::platform {
namespace {

CupsCalls FakeCups(std::vector<CupsDestination> destinations, int& printed, std::string& how) {
  CupsCalls calls;
  calls.destinations = [destinations] { return destinations; };
  calls.printFile = [&printed, &how](const std::string& printer, const std::string& path,
                                     const std::string& title, int copies, std::string& error) {
    if (printer == "Broken") {
      error = "client-error-not-possible";
      return 0;
    }
    ++printed;
    how = printer + " " + path + " " + title + " " + std::to_string(copies);
    return 42;
  };
  return calls;
}

TEST(CupsPrintService, ListsDestinationsWithTheirPapersAndSubmitsJobs) {
  CupsDestination office{"Office", "Office laser", false,
                         {"iso_a4_210x297mm", "na_letter_8.5x11in", "iso_a4_210x297mm",
                          "custom_photo_100x150mm", "oe_broken_x", "iso_a3_297x420mm"},
                         "na_letter_8.5x11in"};
  CupsDestination hall{"Hall", "", true, {}, ""};
  CupsDestination second{"Other", "", true, {}, ""};  // a second default is not one
  int printed = 0;
  std::string how;
  auto service = MakeCupsPrintService(FakeCups({office, hall, second}, printed, how), {});
  const auto printers = service->Printers();
  ASSERT_EQ(printers.size(), 3u);
  EXPECT_EQ(printers[0].name, "Office");
  EXPECT_EQ(printers[0].description, "Office laser");
  EXPECT_FALSE(printers[0].isDefault);
  EXPECT_EQ(printers[1].description, "Hall");  // no info: its name
  EXPECT_TRUE(printers[1].isDefault);
  EXPECT_FALSE(printers[2].isDefault);
  ASSERT_EQ(printers[0].papers.size(), 4u);  // A4 once; the malformed name is left out
  EXPECT_EQ(printers[0].papers[0], (Paper{"A4", 210, 297}));
  EXPECT_EQ(printers[0].papers[1].name, "Letter");
  EXPECT_NEAR(printers[0].papers[1].widthMm, 215.9, 0.01);
  EXPECT_EQ(printers[0].papers[2].name, "photo (100 x 150 mm)");
  EXPECT_EQ(printers[0].papers[3].name, "A3");
  ASSERT_TRUE(printers[0].defaultPaper);
  EXPECT_EQ(printers[0].defaultPaper->name, "Letter");
  EXPECT_TRUE(printers[1].papers.empty());

  std::string error;
  EXPECT_TRUE(service->Submit("Office", "/tmp/job.pdf", 3, "Notes", error)) << error;
  EXPECT_EQ(how, "Office /tmp/job.pdf Notes 3");
  EXPECT_TRUE(service->Submit("Office", "/tmp/job.pdf", 500, "Notes", error));
  EXPECT_EQ(how, "Office /tmp/job.pdf Notes 99");
  EXPECT_FALSE(service->Submit("Broken", "/tmp/job.pdf", 1, "Notes", error));
  EXPECT_EQ(error, "client-error-not-possible");
  EXPECT_FALSE(service->Submit("", "/tmp/job.pdf", 1, "Notes", error));
  EXPECT_EQ(printed, 2);

  int none = 0;
  auto empty = MakeCupsPrintService(FakeCups({}, none, how), {});
  EXPECT_TRUE(empty->Printers().empty());
  auto nothing = MakeCupsPrintService(CupsCalls{}, {});
  EXPECT_TRUE(nothing->Printers().empty());
  EXPECT_FALSE(nothing->Submit("Office", "/tmp/job.pdf", 1, "Notes", error));
  EXPECT_FALSE(error.empty());
}

TEST(CupsPrintService, MediaNamesGiveSensibleSizesOrNothing) {
  EXPECT_EQ(PaperFromMediaName("na_legal_8.5x14in")->name, "Legal");
  EXPECT_NEAR(PaperFromMediaName("custom_card_4x6in")->heightMm, 152.4, 0.01);
  EXPECT_FALSE(PaperFromMediaName("iso_a4"));
  EXPECT_FALSE(PaperFromMediaName("custom_huge_99999x10mm"));
  EXPECT_FALSE(PaperFromMediaName("custom_tiny_1x1mm"));
  EXPECT_FALSE(PaperFromMediaName("custom_nan_nanxnanmm"));
  EXPECT_FALSE(PaperFromMediaName(""));
}

TEST(LocalePaper, LetterWhereTheLocaleSaysSoAndA4Elsewhere) {
  EXPECT_EQ(PaperForLocale({0, 0, "en_US.UTF-8"}).name, "Letter");
  EXPECT_EQ(PaperForLocale({0, 0, "fr_CA"}).name, "Letter");
  EXPECT_EQ(PaperForLocale({0, 0, "es_MX.UTF-8@euro"}).name, "Letter");
  EXPECT_EQ(PaperForLocale({0, 0, "el_GR.UTF-8"}).name, "A4");
  EXPECT_EQ(PaperForLocale({0, 0, "en_GB"}).name, "A4");
  EXPECT_EQ(PaperForLocale({0, 0, "C"}).name, "A4");
  EXPECT_EQ(PaperForLocale({}).name, "A4");
  // LC_PAPER's own size wins over the territory's custom.
  EXPECT_EQ(PaperForLocale({216, 279, "el_GR"}).name, "Letter");
  EXPECT_EQ(PaperForLocale({210, 297, "en_US"}).name, "A4");
  // A size no standard paper has: the territory decides.
  EXPECT_EQ(PaperForLocale({100, 100, "en_PH"}).name, "Letter");
}

TEST(HeadlessPrintService, PrintersComeFromTheEnvironmentAndPrintNothing) {
  std::ostringstream out;
  Trace trace(&out, Trace::kAll);
  const char* list = nullptr;
  auto service = MakeHeadlessPrintService(trace, [&](const char* name) {
    return std::string(name) == kHeadlessPrintersVariable ? list : nullptr;
  });
  EXPECT_TRUE(service->Printers().empty());
  list = "";
  EXPECT_TRUE(service->Printers().empty());
  list = "Office, Hall,,";
  const auto printers = service->Printers();
  ASSERT_EQ(printers.size(), 2u);
  EXPECT_EQ(printers[0].name, "Office");
  EXPECT_TRUE(printers[0].isDefault);
  EXPECT_EQ(printers[1].name, "Hall");
  EXPECT_EQ(service->LocalePaper().name, "A4");
  std::string error;
  EXPECT_TRUE(service->Submit("Hall", "/tmp/x.pdf", 2, "t", error));
  EXPECT_EQ(out.str(), "print Hall copies 2\n");
  EXPECT_FALSE(service->Submit("Attic", "/tmp/x.pdf", 2, "t", error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace zd::platform

namespace zd::platform {
namespace {

TEST(CupsPrintService, ThePrintSystemAnswersQuicklyEvenWithoutADaemon) {
  const auto started = std::chrono::steady_clock::now();
  auto service = MakeCupsPrintService(SystemCupsCalls(), CurrentLocaleFacts());
  for (const PrinterInfo& printer : service->Printers()) EXPECT_FALSE(printer.name.empty());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(10));
  const Paper paper = service->LocalePaper();
  EXPECT_TRUE(paper.name == "A4" || paper.name == "Letter") << paper.name;
}

}  // namespace
}  // namespace zd::platform
