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
import resource
import shlex
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent

# Test binaries with these labels are left out: they need a live LibreOffice.
# Every other test binary runs, windows included (offscreen).
LEFT_OUT_LABELS = {"office"}
# Timeouts: this many times a binary's CPU time in the unmutated run, and
# never less than the floor, so a loaded machine does not turn a slow pass
# into a kill.
TIMEOUT_FACTOR = 10
TIMEOUT_FLOOR_SECONDS = 30


# ------------------------------------------------- what CMake knows of the tree

class Project:
    """The targets of a configured build folder, read through CMake's file
    API: which library compiles a file, which test executables link it."""

    def __init__(self, build_dir):
        self.build_dir = build_dir
        query = build_dir / ".cmake" / "api" / "v1" / "query" / "codemodel-v2"
        query.parent.mkdir(parents=True, exist_ok=True)
        query.touch()
        code, out = run(["cmake", str(build_dir)])  # writes a fresh reply
        if code != 0:
            sys.exit(f"mutate: cmake could not read {build_dir}:\n{out[-3000:]}")
        reply = build_dir / ".cmake" / "api" / "v1" / "reply"
        index = max(reply.glob("index-*.json"), key=lambda f: f.stat().st_mtime)
        model_file = next(o["jsonFile"] for o in json.loads(index.read_text())["objects"] if o["kind"] == "codemodel")
        model = json.loads((reply / model_file).read_text())
        self.source_dir = Path(model["paths"]["source"])
        self.targets = {}
        for t in model["configurations"][0]["targets"]:
            self.targets[t["id"]] = json.loads((reply / t["jsonFile"]).read_text())
        self.by_name = {t["name"]: t for t in self.targets.values()}
        self.tests = self._test_commands()

    def _test_commands(self):
        """CTest's tests as {executable target name: set of labels}."""
        code, out = run(["ctest", "--test-dir", str(self.build_dir), "--show-only=json-v1"])
        listed = json.loads(out[out.index("{"):]) if code == 0 else {"tests": []}
        tests = {}
        for test in listed["tests"]:
            labels = {v for p in test.get("properties", []) if p["name"] == "LABELS" for v in p["value"]}
            command = test.get("command") or []
            name = Path(command[0]).name if command else test["name"].removesuffix("_NOT_BUILT")
            if name in self.by_name and self.by_name[name]["type"] == "EXECUTABLE":
                tests.setdefault(name, set()).update(labels)
        return tests

    def owner(self, path):
        owners = [t for t in self.targets.values()
                  if any(s["path"] == path for s in t.get("sources", []) if not s.get("isGenerated"))]
        if not owners:
            sys.exit(f"mutate: no target of {self.build_dir} compiles {path}")
        return owners[0]

    def dependencies(self, target):
        """Every target this one needs, the targets of those included."""
        seen, todo = set(), [d["id"] for d in target.get("dependencies", [])]
        while todo:
            ident = todo.pop()
            if ident not in seen and ident in self.targets:
                seen.add(ident)
                todo.extend(d["id"] for d in self.targets[ident].get("dependencies", []))
        return [self.targets[i] for i in seen]

    def test_binaries_needing(self, target):
        """The test executables built from the target or with it."""
        found = []
        for name in sorted(self.tests):
            t = self.by_name[name]
            if t is target or any(d is target for d in self.dependencies(t)):
                found.append(name)
        return found

    def artifact(self, target):
        return self.build_dir / target["artifacts"][0]["path"]

    def object_of(self, target, path):
        folder = self.build_dir / target["paths"]["build"] / "CMakeFiles" / f"{target['name']}.dir"
        try:
            beside = folder / (str(Path(path).relative_to(target["paths"]["source"])) + ".o")
            if beside.exists():
                return beside
        except ValueError:
            pass
        found = sorted(folder.rglob(Path(path).name + ".o"))
        return found[0] if found else None

    def compile_command(self, target, path):
        """The compiler's arguments for one source, preprocessing only."""
        index = next(i for i, s in enumerate(target["sources"]) if s["path"] == path)
        group = target["compileGroups"][target["sources"][index]["compileGroupIndex"]]
        args = [self._compiler()]
        for fragment in group.get("compileCommandFragments", []):
            args += shlex.split(fragment["fragment"])
        args += ["-D" + d["define"] for d in group.get("defines", [])]
        for include in group.get("includes", []):
            args += ["-isystem" if include.get("isSystem") else "-I", include["path"]]
        return args + ["-E", str(self.source_dir / path)]

    def _compiler(self):
        cache = (self.build_dir / "CMakeCache.txt").read_text()
        found = re.search(r"^CMAKE_CXX_COMPILER:\w+=(.*)$", cache, re.M)
        return found.group(1) if found else "c++"


