// Printing as the runtime sees it: the printers there are, the paper they take, and documents
// drawn into PDF files, which are kept (the "PDF file" destination) or handed to a printer.
// Everything is measured in points (1/72 inch) from a sheet's top-left corner.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/dialogs.h"
#include "platform/types.h"

namespace zd::platform {

struct PrinterInfo {
  std::string name;          // the destination's name (UTF-8, as the print system knows it)
  std::string description;   // what the dialog shows (its info text, else the name)
  bool isDefault = false;
  std::vector<Paper> papers; // sizes it takes; empty: the usual sizes
  std::optional<Paper> defaultPaper;
};

// A font for printed text: a face looked up as the screen's faces are, at a size in points.
struct PrintFont {
  std::string face;          // empty: the platform's sans-serif face
  double sizePt = 12;        // the em size
  bool bold = false, italic = false, underline = false;
  bool operator==(const PrintFont&) const = default;
};

struct PrintFontMetrics {
  double ascent = 0, descent = 0, height = 0;  // points; height is the line's cell height
};

// One document being drawn, sheet by sheet. Text stays text in the file (it can be selected
// and searched); pictures go in as images.
class PrintDocument {
 public:
  virtual ~PrintDocument() = default;
  // Starts a sheet of the given size (points; landscape sheets are wider than tall).
  virtual void BeginSheet(double widthPt, double heightPt) = 0;
  virtual void EndSheet() = 0;
  // `image` stretched into the rectangle, nearest pixel (the page as the player showed it).
  virtual void DrawImage(const RgbImage& image, double x, double y, double w, double h) = 0;
  virtual PrintFontMetrics Metrics(const PrintFont& font) = 0;
  virtual double TextWidth(const PrintFont& font, std::string_view text1253) = 0;
  // `text1253` with the top of its cell at (x, y), cut to the clip rectangle when one is set.
  virtual void DrawText(double x, double y, const PrintFont& font, std::string_view text1253,
                        Rgb colour) = 0;
  virtual void FillRect(double x, double y, double w, double h, Rgb colour) = 0;
  virtual void FrameRect(double x, double y, double w, double h, Rgb colour, double lineWidthPt) = 0;
  virtual void SetClip(double x, double y, double w, double h) = 0;
  virtual void ResetClip() = 0;
  // Writes the file out; false with `error` set when it could not be written whole.
  virtual bool Finish(std::string& error) = 0;
};

class PrintService {
 public:
  virtual ~PrintService() = default;
  // The printers there are now; empty when there are none or the print system does not answer.
  virtual std::vector<PrinterInfo> Printers() = 0;
  // The paper of the user's locale ("A4", or "Letter" where letter paper is the custom).
  virtual Paper LocalePaper() = 0;
  // A new document written to `pathUtf8` (atomically, when Finish succeeds) named `title`.
  virtual std::unique_ptr<PrintDocument> CreatePdf(const std::string& pathUtf8,
                                                  const std::string& title1253) = 0;
  // Hands a finished PDF to a printer: false with `error` set when it was not accepted.
  // Headless runs print nothing and trace "print PRINTER copies N" instead.
  virtual bool Submit(const std::string& printer, const std::string& pdfPathUtf8, int copies,
                      const std::string& title1253, std::string& error) = 0;
};

}  // namespace zd::platform
