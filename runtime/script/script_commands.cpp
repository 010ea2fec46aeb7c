// The command table, filled in its fixed order: 73 commands with the kinds of first argument
// each accepts. Titles see the order only through which variant a kind selects.
#include "script/database_commands.h"
#include "script/date_commands.h"
#include "script/filter_commands.h"
#include "script/movie_commands.h"
#include "script/page_commands.h"
#include "script/print_command.h"
#include "script/render_commands.h"
#include "script/script_engine.h"
#include "script/status_commands.h"
#include "script/value_commands.h"
#include "runtime.h"

namespace zd {
namespace {

// webbrowse KIND PAGE: the kind as written ("Local" or "URL"), then the page or address.
void WebBrowseCommand(ScriptEngine& e, script::CommandCall& call) {
  script::ScriptText kind;
  if (!e.StringFromWord(call.first, call.kind, kind)) return;
  script::ScriptText page;
  if (!e.ReadStringArgument(call.cursor, page)) return;
  e.runtime().webLinks.WebBrowse(kind.view(), page.view());
}

}  // namespace

using script::ArgumentKind;
using script::CommandVariant;

void ScriptEngine::RegisterCommands() {
  constexpr ArgumentKind none = ArgumentKind::NoArgument, I = ArgumentKind::IntegerVariable,
                         S = ArgumentKind::StringVariable, F = ArgumentKind::FloatVariable,
                         IC = ArgumentKind::IntegerConstant, SC = ArgumentKind::StringConstant;
  const auto& v = script::kValueCommands;
  const auto& p = script::kPageCommands;
  const auto& h = script::kHandlerCommands;
  const auto& m = script::kMovieCommands;
  const auto& d = script::kDateCommands;
  const auto& db = script::kDatabaseCommands;
  auto add = [&](std::string_view name, std::initializer_list<CommandVariant> variants) {
    if (!commands_.Register(name, variants)) ShowBuildError("SCRIPT_NUM_OF_COMMANDS");
  };
  add("set", {{I, v.set}, {F, v.set}, {S, v.set}});
  add("add", {{F, v.add}, {I, v.add}, {S, v.add}});
  add("sub", {{F, v.sub}, {I, v.sub}});
  add("mult", {{F, v.mult}, {I, v.mult}});
  add("divide", {{F, v.divide}, {I, v.divide}});
  add("mod", {{I, v.mod}});
  add("or", {{I, v.orOp}});
  add("and", {{I, v.andOp}});
  add("exor", {{I, v.exorOp}});
  add("abs", {{I, v.abs}, {F, v.abs}});
  add("sgn", {{I, v.sgn}, {F, v.sgn}});
  add("not", {{I, v.notOp}});
  add("sin", {{F, v.sin}});
  add("cos", {{F, v.cos}});
  add("sqrt", {{F, v.sqrt}});
  add("cubert", {{F, v.cubert}});
  add("random", {{F, v.random}, {I, v.random}});
  add("runexe", {{SC, p.runexe}, {S, p.runexe}});
  add("clear", {{none, v.clear}, {I, v.clear}, {F, v.clear}, {S, v.clear}});
  add("strtoval", {{I, v.strtoval}, {F, v.strtoval}});
  add("valtostr", {{S, v.valtostr}});
  add("write", {{SC, p.write}, {S, p.write}});
  add("eventtrig", {{SC, p.eventtrig}, {S, p.eventtrig}});
  add("showhide", {{SC, p.showhide}, {S, p.showhide}});
  add("tooverview", {{S, p.tooverview}, {SC, p.tooverview}, {I, p.tooverview}, {IC, p.tooverview}});
  add("tofilepage", {{S, p.tofilepage}, {SC, p.tofilepage}});
  add("hotspottrig", {{S, p.hotspottrig}, {SC, p.hotspottrig}});
  add("maketimer", {{S, p.maketimer}, {SC, p.maketimer}});
  add("makeevent", {{S, p.makeevent}, {SC, p.makeevent}});
  add("objadj", {{S, p.objadj}, {SC, p.objadj}});
  add("objflags", {{S, p.objflags}, {SC, p.objflags}});
  add("render", {{S, p.render}, {SC, p.render}});
  add("redraw", {{S, p.redraw}, {SC, p.redraw}});
  // Movie slots.
  add("openaudio", {{I, m.openaudio}, {IC, m.openaudio}});
  add("playmovie", {{I, m.playmovie}, {IC, m.playmovie}});
  add("seekmovie", {{I, m.seekmovie}, {IC, m.seekmovie}});
  add("pausemovie", {{I, m.pausemovie}, {IC, m.pausemovie}});
  add("resumemovie", {{I, m.resumemovie}, {IC, m.resumemovie}});
  add("closemovie", {{I, m.closemovie}, {IC, m.closemovie}});
  add("getmoviepos", {{I, m.getmoviepos}});
  add("bitset", {{I, v.bitset}});
  // Status and variable files.
  const auto& st = script::kStatusCommands;
  add("savestatus", {{S, st.savestatus}, {SC, st.savestatus}});
  add("savevarsdialog", {{S, st.savevarsdialog}, {SC, st.savevarsdialog}});
  add("savevar", {{S, st.savevar}, {I, st.savevar}, {F, st.savevar}});
  add("closevarsfile", {{none, st.closevarsfile}});
  add("loadvarsdialog", {{S, st.loadvarsdialog}, {SC, st.loadvarsdialog}});
  add("savestatusdialog", {{S, st.savestatusdialog}, {SC, st.savestatusdialog}});
  add("loadstatusdialog", {{S, st.loadstatusdialog}, {SC, st.loadstatusdialog}});
  // Database.
  add("clearselection", {{none, script::kFilterCommands.clearselection}});
  add("opendata", {{S, db.opendata}, {SC, db.opendata}});
  add("closedata", {{none, db.closedata}});
  add("renderdata", {{S, script::RenderData}, {SC, script::RenderData}});
  add("getfieldname", {{S, db.getfieldname}});
  add("getfieldtype", {{S, db.getfieldtype}});
  add("getexplain", {{S, db.getexplain}});
  add("showexplain", {{I, db.showexplain}, {IC, db.showexplain}});
  add("getdata", {{I, db.getdata}, {IC, db.getdata}, {S, db.getdata}, {SC, db.getdata}});
  add("getfieldstats", {{I, db.getfieldstats}, {IC, db.getfieldstats}});
  add("setattrib", {{S, p.setattrib}, {SC, p.setattrib}});
  add("shufflesel", {{none, script::kFilterCommands.shufflesel}, {I, script::kFilterCommands.shufflesel}, {IC, script::kFilterCommands.shufflesel}});
  add("tokensearch", {{S, db.tokensearch}, {SC, db.tokensearch}});
  add("addfilter", {{S, script::kFilterCommands.addfilter}, {SC, script::kFilterCommands.addfilter}, {I, script::kFilterCommands.addfilter}, {IC, script::kFilterCommands.addfilter}});
  add("delfilter", {{none, script::kFilterCommands.delfilter}, {S, script::kFilterCommands.delfilter}, {SC, script::kFilterCommands.delfilter}});
  add("applyfilters", {{none, script::kFilterCommands.applyfilters}, {I, script::kFilterCommands.applyfilters}, {IC, script::kFilterCommands.applyfilters}});
  // Dates.
  add("datetostr", {{S, d.datetostr}});
  add("strtodate", {{S, d.strtodate}});
  add("daysinmonth", {{I, d.daysinmonth}});
  add("datetojul", {{I, d.datetojul}});
  // Handlers.
  add("defhandler", {{SC, h.defhandler}, {S, h.defhandler}});
  add("delhandler", {{SC, h.delhandler}, {S, h.delhandler}});
  add("handler", {{SC, h.handler}, {S, h.handler}});
  // Web links and printing.
  add("webbrowse", {{SC, WebBrowseCommand}, {S, WebBrowseCommand}});
  add("print", {{SC, script::PrintObject}});
}

}  // namespace zd
