#!/usr/bin/env python3
"""Mutation testing: how many small faults put into our own code do the tests catch?

Each mutant is one line of one source file changed in one way: a flipped comparison, an
off-by-one constant, a dropped clamp, swapped arguments, an inverted condition or a removed
statement. For each mutant in turn the tool writes the changed line into a copy of the source
tree, rebuilds, runs the suite and records whether a test failed (the mutant is killed) or all
passed (it survived). A mutant that does not compile is not a valid mutant and is left out of
the figures.

The files mutated, by area, are listed in tests/mutation/files.txt. Mutants that no test can
tell from the original (the program behaves the same either way) are listed, with the reason,
in tests/mutation/equivalent.txt; they are counted apart and not run.

  scripts/mutate.py [--per-area N] [--seed S] [--areas script,title] [--list]
                    [--rerun-survivors] [--mutant ID ...] [--build-dir build-mutate]

Everything it writes stays in the build directory: the copy of the sources (src/), its build
(obj/), the results (results.json) and a report (report.md). The working tree is never touched.
"""

import argparse
import json
import os
import random
import re
import shutil
import signal
import subprocess
import sys
import time
from dataclasses import dataclass, asdict

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FILES_LIST = os.path.join(REPO, "tests", "mutation", "files.txt")
EQUIVALENT_LIST = os.path.join(REPO, "tests", "mutation", "equivalent.txt")


@dataclass
class Mutant:
    area: str
    path: str       # relative to the repository
    line: int       # 1-based
    kind: str
    original: str   # the whole line, as it stands
    mutated: str    # the whole line, changed

    @property
    def ident(self):
        return mutant_ident(self.path, self.line, self.kind, self.mutated)


def mutant_ident(path, line, kind, mutated):
    # A removed statement is named by its line alone: there is one removal to a line.
    if kind == "remove-statement":
        return f"{path}:{line}:{kind}"
    return f"{path}:{line}:{kind}:{mutated.strip()}"


# --- Finding mutants -----------------------------------------------------------------------

def code_mask(line, in_block_comment):
    """The line with string and character literals and comments blanked out (same length), so
    that operators are only looked for in code. Returns the mask and whether a block comment is
    still open at the end of the line."""
    out = []
    i = 0
    n = len(line)
    while i < n:
        if in_block_comment:
            end = line.find("*/", i)
            if end < 0:
                out.append(" " * (n - i))
                return "".join(out), True
            out.append(" " * (end + 2 - i))
            i = end + 2
            in_block_comment = False
            continue
        c = line[i]
        if line.startswith("//", i):
            out.append(" " * (n - i))
            break
        if line.startswith("/*", i):
            in_block_comment = True
            out.append("  ")
            i += 2
            continue
        if c == 'R' and line.startswith('R"(', i):
            end = line.find(')"', i + 3)
            end = n if end < 0 else end + 2
            out.append(" " * (end - i))
            i = end
            continue
        if c in "\"'":
            # A quote between digits is a digit separator (1'000), not a literal.
            if c == "'" and i > 0 and line[i - 1].isalnum() and i + 1 < n and line[i + 1].isalnum():
                out.append(c)
                i += 1
                continue
            j = i + 1
            while j < n and line[j] != c:
                j += 2 if line[j] == "\\" else 1
            j = min(j + 1, n)
            out.append(c + " " * (j - i - 2) + (c if j - i >= 2 else ""))
            i = j
            continue
        out.append(c)
        i += 1
    return "".join(out), in_block_comment


def matching_paren(code, open_index):
    depth = 0
    for i in range(open_index, len(code)):
        if code[i] == "(":
            depth += 1
        elif code[i] == ")":
            depth -= 1
            if depth == 0:
                return i
    return -1


def split_top_level_args(code, open_index, close_index):
    """Spans (start, end) of the arguments between the parentheses, split at top-level commas."""
    spans = []
    depth = 0
    start = open_index + 1
    for i in range(open_index + 1, close_index):
        c = code[i]
        if c in "([{<":
            depth += 1 if c != "<" else 0
        elif c in ")]}":
            depth -= 1
        elif c == "," and depth == 0:
            spans.append((start, i))
            start = i + 1
    spans.append((start, close_index))
    return spans


