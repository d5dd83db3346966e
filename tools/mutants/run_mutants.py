#!/usr/bin/env python3
"""Applies each mutant of mutants.tsv in turn, rebuilds the test programs that
could catch it, runs them and prints which mutants the suite kills.

A mutant names its file by base name (or a path ending) and its place by a
text that occurs once in that file, so it survives files moving between the
folders of src/. The source file is always restored, also on Ctrl-C.

  tools/mutants/run_mutants.py                 every mutant
  tools/mutants/run_mutants.py --only a,b      some of them
  tools/mutants/run_mutants.py --check         the listed tests on the unchanged code
  tools/mutants/run_mutants.py --list          the definitions, resolved to files
"""
import argparse
import os
import signal
import subprocess
import sys
import time

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
DEFINITIONS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "mutants.tsv")


class Mutant:
    def __init__(self, fields, line):
        if len(fields) != 5:
            raise SystemExit(f"mutants.tsv line {line}: expected 5 tab-separated fields, got {len(fields)}")
        self.id, self.file, self.original, self.replacement, tests = fields
        self.tests = [Test(t) for t in tests.split()]


class Test:
    def __init__(self, text):
        self.program, _, self.filter = text.partition(":")

    def exists(self):
        return os.path.isdir(os.path.join(ROOT, "tests", self.program.removeprefix("test_")))


def read_mutants():
    mutants = []
    with open(DEFINITIONS, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.strip() and not line.startswith("#"):
                mutants.append(Mutant(line.split("\t"), number))
    return mutants


def find_source(name):
    matches = []
    for folder, _, files in os.walk(os.path.join(ROOT, "src")):
        for file in files:
            path = os.path.join(folder, file)
            if path.endswith("/" + name):
                matches.append(path)
    if len(matches) != 1:
        raise LookupError(f"'{name}' matches {len(matches)} files under src/")
    return matches[0]


def mutated_text(mutant):
    path = find_source(mutant.file)
    with open(path, encoding="utf-8") as f:
        text = f.read()
    count = text.count(mutant.original)
    if count != 1:
        raise LookupError(f"the original text occurs {count} times in {os.path.relpath(path, ROOT)}")
    return path, text, text.replace(mutant.original, mutant.replacement)


def headless_environment():
    env = dict(os.environ)
    env.update(SDL_VIDEODRIVER="offscreen", MESA_SHADER_CACHE_DISABLE="true", ALSOFT_DRIVERS="null")
    env.pop("DISPLAY", None)
    return env


def build(build_dir, programs, log):
    command = ["cmake", "--build", build_dir, "-j", str(os.cpu_count() or 2), "--target", *programs]
    return subprocess.run(command, stdout=log, stderr=subprocess.STDOUT).returncode == 0


def run_test(build_dir, test, log, timeout):
    command = [os.path.join(build_dir, "tests", test.program), "--gtest_brief=1"]
    if test.filter:
        command.append("--gtest_filter=" + test.filter)
    log.write(f"$ {' '.join(command)}\n")
    log.flush()
    try:
        result = subprocess.run(command, cwd=os.path.join(build_dir, "tests"), env=headless_environment(),
                                stdout=log, stderr=subprocess.STDOUT, timeout=timeout)
        return result.returncode == 0
    except subprocess.TimeoutExpired:
        log.write("timed out\n")
        return False


def try_mutant(mutant, args, log):
    """'killed by X', 'survived', 'not built' or 'broken: reason'."""
    tests = [t for t in mutant.tests if t.exists()]
    if not tests:
        return "broken: none of its test programs exists"
    try:
        path, original, mutated = mutated_text(mutant)
    except LookupError as error:
        return f"broken: {error}"
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(mutated)
        # One program at a time: the first that fails spares building the rest.
        for test in tests:
            if not build(args.build_dir, [test.program], log):
                return "not built"
            if not run_test(args.build_dir, test, log, args.timeout):
                return f"killed by {test.program}"
        return "survived"
    finally:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original)


def check(mutants, args):
    tests = {(t.program, t.filter): t for m in mutants for t in m.tests if t.exists()}
    with open(os.devnull, "w") as quiet:
        if not build(args.build_dir, sorted({p for p, _ in tests}), quiet):
            print("the unchanged code does not build")
            return 1
    failed = [f"{p}:{f}" if f else p for (p, f), t in sorted(tests.items()) if not run_test(args.build_dir, t, sys.stdout, args.timeout)]
    print("unchanged code: " + ("every listed test passes" if not failed else "failing: " + " ".join(failed)))
    return 1 if failed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--build-dir", default=os.path.join(ROOT, "build"))
    parser.add_argument("--only", help="comma-separated mutant ids")
    parser.add_argument("--timeout", type=int, default=600, help="seconds per test program")
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    args.build_dir = os.path.abspath(args.build_dir)

    mutants = read_mutants()
    if args.only:
        wanted = set(args.only.split(","))
        unknown = wanted - {m.id for m in mutants}
        if unknown:
            raise SystemExit("unknown mutants: " + ", ".join(sorted(unknown)))
        mutants = [m for m in mutants if m.id in wanted]
    if args.list:
        for m in mutants:
            try:
                where = os.path.relpath(mutated_text(m)[0], ROOT)
            except LookupError as error:
                where = f"BROKEN ({error})"
            print(f"{m.id:32} {where:45} {' '.join(t.program + (':' + t.filter if t.filter else '') for t in m.tests)}")
        return 0
    if args.check:
        return check(mutants, args)

    # A termination signal unwinds through the restoring finally blocks.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))
    logs = os.path.join(args.build_dir, "mutants")
    os.makedirs(logs, exist_ok=True)
    results = {}
    for mutant in mutants:
        started = time.time()
        with open(os.path.join(logs, mutant.id + ".log"), "w") as log:
            results[mutant.id] = try_mutant(mutant, args, log)
        print(f"{results[mutant.id]:28} {mutant.id}  ({time.time() - started:.0f} s)", flush=True)

    killed = [i for i, r in results.items() if r.startswith("killed")]
    survived = [i for i, r in results.items() if r == "survived"]
    other = [f"{i} ({r})" for i, r in results.items() if not r.startswith("killed") and r != "survived"]
    print(f"killed {len(killed)} of {len(results)}")
    print("survived: " + (" ".join(survived) or "none"))
    if other:
        print("not judged: " + " ".join(other))
    # Leave the build matching the restored sources.
    with open(os.devnull, "w") as quiet:
        build(args.build_dir, sorted({t.program for m in mutants for t in m.tests if t.exists()}), quiet)
    return 0


if __name__ == "__main__":
    sys.exit(main())
