#!/usr/bin/env python3
"""Mutation check: how many small, plausible faults in the product code does our own test suite
catch?

    tools/mutate.py CHECKOUT BUILD_DIR [--n 60] [--seed 7] [--out mutants.tsv] [--list]
                    [--skip-killed EARLIER.tsv [--only-tests "SUITE=FILTER;..."]] [--timeout 180]
                    [--leave-out "TEST:..."]

CHECKOUT is a separate clone of the project: every mutant is patched into it in place and put
back afterwards, so never point it at a working tree you care about. BUILD_DIR is its configured
ninja build folder. The check runs much faster in a coverage build (it then runs only the tests
that execute a mutated line), without the desktop program and at -O1:

    cmake -S CHECKOUT -B CHECKOUT/build-cov -G Ninja -DTYPELOOM_GUI=OFF -DTYPELOOM_BENCH=OFF \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
      "-DCMAKE_CXX_FLAGS_RELEASE=-O1 --coverage -frandom-seed=typeloom" \
      "-DCMAKE_C_FLAGS_RELEASE=-O1 --coverage -frandom-seed=typeloom"

(-frandom-seed makes the same source give the same object, which the check relies on.)

Mutants are lines of the product folders' .cpp files (not gui/, so no Qt is needed) with one
operator flipped, a "+ 1" turned into "- 1" or a truth value negated. They are chosen from the
seed by a hash of (file name, line text, operator), so the same seed picks the same mutants on a
later tree wherever those lines still exist, even in a file that moved to another folder: scores
before and after a change to the tests compare like with like.

For each mutant: patch the line and compile its object. A build error makes it 'invalid'; an
object identical to the unmutated one makes it 'equivalent' (the compiler proved the change
cannot matter). Otherwise the test suites that link the file run one after the other, the
folder's own suite first and the end-to-end suite last, each built just before it runs, and the
first failing suite kills the mutant (a suite past the timeout kills it too: a hang is caught).
A mutant that passes every such suite SURVIVED. The score is killed / (killed + survived).

In a coverage build every test first runs once, one at a time in the slow suites, and the tool
records which tests execute which product line. A mutant then runs only the tests that execute
its line (a test that never gets there behaves the same with the mutant); one whose line no test
executes SURVIVED as "unreached" after its folder's own suite has run whole (in case the line
runs only in a child process that dies before writing its counts). Lines gcov gives no code fall
back to the whole suites. The map is kept in BUILD_DIR/mutate-coverage.json for as long as no
source or test changes.

A later round on the same product code after tests were added need not run the old tests
again: --skip-killed takes the earlier report's kills as they were, and --only-tests runs just
the new tests (gtest filters by suite) against the other mutants.

--leave-out names tests (gtest patterns) that no run includes: a test that cannot pass in a
coverage build would otherwise stop the check at its first round, or kill every mutant it meets.

Rows go to the report (tab-separated) as each mutant finishes: file, line, operator, new,
original line, outcome, seconds.
"""
import argparse
import hashlib
import json
import os
import re
import shlex
import shutil
import signal
import subprocess
import sys
import time

# Product folders: every top-level folder with C++ sources but these (the desktop program is
# left out so that a build without Qt can run the check).
NOT_PRODUCT = {"tests", "bench", "fuzz", "tools", "docs", "data", "dist", "man", "langres",
               "examples", "gui", "build", ".git"}

OPS = [
    ("<=", "<"), ("<", "<="), (">=", ">"), (">", ">="), ("==", "!="), ("!=", "=="),
    ("&&", "||"), ("||", "&&"), ("+ 1", "- 1"), ("- 1", "+ 1"), ("true", "false"),
    ("false", "true"), ("<<", ">>"), (">>", "<<"), ("+=", "-="), ("-=", "+="),
]
SKIP = re.compile(r'^\s*(//|#|\*|/\*)|static_assert|\btemplate\b|->|"|operator')
E2E_SUITE = "tests_e2e"


