#!/usr/bin/env python3
"""Whole-archive extraction: qz4unzip against Info-ZIP unzip, bsdtar and 7z.

Generates the corpus (bench_make_corpus), archives it with Info-ZIP zip once
plain and once with a 34-digit password, then extracts each archive with every
tool in interleaved rounds onto the same disk and prints the median wall times
and qz4unzip's ratios to them, then the median processor time (user + system)
of the same runs, which a busy machine disturbs less. "qz4 -j0" (qz4unzip -j 0) is the
same reader decoding every entry on one thread, for the gain of the worker
threads; it is not one of the peers. A tool that is missing is left out.

    extraction_bench.py --build build/bench [--work DIR] [--megabytes 150] [--rounds 5]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time

PASSWORD = "7305118242913370012345678901234567"  # 34 digits


def tools(qz4unzip):
    """name -> (plain command, encrypted command), each a function of archive and folder."""
    return {
        "qz4unzip": (lambda a, d: [qz4unzip, "-x", a, d],
                     lambda a, d: [qz4unzip, "-P", PASSWORD, "-x", a, d]),
        "qz4 -j0": (lambda a, d: [qz4unzip, "-j", "0", "-x", a, d],
                    lambda a, d: [qz4unzip, "-P", PASSWORD, "-j", "0", "-x", a, d]),
        "unzip": (lambda a, d: ["unzip", "-q", "-o", a, "-d", d],
                  lambda a, d: ["unzip", "-q", "-o", "-P", PASSWORD, a, "-d", d]),
        "bsdtar": (lambda a, d: ["bsdtar", "-xf", a, "-C", d],
                   lambda a, d: ["bsdtar", "--passphrase", PASSWORD, "-xf", a, "-C", d]),
        "7z": (lambda a, d: ["7z", "x", "-y", "-bd", "-o" + d, a],
               lambda a, d: ["7z", "x", "-y", "-bd", "-p" + PASSWORD, "-o" + d, a]),
    }


def run(command, **kwargs):
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, **kwargs)


def prepare(args, corpus_tool):
    corpus = os.path.join(args.work, "corpus")
    plain = os.path.join(args.work, "plain.zip")
    encrypted = os.path.join(args.work, "encrypted.zip")
    stamp = os.path.join(args.work, "corpus-%d.done" % args.megabytes)
    if not os.path.exists(stamp):
        shutil.rmtree(args.work, ignore_errors=True)
        os.makedirs(args.work)
        started = time.monotonic()
        run([corpus_tool, corpus, str(args.megabytes)])
        run(["zip", "-q", "-r", plain, "."], cwd=corpus)
        run(["zip", "-q", "-r", "-P", PASSWORD, encrypted, "."], cwd=corpus)
        open(stamp, "w").close()
        print("corpus and archives made in %.1f s" % (time.monotonic() - started))
    return corpus, {"plain": plain, "encrypted": encrypted}


def timed(command):
    """Wall and processor seconds of one run."""
    started = time.monotonic()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.monotonic() - started
    process.returncode = os.waitstatus_to_exitcode(status)
    if process.returncode != 0:
        sys.exit("%s failed with %d" % (" ".join(command), process.returncode))
    return wall, usage.ru_utime + usage.ru_stime


def print_table(title, medians, names, archives):
    print("\n" + title)
    print("%-10s %10s %10s" % ("", "plain", "encrypted"))
    for name in names:
        print("%-10s %10.3f %10.3f" % (name, *(medians[(name, k)] for k in archives)))
    if "qz4unzip" not in names:
        return
    print("qz4unzip's share of the other's (below 1.00: qz4unzip is faster)")
    others = [n for n in names if not n.startswith("qz4")]
    for name in [n for n in names if n != "qz4unzip"]:
        print("%-10s %10.2f %10.2f" % (name, *(medians[("qz4unzip", k)] / medians[(name, k)]
                                                 for k in archives)))
    if others:
        print("%-10s %10.2f %10.2f" % ("fastest", *(
            medians[("qz4unzip", k)] / min(medians[(n, k)] for n in others) for k in archives)))


def same_tree(a, b):
    return subprocess.run(["diff", "-r", "-q", a, b], stdout=subprocess.DEVNULL).returncode == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", required=True, help="build folder of the bench preset")
    parser.add_argument("--work", default="/tmp/qz4-extraction-bench")
    parser.add_argument("--megabytes", type=int, default=150)
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()

    qz4unzip = os.path.join(args.build, "tools", "qz4unzip", "qz4unzip")
    corpus_tool = os.path.join(args.build, "bench", "unzip", "bench_make_corpus")
    corpus, archives = prepare(args, corpus_tool)
    sizes = {k: os.path.getsize(v) >> 20 for k, v in archives.items()}
    print("archives: plain %d MiB, encrypted %d MiB (corpus %d MiB); load average %.1f"
          % (sizes["plain"], sizes["encrypted"], args.megabytes, os.getloadavg()[0]))

    available = {}
    for name, commands in tools(qz4unzip).items():
        program = commands[0]("a", "d")[0]
        if shutil.which(program) or os.access(program, os.X_OK):
            available[name] = commands
        else:
            print("%s: not found, left out" % name)

    out = os.path.join(args.work, "out")
    wall = {(t, k): [] for t in available for k in archives}
    cpu = {(t, k): [] for t in available for k in archives}
    for round_ in range(args.rounds):
        for kind, archive in archives.items():
            for name, commands in available.items():
                shutil.rmtree(out, ignore_errors=True)
                os.makedirs(out)
                run(["sync"])
                seconds, processor = timed(commands[0 if kind == "plain" else 1](archive, out))
                wall[(name, kind)].append(seconds)
                cpu[(name, kind)].append(processor)
                if round_ == 0 and not same_tree(corpus, out):
                    sys.exit("%s extracted %s wrongly" % (name, kind))
    shutil.rmtree(out, ignore_errors=True)

    names = list(available)
    median = lambda times: {key: statistics.median(v) for key, v in times.items()}
    print_table("median wall time of %d rounds, seconds" % args.rounds, median(wall), names,
                archives)
    print_table("median processor time (user + system), seconds", median(cpu), names, archives)


if __name__ == "__main__":
    main()
