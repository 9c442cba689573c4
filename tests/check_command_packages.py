#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The Ravelbox authors
# SPDX-License-Identifier: MIT
"""Checks that a command's package list covers every program it runs.

Usage: check_command_packages.py SOURCE-DIR BUILD-DIR LIST RAN -- COMMAND...

Runs COMMAND in SOURCE-DIR under strace, with the PATH of a fresh Debian
machine, and fails, naming them, on the programs it ran that no package
brings of those in LIST (an array of tools/packages.sh), the packages they
depend on, or Debian's essential ones, which every machine has. Programs
inside the source tree, BUILD-DIR and the Qt cache are the project's own and
pass. RAN is a comma-separated list of program names the command is known to
run (cmake, the compiler, moc; a name stands for its versioned ones, such
as clang++-14): unless the trace shows each, it did not see
what the command ran, and fails. Exits 77 without strace, and unless
RAVELBOX_SLOW_CHECKS is set, as the test presets set it.
"""
import os
import re
import shutil
import subprocess
import tempfile

from player import Failure, cache_folder, run

# Where a fresh Debian machine looks for programs, without what was put in
# front of it by hand here (pyenv, cargo).
DEBIAN_PATH = "/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin"
# pid execve("path", ...) = 0, or a call strace had to split in two.
EXECVE = re.compile(r'^(\d+) +execve\("([^"]+)".*?(?:= 0|<unfinished \.\.\.>)$')
RESUMED = re.compile(r'^(\d+) +<\.\.\. execve resumed>.*= 0$')
# This environment as a fresh machine's would be: Debian's PATH, and no
# compiler launcher (test.sh's ccache) that ./run.sh would not use.
FRESH_MACHINE = {name: value for name, value in os.environ.items()
                 if not name.endswith("_COMPILER_LAUNCHER")} | {"PATH": DEBIAN_PATH}


def lines(command, folder=None):
    return subprocess.run(command, cwd=folder, capture_output=True, text=True, check=True,
                          timeout=120).stdout.splitlines()


def listed(source, name):
    """The packages in the array `name` of tools/packages.sh."""
    return lines(["bash", "-c", f'source tools/packages.sh && printf "%s\\n" "${{{name}[@]}}"'],
                 source)


def closure(packages):
    """The packages and everything they depend on, and the essential ones."""
    names = {line.strip("<>").split(":")[0] for line in lines(
        ["apt-cache", "depends", "--recurse", "--no-recommends", "--no-suggests",
         "--no-conflicts", "--no-breaks", "--no-replaces", "--no-enhances", *packages])
        if line and not line.startswith(" ")}
    for line in lines(["dpkg-query", "-W", "-f", "${Package} ${Essential}\\n"]):
        package, essential = line.split(" ", 1)
        if essential == "yes":
            names.add(package)
    return names


def executed(source, command):
    with tempfile.NamedTemporaryFile(prefix="ravelbox-trace-") as log:
        subprocess.run(["strace", "-f", "-qq", "--seccomp-bpf", "-e", "trace=execve",
                        "-e", "status=successful", "-e", "signal=none", "-o", log.name,
                        *command], cwd=source, check=True, timeout=1800,
                       stdout=subprocess.DEVNULL, env=FRESH_MACHINE)
        pending, paths = {}, set()
        for line in open(log.name, errors="replace"):
            line = line.rstrip("\n")
            if match := EXECVE.match(line):
                if line.endswith("= 0"):
                    paths.add(match[2])
                else:
                    pending[match[1]] = match[2]
            elif (match := RESUMED.match(line)) and match[1] in pending:
                paths.add(pending.pop(match[1]))
    return paths


def owner(path):
    """The package that installed path, under either name of a merged /usr,
    or None."""
    for candidate in (path, os.path.realpath(path)):
        for name in {candidate, re.sub(r"^/usr(?=/(s?bin|lib)/)", "", candidate),
                     re.sub(r"^/(?=(s?bin|lib)/)", "/usr/", candidate)}:
            found = subprocess.run(["dpkg", "-S", name], capture_output=True, text=True,
                                   timeout=60)
            # "package: path", beside "diversion by ..." lines where one is diverted.
            for line in found.stdout.splitlines() if found.returncode == 0 else ():
                if not line.startswith("diversion by "):
                    return line.split(":")[0].split(",")[0].strip()
    return None


def main(source, build, list_name, ran, separator, *command):
    if separator != "--" or not command:
        raise Failure("usage: check_command_packages.py SOURCE-DIR BUILD-DIR LIST RAN -- COMMAND...")
    if not shutil.which("strace"):
        print("skipped: needs strace")
        return 77
    if not os.environ.get("RAVELBOX_SLOW_CHECKS"):
        print("skipped: a slow check; ctest --preset NAME or ./test.sh runs it")
        return 77
    source = os.path.realpath(source)
    cache = str(cache_folder())
    own = tuple(os.path.realpath(folder) + "/" for folder in (source, build, cache))
    packages = listed(source, list_name)
    allowed = closure(packages)
    paths = executed(source, command)
    # clang++ stands for clang++-14 too: Debian names its LLVM tools by version.
    unseen = set(ran.split(",")) - {re.sub(r"-[0-9]+$", "", os.path.basename(path))
                                    for path in paths}
    if unseen:
        raise Failure(f"the trace of {len(paths)} programs lacks {', '.join(sorted(unseen))}, "
                      "which the command runs: it cannot have seen what ran")
    missing = {}
    for path in sorted(paths):
        if os.path.realpath(path).startswith(own):
            continue
        package = owner(path)
        if package not in allowed:
            missing.setdefault(package or "no package", []).append(path)
    if missing:
        raise Failure(f"{list_name} lacks what these programs come from: " + "; ".join(
            f"{package} ({', '.join(paths)})" for package, paths in sorted(missing.items())))
    print(f"{list_name} covers all {len(paths)} programs the command ran")
    return 0


if __name__ == "__main__":
    run(main)