def product_folders(root):
    out = []
    for d in sorted(os.listdir(root)):
        p = os.path.join(root, d)
        if d in NOT_PRODUCT or d.startswith(".") or d.startswith("build") or not os.path.isdir(p):
            continue
        if any(f.endswith(".cpp") for _, _, fs in os.walk(p) for f in fs):
            out.append(d)
    return out


def operator_pattern(a):
    if a in ("true", "false"):
        return r'\b' + a + r'\b'
    if a in ("+ 1", "- 1"):
        # "x + 1" but not "x + 10" or "x + 1.5"
        return r'(?<= )' + re.escape(a) + r'(?![0-9.xX])'
    # binary operators stand between spaces; template brackets do not
    return r'(?<= )' + re.escape(a) + r'(?= )'


def candidates(root):
    """(path relative to root, line index, operator, replacement, column, line) of every site."""
    out = []
    for d in product_folders(root):
        for dp, _, fs in os.walk(os.path.join(root, d)):
            for f in sorted(fs):
                if not f.endswith(".cpp"):
                    continue
                p = os.path.join(dp, f)
                rel = os.path.relpath(p, root)
                with open(p, encoding="utf-8", errors="replace") as fh:
                    lines = fh.read().split("\n")
                for i, line in enumerate(lines):
                    if SKIP.search(line):
                        continue
                    for a, b in OPS:
                        for m in re.finditer(operator_pattern(a), line):
                            out.append((rel, i, a, b, m.start(), line))
    out.sort(key=lambda c: (c[0], c[1], c[4], c[2]))
    return out


def choose(cands, seed, n):
    """n mutants, at most one a line, ranked by a hash that ignores the file's folder."""
    first = {}
    for c in cands:
        first.setdefault((os.path.basename(c[0]), c[5].strip(), c[2]), c)

    def rank(key):
        return hashlib.sha256(("%d\0%s\0%s\0%s" % ((seed,) + key)).encode()).hexdigest()

    chosen, lines = [], set()
    for key in sorted(first, key=rank):
        if len(chosen) >= n:
            break
        c = first[key]
        if (c[0], c[1]) not in lines:
            lines.add((c[0], c[1]))
            chosen.append(c)
    return chosen


def run(cmd, cwd, timeout, env=None):
    """(exit code, output); past the timeout the command and its children are stopped: 124."""
    with subprocess.Popen(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                          text=True, errors="replace", env=env, start_new_session=True) as p:
        try:
            out, _ = p.communicate(timeout=timeout)
            return p.returncode, out
        except subprocess.TimeoutExpired:
            os.killpg(p.pid, signal.SIGKILL)
            p.communicate()
            return 124, "timeout"


def digest(path):
    with open(path, "rb") as fh:
        return hashlib.sha256(fh.read()).hexdigest()


