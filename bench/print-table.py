#!/usr/bin/env python3
"""Prints the benchmark table: each figure, its reference, the ratio and the goal.

Usage: print-table.py SAMPLING_JSON WINDOW_JSON COPY_JSON PROGRAM_FIGURES WINDOWS_FIGURES REPORT_FIGURES
                      JOURNAL_FIGURES PROBE_FIGURES
       print-table.py --report REPORT_FIGURES   (the signal report's rows alone)
       print-table.py --journal JOURNAL_FIGURES PROBE_FIGURES   (the journal's and probes' rows)
"""
import json
import sys


def load_benchmarks(path):
    with open(path) as f:
        return {b["run_name"]: b for b in json.load(f)["benchmarks"]}


def load_figures(path):
    figures = {}
    with open(path) as f:
        for line in f:
            if "=" in line:
                key, value = line.strip().split("=", 1)
                figures[key] = value
    return figures


def time_us(b):
    factor = {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[b["time_unit"]]
    return b["real_time"] * factor


def report_rows(report, row):
    """The signal report of a 1 GB log beside the floor: the system's own line count of it,
    and for the export that count plus writing as many bytes into the page cache."""
    floor = float(report["floor_s"])
    gigabytes = int(report["log_bytes"]) / 2**30
    lines = int(report["log_lines"])
    reference = f"{floor:.2f} s (wc -l of the log)"
    seconds = float(report["report_s"])
    row(f"HTML report of a {gigabytes:.2f} GB log, {lines:,} lines", f"{seconds:.2f} s", reference,
        f"{seconds / floor:.2f}", "at most 3 times", seconds / floor <= 3)
    rss = int(report["report_rss_kb"]) / 1024
    row("resident memory of that report", f"{rss:.1f} MB", f"{gigabytes * 1024:.0f} MB (the log)",
        f"{rss / (gigabytes * 1024):.3f}", "at most 64 MB", rss <= 64)
    html = int(report["html_bytes"]) / 2**20
    row("size of that HTML report", f"{html:.2f} MB", f"{gigabytes * 1024:.0f} MB (the log)",
        f"{html / (gigabytes * 1024):.5f}", "at most 1.5 MB", html <= 1.5)
    cpu, floor_cpu = float(report["report_cpu_s"]), float(report["floor_cpu_s"])
    row("CPU time of that report, both threads", f"{cpu:.2f} s",
        f"{floor_cpu:.2f} s (CPU time of the floor)", f"{cpu / floor_cpu:.2f}", "report", True)
    csv = float(report["csv_s"])
    csv_gb = int(report["csv_bytes"]) / 2**30
    export_floor = float(report["export_floor_s"])
    row(f"CSV export of the same log, {csv_gb:.2f} GB into a file (page cache)", f"{csv:.2f} s",
        f"{export_floor:.2f} s (wc -l, then head -c of {csv_gb:.2f} GB into a file)",
        f"{csv / export_floor:.2f}", "at most 2 times", csv / export_floor <= 2)
    csv_rss = int(report["csv_rss_kb"]) / 1024
    row("resident memory of that export", f"{csv_rss:.1f} MB", f"{gigabytes * 1024:.0f} MB (the log)",
        f"{csv_rss / (gigabytes * 1024):.3f}", "at most 64 MB", csv_rss <= 64)


def journal_rows(journal, row):
    """The report of a year's journal beside the system's own line count of the files it
    reads; the export with the journal's columns beside the same export without them."""
    records = int(journal["journal_records"])
    megabytes = (int(journal["journal_bytes"]) + int(journal["journal_log_bytes"])) / 2**20
    floor = float(journal["journal_floor_s"])
    seconds = float(journal["journal_report_s"])
    row(f"HTML report of a year's journal, {records:,} records at 5 s, and its log",
        f"{seconds:.2f} s", f"{floor:.2f} s (wc -l of the month files and the log, {megabytes:.0f} MB)",
        f"{seconds / floor:.1f}", "at most 3 times", seconds / floor <= 3)
    plain = float(journal["plain_report_s"])
    row("HTML report of that log alone, without a journal", f"{plain:.2f} s",
        f"{seconds:.2f} s (the report with the journal)", f"{plain / seconds:.2f}", "report", True)
    rss = int(journal["journal_report_rss_kb"]) / 1024
    row("resident memory of that report", f"{rss:.1f} MB", f"{megabytes:.0f} MB (the files)",
        f"{rss / megabytes:.3f}", "report", True)
    csv, plain = float(journal["journal_csv_s"]), float(journal["plain_csv_s"])
    row("CSV export of that log with the journal's columns", f"{csv:.2f} s",
        f"{plain:.2f} s (the same export without a journal)", f"{csv / plain:.1f}", "report", True)
    csv_rss = int(journal["journal_csv_rss_kb"]) / 1024
    row("resident memory of that export", f"{csv_rss:.1f} MB", f"{megabytes:.0f} MB (the files)",
        f"{csv_rss / megabytes:.3f}", "report", True)


def probe_rows(probes, row):
    """CPU time with probes on beside the same build with probes off, side by side inside
    network namespaces of the benchmark's own."""
    if "probes_skipped" in probes:
        row("CPU per minute, 1 s interval, probes on", "-", probes["probes_skipped"], "-",
            "at most 1.5 times", False)
        return
    on = float(probes["probes_cpu_ms_per_minute.on"])
    off = float(probes["probes_cpu_ms_per_minute.off"])
    seconds = int(probes["probes_seconds_measured"])
    row(f"CPU per minute, 1 s interval, Method #2, probes on ({seconds} s, scaled)",
        f"{on:.1f} ms", f"{off:.1f} ms (the same build, probes off)", f"{on / off:.2f}",
        "at most 1.5 times", on / off <= 1.5)


def print_rows(rows):
    header = ("figure", "Quorvane", "reference", "ratio", "goal", "")
    widths = [max(len(str(r[i])) for r in rows + [header]) for i in range(len(header))]
    line = lambda cells: "| " + " | ".join(str(c).ljust(w) for c, w in zip(cells, widths)) + " |"
    print(line(header))
    print("|" + "|".join("-" * (w + 2) for w in widths) + "|")
    for r in rows:
        print(line(r))


def main():
    if sys.argv[1] == "--report":
        rows = []
        report_rows(load_figures(sys.argv[2]),
                    lambda *r: rows.append(r[:5] + ("met" if r[5] else "NOT MET",)))
        print_rows(rows)
        return
    if sys.argv[1] == "--journal":
        rows = []
        add = lambda *r: rows.append(r[:5] + ("met" if r[5] else "NOT MET",))
        journal_rows(load_figures(sys.argv[2]), add)
        probe_rows(load_figures(sys.argv[3]), add)
        print_rows(rows)
        return
    sampling = load_benchmarks(sys.argv[1])
    window = load_benchmarks(sys.argv[2])
    window.update(load_benchmarks(sys.argv[3]))
    program = load_figures(sys.argv[4])
    windows = load_figures(sys.argv[5])
    rows = []

    def row(figure, value, reference, ratio, goal, met):
        rows.append((figure, value, reference, ratio, goal, "met" if met else "NOT MET"))

    probing = window["SamplesWhileProbesTimeOut/iterations:1"]["longest_stall_ms"]
    probes_blocking = window["ProbesBlockingTheWindow/iterations:1"]["longest_stall_ms"]
    row("longest stall of the window, 1 s samples while the probes time out",
        f"{probing:.0f} ms", f"{probes_blocking:.0f} ms (a round on the window's thread)", "-",
        "at most 30 ms", probing <= 30)

    stall = window["LogNowWhileTheToolTakesThreeSeconds/iterations:1"]["longest_stall_ms"]
    blocking = window["SameSampleBlockingTheWindow/iterations:1"]["longest_stall_ms"]
    row("longest stall of the window, Method #1 sample, tool takes 3 s",
        f"{stall:.0f} ms", f"{blocking:.0f} ms (sample taken on the window's thread)",
        f"{stall / blocking:.3f}", "at most 30 ms", stall <= 30)

    stall = window["SignalReportWhileTheWindowRuns/iterations:1"]["longest_stall_ms"]
    blocking = window["SignalReportBlockingTheWindow/iterations:1"]["longest_stall_ms"]
    row("longest stall of the window, Signal Report of a 100 MB log",
        f"{stall:.0f} ms", f"{blocking:.0f} ms (report made on the window's thread)",
        f"{stall / blocking:.3f}", "at most 30 ms", stall <= 30)

    one = time_us(sampling["MethodOneSample/min_time:2.000"])
    alone = time_us(sampling["FakeToolAlone/min_time:2.000"])
    row("one Method #1 sample, tool start included", f"{one:.0f} us",
        f"{alone:.0f} us (starting the fake tool alone)", f"{one / alone:.2f}",
        "at most 1.2 times", one / alone <= 1.2)

    real = time_us(sampling["MethodTwoRealSource"])
    fake = time_us(sampling["MethodTwoFakeSource"])
    netlink = time_us(sampling["BareNetlinkRoundTrip"])
    row("one Method #2 reading, real nl80211 source (no nl80211 here)", f"{real:.1f} us",
        f"{netlink:.1f} us (bare netlink round trip)", f"{real / netlink:.2f}", "report", True)
    row("one Method #2 reading, fake source", f"{fake:.1f} us",
        f"{netlink:.1f} us (bare netlink round trip)", f"{fake / netlink:.2f}",
        "under 50 us", fake < 50)
    link = time_us(sampling["LinkContextRealSource"])
    row("the link's context from nl80211 (no nl80211 here)", f"{link:.1f} us",
        f"{real:.1f} us (the Method #2 reading it rides on)", f"{link / real:.2f}",
        "at most 1 time", link <= real)
    with_link = time_us(sampling["MethodTwoFakeSourceWithLink"])
    row("one Method #2 reading with the link's context, fake sources", f"{with_link:.2f} us",
        f"{fake:.2f} us (the reading alone)", f"{with_link / fake:.2f}", "report", True)

    ours = window["HistoryListMillionLines/iterations:1"]
    widget = window["ListWidgetMillionLines/iterations:1"]
    row("memory per history line, 1,000,000 lines", f"{ours['bytes_per_line']:.1f} B",
        f"{widget['bytes_per_line']:.0f} B (QListWidget, one item per line)",
        f"{ours['bytes_per_line'] / widget['bytes_per_line']:.3f}",
        "at most 32 B and 8 times less",
        ours["bytes_per_line"] <= 32 and widget["bytes_per_line"] >= 8 * ours["bytes_per_line"])
    flat = ours["last_append_us"] / ours["first_append_us"]
    row("time per append, last 10,000 of 1,000,000 lines", f"{ours['last_append_us']:.2f} us",
        f"{ours['first_append_us']:.2f} us (first 10,000 lines)", f"{flat:.2f}",
        "flat (about 1)", flat <= 1.5)

    big = time_us(window["ScrollToEndAndPaint/1000000"])
    small = time_us(window["ScrollToEndAndPaint/1000"])
    row("scroll to the end and paint, 1,000,000 lines", f"{big:.0f} us",
        f"{small:.0f} us (1,000 lines)", f"{big / small:.2f}", "at most 2 times", big / small <= 2)

    minutes = program["minutes"]
    for state in ("shown", "hidden"):
        rss = float(program[f"rss_median_kb.quorvane_{state}"]) / 1024
        bare_rss = float(program[f"rss_median_kb.bare_{state}"]) / 1024
        row(f"resident memory, 1 s interval, Method #2, {state}", f"{rss:.1f} MB",
            f"{bare_rss:.1f} MB (bare Qt tray program)", f"{rss / bare_rss:.2f}",
            "at most 1.15 times", rss / bare_rss <= 1.15)
        cpu = float(program[f"cpu_ms_per_minute.quorvane_{state}"])
        bare_cpu = float(program[f"cpu_ms_per_minute.bare_{state}"])
        row(f"CPU per minute, 1 s interval, Method #2, {state}", f"{cpu:.1f} ms",
            f"{bare_cpu:.1f} ms (bare Qt tray program)", f"{cpu / bare_cpu:.2f}",
            "at most 1.5 times", cpu / bare_cpu <= 1.5)
        growth = int(program[f"rss_growth_kb.quorvane_{state}"])
        lines = int(program[f"lines_logged.quorvane_{state}"])
        bare_growth = int(program[f"rss_growth_kb.bare_{state}"])
        row(f"memory growth over {minutes} minutes, {state}", f"{growth} kB ({lines} lines)",
            f"{bare_growth} kB (bare Qt tray program)", "-",
            "no more than the lines (16 B each)", growth <= max(16 * lines // 1024, 0) + 64)

    paint = float(program["first_paint_ms.quorvane"])
    bare_paint = float(program["first_paint_ms.bare"])
    row("launch to first paint", f"{paint:.1f} ms", f"{bare_paint:.1f} ms (bare Qt tray program)",
        f"{paint / bare_paint:.2f}", "at most 1.5 times", paint / bare_paint <= 1.5)

    giant = time_us(sampling["AppendToGigabyteLog"])
    empty = time_us(sampling["AppendToEmptyLog"])
    row("append one line to a 1 GB log", f"{giant:.1f} us", f"{empty:.1f} us (empty log)",
        f"{giant / empty:.2f}", "at most 1.1 times", giant / empty <= 1.1)

    record = time_us(sampling["AppendJournalRecord"])
    row("append one journal record", f"{record:.1f} us", f"{empty:.1f} us (a log line's append)",
        f"{record / empty:.2f}", "at most 1.2 times", record / empty <= 1.2)
    record = time_us(sampling["AppendJournalRecordWithLink"])
    row("append one journal record with the link's context", f"{record:.1f} us",
        f"{empty:.1f} us (a log line's append)", f"{record / empty:.2f}", "at most 1.2 times",
        record / empty <= 1.2)

    copy = window["CopyHistoryOfHundredMegabytes/iterations:3"]
    read = window["ReadHundredMegabytesAlone/iterations:3"]
    row("Copy History To Clipboard, 100 MB log", f"{time_us(copy) / 1e3:.0f} ms",
        f"{time_us(read) / 1e3:.0f} ms (reading the file alone)",
        f"{time_us(copy) / time_us(read):.2f}", "at most 2 times",
        time_us(copy) / time_us(read) <= 2)
    peak = copy["peak_memory_log_sizes"]
    row("peak memory of that copy", f"{peak:.2f} x the file", "the file's size", f"{peak:.2f}",
        "at most 3 times", peak <= 3)

    # The Windows program, under Wine. MB are 2^20 bytes, as in the rows above.
    exe_mb = int(windows["exe_bytes"]) / 2**20
    qt_mb = int(program["qt_deployment_bytes"]) / 2**20
    row("size of Quorvane.exe, statically linked, Release", f"{exe_mb:.2f} MB",
        f"{qt_mb:.1f} MB (Qt 6 libraries the Linux program loads)", f"{exe_mb / qt_mb:.2f}",
        "at most 3 MB", exe_mb <= 3)

    ours = float(windows["history_list.bytes_per_line"])
    plain = float(windows["plain_list.bytes_per_line"])
    plain_lines = int(windows["plain_list.lines"])
    row(f"memory per history line, {int(windows['history_list.lines']):,} lines, Win32 list",
        f"{ours:.1f} B", f"{plain:.0f} B (plain SysListView32, {plain_lines:,} items)",
        f"{ours / plain:.3f}", "at most 32 B", ours <= 32)

    stall = float(windows["stall_log_now.longest_stall_ms"])
    blocking = float(windows["stall_blocking.longest_stall_ms"])
    row("longest stall of the Win32 window, Method #1 sample, netsh takes 3 s",
        f"{stall:.0f} ms", f"{blocking:.0f} ms (sample taken on the window's thread)",
        f"{stall / blocking:.3f}", "at most 30 ms", stall <= 30)
    if "stall_held_log.longest_stall_ms" in windows:
        held = float(windows["stall_held_log.longest_stall_ms"])
        row("longest stall of the Win32 window, the same while another program holds the log",
            f"{held:.0f} ms", f"{blocking:.0f} ms (sample taken on the window's thread)",
            f"{held / blocking:.3f}", "at most 30 ms", held <= 30)

    report_rows(load_figures(sys.argv[6]), row)
    journal_rows(load_figures(sys.argv[7]), row)
    probe_rows(load_figures(sys.argv[8]), row)
    print_rows(rows)


if __name__ == "__main__":
    main()
