#!/usr/bin/env python3
"""Mutation testing: small faults put into product files one at a time, each
built and run against the test binaries that cover the file. A mutant is
killed when a test fails or hangs, survives when every test passes, and does
not count when it does not compile. See scripts/mutate --help."""

import argparse
import json
import os
import random
import re
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# Test binaries that exercise a file, by the longest matching path prefix, the
# fastest first. Left out: the binaries that convert through a live
# LibreOffice (deck_libreoffice_tests, cli_command_tests; builder_engine_tests
# skips its LibreOffice cases where none is installed) and the window tests:
# each would add a link and seconds to every mutant for little coverage.
COVERING = {
    "deck/": ["deck_text_model_tests", "deck_object_model_tests", "deck_package_tests",
              "deck_template_tests", "deck_text_round_trip_tests", "hostile_template_tests"],
    "deck/TextBody": ["deck_text_model_tests", "deck_object_model_tests", "deck_text_round_trip_tests",
                      "deck_template_tests", "generation_reliability_tests"],
    "deck/ZipArchive": ["deck_package_tests", "deck_template_tests", "deck_text_model_tests",
                        "hostile_template_tests"],
    "builder/": ["builder_tests", "builder_engine_tests", "generation_reliability_tests"],
    "plan/": ["plan_store_tests", "plan_store_fault_tests", "cli_tests", "plan_file_input_tests"],
    "plan/PlanFile": ["cli_tests", "plan_file_input_tests"],
    "cli/": ["cli_tests", "plan_file_input_tests"],
    "core/": ["plan_store_tests", "deck_text_model_tests", "builder_tests"],
}

def covering(path):
    best = max((p for p in COVERING if path.startswith(p)), key=len, default=None)
    if best is None:
        sys.exit(f"mutate: no test binaries are known to cover {path}; add its folder to COVERING")
    return COVERING[best]


# ---------------------------------------------------------------- the lexer

def code_mask(text):
    """A copy of text in which comments, string and character literals and
    preprocessor lines are blanked (newlines kept), so offsets match."""
    out = list(text)
    i, n = 0, len(text)
    line_start = True

    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "

    while i < n:
        c = text[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if line_start and c in " \t":
            i += 1
            continue
        if line_start and c == "#":
            j = i
            while j < n and (text[j] != "\n" or text[j - 1] == "\\"):
                j += 1
            blank(i, j)
            i = j
            continue
        line_start = False
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j)
            i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j)
            i = j
        elif c == "R" and text.startswith('"', i + 1):
            m = re.match(r'R"([^(\s]*)\(', text[i:])
            end = text.find(")" + m.group(1) + '"', i) if m else -1
            j = n if end < 0 else end + len(m.group(1)) + 2
            blank(i, j)
            i = j
        elif c == '"' or (c == "'" and not (i > 0 and text[i - 1].isdigit())):  # 1'000 is a number
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            blank(i, j + 1)
            i = j + 1
        else:
            i += 1
    return "".join(out)


def matching_paren(code, open_at):
    depth = 0
    for k in range(open_at, len(code)):
        if code[k] == "(":
            depth += 1
        elif code[k] == ")":
            depth -= 1
            if depth == 0:
                return k
    return -1


# ------------------------------------------------------ the mutation sites

NEGATED = {"==": "!=", "!=": "==", "<": ">=", ">=": "<", ">": "<=", "<=": ">"}
BOUNDARY = {"<": "<=", "<=": "<", ">": ">=", ">=": ">"}
DECLARATION_START = re.compile(r"\s*(return|const|constexpr|static|auto|using|typedef|case|default|goto)\b")
EXPRESSION_STATEMENT = re.compile(
    r"\s*(throw\b|continue\s*;|break\s*;|(\+\+|--)?[A-Za-z_][\w:]*(\s*(\.|->)\s*[A-Za-z_]\w*|\[[^\]]*\])*"
    r"\s*(\(|=(?!=)|\+=|-=|\|=|&=|\+\+|--|<<))")


