// The windowed player's sound: the mix played on the default sound device through SDL audio,
// opened when the first stream opens. Without a device (none installed, or refused) the mix
// is played on the real clock and heard by nobody, so movies still keep their pace.
#pragma once

#include <memory>

#include "platform/audio/audio_output.h"

namespace zd::platform::sdl {

std::unique_ptr<AudioOutput> MakeSdlAudioOutput();

}  // namespace zd::platform::sdl
