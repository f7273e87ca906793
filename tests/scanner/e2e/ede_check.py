#!/usr/bin/env python3
"""Checks <prefix>_EDE.csv and <prefix>_StateTexts.csv, read by Python's csv reader, against the building
description bacsim played: a row per device and per data point, every text whole. Prints what differs."""
import csv, sys

TYPEN = {"AI": 0, "AO": 1, "AV": 2, "BI": 3, "BO": 4, "BV": 5, "MI": 13, "MO": 14, "MV": 19}

def gebaeude(pfad):
    geraete, obj = {}, None
    for zeile in open(pfad, encoding="utf-8"):
        teile = zeile.strip().split(None, 1)
        if not teile or teile[0].startswith("#"):
            continue
        wort, rest = teile[0], (teile[1] if len(teile) > 1 else "").rstrip(" \t")
        if wort == "device":
            dev = int(rest.split()[0])
            obj = geraete[dev] = {"name": "", "punkte": {}}
        elif wort == "object":
            typ, inst = rest.split()[:2]
            obj = {} if typ not in TYPEN else geraete[dev]["punkte"].setdefault((TYPEN[typ], int(inst)), {})
        elif obj is not None and wort in ("name", "description", "units", "inactive-text", "active-text", "states"):
            obj[wort] = rest
    return geraete

def pruefen(bau, prefix):
    geraete, fehler = gebaeude(bau), []
    zeilen = list(csv.reader(open(prefix + "_EDE.csv", encoding="utf-8", newline=""), delimiter=";"))
    texte = {z[0]: z[1:] for z in csv.reader(open(prefix + "_StateTexts.csv", encoding="utf-8", newline=""),
                                             delimiter=";") if not z[0].startswith("#")}
    kopf = [z[0] for z in zeilen[1:6]]
    if kopf != ["PROJECT_NAME", "VERSION_OF_REFERENCEFILE", "TIMESTAMP_OF_LAST_CHANGE", "AUTHOR_OF_LAST_CHANGE",
                "VERSION_OF_LAYOUT"] or zeilen[5][1] != "2.3":
        fehler.append("header %r" % zeilen[:6])
    gesehen = set()
    for z in zeilen[8:]:
        if len(z) != 16:
            fehler.append("columns %r" % z)
            continue
        dev, typ, inst = int(z[1]), int(z[3]), int(z[4])
        if typ == 8:
            soll = [geraete[dev]["name"]]
            ist = [z[2]]
        else:
            p = geraete[dev]["punkte"][(typ, inst)]
            stufen = p["states"].split("|") if "states" in p else []
            if typ in (3, 4, 5):
                stufen = [p.get("inactive-text", ""), p.get("active-text", "")]
            name = p.get("name", "")
            soll = [name, p.get("description", ""), p.get("units", "") if typ <= 2 else "",
                    "%07d.%s#%07d'00085" % (dev, [k for k, v in TYPEN.items() if v == typ][0], inst),
                    stufen if any(stufen) else None]
            ist = [z[2], z[5], z[14], z[15], texte.get(z[13]) if z[13] else None]
            if name.isascii() and z[0] != name[:16]:
                fehler.append("keyname %r of %r" % (z[0], name))
        if ist != soll:
            fehler.append("%r != %r" % (ist, soll))
        gesehen.add((dev, typ, inst))
    alle = {(d, 8, d) for d in geraete} | {(d,) + k for d, g in geraete.items() for k in g["punkte"]}
    if gesehen != alle:
        fehler.append("rows missing or too many: %r" % (alle ^ gesehen))
    return fehler

if __name__ == "__main__":
    f = pruefen(sys.argv[1], sys.argv[2])
    print("\n".join(f[:20]))
    sys.exit(1 if f else 0)