RELATIONAL = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
RELATIONAL_RE = re.compile(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)")
LOGICAL_RE = re.compile(r"(?<=\s)(&&|\|\|)(?=\s)")
OFF_BY_ONE_RE = re.compile(r"(?<=\s)([+-]) 1(?![\w.'])")
CLAMP_RE = re.compile(r"std::(min|max|clamp)\(")
CONDITION_RE = re.compile(r"\b(if|while) \(")
CALL_RE = re.compile(r"\b([A-Za-z_][\w:]*(?:\.|->)?[A-Za-z_]\w*)\(")
SIMPLE_ARG_RE = re.compile(r"^\s*[A-Za-z_][\w.]*(?:->\w+)*\s*$|^\s*-?\d+\s*$")
NO_SWAP = {"std::min", "std::max", "std::swap", "std::make_pair", "std::pair", "std::hypot",
           "std::gcd", "std::lcm", "static_cast", "reinterpret_cast", "std::move", "std::forward",
           "EXPECT_EQ", "ASSERT_EQ"}
ASSIGNMENT_RE = re.compile(
    r"^\*?[A-Za-z_][\w.\[\]:>-]*\s*(=|\+=|-=|\*=|/=|%=|\|=|&=|\^=|<<=|>>=)\s*[^=].*;\s*$")
INCREMENT_RE = re.compile(r"^(\+\+|--)[\w.\[\]>-]+;\s*$|^[\w.\[\]>-]+(\+\+|--);\s*$")
CALL_STATEMENT_RE = re.compile(r"^[A-Za-z_][\w.:>\[\]-]*\(.*\);\s*$")
SKIP_LINE_RE = re.compile(r"^\s*(#|static_assert|assert\(|template\b|using\b|namespace\b|case\b)")


def statement_removals(line, code, previous_code):
    stripped = code.strip()
    if not stripped or previous_code is None:
        return []
    # The line must start a statement of its own and end it.
    if not previous_code.rstrip().endswith((";", "{", "}", ":")):
        return []
    if stripped.startswith(("return", "break", "continue", "throw", "goto", "co_")):
        return []
    if stripped.count("(") != stripped.count(")"):
        return []
    if ASSIGNMENT_RE.match(stripped) or INCREMENT_RE.match(stripped) or CALL_STATEMENT_RE.match(stripped):
        indent = line[: len(line) - len(line.lstrip())]
        return [("remove-statement", indent + ";  // removed: " + line.strip() + "\n")]
    return []


def mutations_of_line(line, code, previous_code):
    found = []

    def replaced(start, end, text):
        return line[:start] + text + line[end:]

    for m in RELATIONAL_RE.finditer(code):
        op = m.group(1)
        found.append(("flip-comparison", replaced(m.start(), m.end(), RELATIONAL[op])))
    for m in LOGICAL_RE.finditer(code):
        found.append(("flip-logic", replaced(m.start(), m.end(), "||" if m.group(1) == "&&" else "&&")))
    for m in OFF_BY_ONE_RE.finditer(code):
        found.append(("off-by-one", replaced(m.start(), m.end(), m.group(1) + " 0")))
    for m in CLAMP_RE.finditer(code):
        open_index = m.end() - 1
        close = matching_paren(code, open_index)
        if close < 0:
            continue
        args = split_top_level_args(code, open_index, close)
        if len(args) < 2:
            continue
        first = line[args[0][0]:args[0][1]].strip()
        found.append(("drop-clamp", replaced(m.start(), close + 1, "(" + first + ")")))
    for m in CONDITION_RE.finditer(code):
        open_index = m.end() - 1
        close = matching_paren(code, open_index)
        if close < 0:
            continue
        inner = line[open_index + 1:close]
        if ";" in code[open_index:close] or ":" in code[open_index:close].replace("::", ""):
            continue  # a for-like or init-statement form
        found.append(("invert-condition", replaced(open_index, close + 1, "(!(" + inner + "))")))
    for m in CALL_RE.finditer(code):
        name = m.group(1)
        if name in NO_SWAP or name.split("::")[-1] in ("if", "while", "for", "switch", "return", "sizeof"):
            continue
        open_index = m.end() - 1
        close = matching_paren(code, open_index)
        if close < 0:
            continue
        args = split_top_level_args(code, open_index, close)
        if len(args) != 2:
            continue
        a = line[args[0][0]:args[0][1]]
        b = line[args[1][0]:args[1][1]]
        if a.strip() == b.strip() or not SIMPLE_ARG_RE.match(a) or not SIMPLE_ARG_RE.match(b):
            continue
        swapped = line[:args[0][0]] + b.strip() + ", " + a.strip() + line[args[1][1]:]
        found.append(("swap-arguments", swapped))
    found.extend(statement_removals(line, code, previous_code))
    return found


