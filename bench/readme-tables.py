#!/usr/bin/env python3
"""The README's benchmark tables from the JSON of a SQLite and a PostgreSQL
run made with --growth:  readme-tables.py sqlite.json postgresql.json"""
import json
import sys


def num(x, digits=1):
    return "" if x is None else f"{x:,.{digits}f}"


def times(o):
    if o.get("median_ms") is None:
        return ""
    return f"{num(o['median_ms'])} / {num(o['slowest_ms'])}"


def ratio(x):
    return "" if x is None else f"{x:.1f}×"


def hand(o):
    return "" if o.get("limit_ms") is None else f"{o['limit_ms']:.2f}"


def columns(o):
    return [times(o), hand(o), ratio(o.get("ratio")), num(o.get("archive_ms")),
            ratio(o.get("archive_ratio"))]


def statements(a, b):
    x, y = a.get("statements"), b.get("statements")
    if x is None or x < 0:
        return ""
    return str(x) if x == y else f"{x} / {y}"


def keyed(operations):
    """Operations by name; an indented line belongs to the one above it."""
    out, parent = {}, ""
    for o in operations:
        if not o["name"].startswith(" "):
            parent = o["name"]
            out[parent] = o
        else:
            out[parent + o["name"]] = o
    return out


def growth(label, run):
    stages = run["growth"]
    first, last = stages[0], stages[-1]
    out = ["", f"Growth on {label} (median ms at "
           + " / ".join(str(s["years"]) for s in stages) + " years):", "",
           "| operation | " + " | ".join(f"{s['years']} years" for s in stages)
           + f" | {last['years']} y / {first['years']} y |",
           "|---|" + "---:|" * (len(stages) + 1)]
    invoices = [s["archive"]["fattura"] for s in stages]
    out.append("| invoices in the archive | " + " | ".join(f"{n:,}" for n in invoices)
               + f" | {invoices[-1] / invoices[0]:.1f}× |")
    byStage = [keyed(s["operations"]) for s in stages]
    for key, o in byStage[-1].items():
        if o["name"].startswith("Creazione"):
            continue
        values = [k[key]["median_ms"] if key in k else None for k in byStage]
        grew = f"{values[-1] / values[0]:.1f}×" if values[0] else ""
        out.append(f"| {o['name']} | " + " | ".join(num(v) for v in values) + f" | {grew} |")
    memory = [s["history_list_memory_mb"] for s in stages]
    out.append("| memory with the history list open (MB) | "
               + " | ".join(f"{m:.1f}" for m in memory) + f" | {memory[-1] / memory[0]:.1f}× |")
    return out


def main():
    sqlite = json.load(open(sys.argv[1]))
    pg = json.load(open(sys.argv[2]))
    archive = sorted(sqlite["archive"].items(), key=lambda kv: kv[0].lower())
    out = [f"Archive at {sqlite['years']} years: "
           + ", ".join(f"{k} {v:,}" for k, v in archive), "",
           "| operation | SQLite median / slowest | hand | ratio | archive ms | archive ratio "
           "| PostgreSQL median / slowest | hand | ratio | archive ms | archive ratio "
           "| statements |",
           "|---|" + "---:|" * 11]
    others = keyed(pg["operations"])
    for key, a in keyed(sqlite["operations"]).items():
        b = others.get(key, {"median_ms": None, "slowest_ms": None})
        out.append(f"| {a['name']} | " + " | ".join(columns(a) + columns(b))
                   + f" | {statements(a, b)} |")
    out += ["", f"memory with the history list open: SQLite "
            f"{sqlite['history_list_memory_mb']:.1f} MB, PostgreSQL "
            f"{pg['history_list_memory_mb']:.1f} MB; peak: {sqlite['peak_memory_mb']:.1f} / "
            f"{pg['peak_memory_mb']:.1f} MB"]
    if sqlite.get("growth") and pg.get("growth"):
        out += growth("SQLite", sqlite) + growth("PostgreSQL", pg)
    print("\n".join(out))


main()
