// A 16-bit stereo 44,100 Hz WAV file written as the sound plays: the samples go straight to a
// temporary file, and the file takes its name, header complete, only when it is finished.
#pragma once

#include <cstdint>
#include <string>

#include "platform/atomic_file.h"

namespace zd::platform {

class WavWriter {
 public:
  // False with `error` set when the file cannot be made (a missing folder, say).
  bool Open(const std::string& diskPath, std::string& error);
  // Stereo frames of the mix (interleaved, -1 .. 1).
  void WriteFrames(const float* stereo, size_t frames);
  void WriteSilence(uint64_t frames);
  uint64_t frames() const { return frames_; }
  const std::string& path() const { return path_; }
  // Completes the header and puts the file in place.
  bool Commit(std::string& error);

 private:
  void Append(const std::string& bytes);

  AtomicFile file_;
  std::string path_;
  uint64_t frames_ = 0;
  bool full_ = false;  // a WAV file holds at most 4 GB; later sound is dropped
};

}  // namespace zd::platform