def mutants_of_file(area, path):
    with open(os.path.join(REPO, path), encoding="utf-8") as f:
        lines = f.readlines()
    mutants = []
    in_block = False
    previous_code = None
    for number, line in enumerate(lines, start=1):
        code, in_block_after = code_mask(line.rstrip("\n"), in_block)
        skip = in_block or SKIP_LINE_RE.match(line) or not code.strip()
        if not skip:
            for kind, mutated in mutations_of_line(line, code, previous_code):
                if not mutated.endswith("\n"):
                    mutated += "\n"
                if mutated != line:
                    mutants.append(Mutant(area, path, number, kind, line, mutated))
        if code.strip():
            previous_code = code
        in_block = in_block_after
    return mutants


# --- Configuration -------------------------------------------------------------------------

def read_files_list():
    areas = {}
    with open(FILES_LIST, encoding="utf-8") as f:
        for raw in f:
            line = raw.split("#", 1)[0].strip()
            if not line:
                continue
            area, path = line.split(None, 1)
            areas.setdefault(area, []).append(path.strip())
    return areas


def read_equivalents():
    """(path, mutated line stripped) -> reason."""
    known = {}
    if not os.path.exists(EQUIVALENT_LIST):
        return known
    with open(EQUIVALENT_LIST, encoding="utf-8") as f:
        for raw in f:
            if not raw.strip() or raw.lstrip().startswith("#"):
                continue
            parts = [p.strip() for p in raw.rstrip("\n").split(" | ")]
            if len(parts) != 3:
                sys.exit(f"mutate: {EQUIVALENT_LIST}: a line needs 'path | mutated line | reason': {raw!r}")
            known[(parts[0], parts[1])] = parts[2]
    return known


def choose_mutants(areas, per_area, seed):
    """Up to per_area mutants of each area, drawn in turn from each of its files so that every
    file gets its share; the same seed and sources give the same choice."""
    chosen = []
    for area, paths in areas.items():
        pools = []
        for path in paths:
            pool = mutants_of_file(area, path)
            # Each file draws from a generator of its own: changing one file (or writing tests)
            # leaves the draw from every other file as it was.
            random.Random(f"{seed}:{path}").shuffle(pool)
            pools.append(pool)
        picked = []
        while len(picked) < per_area and any(pools):
            for pool in pools:
                if pool and len(picked) < per_area:
                    picked.append(pool.pop())
        chosen.extend(picked)
    return chosen


# --- Building and running ------------------------------------------------------------------

def tracked_files():
    out = subprocess.run(["git", "ls-files", "--cached", "--others", "--exclude-standard", "-z"],
                         cwd=REPO, check=True, capture_output=True).stdout
    return [p for p in out.decode().split("\0") if p]


