// Saving the picture, drawing or text under the pointer to a file of the learner's own: the
// popup menu's save-object entry. Finds the object at the right-click point, offers the file
// formats its kind allows in a save dialog, and writes the chosen one.
#pragma once

namespace zd {

class Runtime;

class ObjectExport {
 public:
  explicit ObjectExport(Runtime& runtime) : runtime_(runtime) {}

  // Whether a savable object is at page pixel (x, y) (the entry is greyed otherwise).
  bool HasObjectAt(int x, int y);
  // Asks for a file and saves the object at (x, y); every failure is reported to the learner.
  void SaveObjectAt(int x, int y);

 private:
  Runtime& runtime_;
};

}  // namespace zd
