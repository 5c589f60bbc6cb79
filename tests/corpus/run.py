#!/usr/bin/env python3
"""Runs every settings document of this folder through the library on both
platforms: the Linux build (pugixml) and the Windows build under Wine (the
system's XML component), each through the `fennimar` command, as a host.

For each document it checks that both platforms load it or refuse it as the
list in `expected` says, that both read the same values (every field of the
four sections, as `fennimar dump --json` gives them), and that the copy each
platform saves (the hidden `fennimar rewrite`, which reads as `dump` does and
then saves) reads the same on the other platform, and that either both saved
copies start with a UTF-8 byte-order mark or neither does.

Usage: run.py LINUX_FENNIMAR WINDOWS_FENNIMAR_EXE
Wine is $WINE, else wine64; its prefix and server are the caller's
(scripts/check-windows makes them). Exit status 0 when every check holds.
"""
import concurrent.futures
import json
import os
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SECTIONS = ("apps", "switches", "background", "workspaces")
PRODUCT_KEY = "HKCU\\Software\\Tarsel\\Tarsel Kestrova2"
SANDBOX_KEY = "Software\\FennimarCorpus"


def read_expected():
    """[(file, outcome, wine_save_differs, why)] from the list `expected`."""
    cases = []
    with open(os.path.join(HERE, "expected"), encoding="utf-8") as listing:
        for line in listing:
            line, _, why = line.partition(" -- ")
            words = line.split()
            if not words or words[0].startswith("#"):
                continue
            cases.append((words[0], words[1], "wine-save" in words[2:], why.strip()))
    return cases


class Platform:
    def __init__(self, name, command, env, to_path):
        # Platforms are dictionary keys: hashed by identity.
        self.name, self.command, self.env, self.to_path = name, command, env, to_path

    def run(self, *args):
        return subprocess.run(self.command + list(args), env=self.env, capture_output=True,
                              timeout=60)

    def dump(self, path, command="dump"):
        """The four sections' values, or None when the document was refused.
        `command` "rewrite" also has the library save the document."""
        done = self.run("--document", self.to_path(path), command, "--json")
        if done.returncode not in (0, 3):
            raise RuntimeError("%s %s failed: %s" % (self.name, command, done.stderr.decode()))
        values = json.loads(done.stdout or "{}")
        sections = {name: values.get(name) for name in SECTIONS}
        return sections if any(v is not None for v in sections.values()) else None


def platforms(linux_program, windows_program, work):
    linux_env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"))
    linux = Platform("Linux", [linux_program], linux_env, lambda p: p)
    wine = os.environ.get("WINE") or shutil.which("wine64") or "/usr/lib/wine/wine64"
    windows_env = dict(os.environ, FENNIMAR_REGISTRY_KEY=SANDBOX_KEY)
    windows = Platform("Windows", [wine, windows_program], windows_env,
                       lambda p: "Z:" + p.replace("/", "\\"))
    # The document is kept as it is only when the first-use flag is 0.
    for platform in (linux, windows):
        done = platform.run("reg", "add", PRODUCT_KEY, "IsFirstUse", "--type", "REG_DWORD",
                            "--data", "0")
        if done.returncode != 0:
            raise RuntimeError("%s: cannot clear the first-use flag: %s"
                               % (platform.name, done.stderr.decode()))
    return linux, windows


def has_bom(path):
    with open(path, "rb") as saved:
        return saved.read(3) == b"\xef\xbb\xbf"


def differences(a, b):
    """The sections whose values differ, each with both readings."""
    return ["%s: %s / %s" % (name, json.dumps(a[name], ensure_ascii=False)[:300],
                             json.dumps(b[name], ensure_ascii=False)[:300])
            for name in SECTIONS if a[name] != b[name]]


def check(case, linux, windows, work):
    """The problems found with one document; empty when it behaves as listed."""
    name, outcome, wine_save_differs, _ = case
    both = (linux, windows)
    copies = {p: os.path.join(work, p.name + "-" + name) for p in both}
    for platform in both:
        shutil.copyfile(os.path.join(HERE, name), copies[platform])
    # Each platform reads its copy and saves it again; then the other reads it.
    read = {p: p.dump(copies[p], "rewrite") for p in both}
    wanted = {"loads": (True, True), "refused": (False, False),
              "linux-only": (True, False), "windows-only": (False, True)}[outcome]
    if tuple(read[p] is not None for p in both) != wanted:
        return ["expected %s; Linux %s it, Windows %s it" % (
            outcome, *("loaded" if read[p] is not None else "refused" for p in both))]
    if outcome != "loads":
        return []
    problems = ["read differently: " + d for d in differences(read[linux], read[windows])]
    if not wine_save_differs and len(set(has_bom(copies[p]) for p in both)) > 1:
        problems.append("only %s saved a byte-order mark" % next(
            p.name for p in both if has_bom(copies[p])))
    for writer, reader in ((linux, windows), (windows, linux)):
        again = reader.dump(copies[writer])
        if writer is windows and wine_save_differs:
            # Listed: what Wine's component saves does not read back the same.
            if again == read[windows]:
                print("note: %s: Windows's saved copy reads back the same after all" % name)
        elif again is None:
            problems.append("%s's saved copy does not load on %s" % (writer.name, reader.name))
        else:
            problems += ["%s's saved copy read by %s differs: %s" % (writer.name, reader.name, d)
                         for d in differences(read[writer], again)]
    return problems


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    failed = 0
    with tempfile.TemporaryDirectory() as work:
        linux, windows = platforms(os.path.abspath(sys.argv[1]), os.path.abspath(sys.argv[2]),
                                   work)
        try:
            cases = read_expected()
            unlisted = set(f for f in os.listdir(HERE) if f.endswith(".xml")) - set(
                case[0] for case in cases)
            for name in sorted(unlisted):
                print("FAIL %s: not in the list `expected`" % name)
            failed += len(unlisted)
            # The programs mostly wait on Wine: a few documents at a time.
            with concurrent.futures.ThreadPoolExecutor(4) as pool:
                results = pool.map(lambda case: check(case, linux, windows, work), cases)
            for case, problems in zip(cases, results):
                why = ": " + case[3] if case[3] else ""
                print(("FAIL " if problems else "ok   ") + case[0] + " (" + case[1] + why + ")")
                for problem in problems:
                    print("     " + problem)
                failed += bool(problems)
        finally:
            windows.env.pop("FENNIMAR_REGISTRY_KEY")
            windows.run("reg", "delete", "HKCU\\" + SANDBOX_KEY)
    print("%d documents failed" % failed if failed else "every document behaves as listed")
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
