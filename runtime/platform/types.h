// Plain data types shared by the platform layer and the runtime above it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace zd::platform {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

using PaletteRgb = std::array<Rgb, 256>;

// A read-only view of 8-bit palette-indexed pixels, rows top-down.
struct IndexedImageView {
  const uint8_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int pitch = 0;  // bytes from one row to the next
};

// A true-colour picture shown over the page (a movie frame): stretched to fill its rectangle
// (nearest pixel), blended by its alpha when it has one, and cut to the page.
struct OverlayImage {
  const uint8_t* pixels = nullptr;  // rows top-down: R, G, B (and A) bytes
  int width = 0;                    // up to kMaxOverlaySide
  int height = 0;
  int pitch = 0;                    // bytes from one row to the next
  bool hasAlpha = false;            // 4 bytes a pixel, straight alpha, instead of 3
  int x = 0, y = 0, w = 0, h = 0;   // the rectangle in page pixels; w and h up to 2 * kMaxOverlaySide
};

constexpr int kMaxOverlaySide = 8192;
constexpr size_t kMaxOverlays = 16;

// A child list box of the window as its owner sees it: the owner decides everything shown (the
// lines scrolled into view, the highlight, the scroll bar's thumb); the backend only draws it
// over the page. Inside a one-pixel frame: the lines from the top, each lineHeight high, and
// at the right the scroll bar when there is one (an arrow box at each end, the thumb between).
struct ListControlView {
  int x = 0, y = 0, w = 0, h = 0;  // the box in page pixels, frame included
  int lineHeight = 12;             // pixels a line
  std::vector<std::string> lines;  // the visible lines from topLine on, code page 1253
  int topLine = 0;                 // the list's first visible line
  int selectedLine = -1;           // in the whole list; -1: none
  int lineCount = 0;               // every line of the list, visible or not
  bool focused = false;            // keys go to it
  int scrollBarWidth = 0;          // 0: every line fits, no scroll bar
  int thumbTop = 0, thumbHeight = 0;  // pixels from the box's top
};

constexpr size_t kMaxListControls = 4;

// A modeless tool window over the page (calculator, notepad, the printing progress box) as its
// owner sees it. As with list boxes, the owner decides everything shown and handles every
// click and key itself (it gets them as page events); the backend only draws the window: a
// caption bar with the caption and a close box, a grey client area, and the controls.
enum class ToolControlKind : uint8_t {
  Label,          // text, left-aligned
  LabelRight,     // text, right-aligned (the calculator's display)
  LabelFramed,    // text centred in a sunken one-pixel frame (the notepad's page numbers)
  Button,         // a push button with its text centred
  Edit,           // multi-line edit box: white, framed, lines from `firstLine`, a caret
};

struct ToolControlView {
  int id = 0;
  ToolControlKind kind = ToolControlKind::Label;
  int x = 0, y = 0, w = 0, h = 0;  // page pixels
  std::string text;                // code page 1253; Edit: the whole text, lines split at "\n"
  bool pressed = false;            // Button: drawn pushed in
  bool enabled = true;             // drawn grey when not
  // Edit: the first line shown, and the caret as a byte offset into `text` (-1: no caret).
  int firstLine = 0;
  int caret = -1;
};

struct ToolWindowView {
  std::string name;                // "IDD_Calc", "IDD_Notepad", "IDD_Printing"
  std::string caption;             // code page 1253
  int x = 0, y = 0, w = 0, h = 0;  // the whole window, caption bar included, in page pixels
  int captionHeight = 18;          // pixels of the caption bar at the top
  bool active = false;             // has the keyboard focus: caption drawn highlighted
  bool closeBox = true;            // a close box at the caption's right end
  std::vector<ToolControlView> controls;
};

constexpr size_t kMaxToolWindows = 4;

// What the window shows: an indexed picture placed at an origin in the client area, the rest
// of the client area in the background colour (the black bands around a page), and
// true-colour pictures over the page (the first drawn first). Overlays that are not well
// formed, and those past kMaxOverlays, are not shown.
struct Frame {
  IndexedImageView image;
  const PaletteRgb* palette = nullptr;
  int originX = 0;
  int originY = 0;
  Rgb background{0, 0, 0};
  std::vector<OverlayImage> overlays;
  std::vector<ListControlView> lists;  // child list boxes over the page and its overlays
  std::vector<ToolWindowView> tools;   // tool windows over everything else, the last on top
};

// An RGB picture, rows top-down, 3 bytes per pixel (screenshots, decoded PNGs).
struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
};

// An indexed picture with its own palette (the splash, PNGs with a palette).
struct IndexedImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // width * height, rows top-down
  PaletteRgb palette{};
  int paletteSize = 0;
};

struct ScreenInfo {
  int width = 640;         // logical pixels
  int height = 480;
  int bitsPerPixel = 32;   // bits per pixel times planes
  int reservedColours = 0; // static colours of a palette display; 0 on true-colour displays
};

// Local time as the runtime's date and time functions see it.
struct LocalTime {
  int year = 1998, month = 1, day = 1;  // month 1-12, day 1-31
  int hour = 0, minute = 0, second = 0;
  int dayOfWeek = 0;  // 0 Sunday .. 6 Saturday
  int dayOfYear = 0;  // 0-365
};

// Window placements of the one main window.
enum class WindowStyle {
  Popup,       // borderless, centred (the splash)
  Captioned,   // title bar, system menu and minimise box, centred; optional menu bar
  FullScreen,  // borderless, covering the screen
};

struct MenuItem {
  int id = 0;             // command id; 0 draws a separator
  std::string text;       // code page 1253
  std::string shortcut;   // shown beside the text, e.g. "Ctrl+O"
  bool enabled = true;
  bool checked = false;   // shown with a check mark (the scaling mode in use)
};

struct Menu {
  std::string title;  // code page 1253
  std::vector<MenuItem> items;
};

struct WindowSpec {
  WindowStyle style = WindowStyle::Popup;
  int clientWidth = 640;   // ignored in full screen
  int clientHeight = 480;
  std::string caption;     // code page 1253
  std::vector<Menu> menuBar;  // empty: no menu
  // A captioned window the user may resize: the page keeps its client size and is scaled into
  // whatever the window becomes, as Scaling says.
  bool resizable = false;
  // The window's outer size in screen pixels when it opens (a size the user chose before);
  // 0: as large as the client area at the window's scale.
  int windowWidth = 0, windowHeight = 0;
};

// How the client area fills a window or screen larger than it.
enum class Scaling {
  Sharp,    // whole multiples of the screen's physical pixels, black bands around
  Smooth,   // as large as fits with the 4:3 shape kept, filtered
  Stretch,  // as large as fits with the 4:3 shape kept, each pixel a block (uneven widths)
};

}  // namespace zd::platform