def sync_sources(src):
    """Copies the working tree into src, rewriting only files whose content changed so that the
    build stays incremental."""
    for rel in tracked_files():
        origin = os.path.join(REPO, rel)
        if not os.path.isfile(origin):
            continue
        target = os.path.join(src, rel)
        with open(origin, "rb") as f:
            data = f.read()
        if os.path.exists(target):
            with open(target, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        shutil.copymode(origin, target)
    # The shared test data sits beside the repository; the copy sees it at the same place.
    shared = os.path.join(os.path.dirname(REPO), "shared")
    link = os.path.join(os.path.dirname(src), "shared")
    if os.path.isdir(shared) and not os.path.exists(link):
        os.symlink(shared, link)


def configure(src, obj):
    # Mutants are many and each is rebuilt: a light optimisation and no debug information keep
    # each rebuild short, gold keeps each link short. The standard library's bounds checks are
    # on, as in the sanitizer build, so a mutant that reads past a table or an empty optional
    # stops its test instead of reading a neighbour's bytes.
    flags = "-O1 -D_GLIBCXX_ASSERTIONS"
    subprocess.run(["cmake", "-S", src, "-B", obj, "-DCMAKE_BUILD_TYPE=Release",
                    f"-DCMAKE_CXX_FLAGS_RELEASE={flags}", f"-DCMAKE_C_FLAGS_RELEASE={flags}",
                    "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold"], check=True,
                   stdout=subprocess.DEVNULL)


def build(obj, jobs):
    result = subprocess.run(["cmake", "--build", obj, "-j", str(jobs)], capture_output=True, text=True)
    return result.returncode == 0, result.stdout[-4000:] + result.stderr[-4000:]


def run_in_group(command, timeout, **kwargs):
    """Runs a command in a process group of its own and returns its exit status; on a timeout
    the whole group goes, so that a player a mutant sent into an endless loop does not outlive
    its test."""
    process = subprocess.Popen(command, start_new_session=True, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, **kwargs)
    try:
        return process.wait(timeout=timeout)
    finally:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()


def run_suite(obj, timeout, jobs, scratch):
    """True when every test passes. Stops at the first failing test."""
    env = dict(os.environ)
    env["XDG_CONFIG_HOME"] = os.path.join(scratch, "config")
    env["XDG_DATA_HOME"] = os.path.join(scratch, "data")
    shutil.rmtree(scratch, ignore_errors=True)
    os.makedirs(env["XDG_CONFIG_HOME"])
    os.makedirs(env["XDG_DATA_HOME"])
    deadline = time.monotonic() + timeout
    try:
        if run_in_group([os.path.join(obj, "zd_tests"), "--gtest_fail_fast", "--gtest_brief=1"],
                        timeout, cwd=obj, env=env) != 0:
            return False, "zd_tests failed"
        if run_in_group(["ctest", "-R", r"^(script_file|gui)\.", "--stop-on-failure", "-j", str(jobs),
                         "--timeout", "60"], max(5, deadline - time.monotonic()), cwd=obj, env=env) != 0:
            return False, "a script file or window test failed"
    except subprocess.TimeoutExpired:
        return False, "timed out"
    return True, ""


def write_file(path, lines):
    with open(path, "w", encoding="utf-8") as f:
        f.writelines(lines)


# --- Reporting -----------------------------------------------------------------------------

def summarise(results, equivalents_by_area):
    by_area = {}
    for r in results:
        a = by_area.setdefault(r["area"], {"killed": 0, "survived": 0, "invalid": 0, "survivors": []})
        a[r["status"]] += 1
        if r["status"] == "survived":
            a["survivors"].append(r)
    lines = ["| Area | Mutants run | Did not compile | Valid | Killed | Survived | Killed % | Equivalent (not run) |",
             "|---|---:|---:|---:|---:|---:|---:|---:|"]
    for area in sorted(set(by_area) | set(equivalents_by_area)):
        a = by_area.get(area, {"killed": 0, "survived": 0, "invalid": 0, "survivors": []})
        valid = a["killed"] + a["survived"]
        pct = f"{100.0 * a['killed'] / valid:.0f}" if valid else "-"
        lines.append(f"| {area} | {valid + a['invalid']} | {a['invalid']} | {valid} | {a['killed']} | "
                     f"{a['survived']} | {pct} | {equivalents_by_area.get(area, 0)} |")
    lines.append("")
    for area in sorted(by_area):
        for r in by_area[area]["survivors"]:
            lines.append(f"- survived: `{r['path']}:{r['line']}` ({r['kind']}): "
                         f"`{r['original'].strip()}` → `{r['mutated'].strip()}`")
    return "\n".join(lines) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build-dir", default=os.path.join(REPO, "build-mutate"))
    parser.add_argument("--per-area", type=int, default=20, help="mutants drawn from each area (20)")
    parser.add_argument("--seed", type=int, default=1, help="seed of the draw (1)")
    parser.add_argument("--areas", default="", help="comma-separated areas (default: all)")
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 2)
    parser.add_argument("--list", action="store_true", help="list the chosen mutants and stop")
    parser.add_argument("--rerun-survivors", action="store_true",
                        help="run again only the mutants that survived last time")
    parser.add_argument("--mutant", action="append", default=[], help="run only this mutant (ID as listed)")
    args = parser.parse_args()
    args.build_dir = os.path.abspath(args.build_dir)

    areas = read_files_list()
    if args.areas:
        wanted = args.areas.split(",")
        unknown = [a for a in wanted if a not in areas]
        if unknown:
            sys.exit(f"mutate: no such area: {', '.join(unknown)} (areas: {', '.join(areas)})")
        areas = {a: areas[a] for a in wanted}
    equivalents = read_equivalents()
    chosen = choose_mutants(areas, args.per_area, args.seed)
    drawn = list(chosen)  # the figures are for the whole draw, whatever part of it runs now

    results_path = os.path.join(args.build_dir, "results.json")
    previous = {}
    if os.path.exists(results_path):
        with open(results_path, encoding="utf-8") as f:
            previous = {mutant_ident(r["path"], r["line"], r["kind"], r["mutated"]): r
                        for r in json.load(f)}
    if args.rerun_survivors:
        chosen = [m for m in chosen if previous.get(m.ident, {}).get("status") == "survived"]
    if args.mutant:
        every = {m.ident: m for area, paths in areas.items() for p in paths for m in mutants_of_file(area, p)}
        missing = [i for i in args.mutant if i not in every]
        if missing:
            sys.exit(f"mutate: no such mutant: {missing[0]}")
        chosen = [every[i] for i in args.mutant]

    equivalent_count = {}
    for m in drawn:
        if (m.path, m.mutated.strip()) in equivalents:
            equivalent_count[m.area] = equivalent_count.get(m.area, 0) + 1
    runnable = [m for m in chosen if (m.path, m.mutated.strip()) not in equivalents]
    if args.list:
        for m in runnable:
            print(f"{m.ident}\n    - {m.original.strip()}\n    + {m.mutated.strip()}")
        print(f"{len(runnable)} mutants, {sum(equivalent_count.values())} known equivalent")
        return 0

    src = os.path.join(args.build_dir, "src")
    obj = os.path.join(args.build_dir, "obj")
    os.makedirs(src, exist_ok=True)
    sync_sources(src)
    configure(src, obj)
    print("mutate: building the unchanged sources", flush=True)
    ok, log = build(obj, args.jobs)
    if not ok:
        print(log)
        sys.exit("mutate: the unchanged sources do not build")
    scratch = os.path.join(args.build_dir, "scratch")
    start = time.monotonic()
    passed, why = run_suite(obj, 1800, args.jobs, scratch)
    baseline = time.monotonic() - start
    if not passed:
        sys.exit(f"mutate: the suite fails on the unchanged sources ({why})")
    timeout = 3 * baseline + 30
    print(f"mutate: the suite passes in {baseline:.0f} s; a mutant gets {timeout:.0f} s", flush=True)

    results = dict(previous)
    runnable.sort(key=lambda m: (m.path, m.line, m.kind))
    try:
        for index, m in enumerate(runnable, start=1):
            target = os.path.join(src, m.path)
            with open(target, encoding="utf-8") as f:
                lines = f.readlines()
            if lines[m.line - 1] != m.original:
                sys.exit(f"mutate: {m.path}:{m.line} no longer reads as listed; sync the sources")
            mutated = list(lines)
            mutated[m.line - 1] = m.mutated
            write_file(target, mutated)
            try:
                began = time.monotonic()
                compiled, _ = build(obj, args.jobs)
                if not compiled:
                    status, why = "invalid", "does not compile"
                else:
                    passed, why = run_suite(obj, timeout, args.jobs, scratch)
                    status = "survived" if passed else "killed"
            finally:
                write_file(target, lines)
            record = asdict(m)
            record.update(id=m.ident, status=status, why=why, seconds=round(time.monotonic() - began))
            results[m.ident] = record
            print(f"[{index}/{len(runnable)}] {status:8} {m.path}:{m.line} {m.kind} ({why or 'all tests pass'})",
                  flush=True)
            with open(results_path, "w", encoding="utf-8") as f:
                json.dump(list(results.values()), f, indent=1)
    finally:
        # The copy ends as the working tree is, and its build with it.
        build(obj, args.jobs)

    wanted_ids = {m.ident for m in drawn if (m.path, m.mutated.strip()) not in equivalents}
    report = summarise([r for key, r in results.items() if key in wanted_ids], equivalent_count)
    with open(os.path.join(args.build_dir, "report.md"), "w", encoding="utf-8") as f:
        f.write(report)
    print(report)
    return 0


if __name__ == "__main__":
    sys.exit(main())
