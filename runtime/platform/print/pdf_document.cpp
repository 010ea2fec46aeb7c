#include "platform/print/pdf_document.h"

#include <cairo-ft.h>
#include <cairo-pdf.h>
#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "base/cp1253.h"
#include "platform/atomic_file.h"
#include "platform/print/paper_sizes.h"
#include "platform/text_fonts.h"

namespace zd::platform {
namespace {

// Beyond these a sheet is no paper (cairo's own limit for a PDF page is 14,400 points).
constexpr double kMinSheetPt = 36, kMaxSheetPt = 14400;
constexpr double kMinFontPt = 1, kMaxFontPt = 1000;
// Pictures larger than this are not drawn: they come from the page or from title data.
constexpr int kMaxImageSide = 16384;

double SaneSheet(double pt, double fallback) {
  if (!std::isfinite(pt)) return fallback;
  return std::clamp(pt, kMinSheetPt, kMaxSheetPt);
}

bool Finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

double FontSize(const PrintFont& font) {
  return std::isfinite(font.sizePt) ? std::clamp(font.sizePt, kMinFontPt, kMaxFontPt) : 12;
}

// Printed text as UTF-8; control characters would print as boxes and become blanks.
std::string PrintableUtf8(std::string_view text1253) {
  std::string text(text1253);
  for (char& c : text) {
    if (static_cast<unsigned char>(c) < 0x20) c = ' ';
  }
  return Cp1253ToUtf8(text);
}

// Restores the drawing state of a cairo context when it goes out of scope.
class SavedState {
 public:
  explicit SavedState(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
  ~SavedState() { cairo_restore(cr_); }
  SavedState(const SavedState&) = delete;
  SavedState& operator=(const SavedState&) = delete;

 private:
  cairo_t* cr_;
};

class PdfDocument final : public PrintDocument {
 public:
  PdfDocument(const std::string& pathUtf8, const std::string& title1253) {
    if (!file_.Open(pathUtf8, openError_)) return;
    // The first sheet's size is set when it begins; A4 until then.
    surface_ = cairo_pdf_surface_create_for_stream(&PdfDocument::WriteBytes, this,
                                                   MmToPt(210), MmToPt(297));
    if (cairo_surface_status(surface_) != CAIRO_STATUS_SUCCESS) {
      openError_ = cairo_status_to_string(cairo_surface_status(surface_));
      return;
    }
    const std::string title = Cp1253ToUtf8(title1253);
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_TITLE, title.c_str());
    cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "Zendral");
    cr_ = cairo_create(surface_);
  }

  ~PdfDocument() override {
    // Nothing more reaches the file: a document dropped unfinished leaves nothing behind.
    abandoned_ = true;
    Release();
    file_.Abandon();
  }

  void BeginSheet(double widthPt, double heightPt) override {
    if (!cr_) return;
    if (inSheet_) EndSheet();
    cairo_pdf_surface_set_size(surface_, SaneSheet(widthPt, MmToPt(210)),
                               SaneSheet(heightPt, MmToPt(297)));
    cairo_reset_clip(cr_);
    inSheet_ = true;
    ++sheets_;
  }

  void EndSheet() override {
    if (!cr_ || !inSheet_) return;
    cairo_show_page(cr_);
    inSheet_ = false;
  }

