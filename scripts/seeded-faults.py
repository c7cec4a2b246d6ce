#!/usr/bin/env python3
"""Measures what the test suite catches: seeds small faults into the program's code, one at a time,
and runs the tests that could see each one.

    scripts/seeded-faults.py [--count N] [--seed S] [--only FAULT-NUMBERS] [--list]
    scripts/seeded-faults.py --survivors

The faults are the mistakes a hand makes in one place: a comparison turned round (== and !=, < and
<=, > and >=), "and" for "or", true for false, a negation dropped, one added where one is taken
away. They are drawn from the libraries' own sources (core, hoteldb, movement, dialogs, app; not
the Windows-only files, which a Linux build cannot compile), by a fixed seed, so that two runs seed
the same faults; the card check and the value rules it shares with the files always get
CARD_CHECK_SHARE of them.

Each fault is built in a separate worktree of HEAD (../naxdesktop-faults, a build without debug
information), and the tests of its library and of every library above it run until the first one
fails. A fault is caught when a test fails or a test takes too long, survives when all pass, and
is left out when it does not compile. The list goes to build-faults/faults.txt, with the survivors
marked, for a person to read: a survivor is either a missing test or a fault that changes nothing.
Once tests are added, --survivors seeds the last report's survivors again, found by their lines'
text (the code may have moved meanwhile), and updates the report.
"""

import argparse
import os
import random
import re
import subprocess
import sys
from pathlib import Path

TOP = Path(__file__).resolve().parent.parent
LIBRARIES = ["core", "hoteldb", "movement", "dialogs", "app"]
# The test folders that can see a fault in each library: its own and those of the libraries above.
SEEN_BY = {
    "core": ["core", "hoteldb", "movement", "dialogs", "app"],
    "hoteldb": ["hoteldb", "movement", "app"],
    "movement": ["movement", "app"],
    "dialogs": ["dialogs", "app"],
    "app": ["app"],
}
CARD_CHECK = ["movement/cardcheck.cpp", "movement/cardvalues.cpp"]
CARD_CHECK_SHARE = 20
# The test that installs packages sees no fault of a line of code sooner than the others.
NOT_RUN = ["tst_install"]

SWAPS = [
    (r" == ", " != "), (r" != ", " == "),
    (r" && ", " || "), (r" \|\| ", " && "),
    (r" < ", " <= "), (r" <= ", " < "), (r" > ", " >= "), (r" >= ", " > "),
    (r"\btrue\b", "false"), (r"\bfalse\b", "true"),
    (r"(?<=[(\s])!(?=[\w(])", ""),
    (r" \+ 1\b", " - 1"), (r" - 1\b", " + 1"),
]
# Lines whose faults no build or test can tell apart: assertions (left out of the build) and
# declarations.
SKIPPED_LINE = re.compile(r"^\s*(#|//|\*|Q_ASSERT|static_assert|template)|\boperator\b")


