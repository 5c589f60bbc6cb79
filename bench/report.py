#!/usr/bin/env python3
"""Turns fennimar_bench's JSON output into docs/performance.md.

Usage: report.py BENCH.json [COMMAND.json] > docs/performance.md

COMMAND.json, written by bench/command.sh, holds the timing of whole command
processes.

Every figure is the median of the benchmark's repetitions. Library figures
come with the floor that ran beside them in the same loop (see
bench/SideBySide.h), so each ratio compares two measurements taken under the
same conditions.
"""

import json
import re
import sys

SIZES = ["template", "100", "10000", "100000"]
SCALING_SIZES = ["100", "10000", "100000"]
READERS = [
    ("GetApplicationsList", "walk of AppList, 4 attributes per item"),
    ("GetConfig", "walk of the first 4 GlobalSetting children"),
    ("IsMouseHookEnabled", "walk to the 2nd GlobalSetting child"),
    ("GetBackgroundConfig", "walk of the first 2 BackgroundSetting children"),
    ("GetWorkspcaeConfig", "walk of WorkspaceSetting, 9 attributes per item"),
]
WRITERS = ["AddAppItem+DeleteAppItem", "SetConfig", "SetBackgroundConfig",
           "SetWorkspcaeConfig"]
SYSTEM = [("ValidatePassword", "password file"), ("GetUsedStatus", "registry file"),
          ("GetLightFlagStatus", "HWinfo.ini")]
CONSTANT = ["GetConfig", "IsMouseHookEnabled", "GetBackgroundConfig", "ValidatePassword",
            "GetUsedStatus", "GetLightFlagStatus"]
OPEN_TARGET, READER_TARGET, WRITER_TARGET, SCALING_TARGET = 2.0, 2.0, 1.3, 2.0
SHARED_READER_TARGET, SHARED_WRITER_TARGET, COMMAND_TARGET = 1.5, 1.3, 1.5
SHARED_WRITERS = ["SetConfig", "SetBackgroundConfig", "SetWorkspcaeConfig"]
MIB = 1024 * 1024


def run_key(entry):
    """'GetConfig/100/min_time:0.100/repeats:5/manual_time' -> 'GetConfig/100'."""
    parts = entry.get("run_name", entry["name"]).split("/")
    return "/".join(p for p in parts if ":" not in p and not p.endswith("_time"))


def load(path):
    with open(path) as f:
        data = json.load(f)
    runs = {}
    for entry in data["benchmarks"]:
        if entry.get("error_occurred"):
            runs[run_key(entry)] = {"error": entry.get("error_message", "error")}
        elif entry.get("aggregate_name") == "median" or entry.get("run_type") == "iteration":
            runs[run_key(entry)] = entry
    return data["context"], runs


class Run:
    """One side-by-side benchmark: per-call figures in microseconds."""

    def __init__(self, entry):
        self.error = entry.get("error")
        if self.error:
            return
        calls = entry.get("calls", 1) or 1
        self.time = entry["real_time"] / calls
        self.cpu = entry.get("cpu_us")
        self.floor = entry.get("floor_us")
        self.floor_cpu = entry.get("floor_cpu_us")
        self.reference = entry.get("reference_us")
        self.renames = entry.get("renames", 0)
        self.waits = entry.get("waits", 0)
        self.wait_ms = entry.get("wait_ms", 0)


def fmt_time(us):
    if us is None:
        return "–"
    if us < 1:
        return f"{us * 1000:.0f} ns"
    if us < 1000:
        return f"{us:.3g} µs"
    if us < 1e6:
        return f"{us / 1000:.3g} ms"
    return f"{us / 1e6:.3g} s"


def fmt_bytes(n):
    if n < 1024:
        return f"{n:.0f} B"
    if n < MIB:
        return f"{n / 1024:.1f} KiB"
    return f"{n / MIB:.1f} MiB"


def fmt_ratio(value):
    return "–" if value is None else f"{value:.2f}×"


def verdict(ratio, target):
    if ratio is None:
        return "–"
    return "holds" if ratio <= target else "**misses**"


def ratio(a, b):
    return a / b if a is not None and b else None


def table(header, rows):
    lines = ["| " + " | ".join(header) + " |", "|" + "---|" * len(header)]
    lines += ["| " + " | ".join(str(c) for c in row) + " |" for row in rows]
    return "\n".join(lines) + "\n"


def get(runs, name, size):
    entry = runs.get(f"{name}/{size}")
    return Run(entry) if entry else None


def size_label(size, context):
    if size == "template":
        return "template"
    return f"{int(size):,}"


