#!/usr/bin/env python3
"""Writes BENCHMARKS.md from the results of one run of bench/run.sh (on stdout)."""

import argparse
import glob
import json
import os
import platform
import re
import statistics
import subprocess
import textwrap


def load(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


class Google:
    """Medians of a Google Benchmark JSON report, by run name."""

    UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}

    def __init__(self, path):
        self.medians = {}
        for b in load(path)["benchmarks"]:
            # A single repetition has no aggregates: its one run stands for the median.
            if b.get("aggregate_name") == "median" or b.get("run_type") == "iteration":
                self.medians.setdefault(b["run_name"], b)
                if b.get("aggregate_name") == "median":
                    self.medians[b["run_name"]] = b

    def entry(self, prefix):
        for name, b in self.medians.items():
            if name == prefix or name.startswith(prefix + "/"):
                return b
        raise KeyError(f"no median for {prefix}")

    def cpu(self, prefix):
        b = self.entry(prefix)
        return b["cpu_time"] * self.UNIT[b["time_unit"]]

    def wall(self, prefix):
        b = self.entry(prefix)
        return b["real_time"] * self.UNIT[b["time_unit"]]

    def counter(self, prefix, name):
        return self.entry(prefix)[name]

    def label(self, prefix):
        return self.entry(prefix)["label"]


class Hyperfine:
    """Median wall-clock time per command of a hyperfine JSON export, or of the exports of
    several rounds (NAME.round*.json) taken together."""

    def __init__(self, path):
        times = {}
        for part in sorted(glob.glob(path.replace(".json", ".round*.json"))) or [path]:
            for r in load(part)["results"]:
                times.setdefault(r["command"], []).extend(r["times"])
        self.medians = {command: statistics.median(t) for command, t in times.items()}

    def __getitem__(self, command):
        return self.medians[command]


def duration(seconds):
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("µs", 1e-6)):
        if seconds >= scale:
            return f"{seconds / scale:.3g} {unit}"
    return f"{seconds / 1e-9:.3g} ns"


def ratio(ours, theirs):
    r = ours / theirs
    if r < 0.001:
        return "< 0.001"
    return f"{r:.2f}" if r >= 0.1 else f"{r:.2g}"


def command_output(*command):
    try:
        return subprocess.run(command, capture_output=True, text=True, check=True).stdout.strip()
    except (OSError, subprocess.CalledProcessError):
        return "?"


def package_version(name):
    return command_output("dpkg-query", "-W", "-f=${Version}", name)


def machine():
    model = "?"
    with open("/proc/cpuinfo", encoding="utf-8") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    with open("/etc/debian_version", encoding="utf-8") as f:
        debian = f.read().strip()
    memory = os.sysconf("SC_PAGE_SIZE") * os.sysconf("SC_PHYS_PAGES") / 2**30
    compiler = command_output("c++", "--version").splitlines()[0]
    return (f"{os.cpu_count()} cores of an {model}, {memory:.0f} GiB, Debian {debian}, "
            f"Linux {platform.release()}; {compiler} with -O3 (CMake Release); Qt "
            f"{package_version('libqt6core6')}, libjpeg-turbo {package_version('libjpeg62-turbo')}"
            f", muparser {package_version('libmuparser2v5')}, gnuplot "
            f"{package_version('gnuplot-nox')}, hyperfine {package_version('hyperfine')}")


