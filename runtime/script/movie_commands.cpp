#include "script/movie_commands.h"

#include "movie/movie_reference.h"
#include "runtime.h"
#include "script/page_commands.h"
#include "script/script_engine.h"
#include "title/object_record.h"

namespace zd::script {
namespace {

Movies& M(ScriptEngine& e) { return e.runtime().movies; }

// The slot a command's first argument names; "scerr20" outside 0-9.
bool SlotNumber(ScriptEngine& e, const Word& word, ArgumentKind kind, int& slot) {
  int32_t value = 0;
  if (!e.IntegerFromWord(word, kind, value)) return false;
  if (value < 0 || value >= Movies::kClipSlots) {
    e.ReportScriptDiagnostic("scerr20");
    return false;
  }
  slot = value;
  return true;
}

// The slot of the first argument when it is open; "scerr15" when it is closed.
bool OpenSlot(ScriptEngine& e, CommandCall& call, int& slot) {
  if (!SlotNumber(e, call.first, call.kind, slot)) return false;
  if (M(e).clip(slot).state == clip_state::CLOSED) {
    e.ReportScriptDiagnostic("scerr15");
    return false;
  }
  return true;
}

void OpenAudio(ScriptEngine& e, CommandCall& call) {
  int slot = 0;
  if (!SlotNumber(e, call.first, call.kind, slot)) return;
  Movies& movies = M(e);
  if (movies.clip(slot).state != clip_state::CLOSED) {
    if (e.runtime().shell.reporter().diagnostics()) {
      e.ReportScriptDiagnostic("scerr13");
      return;
    }
    movies.CloseClip(slot);
  }
  ScriptText name;
  if (!e.ReadStringArgument(call.cursor, name)) return;
  if (name.size() > kMovieReferenceLength) {
    e.ReportScriptDiagnostic("scerr50a");
    return;
  }
  ClipSlot& clip = movies.clip(slot);
  clip.fileName = name.str();
  clip.from = clip.to = clip.lastSeek = -1;
  clip.playFlag = 0;
  movies.OpenClip(slot);
}

void PlayMovie(ScriptEngine& e, CommandCall& call) {
  int slot = 0;
  if (!OpenSlot(e, call, slot)) return;
  ClipSlot& clip = M(e).clip(slot);
  // Each value is kept as soon as it is read, even when a later one cannot be.
  Number from, to;
  if (!e.ReadNumberArgument(call.cursor, from)) return;
  clip.from = from.integer;
  if (!e.ReadNumberArgument(call.cursor, to)) return;
  clip.to = to.integer;
  int32_t flag = 0;
  if (!e.ReadIntegerArgument(call.cursor, flag)) return;
  clip.playFlag = flag;
  M(e).PlayClip(slot);
}

void SeekMovie(ScriptEngine& e, CommandCall& call) {
  int slot = 0;
  if (!OpenSlot(e, call, slot)) return;
  Number position;
  if (e.ReadNumberArgument(call.cursor, position)) M(e).SeekClip(slot, position.integer);
}

void PauseMovie(ScriptEngine& e, CommandCall& call) {
  int slot = 0;
  if (OpenSlot(e, call, slot)) M(e).PauseClip(slot);
}

void ResumeMovie(ScriptEngine& e, CommandCall& call) {
  int slot = 0;
  if (OpenSlot(e, call, slot)) M(e).ResumeClip(slot);
}

void CloseMovie(ScriptEngine& e, CommandCall& call) {
  int32_t value = 0;
  if (!e.IntegerFromWord(call.first, call.kind, value)) return;
  if (value == -1) {
    M(e).CloseAllClips();
    return;
  }
  int slot = 0;
  if (OpenSlot(e, call, slot)) M(e).CloseClip(slot);
}

// The position of a page movie object: -1 for a triggered object that is hidden, or one
// without a movie playing in a slot.
std::optional<int32_t> ObjectMoviePosition(ScriptEngine& e, const Word& word, ArgumentKind kind) {
  ScriptText name;
  if (!e.StringFromWord(word, kind, name)) return std::nullopt;
  const auto found = FindPageObject(e, name.view());
  if (!found) return std::nullopt;
  const auto object = e.runtime().pages.Object(found->index);
  const uint32_t type = object ? object->type() : kNone;
  if (type != object_type::MOVIE && type != object_type::ANIMATION && type != object_type::SOUND) {
    e.ReportScriptDiagnostic("scerr36");
    return std::nullopt;
  }
  if (object->Has(object_flag::TRIGGERED) && object->timedState() == kTimedHidden) return -1;
  const uint32_t slot = object->Read(object_record::kMovieSlot, kNone);
  return M(e).VideoPosition(slot < uint32_t(Movies::kVideoSlots) ? int(slot) : -1);
}

void GetMoviePos(ScriptEngine& e, CommandCall& call) {
  Word source;
  const ArgumentKind kind = e.ReadClassified(call.cursor, source);
  std::optional<int32_t> position;
  switch (kind) {
    case ArgumentKind::IntegerVariable:
    case ArgumentKind::IntegerConstant: {
      int slot = 0;
      if (SlotNumber(e, source, kind, slot)) position = M(e).ClipPosition(slot);
      break;
    }
    case ArgumentKind::StringVariable:
    case ArgumentKind::StringConstant:
      position = ObjectMoviePosition(e, source, kind);
      break;
    default:
      e.ReportScriptDiagnostic("scerr37");
      break;
  }
  if (position) e.SetIntVariable(call.first.view(), *position);
}

}  // namespace

const MovieCommands kMovieCommands{OpenAudio, PlayMovie, SeekMovie, PauseMovie,
                                   ResumeMovie, CloseMovie, GetMoviePos};

}  // namespace zd::script