def open_close_section(runs, context):
    rows = []
    for size in SIZES:
        r = get(runs, "open_close", size)
        if not r or r.error:
            continue
        wall, cpu = ratio(r.time, r.floor), ratio(r.cpu, r.floor_cpu)
        rows.append([size_label(size, context), fmt_bytes(float(context[f"doc_bytes/{size}"])),
                     fmt_time(r.time), fmt_time(r.floor), fmt_ratio(wall), fmt_ratio(cpu),
                     f"{r.waits:g}", verdict(wall, OPEN_TARGET)])
    return ("## Open and close\n\nConstructing and destroying `FennimarDllInterface` on an "
            "existing, unchanged document with the first-use flag 0. The document is as the "
            "library saves it, so the open recognises its written form in one pass and parses "
            "it without the load's checks, and the close, finding the file still the one it "
            "loaded (same file, size and times), neither reads nor writes it. Floor: pugixml's "
            f"`load_file` of the same file alone. Target: ≤ {OPEN_TARGET}× the floor.\n\n" +
            table(["Document", "Size", "Open+close", "Floor", "Ratio", "CPU ratio", "Waits",
                   "Target"], rows) +
            "\nBeyond the parse, every open and close makes system calls the floor does not. "
            "The presence lock that tells shared-mode programs a private copy is open opens "
            "the folder, looks at the document and its lock file (is either a link?) and "
            "takes an fcntl lock, which the close gives up; its look at the document is also "
            "the identity the close compares. The registry file, for the first-use flag, is "
            "looked at (stat) and read only when it changed since this process last read it "
            "(or changed within the 3 seconds before that read, when its times could not yet "
            "show a rewrite in place; the run starts once it has settled). The close looks at the document once more (stat). With the document's own read "
            "(open, read, close: the size is the one the lock saw), 10 in all against the "
            "floor's 7. On a virtual machine "
            "where every system call costs over a microsecond (even `getpid`), these outweigh "
            "the parse of a document as small as the template; from 100 items on, the parse "
            "and the written-form pass (about half a parse) decide.\n")


def readers_section(runs, context):
    rows = []
    for name, walk in READERS:
        for size in SIZES:
            r = get(runs, name, size)
            if not r or r.error:
                continue
            value = ratio(r.time, r.floor)
            rows.append([f"`{name}`", size_label(size, context), fmt_time(r.time),
                         fmt_time(r.floor), fmt_ratio(value), fmt_ratio(ratio(r.cpu, r.floor_cpu)),
                         fmt_time(r.reference), fmt_ratio(ratio(r.time, r.reference)),
                         verdict(value, READER_TARGET)])
    notes = "; ".join(f"`{n}`: {w}" for n, w in READERS)
    return ("## Readers\n\nFloor: a plain pugixml walk over the nodes the reader visits, "
            f"reading every value it reads ({notes}). *Records*: for the list readers and "
            "`GetBackgroundConfig`, the same walk building the records the method returns "
            "(UTF-16 strings, numbers) "
            "straight from pugixml, the least any implementation of the interface does; the "
            "next column is the method's time over it. Target: ≤ "
            f"{READER_TARGET}× the walk.\n\n" +
            table(["Method", "Document", "Time", "Walk", "Ratio", "CPU ratio", "Records",
                   "Time / records", "Target"], rows))


def writers_section(runs, context):
    rows = []
    for name in WRITERS:
        for size in SIZES:
            r = get(runs, name, size)
            if not r or r.error:
                continue
            wall, cpu = ratio(r.time, r.floor), ratio(r.cpu, r.floor_cpu)
            rows.append([f"`{name}`", size_label(size, context), fmt_time(r.time),
                         f"{r.renames:g}", fmt_time(r.floor), fmt_ratio(wall), fmt_ratio(cpu),
                         fmt_time(r.reference), fmt_ratio(ratio(r.time, r.reference)),
                         verdict(wall, WRITER_TARGET)])
    return ("## Writers\n\nFloor: pugixml's own save of the same document into a temporary, "
            "flushed, closed, renamed over the document and the folder flushed, once per save "
            "the call makes (*Saves*). `AddAppItem`+`DeleteAppItem` adds an item and deletes "
            "it; from 8 items on the list is full, the addition is refused without saving and "
            "the deletion finds nothing but saves. *CPU ratio* compares the CPU time of both "
            "sides, which the disk's flush latency does not blur. *Same on pugixml*: for the "
            "list writers, pugixml making the same change to its tree (converting the "
            "caller's UTF-16 values) and saving, and the method's time over it. Target: ≤ "
            f"{WRITER_TARGET}× the floor.\n\n" +
            table(["Method", "Document", "Time", "Saves", "Floor", "Ratio", "CPU ratio",
                   "Same on pugixml", "Time / same", "Target"], rows))