def compiled_lines(project, path):
    """The line numbers of path that the compiler sees, from the line
    markers of its preprocessed text; None when it cannot be preprocessed."""
    target = project.owner(path)
    code, out = run(project.compile_command(target, path), cwd=project.build_dir)
    if code != 0:
        return None
    source = str(project.source_dir / path)
    lines, current, number = set(), None, 0
    for line in out.split("\n"):
        marker = re.match(r'# (\d+) "(.*)"', line)
        if marker:
            number, current = int(marker.group(1)), marker.group(2)
            continue
        if current == source and line.strip():
            lines.add(number)
        number += 1
    return lines


def strong_symbols(path):
    """The global symbols an object or executable defines (no weak ones)."""
    code, out = run(["nm", "--defined-only", "--extern-only", "-P", str(path)])
    if code != 0:
        return set()
    return {f[0] for f in (line.split() for line in out.splitlines()) if len(f) >= 2 and f[1] in "TDBR"}


def linking_binaries(project, target, path, binaries):
    """The binaries, and the programs they start, into which the file's
    object was linked: a static library gives a binary only the objects it
    uses, and a mutant elsewhere cannot change what the binary does."""
    obj = project.object_of(target, path)
    defined = strong_symbols(obj) if obj else set()
    if not defined:
        return binaries
    kept = []
    for name in binaries:
        t = project.by_name[name]
        programs = [t] + [d for d in project.dependencies(t) if d["type"] == "EXECUTABLE"]
        if any(defined & strong_symbols(project.artifact(p)) for p in programs if project.artifact(p).exists()):
            kept.append(name)
    return kept


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
        if declares(code[open_at + 1:close]):
            continue  # "if (const auto x = f())" cannot be negated or replaced
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
        # Blanked literals look like spaces: the value starts where the
        # text after "return" does.
        start = m.start() + 6 + len(text[m.start() + 6:m.end(1)]) - len(text[m.start() + 6:m.end(1)].lstrip())
        value = code[start:m.end(1)].strip()
        if value in ("true", "false", "std::nullopt") or "\n" in m.group(1) or "{" in value:
            continue
        if in_deduced_lambda(code, m.start()):
            continue  # "return {}" gives a lambda no type to deduce
        sites.append((start, m.end(1), "{}", "return-default"))
    sites.extend(deletable_statements(code))
    return sorted(sites)


def declares(condition):
    """Whether a condition declares a variable: a lone "=" outside any
    brackets, after at least a type and a name."""
    depth = 0
    for k, c in enumerate(condition):
        depth += c in "([{"
        depth -= c in ")]}"
        if (c == "=" and depth == 0 and condition[k - 1:k] not in ("=", "!", "<", ">")
                and condition[k + 1:k + 2] != "="):
            return re.search(r"[\w>*&]\s+[*&]*\w+\s*$", condition[:k]) is not None
    return False


def in_deduced_lambda(code, at):
    """Whether offset `at` lies in the body of a lambda without a trailing
    return type."""
    depth = 0
    for k in range(at - 1, -1, -1):
        if code[k] == "}":
            depth += 1
        elif code[k] == "{":
            if depth == 0:
                head = code[max(0, k - 300):k].rstrip()
                if re.search(r"\]\s*(\([^()]*(\([^()]*\)[^()]*)*\))?\s*(mutable\s*)?$", head):
                    return True
                if re.search(r"->\s*[^;{}]+$", head) and "]" in head:
                    return False
                at = k  # a block inside the function: look further out
            else:
                depth -= 1
    return False


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


def all_mutants(files, project):
    """Every mutant of the files on a line the compiler sees: code in a
    preprocessor branch not taken here is no mutant of this build."""
    pool = []
    for path in files:
        text = (ROOT / path).read_text(encoding="utf-8")
        active = compiled_lines(project, path)
        if active is None:
            print(f"mutate: {path} could not be preprocessed; every branch is sampled")
        k = 0
        for site in sites_of(text):
            m = describe(path, text, site, f"{Path(path).stem}-{k}")
            if active is None or m["line"] in active:
                pool.append(m)
                k += 1
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