def code(text):
    return "`" + text + "`"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--work", required=True)
    parser.add_argument("--started", required=True)
    parser.add_argument("--load", nargs=2, required=True)
    parser.add_argument("--repetitions", required=True)
    parser.add_argument("--runs", required=True)
    parser.add_argument("--batch-runs", required=True)
    parser.add_argument("--functions", nargs=3, required=True)
    args = parser.parse_args()

    core = Google(os.path.join(args.work, "core.json"))
    plot = Google(os.path.join(args.work, "plot.json"))
    methods = Google(os.path.join(args.work, "methods.json"))
    startup = Hyperfine(os.path.join(args.work, "startup.json"))
    batch = [Hyperfine(os.path.join(args.work, f"batch{i}.json")) for i in range(3)]
    batch50 = Hyperfine(os.path.join(args.work, "batch50.json"))
    instructions = {}
    for program in ("zerovane", "gnuplot"):
        with open(os.path.join(args.work, f"instructions.{program}"), encoding="utf-8") as f:
            instructions[program] = int(f.read().strip())

    rows = []

    def row(what, ours, first="", first_ratio="", second="", second_ratio=""):
        rows.append(f"| {what} | {ours} | {first} | {first_ratio} | {second} | {second_ratio} |")

    # The evaluator's suite of nine functions; the scan and the drawing take three of them, which
    # the plot benchmark numbers 0, 1, 2.
    suite = {i: core.label(f"BM_Compiled/{i}") for i in range(9)}
    chosen = {0: 0, 5: 1, 7: 2}
    assert [suite[i] for i in chosen] == args.functions, "the run's functions are the suite's"

    for i, text in suite.items():
        ours = core.cpu(f"BM_Compiled/{i}")
        mu = core.cpu(f"BM_MuParser/{i}")
        native = core.cpu(f"BM_Native/{i}")
        row(f"Evaluator, one evaluation of {code(text)} (compiled program)", duration(ours),
            f"muparser {duration(mu)}", ratio(ours, mu), f"C++ by hand {duration(native)}",
            ratio(ours, native))
    for i, text in suite.items():
        ours = core.cpu(f"BM_Evaluate/{i}")
        compiled = core.cpu(f"BM_Compiled/{i}")
        mu = core.cpu(f"BM_MuParser/{i}")
        row(f"{code('Evaluate(text, x)')} of {code(text)} (x rounded, program looked up)",
            duration(ours), f"muparser {duration(mu)}", ratio(ours, mu),
            f"compiled program {duration(compiled)}", ratio(ours, compiled))

    for name, precision in (("BM_Scan", 100), ("BM_Scan800", 800)):
        for i in chosen:
            text = suite[i]
            ours = core.cpu(f"{name}/{i}")
            evaluations = core.counter(f"{name}/{i}", "evaluations")
            one = core.cpu(f"BM_Evaluate/{i}")
            row(f"Root scan of {code(text)} on [-3; 3], precision {precision}", duration(ours),
                f"{evaluations:.0f} evaluations × {duration(one)}",
                ratio(ours, evaluations * one))

    for precision in (100, 800):
        for i in chosen:
            text = suite[i]
            ours = plot.cpu(f"BM_DrawGraph/f:{chosen[i]}/precision:{precision}")
            one = core.cpu(f"BM_Evaluate/{i}")
            row(f"{code('DrawGraph')} of {code(text)} on [-3; 3], precision {precision}",
                duration(ours), f"{precision + 1} evaluations × {duration(one)}",
                ratio(ours, (precision + 1) * one))

    ours_cpu, qt_cpu = plot.cpu("BM_JpegExport"), plot.cpu("BM_QtJpeg")
    ours_wall, qt_wall = plot.wall("BM_JpegExport"), plot.wall("BM_QtJpeg")
    row("JPEG export of the plot, 321 × 321, quality 100: processor time", duration(ours_cpu),
        f"Qt's JPEG writer {duration(qt_cpu)}", ratio(ours_cpu, qt_cpu))
    row("JPEG export of the plot: wall-clock time (ours syncs the file and its folder to disk)",
        duration(ours_wall), f"Qt's JPEG writer {duration(qt_wall)}", ratio(ours_wall, qt_wall))

    ours, bare = startup["zerovane"], startup["qt"]
    row(f"Start-up to the first window painted, {code('zerovane')} on the project "
        f"{code(args.functions[0])} [-3; 3]", duration(ours), f"bare Qt window {duration(bare)}",
        ratio(ours, bare))
    for i, text in enumerate(args.functions):
        ours, gp = batch[i]["zerovane"], batch[i]["gnuplot"]
        row(f"Batch export {code('zerovane -x')}, {code(text)} on [-3; 3] (picture, root scan, "
            f"results file)", duration(ours), f"gnuplot picture {duration(gp)}", ratio(ours, gp))
    ours, gp = instructions["zerovane"], instructions["gnuplot"]
    row(f"Batch export {code('zerovane -x')}, {code(args.functions[0])}: instructions "
        f"(callgrind)", f"{ours / 1e6:.1f} M", f"gnuplot picture {gp / 1e6:.1f} M", ratio(ours, gp))
    ours, gp = batch50["zerovane"], batch50["gnuplot"]
    single = statistics.mean(b["zerovane"] for b in batch)
    further = (ours - single) / 49
    row(f"Batch export of 50 projects, {code('zerovane --batch')} (one start)", duration(ours),
        f"50 gnuplot runs {duration(gp)}", ratio(ours, gp),
        f"each further picture {duration(further)} against one gnuplot run", ratio(further, gp / 50))

    ours = methods.cpu("BM_CompareMethods")
    row(f"Compare methods: all seven on {code('x^3-2*x-5')} on [2; 3], tolerance 1e-10 "
        f"({methods.counter('BM_CompareMethods', 'evaluations'):.0f} evaluations)",
        duration(ours), "1 ms", ratio(ours, 1e-3))

    longest = "32,766-character `sin(x)+...+sin(x)`"
    one = core.cpu("BM_WorstEvaluate")
    second = 1.0
    row(f"Worst case: check and translation of the {longest}", duration(core.cpu("BM_WorstCheck")),
        "1 s", ratio(core.cpu("BM_WorstCheck"), second))
    row(f"Worst case: one evaluation of it", duration(one), "1 s", ratio(one, second))
    ours = plot.cpu("BM_WorstDrawGraph")
    row(f"Worst case: {code('DrawGraph')} of it on [-1000; 1000], precision 800", duration(ours),
        "1 s", ratio(ours, second), f"801 evaluations × {duration(one)}", ratio(ours, 801 * one))
    for precision in (100, 800):
        name = f"BM_WorstScan/{precision}"
        ours = core.cpu(name)
        evaluations = core.counter(name, "evaluations")
        roots = core.counter(name, "roots")
        row(f"Worst case: root scan of it on [-1000; 1000], precision {precision} "
            f"({roots:.0f} roots)", duration(ours), "1 s", ratio(ours, second),
            f"{evaluations:.0f} evaluations × {duration(one)}", ratio(ours, evaluations * one))
    newton = core.cpu("BM_WorstNewton")
    row("Worst case: Newton on it from 3 (100 steps, settles on pi)", duration(newton), "1 s",
        ratio(newton, second), f"500 evaluations × {duration(one)}", ratio(newton, 500 * one))
    newton = core.cpu("BM_WorstNewtonNoRoot")
    row("Worst case: Newton from 3 on `9999+sin(x)+...` of the same length (no root, 100 steps)",
        duration(newton), "1 s", ratio(newton, second))

    intro = (
        f"The machine is a shared virtual machine: other jobs ran beside this one (load average "
        f"{args.load[0].split()[0]} when the run began, {args.load[1].split()[0]} when it ended), "
        f"and the medians of one measurement have differed by up to about 40 % between runs on "
        f"it. Every figure is therefore a median: of {args.repetitions} repetitions in random "
        f"order for the figures measured inside one process (Google Benchmark, processor time of "
        f"the thread, which other jobs disturb less than the clock on the wall), and of "
        f"{args.runs} runs for whole runs of a program ({args.batch_runs} for the 50-project "
        f"export; hyperfine, wall-clock time, in rounds that alternate the two programs compared, "
        f"each round after a warm-up run). A ratio is the first time over the time it is compared with; below 1 "
        f"means Zerovane is faster. `make bench` measures everything anew and rewrites this "
        f"file; bench/README.md says how each figure is taken.")
    measured = (f"Measured in one run of `make bench` on {args.started}, on the project's "
                f"development machine: {machine()}.")
    print("# Benchmarks\n")
    print(textwrap.fill(measured, 96, break_on_hyphens=False, break_long_words=False) + "\n")
    print(textwrap.fill(intro, 96, break_on_hyphens=False, break_long_words=False) + "\n")
    print("""| Measurement | Zerovane | Compared with | Ratio | Compared with | Ratio |
|---|---|---|---|---|---|""")
    print("\n".join(rows))
    print("""
Notes:

- Evaluator: x steps over [-3; 3]. muparser 2.3.3 (Debian's) is compiled once, as our program
  is; "C++ by hand" is the function written in C++ with `std::pow`, `std::sin`, ...
  `Evaluate(text, x)` is what the program calls: it first rounds x to 15 significant digits
  and finds the compiled program by its text. In `3^x-x^3` ours computes the cube correctly
  rounded (the square and its error by a fused multiply-add), where muparser multiplies twice
  and rounds twice.
- Root scan and `DrawGraph`: the second column sets the time against that many single
  `Evaluate` calls, so the ratio is the cost of everything else (the root searches'
  arithmetic, the painting) on top of the evaluations.
- `DrawGraph` is run through the graph window's Default command on an unchanged view, on Qt's
  offscreen platform: sampling, then painting the plot's scene (backdrop, axes, curve,
  equation) once at its opening size, as the screen's repaint does.
- JPEG export: our writer keeps the full colour resolution (4:4:4) and codes with the
  standard Huffman tables (tables fitted to the picture would make it about a fifth smaller
  for a second pass over it); Qt's writer is asked for fitted tables but halves the colour
  resolution (4:2:0), so it has half as many blocks to code. Our file goes through the program's one
  file writer, which syncs the file and its folder to disk: that is most of the wall-clock
  figure.
- Start-up: `ZEROVANE_QUIT_WHEN_SHOWN=1` makes the program end as soon as its first window is
  painted (offscreen); the project's graph window is open by then, its curve drawn and its
  roots listed. The bare Qt window is a main window with a menu bar and an empty
  multiple-document area, ended the same way: Qt's own share of the figure.
- Batch export: `zerovane -x` reads the project, draws, scans for roots and writes the JPEG
  picture and the results file, both synced to the disk; gnuplot (Debian's gnuplot-nox, `set
  terminal jpeg size 321,321`, 101 samples over the same view) only draws the picture and
  syncs nothing. Both start a fresh process each run. The export loads no widget library, and
  reads the font configuration and touches the memory it will use on a second thread while Qt
  loads (bench/README.md says where its time goes). Instructions: callgrind's count for one run of each, the dynamic loader's
  work included. 50 projects: `zerovane --batch` with 50 projects (the three functions in
  turn) in one run, against a shell running gnuplot 50 times; the second ratio sets what each
  picture after the first adds to the run (the 50-project time less the mean single-project
  time, over 49) against one gnuplot run.
- Compare methods: one press of Compare in its window on `x^3-2*x-5` [2; 3] with x0 2.5:
  bisection, regula falsi, Illinois, the secant, Newton, Brent and Zerovane's own search, each
  keeping its iterates and measuring its order (no Qt). The target is well under 1 ms, so that
  the window answers at once.
- Worst cases: the longest function an entry field holds (32,767 characters; the project
  reader refuses longer ones). Its scan on [-1000; 1000] takes seconds, as it must evaluate a
  4,681-term sum tens of thousands of times: there the graph window shows a wait cursor,
  keeps repainting, drops the user's input and stops the scan on Escape, keeping the roots
  found so far.""")


if __name__ == "__main__":
    main()
