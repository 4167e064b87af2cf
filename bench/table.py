#!/usr/bin/env python3
"""Prints the benchmark table: our figure, each peer's figure and the ratio.

Reads the Google Benchmark JSON files that scripts/bench.sh writes (medians of
the repetitions) and compares them with the goals.
Usage: table.py <results folder> [--markdown]
"""
import json
import os
import sys

SIZES = ["8K", "64K", "1M", "10M"]
UNIT_TO_US = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}


def medians(path):
    """name -> (microseconds, counters) of the median aggregates in one file."""
    if not os.path.exists(path):
        return {}
    with open(path) as f:
        data = json.load(f)
    result = {}
    for run in data.get("benchmarks", []):
        if run.get("aggregate_name", "median") != "median" or run.get("error_occurred"):
            continue
        name = run.get("run_name", run["name"]).split("/min_time")[0].split("/iterations")[0]
        name = name.split("/manual_time")[0]
        time = run["real_time"] * UNIT_TO_US[run.get("time_unit", "ns")]
        result[name] = (time, run)
    return result


def time_text(us):
    if us is None:
        return "-"
    if us >= 1e6:
        return "%.2f s" % (us / 1e6)
    if us >= 1e3:
        return "%.2f ms" % (us / 1e3)
    return "%.1f µs" % us


def ratio_text(ours, peer):
    if ours is None or peer is None or peer == 0:
        return "-"
    return "%.3f" % (ours / peer)


def main():
    folder = sys.argv[1]
    markdown = "--markdown" in sys.argv
    ours = medians(os.path.join(folder, "ours.json"))
    wine = medians(os.path.join(folder, "wine.json"))
    qsettings = medians(os.path.join(folder, "qsettings.json"))
    pointer = medians(os.path.join(folder, "pointer.json"))
    startup = medians(os.path.join(folder, "startup-ours.json"))
    empty = medians(os.path.join(folder, "startup-empty.json"))
    label = medians(os.path.join(folder, "startup-label.json"))

    def t(table, name):
        return table[name][0] if name in table else None

    rows = []
    goals = []
    for operation in ["load", "save", "sections", "floor-reads", "floor-replace"]:
        for size in SIZES:
            name = "%s/%s" % (operation, size)
            o, w, q = t(ours, name), t(wine, name), t(qsettings, name)
            rows.append([name, time_text(o), time_text(w), ratio_text(o, w),
                         time_text(q), ratio_text(o, q)])
    for operation, floor, floor_limit in [("load", "floor-reads", 0.5), ("save", "floor-replace", 2.0)]:
        o64, w64, f64 = t(ours, operation + "/64K"), t(wine, operation + "/64K"), t(ours, floor + "/64K")
        goals.append(("%s 64K <= %.1f x %s" % (operation, floor_limit, floor),
                      o64 is not None and f64 is not None and o64 <= floor_limit * f64,
                      ratio_text(o64, f64)))
        goals.append(("%s 64K <= 0.1 x Wine" % operation, o64 is not None and w64 is not None
                      and o64 <= 0.1 * w64, ratio_text(o64, w64)))
    for name in ["save/200M", "save/50M-one-line"]:
        rows.append([name, time_text(t(ours, name)), "-", "-", "-", "-"])
    l10 = t(ours, "load/10M")
    goals.append(("load 10M < 100 ms", l10 is not None and l10 < 1e5, time_text(l10)))
    for operation in ["load", "save"]:
        small, big = t(ours, operation + "/64K"), t(ours, operation + "/10M")
        per_byte = (big / small) / 160.0 if small and big else None
        goals.append(("%s grows linearly (64K -> 10M: x%s for x160 bytes)"
                      % (operation, "%.0f" % (big / small) if per_byte else "?"),
                      per_byte is not None and per_byte <= 1.5,
                      "%.2f of linear" % per_byte if per_byte else "-"))

    move = t(pointer, "pointer-move")
    repaint = t(pointer, "pointer-move+repaint")
    rows.append(["pointer move (handler)", time_text(move), "-", "-", "-", "-"])
    rows.append(["pointer move + repaint", time_text(repaint), "-", "-", "-", "-"])
    goals.append(("pointer move <= 20 µs", move is not None and move <= 20, time_text(move)))

    so, se = t(startup, "startup"), t(empty, "startup")
    rows.append(["start-up to first paint", time_text(so), time_text(se) + " (empty window)",
                 ratio_text(so, se), "-", "-"])
    po = startup["startup"][1].get("peak_kb") if "startup" in startup else None
    pe = empty["startup"][1].get("peak_kb") if "startup" in empty else None
    rows.append(["peak resident memory", "%.1f MB" % (po / 1024) if po else "-",
                 ("%.1f MB (empty window)" % (pe / 1024)) if pe else "-", ratio_text(po, pe),
                 "-", "-"])
    sl = t(label, "startup")
    pl = label["startup"][1].get("peak_kb") if "startup" in label else None
    rows.append(["(reference) one-label window start-up", time_text(sl),
                 time_text(se) + " (empty window)", ratio_text(sl, se), "-", "-"])
    rows.append(["(reference) one-label window peak", "%.1f MB" % (pl / 1024) if pl else "-",
                 ("%.1f MB (empty window)" % (pe / 1024)) if pe else "-", ratio_text(pl, pe),
                 "-", "-"])
    # A window with one line of text is the fair floor: it pays for the font set-up
    # every window showing text pays.
    goals.append(("start-up <= 1.5 x one-label window", so is not None and sl is not None
                  and so <= 1.5 * sl, ratio_text(so, sl)))
    goals.append(("peak memory <= 1.2 x one-label window", po is not None and pl is not None
                  and po <= 1.2 * pl, ratio_text(po, pl)))

    header = ["benchmark (median)", "ours", "Wine peer / empty window", "ratio",
              "QSettings", "ratio"]
    if markdown:
        print("| " + " | ".join(header) + " |")
        print("|" + "---|" * len(header))
        for row in rows:
            print("| " + " | ".join(row) + " |")
        print()
        print("| goal | met | figure |")
        print("|---|---|---|")
        for goal, met, figure in goals:
            print("| %s | %s | %s |" % (goal, "yes" if met else "**no**", figure))
        return
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    for row in [header] + rows:
        print("  ".join(str(c).ljust(widths[i]) for i, c in enumerate(row)))
    print()
    for goal, met, figure in goals:
        print("%-4s %s (%s)" % ("met" if met else "MISS", goal, figure))


if __name__ == "__main__":
    main()