def sites_of(text):
    """Every mutant of one file: (start, end, replacement, operator)."""
    code = code_mask(text)
    sites = []
    # Comparisons, spaced as the code is formatted; unspaced < > are templates.
    for m in re.finditer(r"(?<=[\w)\]\s])\s(==|!=|<=|>=|<|>)\s(?=[\w(!\-:'\"])", code):
        op = m.group(1)
        sites.append((m.start(1), m.end(1), NEGATED[op], "negate-comparison"))
        if op in BOUNDARY:
            sites.append((m.start(1), m.end(1), BOUNDARY[op], "comparison-boundary"))
    for m in re.finditer(r"&&|\|\|", code):
        sites.append((m.start(), m.end(), "||" if m.group() == "&&" else "&&", "swap-logic"))
    for m in re.finditer(r"!(?!=)", code):
        sites.append((m.start(), m.end(), "", "remove-not"))
    for m in re.finditer(r"\b(if|while)\s*\(", code):
        open_at = m.end() - 1
        close = matching_paren(code, open_at)
        if close < 0 or ";" in code[open_at:close]:
            continue
        cond = text[open_at + 1:close]
        if not cond.lstrip().startswith("!"):
            sites.append((open_at + 1, close, f"!({cond})", "negate-condition"))
        sites.append((open_at + 1, close, "true", "condition-true"))
        sites.append((open_at + 1, close, "false", "condition-false"))
    for m in re.finditer(r"(?<![\w.'])(\d+)(?![\w.'])", code):
        value = int(m.group(1))
        sites.append((m.start(), m.end(), str({0: 1, 1: 0}.get(value, value + 1)), "change-constant"))
    for m in re.finditer(r"\breturn\s+(true|false)\s*;", code):
        sites.append((m.start(1), m.end(1), "false" if m.group(1) == "true" else "true", "flip-return"))
    for m in re.finditer(r"\breturn\s+([^;]+);", code):
        value = m.group(1).strip()
        if value in ("true", "false", "std::nullopt") or "\n" in m.group(1) or "{" in value:
            continue
        sites.append((m.start(1), m.end(1), "{}", "return-default"))
    sites.extend(deletable_statements(code))
    return sorted(sites)


def deletable_statements(code):
    """Whole-line expression statements, replaced by an empty block so a
    brace-less if or loop keeps a body."""
    sites = []
    offset = 0
    previous = ";"
    for line in code.split("\n"):
        stripped = line.strip()
        if (stripped.endswith(";") and previous[-1:] in (";", "{", "}", ":", ")")
                and not DECLARATION_START.match(line) and EXPRESSION_STATEMENT.match(line)
                and all(stripped.count(a) == stripped.count(b) for a, b in ("()", "{}", "[]"))):
            start = offset + len(line) - len(line.lstrip())
            sites.append((start, offset + len(line.rstrip()), "{}", "delete-statement"))
        if stripped:
            previous = ")" if stripped == "else" else stripped
        offset += len(line) + 1
    return sites


# ----------------------------------------------------------------- mutants

def line_span(text, start, end):
    a = text.rfind("\n", 0, start) + 1
    b = text.find("\n", end)
    return a, len(text) if b < 0 else b


def squash(s):
    return " ".join(s.split())


def describe(path, text, site, ident):
    start, end, replacement, op = site
    a, b = line_span(text, start, end)
    before = text[a:b]
    after = text[a:start] + replacement + text[end:b]
    return {"id": ident, "file": path, "line": text.count("\n", 0, start) + 1, "op": op,
            "start": start, "end": end, "replacement": replacement,
            "before": squash(before), "after": squash(after)}


def all_mutants(files):
    pool = []
    for path in files:
        text = (ROOT / path).read_text(encoding="utf-8")
        for k, site in enumerate(sites_of(text)):
            pool.append(describe(path, text, site, f"{Path(path).stem}-{k}"))
    return pool