def code_only(line):
    """The line with its strings, characters and comments blanked, the same length."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("  ")
                i += 2
                continue
            if c == quote:
                quote = None
            out.append(" " if c != quote else c)
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[: len(line)]


def all_faults():
    faults = []
    for library in LIBRARIES:
        for source in sorted((TOP / library).glob("*.cpp")):
            if source.stem.endswith("_win"):
                continue
            relative = source.relative_to(TOP).as_posix()
            for number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
                if SKIPPED_LINE.search(line):
                    continue
                code = code_only(line)
                for pattern, replacement in SWAPS:
                    for match in re.finditer(pattern, code):
                        faulty = line[: match.start()] + replacement + line[match.end():]
                        faults.append((relative, number, line, faulty))
    return faults


def reported(path):
    """The faults of a report, as (number, path, line, before, after, state)."""
    faults = []
    lines = path.read_text(encoding="utf-8").splitlines()
    for head, before, after in zip(lines, lines[1:], lines[2:]):
        match = re.match(r"\s*(\d+) (presa|SOPRAVVISSUTA|non compila|non più nel codice)\s+(\S+):(\d+)$", head)
        if match and before.startswith("    - ") and after.startswith("    + "):
            faults.append((int(match[1]), match[3], int(match[4]), before[6:], after[6:], match[2]))
    return faults


def located(fault):
    """The fault seeded on the line of the current source that holds its text, nearest the line it
    was reported on; None when no line does."""
    n, path, number, before, after, _ = fault
    lines = (TOP / path).read_text(encoding="utf-8").splitlines()
    found = [i + 1 for i, line in enumerate(lines) if line.strip() == before]
    if not found:
        return None
    line = min(found, key=lambda i: abs(i - number))
    text = lines[line - 1]
    return (path, line, text, text[: len(text) - len(text.lstrip())] + after)


def chosen(faults, count, seed):
    rng = random.Random(seed)
    card = [f for f in faults if f[0] in CARD_CHECK]
    rest = [f for f in faults if f[0] not in CARD_CHECK]
    picked = rng.sample(card, min(CARD_CHECK_SHARE, len(card)))
    picked += rng.sample(rest, count - len(picked))
    return sorted(picked)


def run(command, cwd, log):
    return subprocess.run(command, cwd=cwd, stdout=log, stderr=subprocess.STDOUT).returncode


def tests_for(build, library):
    folders = SEEN_BY[library]
    names = []
    for folder in folders:
        for test in sorted((TOP / "tests" / folder).glob("tst_*.cpp")):
            if not test.stem.endswith("_win") and test.stem not in NOT_RUN:
                names.append(test.stem)
    return names


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--count", type=int, default=135)
    parser.add_argument("--seed", type=int, default=20261209)
    parser.add_argument("--only", type=int, nargs="*", help="run only these faults (their numbers)")
    parser.add_argument("--list", action="store_true", help="print the faults, run nothing")
    parser.add_argument("--survivors", action="store_true", help="seed the last report's survivors again")
    args = parser.parse_args()

    out = TOP / "build-faults"
    if args.survivors:
        earlier = reported(out / "faults.txt")
        faults = [located(f) if f[5] == "SOPRAVVISSUTA" else f[1:5] for f in earlier]
        args.only = [f[0] for f in earlier if f[5] == "SOPRAVVISSUTA"]
        kept = {f[0]: f for f in earlier}
    else:
        faults = chosen(all_faults(), args.count, args.seed)
        kept = {}
    if args.list:
        for n, (path, line, before, after) in enumerate(faults, 1):
            print(f"{n:3} {path}:{line}\n    - {before.strip()}\n    + {after.strip()}")
        return 0

    tree = TOP.parent / "naxdesktop-faults"
    head = subprocess.check_output(["git", "rev-parse", "HEAD"], cwd=TOP, text=True).strip()
    if not tree.exists():
        subprocess.check_call(["git", "worktree", "add", "--detach", str(tree), head], cwd=TOP)
    subprocess.check_call(["git", "checkout", "--quiet", "--detach", head], cwd=tree)
    build = tree / "build-faults"
    out.mkdir(exist_ok=True)
    log = open(out / "faults.log", "w")
    configure = ["cmake", "-S", ".", "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=None",
                 "-DCMAKE_CXX_FLAGS=-O1", "-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=gold"]
    if os.environ.get("CMAKE_CXX_COMPILER_LAUNCHER"):
        configure.append("-DCMAKE_CXX_COMPILER_LAUNCHER=" + os.environ["CMAKE_CXX_COMPILER_LAUNCHER"])
    if run(configure, tree, log) or run(["cmake", "--build", build], tree, log):
        print("the worktree of HEAD does not build: see build-faults/faults.log")
        return 1

    results = []
    for n, fault in enumerate(faults, 1):
        if args.only and n not in args.only:
            if n in kept:
                results.append(kept[n])
            continue
        if fault is None:
            results.append(kept[n][:5] + ("non più nel codice",))
            print(f"{n:3} non più nel codice", flush=True)
            continue
        path, number, before, after = fault
        source = tree / path
        original = source.read_text(encoding="utf-8")
        lines = original.split("\n")
        assert lines[number - 1] == before
        lines[number - 1] = after
        source.write_text("\n".join(lines), encoding="utf-8")
        print(f"== {n} {path}:{number}: {after.strip()}", file=log, flush=True)
        try:
            if run(["cmake", "--build", build], tree, log):
                state = "non compila"
            else:
                names = tests_for(build, path.split("/")[0])
                failed = run(["ctest", "--test-dir", build, "-R", "^(" + "|".join(names) + ")$",
                              "--stop-on-failure", "-j2", "--timeout", "300"], tree, log)
                state = "presa" if failed else "SOPRAVVISSUTA"
        finally:
            source.write_text(original, encoding="utf-8")
        results.append((n, path, number, before, after, state))
        print(f"{n:3} {state:13} {path}:{number}  {after.strip()}", flush=True)

    with open(out / "faults.txt", "w") as report:
        for n, path, number, before, after, state in results:
            report.write(f"{n:3} {state:13} {path}:{number}\n    - {before.strip()}\n    + {after.strip()}\n")
        built = [r for r in results if r[5] in ("presa", "SOPRAVVISSUTA")]
        caught = [r for r in built if r[5] == "presa"]
        card = [r for r in built if r[1] in CARD_CHECK]
        summary = (f"{len(caught)} prese su {len(built)} ({len(results) - len(built)} non compilano o non sono più nel codice); "
                   f"controllo delle schede: {sum(r[5] == 'presa' for r in card)} su {len(card)}")
        report.write(summary + "\n")
    print(summary)
    run(["cmake", "--build", build], tree, log)  # leaves the worktree's build as HEAD's
    return 0


if __name__ == "__main__":
    sys.exit(main())