def run(cmd, timeout=None, cpu_limit=None, **kw):
    """Runs cmd in its own process group; the whole group dies on timeout.
    cpu_limit caps each process's CPU seconds (the kernel ends it)."""
    def limit():
        if cpu_limit:
            resource.setrlimit(resource.RLIMIT_CPU, (int(cpu_limit), int(cpu_limit) + 5))
    proc = subprocess.Popen(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, start_new_session=True,
                            preexec_fn=limit, **kw)
    try:
        out, _ = proc.communicate(timeout=timeout)
        return proc.returncode, out.decode(errors="replace")
    except BaseException:
        os.killpg(proc.pid, signal.SIGKILL)
        proc.wait()
        raise


def build(build_dir, targets):
    # What a binary starts (a probe, the template) is among its CMake dependencies.
    args = ["cmake", "--build", str(build_dir), "--parallel", "2"]
    for t in sorted(set(targets)):
        args += ["--target", t]
    return run(args)


def children_cpu():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def run_binary(build_dir, binary, env, limits):
    """None when the binary passes, else why the mutant counts as killed;
    and the CPU seconds it took."""
    cpu, wall = limits.get(binary, (None, None))
    before = children_cpu()
    try:
        code, out = run([str(build_dir / "bin" / binary), "--gtest_brief=1", "--gtest_fail_fast"],
                        timeout=wall, cpu_limit=cpu, env=env, cwd=build_dir)
    except subprocess.TimeoutExpired:
        return f"killed ({binary} timed out)", None
    used = children_cpu() - before
    if code in (-signal.SIGXCPU, -signal.SIGKILL) and cpu and used >= cpu:
        return f"killed ({binary} timed out)", used
    if code != 0:
        failed = re.search(r"\[  FAILED  \] (\S+)", out)
        sanitizer = re.search(r"(AddressSanitizer|runtime error|LeakSanitizer)[^\n]*", out)
        reason = failed.group(1) if failed else sanitizer.group(0)[:80] if sanitizer else f"exit {code}"
        return f"killed ({binary}: {reason})", used
    return None, used


def test_environment(sanitize):
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    if sanitize:
        # The sanitizer stage's own settings, read from the file it sources.
        code, out = run(["bash", "-c", "set -a; . scripts/sanitizer-options; env -0"], cwd=ROOT)
        if code != 0:
            sys.exit(f"mutate: scripts/sanitizer-options failed:\n{out}")
        env.update(dict(item.split("=", 1) for item in out.split("\0") if "=" in item))
    return env


def configure(build_dir, sanitize):
    if (build_dir / "CMakeCache.txt").exists():
        return
    args = ["cmake", "-S", str(ROOT), "-B", str(build_dir)]
    if sanitize:
        args += ["-DCMAKE_BUILD_TYPE=Debug", "-DQUILLORA_SANITIZE=ON", "-DQUILLORA_BENCH=OFF"]
    if subprocess.run(["which", "ccache"], capture_output=True).returncode == 0:
        args += ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"]
    code, out = run(args)
    if code != 0:
        sys.exit(f"mutate: cannot configure {build_dir}:\n{out[-3000:]}")