  void DrawImage(const RgbImage& image, double x, double y, double w, double h) override {
    if (!Drawing() || !Finite(x, y, w, h) || w <= 0 || h <= 0) return;
    if (image.width <= 0 || image.height <= 0 || image.width > kMaxImageSide ||
        image.height > kMaxImageSide ||
        image.rgb.size() < size_t(image.width) * size_t(image.height) * 3) {
      return;
    }
    cairo_surface_t* pixels = cairo_image_surface_create(CAIRO_FORMAT_RGB24, image.width, image.height);
    if (cairo_surface_status(pixels) != CAIRO_STATUS_SUCCESS) {
      cairo_surface_destroy(pixels);
      return;
    }
    cairo_surface_flush(pixels);
    unsigned char* data = cairo_image_surface_get_data(pixels);
    const int stride = cairo_image_surface_get_stride(pixels);
    for (int row = 0; row < image.height; ++row) {
      const uint8_t* in = &image.rgb[size_t(row) * image.width * 3];
      auto* out = reinterpret_cast<uint32_t*>(data + size_t(row) * stride);
      for (int col = 0; col < image.width; ++col, in += 3) {
        out[col] = 0xFF000000u | (uint32_t(in[0]) << 16) | (uint32_t(in[1]) << 8) | in[2];
      }
    }
    cairo_surface_mark_dirty(pixels);
    {
      SavedState saved(cr_);
      cairo_translate(cr_, x, y);
      cairo_scale(cr_, w / image.width, h / image.height);
      cairo_set_source_surface(cr_, pixels, 0, 0);
      // Each pixel of the page stays a sharp block, as the player showed it.
      cairo_pattern_set_filter(cairo_get_source(cr_), CAIRO_FILTER_NEAREST);
      cairo_rectangle(cr_, 0, 0, image.width, image.height);
      cairo_fill(cr_);
    }
    cairo_surface_destroy(pixels);
  }

  PrintFontMetrics Metrics(const PrintFont& font) override {
    if (!cr_) return {};
    SavedState saved(cr_);
    UseFont(font);
    cairo_font_extents_t extents;
    cairo_font_extents(cr_, &extents);
    return {extents.ascent, extents.descent, extents.height};
  }

  double TextWidth(const PrintFont& font, std::string_view text1253) override {
    if (!cr_ || text1253.empty()) return 0;
    SavedState saved(cr_);
    UseFont(font);
    const std::string text = PrintableUtf8(text1253);
    cairo_text_extents_t extents;
    cairo_text_extents(cr_, text.c_str(), &extents);
    return extents.x_advance;
  }

  void DrawText(double x, double y, const PrintFont& font, std::string_view text1253,
                Rgb colour) override {
    if (!Drawing() || !Finite(x, y, 0, 0) || text1253.empty()) return;
    SavedState saved(cr_);
    UseFont(font);
    cairo_font_extents_t extents;
    cairo_font_extents(cr_, &extents);
    const std::string text = PrintableUtf8(text1253);
    const double baseline = y + extents.ascent;
    SetColour(colour);
    cairo_move_to(cr_, x, baseline);
    cairo_show_text(cr_, text.c_str());
    if (font.underline) {
      cairo_text_extents_t size;
      cairo_text_extents(cr_, text.c_str(), &size);
      const double thickness = std::max(0.5, FontSize(font) / 16);
      const double under = baseline + std::max(1.0, extents.descent / 3);
      cairo_rectangle(cr_, x, under, size.x_advance, thickness);
      cairo_fill(cr_);
    }
  }

  void FillRect(double x, double y, double w, double h, Rgb colour) override {
    if (!Drawing() || !Finite(x, y, w, h) || w <= 0 || h <= 0) return;
    SavedState saved(cr_);
    SetColour(colour);
    cairo_rectangle(cr_, x, y, w, h);
    cairo_fill(cr_);
  }

  void FrameRect(double x, double y, double w, double h, Rgb colour, double lineWidthPt) override {
    if (!Drawing() || !Finite(x, y, w, h) || !std::isfinite(lineWidthPt) || w <= 0 || h <= 0) {
      return;
    }
    SavedState saved(cr_);
    SetColour(colour);
    const double line = std::clamp(lineWidthPt, 0.1, std::min(w, h));
    // The line lies inside the rectangle, as a frame drawn on the page does.
    cairo_set_line_width(cr_, line);
    cairo_rectangle(cr_, x + line / 2, y + line / 2, w - line, h - line);
    cairo_stroke(cr_);
  }

  void SetClip(double x, double y, double w, double h) override {
    if (!cr_ || !Finite(x, y, w, h)) return;
    cairo_reset_clip(cr_);
    cairo_rectangle(cr_, x, y, std::max(0.0, w), std::max(0.0, h));
    cairo_clip(cr_);
  }

