// Printing pages and the notepad.
#pragma once

namespace zd {

class Runtime;

class Printing {
 public:
  explicit Printing(Runtime& runtime) : runtime_(runtime) {}

  void PrintScreen();
  void PrintSetup();
  void Release();

 private:
  Runtime& runtime_;
};

}  // namespace zd
