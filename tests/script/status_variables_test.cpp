// Variable files: a header, then one "set" line per `savevar`, written when the file is closed;
// a file is only ever written whole and with its header.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "script/script_runner.h"
#include "support/test_support.h"

namespace zd {
namespace {

using script::VariablesFileState;
using test::Keys;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class VariablesFileTest : public testing::Test {
 protected:
  VariablesFileTest() {
    runner_.Run("set score%, 5\nset rate, 2.5\n");
    runner_.engine().SetStringVariable("note$", "a|b \"c\"");
  }
  StatusFiles& status() { return runner_.runtime().status; }
  Keys Add(std::string_view name) {
    runner_.ClearTrace();
    status().AddVariableLine(name);
    return test::KeysOf(test::ReportsIn(runner_.TraceText()));
  }

  test::TempDir dir_;
  test::ScriptRunner runner_;
};

TEST_F(VariablesFileTest, AnOpenFileGetsItsHeaderAndOneLinePerSavevarInOrder) {
  const std::string path = dir_.File("vars/Unit.ZDV");
  status().StartVariablesFile(path);
  EXPECT_EQ(status().variablesState(), VariablesFileState::Open);
  EXPECT_EQ(Add("score%"), Keys{});
  EXPECT_EQ(Add("rate"), Keys{});
  EXPECT_EQ(Add("note$"), Keys{});
  runner_.Run("set score%, 9\n");
  EXPECT_EQ(Add("score%"), Keys{});
  runner_.ClearTrace();
  EXPECT_TRUE(status().CloseVariablesFile()) << "the folder is made";
  EXPECT_EQ(status().variablesState(), VariablesFileState::None);
  const std::string text = ReadFile(path);
  EXPECT_EQ(text.rfind("|Zendral Quillscript File\n|Start Module: \"!generic\"\n|", 0), 0u) << text;
  const std::string opening = "|Status prior to  running +Start script\n\nclear\n";
  const size_t body = text.find(opening);
  ASSERT_NE(body, std::string::npos);
  EXPECT_EQ(text.substr(body + opening.size()).rfind("set score%, 5\nset rate, 2.5\n", 0), 0u) << text;
  EXPECT_NE(text.find("set score%, 9\n"), std::string::npos);
  EXPECT_TRUE(runner_.TraceText().find("file written") != std::string::npos);

  // Loaded back, the later line wins and the text survives.
  runner_.Run("set score%, 0\nset note$, \"\"\n");
  ASSERT_TRUE(status().LoadStatusFile(path, true));
  status().RunStatusScript();
  EXPECT_EQ(runner_.Number("score%"), 9);
  EXPECT_EQ(runner_.Number("rate"), 2.5);
  EXPECT_EQ(runner_.Text("note$"), "a|b \"c\"");
}

TEST_F(VariablesFileTest, WithoutAnOpenFileSavevarWritesNothingAnywhere) {
  EXPECT_EQ(Add("score%"), Keys{"scerr67"});
  EXPECT_EQ(Add("note$"), Keys{"scerr67"});
  EXPECT_TRUE(status().CloseVariablesFile()) << "nothing open: nothing to do";
  status().CancelVariablesFile();
  EXPECT_EQ(status().variablesState(), VariablesFileState::Cancelled);
  EXPECT_EQ(Add("score%"), Keys{});
  EXPECT_EQ(Add("note$"), Keys{});
  EXPECT_TRUE(status().CloseVariablesFile());
  EXPECT_EQ(status().variablesState(), VariablesFileState::None);
  EXPECT_TRUE(std::filesystem::is_empty(dir_.path())) << "no file without its header";
}

TEST_F(VariablesFileTest, AFileThatCannotBeWrittenIsTold) {
  std::ofstream(dir_.File("blocker")) << "a file where a folder should be";
  status().StartVariablesFile(dir_.File("blocker/Kept.ZDV"));
  Add("score%");
  runner_.ClearTrace();
  EXPECT_FALSE(status().CloseVariablesFile());
  EXPECT_EQ(test::KeysOf(test::ReportsIn(runner_.TraceText())), Keys{"error137"});
  EXPECT_EQ(status().variablesState(), VariablesFileState::None);
}

}  // namespace
}  // namespace zd