  void ResetClip() override {
    if (cr_) cairo_reset_clip(cr_);
  }

  bool Finish(std::string& error) override {
    if (!openError_.empty()) {
      error = openError_;
      return false;
    }
    if (finished_) {
      error = "the document is already finished";
      return false;
    }
    finished_ = true;
    if (inSheet_) EndSheet();
    cairo_surface_finish(surface_);
    const cairo_status_t status = cairo_surface_status(surface_);
    Release();
    if (status != CAIRO_STATUS_SUCCESS) {
      error = writeError_.empty() ? cairo_status_to_string(status) : writeError_;
      file_.Abandon();
      return false;
    }
    return file_.Commit(error);
  }

 private:
  static cairo_status_t WriteBytes(void* closure, const unsigned char* data, unsigned int length) {
    auto* self = static_cast<PdfDocument*>(closure);
    if (self->abandoned_) return CAIRO_STATUS_WRITE_ERROR;
    if (!self->file_.Write(std::string_view(reinterpret_cast<const char*>(data), length))) {
      if (self->writeError_.empty()) self->writeError_ = "the file could not be written";
      return CAIRO_STATUS_WRITE_ERROR;
    }
    return CAIRO_STATUS_SUCCESS;
  }

  bool Drawing() const { return cr_ && inSheet_; }

  void Release() {
    for (auto& [key, face] : faces_) cairo_font_face_destroy(face);
    faces_.clear();
    if (cr_) cairo_destroy(cr_);
    cr_ = nullptr;
    if (surface_) cairo_surface_destroy(surface_);
    surface_ = nullptr;
  }

  void SetColour(Rgb c) { cairo_set_source_rgb(cr_, c.r / 255.0, c.g / 255.0, c.b / 255.0); }

  // The face the screen would draw the request in, by its file, at the font's size.
  void UseFont(const PrintFont& font) {
    cairo_set_font_face(cr_, FaceFor(font));
    cairo_set_font_size(cr_, FontSize(font));
  }

  cairo_font_face_t* FaceFor(const PrintFont& font) {
    const auto key = std::make_tuple(font.face, font.bold, font.italic);
    if (auto it = faces_.find(key); it != faces_.end()) return it->second;
    FontRequest request;
    request.face = font.face;
    request.weight = font.bold ? 700 : 400;
    request.italic = font.italic;
    const std::string file = fonts_.FileFor(request);
    cairo_font_face_t* face = nullptr;
    if (!file.empty()) {
      FcPattern* pattern = FcPatternCreate();
      FcPatternAddString(pattern, FC_FILE, reinterpret_cast<const FcChar8*>(file.c_str()));
      FcPatternAddInteger(pattern, FC_INDEX, 0);
      face = cairo_ft_font_face_create_for_pattern(pattern);
      FcPatternDestroy(pattern);
    }
    if (!face || cairo_font_face_status(face) != CAIRO_STATUS_SUCCESS) {
      if (face) cairo_font_face_destroy(face);
      face = cairo_toy_font_face_create("sans-serif",
                                        font.italic ? CAIRO_FONT_SLANT_ITALIC : CAIRO_FONT_SLANT_NORMAL,
                                        font.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    }
    faces_[key] = face;
    return face;
  }

  AtomicFile file_;
  std::string openError_, writeError_;
  cairo_surface_t* surface_ = nullptr;
  cairo_t* cr_ = nullptr;
  bool inSheet_ = false, finished_ = false, abandoned_ = false;
  int sheets_ = 0;
  FontSet fonts_;
  std::map<std::tuple<std::string, bool, bool>, cairo_font_face_t*> faces_;
};

}  // namespace

std::unique_ptr<PrintDocument> MakePdfDocument(const std::string& pathUtf8,
                                               const std::string& title1253) {
  return std::make_unique<PdfDocument>(pathUtf8, title1253);
}

}  // namespace zd::platform