class Build:
    """The build folder: which objects a source becomes and which test suites link it."""

    def __init__(self, root, build, timeout):
        self.root, self.build, self.timeout = root, build, timeout
        self.objects = {}
        with open(os.path.join(build, "compile_commands.json")) as fh:
            entries = json.load(fh)
            for entry in entries:
                words = shlex.split(entry["command"])
                obj = os.path.join(entry["directory"], words[words.index("-o") + 1])
                src = os.path.relpath(os.path.realpath(entry["file"]), root)
                self.objects.setdefault(src, []).append(obj)
        rc, out = run(["ninja", "-C", build, "-t", "targets", "all"], root, 60)
        names = sorted({m.group(1) for m in re.finditer(r"^(tests_\w+):", out, re.M)})
        self.inputs = {}
        for suite in names:
            targets = [suite] + (["vela_typeloomc"] if suite == E2E_SUITE else [])
            files = set()
            for t in targets:
                rc, out = run(["ninja", "-C", build, "-t", "inputs", t], root, 60)
                files |= {os.path.relpath(f, root) for f in out.split() if f.startswith(root)}
            self.inputs[suite] = files
        self.binaries = {}
        for suite in names:
            found = [os.path.join(dp, suite) for dp, _, fs in os.walk(build) if suite in fs]
            self.binaries[suite] = found[0] if found else os.path.join(build, "tests", suite)
        self.env = dict(os.environ, TL_BINARY_DIR=build, QT_QPA_PLATFORM="offscreen")
        self.coverage = any("--coverage" in e["command"] for e in entries)
        self.only = {}
        self.leave_out = ""
        # Counts of a mutant's run go to a folder emptied before every run, so that they never
        # meet the counts of other code (libgcov would complain on standard error).
        self.scratch = os.path.join(build, "mutate-gcov-scratch")

    def suites_for(self, rel):
        """The suites linking rel: its folder's own first, then lower layers before higher."""
        own = "tests_" + rel.split(os.sep)[0]
        linked = [s for s, files in self.inputs.items() if rel in files]
        return sorted(linked, key=lambda s: (s != own, s == E2E_SUITE, len(self.inputs[s]), s))

    def compile(self, rel):
        objs = self.objects.get(rel, [])
        targets = [os.path.relpath(o, self.build) for o in objs]
        rc, out = run(["ninja", "-C", self.build] + targets, self.root, 1800) if objs else (1, "")
        return rc == 0, [digest(o) for o in objs] if rc == 0 else []

    def run_suite(self, suite, test_filter="*", gcov_prefix=None):
        """'' when the suite passes, otherwise what failed."""
        rc, out = run(["ninja", "-C", self.build, suite], self.root, 1800)
        if rc != 0:
            return "link:" + suite
        env = self.env
        if self.coverage:
            gcov_prefix = gcov_prefix or self.scratch
            shutil.rmtree(gcov_prefix, ignore_errors=True)
            env = dict(env, GCOV_PREFIX=gcov_prefix, GCOV_PREFIX_STRIP="0")
        binary = self.binaries[suite]
        if self.leave_out:
            test_filter += "-" + self.leave_out
        rc, out = run([binary, "--gtest_fail_fast", "--gtest_brief=1",
                       "--gtest_filter=" + test_filter],
                      os.path.dirname(binary), self.timeout, env)
        if rc == 0:
            return ""
        if rc == 124:
            return "%s:timeout" % suite
        failed = re.findall(r"^\[  FAILED  \] (\S+)", out, re.M)
        if not failed:
            failed = ["exit %d" % rc]
        return "%s:%s" % (suite, failed[0])


def test_names(binary):
    rc, out = run([binary, "--gtest_list_tests"], os.path.dirname(binary), 120)
    names, group = [], ""
    for line in out.split("\n"):
        if line and not line.startswith(" "):
            group = line.split()[0]
        elif line.strip():
            names.append(group + line.split()[0])
    return names


def tree_digest(root):
    h = hashlib.sha256()
    for d in product_folders(root) + ["tests"]:
        for dp, _, fs in sorted(os.walk(os.path.join(root, d))):
            for f in sorted(fs):
                h.update(f.encode())
                with open(os.path.join(dp, f), "rb") as fh:
                    h.update(fh.read())
    return h.hexdigest()