def shared_section(runs, context):
    rows = []
    for name in [n for n, _ in READERS] + SHARED_WRITERS:
        writer = name in SHARED_WRITERS
        for size in SIZES:
            r = get(runs, f"shared_{name}", size)
            if not r or r.error:
                continue
            wall = ratio(r.time, r.floor)
            target = SHARED_WRITER_TARGET if writer else SHARED_READER_TARGET
            extra = 0 if writer else identity_check_us(runs)
            judged = ratio(r.time - extra, r.floor) if extra is not None else None
            rows.append([f"`{name}`", size_label(size, context), fmt_time(r.time),
                         "save floor" if writer else "default mode", fmt_time(r.floor),
                         fmt_ratio(wall), fmt_ratio(ratio(r.cpu, r.floor_cpu)),
                         verdict(judged if not writer else wall, target)])
    check = identity_check_us(runs)
    return ("## Shared mode\n\nEach reader of a shared-mode object beside the same reader "
            "of a default-mode object on the same document; the shared one first checks the "
            f"file's identity (one `stat`, {fmt_time(check)} here, measured on its own). Target: "
            f"≤ {SHARED_READER_TARGET}× default mode plus that check. Each writer of a "
            "shared-mode object (reading the record, writing it back) beside the writers' "
            "floor, pugixml's atomic save; the shared writer takes the lock, compares the file "
            "with the bytes it last saw, saves and notes the saved file. Target: ≤ "
            f"{SHARED_WRITER_TARGET}× the floor.\n\n" +
            table(["Method", "Document", "Shared", "Beside", "Time", "Ratio", "CPU ratio",
                   "Target"], rows))


def identity_check_us(runs):
    entry = runs.get("floor_identity/template")
    return entry["real_time"] if entry and "error" not in entry else None


def command_section(command):
    if not command:
        return ""
    fen, git = command["fennimar_ms"], command["git_ms"]
    value = fen / git if git else None
    return ("## The command as a person feels it\n\nThe whole process, started "
            f"{command['runs']} times in turn on the same machine: `{command['fennimar']}` "
            f"against `{command['git']}` on a small file (bench/command.sh, Release build). "
            f"Target: ≤ {COMMAND_TARGET}×.\n\n" +
            table(["Command", "Per run", "Ratio", "Target"],
                  [["`fennimar switches get sound-effect`", f"{fen:.2f} ms", fmt_ratio(value),
                    verdict(value, COMMAND_TARGET)],
                   ["`git config --file F --get core.x`", f"{git:.2f} ms", "1.00×", "–"]]))


def scaling_section(runs, context):
    per_item_rows, constant_rows = [], []
    names = ["open_close"] + [n for n, _ in READERS] + WRITERS + [n for n, _ in SYSTEM]
    for name in names:
        times = {}
        for size in SCALING_SIZES:
            r = get(runs, name, size)
            if r and not r.error:
                times[size] = r.time
        if len(times) < len(SCALING_SIZES):
            continue
        if name in CONSTANT:
            growth = times["100000"] / times["100"]
            constant_rows.append([f"`{name}`"] + [fmt_time(times[s]) for s in SCALING_SIZES] +
                                 [fmt_ratio(growth), verdict(growth, SCALING_TARGET)])
            continue
        per_item = {s: times[s] / int(s) for s in SCALING_SIZES}
        growth = per_item["100000"] / per_item["100"]
        per_item_rows.append([f"`{name}`"] + [fmt_time(per_item[s]) for s in SCALING_SIZES] +
                             [fmt_ratio(growth), verdict(growth, SCALING_TARGET)])
    return ("## Cost per item\n\nTime per call divided by the number of application items "
            "(and workspaces) in the document. *Growth* is the cost per item at 100,000 over "
            f"that at 100. Target: ≤ {SCALING_TARGET}×.\n\n" +
            table(["Method", "100", "10,000", "100,000", "Growth", "Target"], per_item_rows) +
            "\nMethods whose work does not depend on the number of items: time per call; "
            "*Growth* is the time at 100,000 items over that at 100.\n\n" +
            table(["Method", "100", "10,000", "100,000", "Growth", "Target"], constant_rows))


