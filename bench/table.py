#!/usr/bin/env python3
"""Turns the benchmark programs' sample files into the results table.

  table.py OUTDIR NOTE SAMPLEFILE...

Each sample line is "<key> <value>", one per run. A figure shows the median
of its runs with the minimum and maximum, beside the reference measured in the
same run; the ratio is ours / reference of the medians. The table goes to
stdout, OUTDIR/results.md and OUTDIR/results.json. Later benchmarks add their
rows to FIGURES.
"""
import json
import os
import statistics
import sys

# name, unit, ours key, reference key, reference name, goal text, goal test
# (a function of the medians by key and the ratio; None: no goal).
FIGURES = [
    ("Sync call, 100 B argument: through the plug-in", "us/call",
     "call100_road_us", "call100_direct_us", "ExecuteCommand in process", "-", None),
    ("Sync call, 100 B: host overhead (road - direct)", "us/call",
     "call100_overhead_us", "call100_floor_us", "Base64 + json-c floor", "<= 5 us",
     lambda m, r: m["call100_overhead_us"] <= 5),
    ("Sync call, 64 KiB argument: through the plug-in", "us/call",
     "call64k_road_us", "call64k_direct_us", "ExecuteCommand in process", "-", None),
    ("Sync call, 64 KiB: host overhead (road - direct)", "us/call",
     "call64k_overhead_us", "call64k_floor_us", "Base64 + json-c floor", "<= 2 x floor",
     lambda m, r: r <= 2),
    ("Events into the movie, back to back", "events/s",
     "events_rate", "events_ref_rate", "toolkit thread events", ">= 50000/s",
     lambda m, r: m["events_rate"] >= 50000),
    ("Event delay post to movie, p50 (paced)", "us",
     "events_p50_us", "events_ref_p50_us", "toolkit thread events", "-", None),
    ("Event delay post to movie, p99 (paced)", "us",
     "events_p99_us", "events_ref_p99_us", "toolkit thread events", "<= 2000 us",
     lambda m, r: m["events_p99_us"] <= 2000),
    ("Events arrive once and in order", "share of runs",
     "events_in_order", "events_ref_in_order", "toolkit thread events", "all",
     lambda m, r: m["events_in_order"] == 1),
    ("Start-up to first paint (package: movie + file)", "ms",
     "startup_ms", "startup_ref_ms", "bare toolkit frame", "<= 1.2 x bare",
     lambda m, r: r <= 1.2),
    ("Peak working set at first paint", "MB",
     "startup_peak_mb", "startup_ref_peak_mb", "bare toolkit frame", "extra <= 2 x package",
     lambda m, r: m["startup_extra_mb"] <= 2 * m["startup_package_mb"]),
    ("Package: read + inflate compressed block", "MB/s",
     "package_block_mbps", "package_block_ref_mbps", "zlib inflate alone", ">= 0.8 x floor",
     lambda m, r: r >= 0.8),
    ("Package: read + decipher enciphered movie", "MB/s",
     "package_movie_mbps", "package_movie_ref_mbps", "OpenSSL Blowfish CBC alone", ">= 0.8 x floor",
     lambda m, r: r >= 0.8),
    ("Package: decipher enciphered movie, one thread", "MB/s",
     "package_movie_1t_mbps", "package_movie_1t_ref_mbps", "OpenSSL RSA-OAEP + Blowfish, one thread", "-",
     None),
    ("URL stream into the movie (NPP_Write)", "MB/s",
     "url_mbps", "url_ref_mbps", "libcurl program", ">= 0.9 x ref",
     lambda m, r: r >= 0.9),
]


def read_samples(paths):
    samples = {}
    for path in paths:
        if not os.path.exists(path):
            continue
        with open(path) as source:
            for line in source:
                parts = line.split()
                if len(parts) == 2:
                    samples.setdefault(parts[0], []).append(float(parts[1]))
    return samples


def stats(values):
    if not values:
        return None
    return {"median": statistics.median(values), "min": min(values), "max": max(values), "runs": len(values)}


def number(value):
    if abs(value) >= 1000:
        return "%.0f" % value
    if abs(value) >= 10:
        return "%.1f" % value
    return "%.3g" % value


def cell(figure):
    if figure is None:
        return "n/a"
    return "%s (%s-%s)" % (number(figure["median"]), number(figure["min"]), number(figure["max"]))


def build_rows(samples):
    medians = {key: statistics.median(values) for key, values in samples.items() if values}
    rows = []
    for name, unit, ours_key, ref_key, ref_name, goal, test in FIGURES:
        ours, ref = stats(samples.get(ours_key, [])), stats(samples.get(ref_key, []))
        ratio = ours["median"] / ref["median"] if ours and ref and ref["median"] else None
        status = "-"
        if test is not None:
            try:
                status = "met" if test(medians, ratio) else "missed"
            except (KeyError, TypeError):
                status = "not measured"
        rows.append({"figure": name, "unit": unit, "ours": ours, "reference": ref, "reference_is": ref_name,
                     "ratio": ratio, "goal": goal, "status": status})
    return rows


def text_table(rows):
    header = ["figure", "unit", "ours: median (min-max)", "reference: median (min-max)", "ratio", "goal"]
    lines = [header]
    for row in rows:
        ratio = "%.2f" % row["ratio"] if row["ratio"] is not None else "n/a"
        goal = row["goal"] if row["status"] == "-" else "%s: %s" % (row["goal"], row["status"])
        lines.append([row["figure"], row["unit"], cell(row["ours"]),
                      "%s [%s]" % (cell(row["reference"]), row["reference_is"]), ratio, goal])
    return lines


def main():
    out_dir, note, paths = sys.argv[1], sys.argv[2], sys.argv[3:]
    rows = build_rows(read_samples(paths))
    lines = text_table(rows)
    print(note)
    widths = [max(len(line[i]) for line in lines) for i in range(len(lines[0]))]
    for index, line in enumerate(lines):
        print("  ".join(text.ljust(width) for text, width in zip(line, widths)).rstrip())
        if index == 0:
            print("  ".join("-" * width for width in widths))
    os.makedirs(out_dir, exist_ok=True)
    with open(os.path.join(out_dir, "results.md"), "w") as md:
        md.write(note + "\n\n")
        md.write("| " + " | ".join(lines[0]) + " |\n")
        md.write("|" + "---|" * len(lines[0]) + "\n")
        for line in lines[1:]:
            md.write("| " + " | ".join(line) + " |\n")
    with open(os.path.join(out_dir, "results.json"), "w") as out:
        json.dump({"sizes": note, "figures": rows}, out, indent=2)
        out.write("\n")
    return 0 if all(row["ours"] for row in rows) else 1


if __name__ == "__main__":
    sys.exit(main())