class Coverage:
    """Which tests execute which product line: {"file:line": [unit, ...]}, where a unit is
    [suite, gtest filter], and the lines gcov gives code to."""

    SLOW_SUITE_SECONDS = 5

    def __init__(self, b):
        self.root, self.build = b.root, b.build
        cache = os.path.join(b.build, "mutate-coverage.json")
        tree = tree_digest(b.root)
        if os.path.exists(cache):
            with open(cache) as fh:
                data = json.load(fh)
            if data["tree"] == tree:
                self.reach, self.code = data["reach"], set(data["code"])
                return
        self.reach, self.code = {}, set()
        for suite, binary in sorted(b.binaries.items()):
            t0 = time.time()
            failed = self.record(b, [suite, "*"])
            if failed:
                sys.exit("baseline suite fails: " + failed)
            if time.time() - t0 > self.SLOW_SUITE_SECONDS:
                for units in self.reach.values():
                    if [suite, "*"] in units:
                        units.remove([suite, "*"])
                for name in test_names(binary):
                    self.record(b, [suite, name])
            print("coverage of %s (%.0fs)" % (suite, time.time() - t0), flush=True)
        with open(cache, "w") as fh:
            json.dump({"tree": tree, "reach": self.reach, "code": sorted(self.code)}, fh)

    def record(self, b, unit):
        prefix = os.path.join(b.build, "mutate-gcov-unit")
        failed = b.run_suite(unit[0], unit[1], prefix)
        counts = []
        for dp, _, fs in os.walk(prefix):
            for f in fs:
                if f.endswith(".gcda"):
                    gcda = os.path.join(dp, f)
                    gcno = gcda[len(prefix):][:-len("gcda")] + "gcno"
                    if os.path.exists(gcno):
                        os.symlink(gcno, gcda[:-len("gcda")] + "gcno")
                        counts.append(gcda)
        for start in range(0, len(counts), 200):
            rc, out = run(["gcov", "--json-format", "--stdout"] + counts[start:start + 200],
                          prefix, 600)
            self.add(out, unit)
        return failed

    def add(self, out, unit):
        decoder, pos = json.JSONDecoder(), 0
        while True:
            pos = out.find("{", pos)
            if pos < 0:
                return
            doc, pos = decoder.raw_decode(out, pos)
            for f in doc.get("files", []):
                where = doc.get("current_working_directory", self.build)
                path = os.path.normpath(os.path.join(where, f["file"]))
                rel = os.path.relpath(path, self.root)
                if rel.startswith("..") or not rel.endswith(".cpp"):
                    continue
                for line in f["lines"]:
                    key = "%s:%d" % (rel, line["line_number"])
                    self.code.add(key)
                    units = self.reach.setdefault(key, [])
                    if line["count"] > 0 and unit not in units:
                        units.append(unit)

    def tests_for(self, rel, line_number):
        """{suite: gtest filter} of the tests executing the line; None when gcov gives the line
        no code (then every suite linking the file runs)."""
        key = "%s:%d" % (rel, line_number)
        if key not in self.code:
            return None
        tests = {}
        for suite, test_filter in self.reach.get(key, []):
            tests.setdefault(suite, []).append(test_filter)
        return {suite: ":".join(filters) for suite, filters in tests.items()}