def relocate(mutant):
    """The same mutant in today's file: same operator and lines, nearest line."""
    text = (ROOT / mutant["file"]).read_text(encoding="utf-8")
    found = [describe(mutant["file"], text, s, mutant["id"]) for s in sites_of(text)]
    same = [m for m in found if (m["op"], m["before"], m["after"]) == (mutant["op"], mutant["before"], mutant["after"])]
    if not same:
        return None
    return min(same, key=lambda m: abs(m["line"] - mutant["line"]))


# ------------------------------------------------------ build, run, restore

class Tree:
    """Puts one mutant into a file and always takes it out again; a run that
    was killed outright is repaired by the next one from the pending note."""

    def __init__(self, build):
        self.pending = build / "mutate-pending.json"
        self.repair()

    def repair(self):
        if self.pending.exists():
            note = json.loads(self.pending.read_text())
            self.restore(Path(note["path"]), bytes.fromhex(note["original"]))
            print(f"mutate: restored {note['path']} left mutated by an interrupted run")

    def apply(self, mutant):
        path = ROOT / mutant["file"]
        original = path.read_bytes()
        self.pending.write_text(json.dumps({"path": str(path), "original": original.hex()}))
        text = original.decode("utf-8")
        path.write_text(text[:mutant["start"]] + mutant["replacement"] + text[mutant["end"]:], encoding="utf-8")
        return path, original

    def restore(self, path, original):
        path.write_bytes(original)  # newer than the mutant's object: the next build recompiles
        self.pending.unlink(missing_ok=True)


def score(results):
    compiled = [r for r in results if r["result"] != "not compiled"]
    killed = [r for r in compiled if r["result"].startswith("killed")]
    return f"{len(killed)} killed of {len(compiled)} compiled ({100.0 * len(killed) / max(1, len(compiled)):.1f} %)"


def run(cmd, timeout=None, **kw):
    """Runs cmd in its own process group; the whole group dies on timeout."""
    proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, start_new_session=True, **kw)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out.decode(errors="replace")
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise


def build(build_dir, binaries):
    # What a binary starts (a probe, the template) is among its CMake dependencies.
    targets = sorted(set(binaries))
    args = ["cmake", "--build", str(build_dir), "--parallel", "2"]
    for t in targets:
        args += ["--target", t]
    return run(args)


def run_tests(build_dir, binaries, timeouts):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    times = {}
    for binary in binaries:
        began = time.monotonic()
        try:
            code, out = run([str(build_dir / "bin" / binary), "--gtest_brief=1", "--gtest_fail_fast"],
                            timeout=timeouts.get(binary), env=env, cwd=build_dir)
        except subprocess.TimeoutExpired:
            return f"killed ({binary} timed out)", times
        times[binary] = time.monotonic() - began
        if code != 0:
            failed = re.search(r"\[  FAILED  \] (\S+)", out)
            return f"killed ({binary}: {failed.group(1) if failed else f'exit {code}'})", times
    return "survived", times


