#include "shell/pointers.h"

#include <gtest/gtest.h>

#include "support/runtime_fixture.h"

namespace zd {
namespace {

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST(Pointers, TheTableHoldsThe32ShapesAndRefusesMore) {
  test::RuntimeFixture f;
  Pointers& pointers = f.runtime().shell.pointers();
  pointers.BuildTable();
  EXPECT_EQ(pointers.tableSize(), MOUSE_MAX_NPOINTERS);
  EXPECT_EQ(pointers.PointerName(), "DEFAULT");
  EXPECT_FALSE(Has(f.TraceText(), "mserr2"));  // every program cursor loaded
  pointers.RegisterPointer("EXTRA", "IDC_HANDPOINT", true);
  EXPECT_EQ(pointers.tableSize(), MOUSE_MAX_NPOINTERS);
  EXPECT_TRUE(Has(f.TraceText(),
                  "message: BUILD ERROR: Please recompile with MOUSE_MAX_NPOINTERS increased. [ok, none]"));
}

TEST(Pointers, SelectionIsExactAndCaseSensitive) {
  test::RuntimeFixture f;
  Pointers& pointers = f.runtime().shell.pointers();
  pointers.BuildTable();
  f.ClearTrace();
  pointers.SelectPointer("");
  EXPECT_TRUE(Has(f.TraceText(), "cursor IDC_TRANS2"));
  EXPECT_EQ(pointers.PointerName(), "");
  pointers.SelectPointer("hand");
  EXPECT_TRUE(Has(f.TraceText(), "message mserr1: mserr1"));
  EXPECT_EQ(pointers.PointerName(), "");
  pointers.SelectPointer("HAND");
  EXPECT_TRUE(Has(f.TraceText(), "cursor IDC_HANDPOINT"));
  EXPECT_EQ(pointers.PointerName(), "HAND");
}

TEST(Pointers, AShapeChosenWhileBusyWaitsForTheOutermostPop) {
  test::RuntimeFixture f;
  Pointers& pointers = f.runtime().shell.pointers();
  pointers.BuildTable();
  const platform::CursorHandle arrow = pointers.current();
  f.ClearTrace();
  const platform::CursorHandle outer = pointers.PushPointer(pointers.WaitCursor());
  EXPECT_TRUE(Has(f.TraceText(), "cursor system wait")) << "the busy pointer shows at once";
  const platform::CursorHandle inner = pointers.PushPointer(pointers.WaitCursor());
  f.ClearTrace();
  pointers.SelectPointer("HAND");
  EXPECT_EQ(pointers.PointerName(), "HAND");
  EXPECT_FALSE(Has(f.TraceText(), "IDC_HANDPOINT"));  // the busy pointer stays up
  pointers.PopPointer(inner);
  EXPECT_EQ(pointers.current(), pointers.WaitCursor());
  pointers.PopPointer(outer);
  EXPECT_TRUE(Has(f.TraceText(), "cursor IDC_HANDPOINT"));
  EXPECT_NE(pointers.current(), arrow);
  // Without a choice meanwhile, the previous cursor comes back.
  const platform::CursorHandle before = pointers.current();
  pointers.PopPointer(pointers.PushPointer(pointers.WaitCursor()));
  EXPECT_EQ(pointers.current(), before);
}

TEST(Pointers, AShapeThatDidNotLoadKeepsItsName) {
  test::RuntimeFixture f;
  Pointers& pointers = f.runtime().shell.pointers();
  pointers.RegisterPointer("GHOST", "IDC_NOSUCHCURSOR", true);
  EXPECT_TRUE(Has(f.TraceText(), "message mserr2: mserr2"));
  const platform::CursorHandle before = pointers.current();
  pointers.SelectPointer("GHOST");
  EXPECT_EQ(pointers.PointerName(), "GHOST");
  EXPECT_EQ(pointers.current(), before);
  // With diagnostics off the failure is silent.
  test::RuntimeFixture quiet({.commandLine = "-D "});
  quiet.runtime().shell.pointers().RegisterPointer("GHOST", "IDC_NOSUCHCURSOR", true);
  EXPECT_FALSE(Has(quiet.TraceText(), "mserr2"));
}

TEST(Pointers, PositionInTitleUnits) {
  test::RuntimeFixture f;
  Pointers& pointers = f.runtime().shell.pointers();
  pointers.TrackPointer(0, 0);
  EXPECT_EQ(pointers.MouseX(), 0);
  EXPECT_EQ(pointers.MouseY(), 960);
  pointers.TrackPointer(639, 479);
  EXPECT_EQ(pointers.MouseX(), 1278);
  EXPECT_EQ(pointers.MouseY(), 2);
  EXPECT_EQ(pointers.MouseOver(), "");
}

}  // namespace
}  // namespace zd