def earlier_kills(path):
    killed = set()
    if path:
        with open(path) as fh:
            for row in fh.read().split("\n")[1:]:
                f = row.split("\t")
                if len(f) >= 6 and f[5].startswith("killed"):
                    killed.add((os.path.basename(f[0]), f[4], f[2]))
    return killed


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("checkout")
    ap.add_argument("build")
    ap.add_argument("--n", type=int, default=60)
    ap.add_argument("--seed", type=int, default=7)
    ap.add_argument("--out", default="mutants.tsv")
    ap.add_argument("--list", action="store_true", help="print the chosen mutants and stop")
    ap.add_argument("--timeout", type=int, default=180, help="seconds a suite may run")
    ap.add_argument("--only-tests", default="", metavar="SUITE=FILTER;...",
                    help="run only these tests (for the tests added since an earlier report on "
                         "the same product code, given with --skip-killed)")
    ap.add_argument("--leave-out", default="", metavar="TEST:...",
                    help="tests (gtest patterns) left out of every run")
    ap.add_argument("--skip-killed", metavar="TSV",
                    help="leave out mutants an earlier report has killed (for quick rounds)")
    a = ap.parse_args()
    root, build = os.path.abspath(a.checkout), os.path.abspath(a.build)
    chosen = choose(candidates(root), a.seed, a.n)
    if a.list:
        for c in chosen:
            print("%s:%d %s->%s | %s" % (c[0], c[1] + 1, c[2], c[3], c[5].strip()))
        return
    skip = earlier_kills(a.skip_killed)

    rc, out = run(["ninja", "-C", build], root, 7200)
    if rc != 0:
        sys.exit("baseline build fails:\n" + out[-2000:])
    b = Build(root, build, a.timeout)
    b.only = dict(item.split("=", 1) for item in a.only_tests.split(";") if item)
    b.leave_out = a.leave_out
    coverage = Coverage(b) if b.coverage and not b.only else None
    for suite in [] if coverage else sorted(b.only or b.inputs):
        failed = b.run_suite(suite, b.only.get(suite, "*"))
        if failed:
            sys.exit("baseline suite fails: " + failed)

    counts = {"killed": 0, "SURVIVED": 0, "unreached": 0, "invalid": 0, "equivalent": 0,
              "skipped": 0}
    with open(a.out, "w") as report:
        report.write("file\tline\top\tnew\toriginal\toutcome\tseconds\n")
        for n, (rel, i, op, new, col, line) in enumerate(chosen, 1):
            t0 = time.time()
            if (os.path.basename(rel), line.strip(), op) in skip:
                outcome = "skipped (killed before)"
            else:
                outcome = mutate_one(b, coverage, rel, i, op, new, col, line)
            counts[outcome.split(":")[0].split(" ")[0]] += 1
            counts["unreached"] += outcome == "SURVIVED (unreached)"
            seconds = time.time() - t0
            report.write("%s\t%d\t%s\t%s\t%s\t%s\t%.0f\n" %
                         (rel, i + 1, op, new, line.strip(), outcome, seconds))
            report.flush()
            print("%2d/%d %-44s %s:%d %s->%s (%.0fs)" %
                  (n, len(chosen), outcome[:44], rel, i + 1, op, new, seconds), flush=True)
    run(["ninja", "-C", build], root, 7200)
    valid = counts["killed"] + counts["SURVIVED"]
    print("mutants %d: killed %d, survived %d (%d unreached), equivalent %d, invalid %d, "
          "skipped %d; score %.0f%%" % (len(chosen), counts["killed"], counts["SURVIVED"],
                            counts["unreached"],
                            counts["equivalent"], counts["invalid"], counts["skipped"],
                            100.0 * counts["killed"] / max(valid, 1)))


def mutate_one(b, coverage, rel, i, op, new, col, line):
    path = os.path.join(b.root, rel)
    with open(path, encoding="utf-8") as fh:
        text = fh.read()
    ok, original = b.compile(rel)
    if not ok:
        return "invalid (unmutated file does not build)"
    lines = text.split("\n")
    lines[i] = line[:col] + new + line[col + len(op):]
    try:
        with open(path, "w", encoding="utf-8") as fh:
            fh.write("\n".join(lines))
        ok, mutated = b.compile(rel)
        if not ok:
            return "invalid"
        if mutated == original:
            return "equivalent (same object code)"
        suites = b.suites_for(rel)
        tests = coverage.tests_for(rel, i + 1) if coverage else None
        unreached = tests == {}
        if unreached:
            tests = {suites[0]: "*"} if suites else {}
        if b.only:
            tests, unreached = b.only, False
        for suite in suites:
            if tests is not None and suite not in tests:
                continue
            failed = b.run_suite(suite, tests[suite] if tests else "*")
            if failed.startswith("link:"):
                return "invalid (%s does not link)" % failed[5:]
            if failed:
                return "killed:" + failed
        return "SURVIVED (unreached)" if unreached else "SURVIVED"
    finally:
        with open(path, "w", encoding="utf-8") as fh:
            fh.write(text)
        b.compile(rel)


if __name__ == "__main__":
    main()