def memory_section(runs, context):
    rows = []
    for size in SIZES:
        e = runs.get(f"peak_memory/{size}")
        if not e or "error" in e:
            continue
        limit, life = e["limit_bytes"], e["lib_life_peak"]
        rows.append([size_label(size, context), fmt_bytes(e["doc_bytes"]), fmt_bytes(limit),
                     fmt_bytes(e["lib_open_peak"]), fmt_bytes(life),
                     fmt_bytes(e["lib_open_resident"]), fmt_bytes(e["pugi_open_peak"]),
                     fmt_bytes(e["pugi_life_peak"]), f"{life / e['doc_bytes']:.1f}×",
                     "holds" if life <= limit else "**misses**"])
    return ("## Peak memory of an open object\n\nEach figure is measured in a process of its "
            "own: growth of the peak resident set (VmHWM, reset before the object is made) over "
            "the resident set before it. *Open peak*: while constructing; *Life peak*: over "
            "construction, one `SetConfig` (a save while open) and destruction; *Held*: what "
            "the open object keeps. pugixml alone: `load_file`, one save, release. Target: "
            "life peak ≤ 3 × size + 1 MiB.\n\n" +
            table(["Document", "Size", "Limit", "Open peak", "Life peak", "Held",
                   "pugixml open", "pugixml life", "Life / size", "Target"], rows))


def system_section(runs, context):
    rows = []
    for name, what in SYSTEM:
        for size in SIZES:
            r = get(runs, name, size)
            if r and not r.error:
                rows.append([f"`{name}`", size_label(size, context), fmt_time(r.time), what,
                             fmt_time(r.floor), fmt_ratio(ratio(r.time, r.floor))])
    return ("## Methods outside the document\n\nThey read one small file each, whatever the "
            "document; no target. Beside them: a plain read of that file.\n\n" +
            table(["Method", "Document", "Time", "File", "Plain read", "Ratio"], rows))


def waits_section(runs, context):
    rows = []
    cases = [("open_close_first_use/template",
              "first use (flag 1): template copied over the document"),
             ("open_close_unloadable/unloadable", "document that cannot be loaded")]
    for key, what in cases:
        entry = runs.get(key)
        if not entry or "error" in entry:
            continue
        r = Run(entry)
        rows.append([what, fmt_time(r.time), f"{r.waits:g}", f"{r.wait_ms:g} ms",
                     fmt_time(r.time + r.wait_ms * 1000)])
    return ("## Deliberate waits\n\nThe library waits 30 ms after installing a fresh copy of "
            "the template and before each of up to 11 load retries. These waits are behaviour, "
            "not cost: the benchmark counts them instead of sleeping and reports them here, "
            "apart from the work.\n\n" +
            table(["Open and close of", "Work", "Waits", "Waited", "Work + waits"], rows))


def floors_section(runs, context):
    rows = []
    for size in SIZES:
        if f"doc_bytes/{size}" not in context:
            continue
        cells = []
        for what in ["read", "parse_memory", "parse_file", "save"]:
            e = runs.get(f"floor_{what}/{size}")
            cells.append(fmt_time(e["real_time"]) if e and "error" not in e else "–")
        rows.append([size_label(size, context),
                     fmt_bytes(float(context[f"doc_bytes/{size}"]))] + cells)
    return ("## Floors on their own\n\nMeasured separately in the same run on the same files "
            "(wall-clock time): a plain read, pugixml's parse from memory and its `load_file`, "
            "and pugixml's save with the flush and rename.\n\n" +
            table(["Document", "Size", "Read", "Parse (memory)", "Parse (file)", "Save"], rows))


def header(context):
    same = ", ".join(f"{k.split('/')[1]}: {v}" for k, v in sorted(context.items())
                     if k.startswith("same_bytes/"))
    load_avg = ", ".join(f"{x:.2f}" for x in context.get("load_avg", []))
    return ("# Performance\n\nGenerated by `bench/run.sh` (bench/report.py) from one run of "
            "`fennimar_bench`; do not edit by hand.\n\n"
            f"- Run: {context.get('date', '?')} on {context.get('num_cpus', '?')} CPUs at "
            f"{context.get('mhz_per_cpu', '?')} MHz, load average {load_avg}; Fennimar built "
            f"{context.get('fennimar_build_type', '?')}.\n"
            f"- pugixml {context.get('pugixml_version', '?')}; documents on "
            f"{context.get('temp_filesystem', '?')} (saves wait for the disk's flush).\n"
            f"- Opening and closing leaves each document byte for byte as generated ({same}), "
            "so the library and the floors work on the same bytes.\n"
            "- Figures are medians of 5 repetitions (3 for 100,000 items), per call, wall-clock "
            "unless marked CPU. Waits are counted, not slept.\n"
            "- Google Benchmark's warning that it was built as DEBUG is about Debian's build of "
            "libbenchmark, not about Fennimar.\n\n")


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    context, runs = load(sys.argv[1])
    command = None
    if len(sys.argv) == 3:
        with open(sys.argv[2]) as f:
            command = json.load(f)
    sections = [open_close_section, readers_section, writers_section, shared_section,
                scaling_section, memory_section, system_section, waits_section, floors_section]
    sys.stdout.write(header(context) + "\n".join(s(runs, context) for s in sections) +
                     ("\n" + command_section(command) if command else ""))


if __name__ == "__main__":
    main()