def main():
    parser = argparse.ArgumentParser(
        prog="scripts/mutate",
        description="Mutation testing of product files against every test binary (as CTest lists them) "
                    "into which the file's code is linked. Only binaries labelled as needing a live "
                    "LibreOffice are left out; windows run offscreen.",
        epilog="example: scripts/mutate --seed 2026 --count 160 deck/TextBody.cpp plan/PlanStore.cpp; "
               "then scripts/mutate --replay build/mutate-2026.txt to rerun the survivors")
    parser.add_argument("files", nargs="*", metavar="FILE", help="product files, relative to the repository")
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--count", type=int, default=50, help="how many mutants to sample (default 50)")
    parser.add_argument("--build-dir", help="default build/test, or build/mutate-sanitize with --sanitize")
    parser.add_argument("--sanitize", action="store_true",
                        help="build (Debug) and run with AddressSanitizer and UndefinedBehaviorSanitizer, "
                             "so a mutant that reads out of bounds is killed")
    parser.add_argument("--list", action="store_true", help="print the sampled mutants without running them")
    parser.add_argument("--only", nargs="+", metavar="ID", help="run just these mutants of the files, by the ids --list prints")
    parser.add_argument("--replay", metavar="RESULTS", help="rerun the survivors recorded in a results file")
    parser.add_argument("--output", help="results file (default: mutate-SEED.txt beside the build folder)")
    args = parser.parse_args()

    default_dir = "build/mutate-sanitize" if args.sanitize else "build/test"
    build_dir = (ROOT / (args.build_dir or default_dir)).resolve()
    configure(build_dir, args.sanitize)
    tree = Tree(build_dir)  # first: a file left mutated is put back before it is read
    project = Project(build_dir)
    suffix = "-sanitize" if args.sanitize else ""
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
        pool = all_mutants(args.files, project)
        if args.only:
            sample = [m for m in pool if m["id"] in args.only]
        else:
            sample = random.Random(args.seed).sample(pool, min(args.count, len(pool)))
        carried = []
        output = Path(args.output or build_dir.parent / f"mutate-{args.seed}{suffix}.txt")
        chosen = "named" if args.only else f"sampled with seed {args.seed}"
        print(f"{len(pool)} mutants in {', '.join(args.files)}; {len(sample)} {chosen}")

    if args.list:
        for m in sample:
            print(f"{m['id']:<22} {m['file']}:{m['line']} {m['op']}: {m['before']}  ->  {m['after']}")
        return 0

    # Signals become exceptions, so the file is always put back.
    def stop(signum, frame):
        for s in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
            signal.signal(s, signal.SIG_IGN)  # nothing interrupts the restoring
        raise KeyboardInterrupt
    for s in (signal.SIGINT, signal.SIGTERM, signal.SIGHUP):
        signal.signal(s, stop)

    env = test_environment(args.sanitize)
    files = sorted({m["file"] for m in sample})
    owners = {f: project.owner(f) for f in files}
    candidates = {f: project.test_binaries_needing(owners[f]) for f in files}
    everything = sorted({b for names in candidates.values() for b in names} | {t["name"] for t in owners.values()})
    code, out = build(build_dir, everything)
    if code != 0:
        sys.exit(f"mutate: the unmutated tree does not build:\n{out[-3000:]}")
    project.tests = project._test_commands()  # labels are known once the binaries exist
    skip = LEFT_OUT_LABELS | ({"no_sanitize"} if args.sanitize else set())
    covering = {}
    for f in files:
        usable = [b for b in candidates[f] if not project.tests.get(b, set()) & skip]
        covering[f] = linking_binaries(project, owners[f], f, usable)
        if not covering[f]:
            sys.exit(f"mutate: no test binary links the code of {f}")
    binaries = sorted({b for names in covering.values() for b in names})
    limits, cpu_times = {}, {}
    for binary in binaries:
        began = time.monotonic()
        verdict, used = run_binary(build_dir, binary, env, {})
        if verdict:
            sys.exit(f"mutate: the unmutated tree does not pass its tests: {verdict}")
        cpu_times[binary] = used
        cpu = max(TIMEOUT_FLOOR_SECONDS, TIMEOUT_FACTOR * used)
        limits[binary] = (cpu, max(3 * cpu, TIMEOUT_FACTOR * (time.monotonic() - began)))
    for f in files:  # the fastest first: most mutants are killed by the first to fail
        covering[f].sort(key=lambda b: cpu_times[b])
        print(f"{f}: {', '.join(covering[f])}")
    print("baseline CPU: " + ", ".join(f"{b} {t:.1f}s" for b, t in sorted(cpu_times.items())), flush=True)

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
                    # The library first: a mutant that does not compile is
                    # told apart from one a binary fails to link.
                    code, out = build(build_dir, [owners[m["file"]]["name"]])
                    result = "not compiled" if code != 0 else "survived"
                    for binary in covering[m["file"]] if code == 0 else []:
                        code, out = build(build_dir, [binary])
                        if code != 0:
                            result = "not compiled"  # compiled, but does not link
                            break
                        verdict, _ = run_binary(build_dir, binary, env, limits)
                        if verdict:
                            result = verdict
                            break
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
