#!/usr/bin/env python3
"""Whole-archive extraction: qz4unzip against Info-ZIP unzip, bsdtar and 7z.

Generates the corpus (bench_make_corpus), archives it with Info-ZIP zip once
plain and once with a 34-digit password, then extracts each archive with every
tool in interleaved rounds onto the same disk and prints the median wall times
and qz4unzip's ratios to them. A tool that is missing is left out.

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
    print("archives: plain %d MiB, encrypted %d MiB (corpus %d MiB)"
          % (sizes["plain"], sizes["encrypted"], args.megabytes))

    available = {}
    for name, commands in tools(qz4unzip).items():
        program = commands[0]("a", "d")[0]
        if shutil.which(program) or os.access(program, os.X_OK):
            available[name] = commands
        else:
            print("%s: not found, left out" % name)

    out = os.path.join(args.work, "out")
    times = {(t, k): [] for t in available for k in archives}
    for round_ in range(args.rounds):
        for kind, archive in archives.items():
            for name, commands in available.items():
                shutil.rmtree(out, ignore_errors=True)
                os.makedirs(out)
                run(["sync"])
                command = commands[0 if kind == "plain" else 1](archive, out)
                started = time.monotonic()
                run(command)
                times[(name, kind)].append(time.monotonic() - started)
                if round_ == 0 and not same_tree(corpus, out):
                    sys.exit("%s extracted %s wrongly" % (name, kind))
    shutil.rmtree(out, ignore_errors=True)

    print("\nmedian wall time of %d rounds, seconds" % args.rounds)
    print("%-10s %10s %10s" % ("", "plain", "encrypted"))
    medians = {key: statistics.median(v) for key, v in times.items()}
    for name in available:
        print("%-10s %10.3f %10.3f" % (name, medians[(name, "plain")], medians[(name, "encrypted")]))
    if "qz4unzip" not in available:
        return
    print("\nqz4unzip's time as a share of the other's (below 1.00: qz4unzip is faster)")
    print("%-10s %10s %10s" % ("", "plain", "encrypted"))
    others = [n for n in available if n != "qz4unzip"]
    for name in others:
        print("%-10s %10.2f %10.2f" % (name, *(medians[("qz4unzip", k)] / medians[(name, k)]
                                                 for k in archives)))
    if others:
        print("%-10s %10.2f %10.2f" % ("fastest", *(
            medians[("qz4unzip", k)] / min(medians[(n, k)] for n in others) for k in archives)))


if __name__ == "__main__":
    main()