def main():
    parser = argparse.ArgumentParser(
        prog="scripts/mutate",
        description="Mutation testing of product files against the test binaries that cover them. "
                    "Binaries that need a live LibreOffice or open windows are left out (see COVERING in "
                    "scripts/mutate.py): each would add a link and seconds to every mutant.",
        epilog="example: scripts/mutate --seed 2026 --count 160 deck/TextBody.cpp plan/PlanStore.cpp; "
               "then scripts/mutate --replay build/mutate-2026.txt to rerun the survivors")
    parser.add_argument("files", nargs="*", metavar="FILE", help="product files, relative to the repository")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=50, help="how many mutants to sample (default 50)")
    parser.add_argument("--build-dir", default="build/test")
    parser.add_argument("--list", action="store_true", help="print the sampled mutants without running them")
    parser.add_argument("--only", nargs="+", metavar="ID", help="run just these mutants of the files, by the ids --list prints")
    parser.add_argument("--replay", metavar="RESULTS", help="rerun the survivors recorded in a results file")
    parser.add_argument("--output", help="results file (default: mutate-SEED.txt beside the build folder)")
    args = parser.parse_args()

    build_dir = (ROOT / args.build_dir).resolve()
    if args.replay:
        recorded = [json.loads(line) for line in Path(args.replay).read_text().splitlines() if line.startswith("{")]
        # The file written holds the whole sample again: earlier verdicts
        # carried over, the survivors' new ones.
        carried = [m for m in recorded if m["result"] != "survived"]
        sample = []
        for m in recorded:
            if m["result"] != "survived":
                continue
            moved = relocate(m)
            if moved is None:
                print(f"{m['id']} {m['file']}:{m['line']} is no longer in the file: {m['before']}")
            else:
                sample.append(moved)
        output = Path(args.output or str(args.replay) + ".replay")
    else:
        if not args.files:
            parser.error("name at least one file")
        pool = all_mutants(args.files)
        if args.only:
            sample = [m for m in pool if m["id"] in args.only]
        else:
            sample = random.Random(args.seed).sample(pool, min(args.count, len(pool)))
        carried = []
        output = Path(args.output or build_dir.parent / f"mutate-{args.seed}.txt")
        chosen = "named" if args.only else f"sampled with seed {args.seed}"
        print(f"{len(pool)} mutants in {', '.join(args.files)}; {len(sample)} {chosen}")

    if args.list:
        for m in sample:
            print(f"{m['id']:<22} {m['file']}:{m['line']} {m['op']}: {m['before']}  ->  {m['after']}")
        return 0

    # Signals become exceptions, so the file is always put back.
    def stop(signum, frame):
        raise KeyboardInterrupt
    for s in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(s, stop)

    tree = Tree(build_dir)
    files = sorted({m["file"] for m in sample})
    binaries = list(dict.fromkeys(b for f in files for b in covering(f)))
    code, out = build(build_dir, binaries)
    if code != 0:
        sys.exit(f"mutate: the unmutated tree does not build:\n{out[-3000:]}")
    verdict, times = run_tests(build_dir, binaries, {})
    if verdict != "survived":
        sys.exit(f"mutate: the unmutated tree does not pass its tests: {verdict}")
    timeouts = {b: max(30.0, 5 * t) for b, t in times.items()}
    print("baseline: " + ", ".join(f"{b} {t:.1f}s" for b, t in times.items()), flush=True)

    results = []
    with open(output, "w") as log:
        log.write(f"# scripts/mutate {' '.join(sys.argv[1:])}\n")
        for m in carried:
            log.write(json.dumps(m) + "\n")
        try:
            for number, m in enumerate(sample, 1):
                began = time.monotonic()
                path, original = tree.apply(m)
                try:
                    code, out = build(build_dir, covering(m["file"]))
                    if code != 0:
                        result = "not compiled"
                    else:
                        result, _ = run_tests(build_dir, covering(m["file"]), timeouts)
                finally:
                    tree.restore(path, original)
                m = dict(m, result=result, seconds=round(time.monotonic() - began, 1))
                results.append(m)
                log.write(json.dumps(m) + "\n")
                log.flush()
                print(f"[{number}/{len(sample)}] {m['id']} {m['file']}:{m['line']} {m['op']}: "
                      f"{m['before'][:90]}  ->  {m['after'][:90]}  => {result} ({m['seconds']}s)", flush=True)
        except KeyboardInterrupt:
            print("mutate: interrupted; the file is restored", flush=True)
        finally:
            tree.repair()
            # Leave the build matching the restored sources.
            build(build_dir, binaries)

    compiled = [r for r in results if r["result"] != "not compiled"]
    survivors = [r for r in compiled if r["result"] == "survived"]
    print(f"\nscore: {score(results)}, {len(results) - len(compiled)} did not compile")
    if results:
        print(f"mean time per mutant: {sum(r['seconds'] for r in results) / len(results):.1f}s")
    if carried:
        print(f"whole sample: {score(carried + results)}")
    for r in survivors:
        print(f"survived {r['id']} {r['file']}:{r['line']} {r['op']}: {r['before']}  ->  {r['after']}")
    print(f"results: {output}  (rerun the survivors: scripts/mutate --replay {output})")
    return 0


if __name__ == "__main__":
    sys.exit(main())
