// PDF documents as a reader of the file sees them: the sheets with their sizes, the text (Greek
// and Latin) as text, pictures pixel for pixel where they were drawn, and no file at all when
// it cannot be written.
#include "platform/print/pdf_document.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "base/cp1253.h"
#include "platform/png_codec.h"
#include "platform/print/paper_sizes.h"
#include "support/test_support.h"

namespace zd::platform {
namespace {

using test::Has;

bool HavePoppler() {
  return access("/usr/bin/pdftotext", X_OK) == 0 && access("/usr/bin/pdfinfo", X_OK) == 0 &&
         access("/usr/bin/pdftoppm", X_OK) == 0;
}

Rgb PixelAt(const RgbaImage& image, int x, int y) {
  const uint8_t* p = &image.rgba[(size_t(y) * image.width + x) * 4];
  return {p[0], p[1], p[2]};
}

TEST(PdfDocument, SheetsTextAndPicturesReachTheFile) {
  if (!HavePoppler()) GTEST_SKIP() << "poppler tools are not installed";
  test::TempDir dir;
  const std::string path = dir.File("job.pdf");
  auto doc = MakePdfDocument(path, Utf8ToCp1253("Σημειωματάριο"));
  ASSERT_TRUE(doc);

  PageSetup a4;
  a4.paper = *StandardPaper("A4");
  double w = 0, h = 0;
  SheetSizePt(a4, w, h);
  doc->BeginSheet(w, h);
  PrintFont heading{"Arial", 15, false, false, true};
  PrintFont body{"Arial", 12};
  doc->DrawText(72, 72, heading, Utf8ToCp1253("ΣΕΛΙΔΑ 1"), Rgb{});
  doc->DrawText(72, 100, body, Utf8ToCp1253("Καλημέρα κόσμε, hello world"), Rgb{});
  // Quarters red, green / blue, yellow, each 50 points square.
  RgbImage picture;
  picture.width = 2;
  picture.height = 2;
  picture.rgb = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 0};
  doc->DrawImage(picture, 100, 200, 100, 100);
  doc->EndSheet();
  a4.landscape = true;
  SheetSizePt(a4, w, h);
  doc->BeginSheet(w, h);
  doc->DrawText(72, 72, PrintFont{"NoSuchFaceAnywhere", 12}, "second sheet", Rgb{});
  doc->EndSheet();
  // Nothing is there before the document is finished.
  EXPECT_FALSE(std::filesystem::exists(path));
  std::string error;
  ASSERT_TRUE(doc->Finish(error)) << error;
  ASSERT_TRUE(std::filesystem::exists(path));

  const auto text = test::RunProgram("/usr/bin/pdftotext", {"-enc", "UTF-8", path, "-"});
  EXPECT_TRUE(Has(text.out, "ΣΕΛΙΔΑ 1")) << text.out;
  EXPECT_TRUE(Has(text.out, "Καλημέρα κόσμε, hello world")) << text.out;
  EXPECT_TRUE(Has(text.out, "second sheet")) << text.out;

  const auto info = test::RunProgram("/usr/bin/pdfinfo", {"-f", "1", "-l", "2", path});
  std::string facts;  // blanks between words made single
  for (char c : info.out) {
    if (c != ' ' || facts.empty() || facts.back() != ' ') facts += c;
  }
  EXPECT_TRUE(Has(facts, "Pages: 2\n")) << info.out;
  EXPECT_TRUE(Has(facts, "Page 1 size: 595.276 x 841.89 pts")) << info.out;
  EXPECT_TRUE(Has(facts, "Page 2 size: 841.89 x 595.276 pts")) << info.out;
  EXPECT_TRUE(Has(facts, "Σημειωματάριο")) << info.out;
  const auto fonts = test::RunProgram("/usr/bin/pdffonts", {path});
  if (fonts.status == 0) EXPECT_TRUE(Has(fonts.out, "Liberation")) << fonts.out;

  // At 72 dots an inch a point is a pixel: the quarters are sharp right up to their edges.
  const auto shot = test::RunProgram(
      "/usr/bin/pdftoppm", {"-png", "-r", "72", "-f", "1", "-l", "1", "-singlefile", path,
                            dir.File("sheet")});
  ASSERT_EQ(shot.status, 0) << shot.err;
  const std::string png = test::ReadFile(dir.File("sheet.png"));
  RgbaImage sheet;
  ASSERT_TRUE(DecodePngRgba(reinterpret_cast<const uint8_t*>(png.data()), png.size(), sheet, error))
      << error;
  ASSERT_GE(sheet.width, 595);
  EXPECT_EQ(PixelAt(sheet, 102, 202), (Rgb{255, 0, 0}));
  EXPECT_EQ(PixelAt(sheet, 148, 248), (Rgb{255, 0, 0}));
  EXPECT_EQ(PixelAt(sheet, 152, 248), (Rgb{0, 255, 0}));
  EXPECT_EQ(PixelAt(sheet, 148, 252), (Rgb{0, 0, 255}));
  EXPECT_EQ(PixelAt(sheet, 198, 298), (Rgb{255, 255, 0}));
  EXPECT_EQ(PixelAt(sheet, 98, 250), (Rgb{255, 255, 255}));   // outside: blank paper
  EXPECT_EQ(PixelAt(sheet, 150, 302), (Rgb{255, 255, 255}));
  // The underline of the heading: dark pixels just under its baseline, across its width.
  int dark = 0;
  for (int y = 84; y < 96; ++y) {
    if (PixelAt(sheet, 110, y).r < 128 && PixelAt(sheet, 111, y).r < 128 &&
        PixelAt(sheet, 112, y).r < 128) {
      ++dark;
    }
  }
  EXPECT_GT(dark, 0);
}

TEST(PdfDocument, AFileThatCannotBeWrittenGivesTheReasonAndLeavesNothing) {
  test::TempDir dir;
  const std::string folder = dir.File("locked");
  std::filesystem::create_directory(folder);
  std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_exec);
  const std::string path = folder + "/job.pdf";
  auto doc = MakePdfDocument(path, "title");
  ASSERT_TRUE(doc);
  doc->BeginSheet(595, 842);
  doc->DrawText(10, 10, PrintFont{}, "text", Rgb{});
  doc->EndSheet();
  std::string error;
  const bool root = geteuid() == 0;  // the superuser writes into any folder
  if (!root) {
    EXPECT_FALSE(doc->Finish(error));
    EXPECT_FALSE(error.empty());
  }
  std::filesystem::permissions(folder, std::filesystem::perms::owner_all);
  if (!root) EXPECT_TRUE(std::filesystem::is_empty(folder));

  // A folder that does not exist, and a document dropped unfinished: nothing either way.
  auto nowhere = MakePdfDocument(dir.File("missing/job.pdf"), "title");
  EXPECT_FALSE(nowhere->Finish(error));
  EXPECT_FALSE(error.empty());
  {
    auto dropped = MakePdfDocument(dir.File("dropped.pdf"), "title");
    dropped->BeginSheet(595, 842);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("dropped.pdf")));
  // Impossible sizes and pictures draw nothing and harm nothing.
  auto odd = MakePdfDocument(dir.File("odd.pdf"), "title");
  odd->BeginSheet(-1, 1e300);
  RgbImage bad;
  bad.width = 100;
  bad.height = 100;  // but no pixels
  odd->DrawImage(bad, 0, 0, 10, 10);
  odd->DrawText(0, 0, PrintFont{"", -5}, "x", Rgb{});
  ASSERT_TRUE(odd->Finish(error)) << error;
  std::filesystem::remove_all(dir.path() + "/missing");
}

}  // namespace
}  // namespace zd::platform
