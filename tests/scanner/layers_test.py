#!/usr/bin/env python3
"""The scanner's folders include each other only as README's Layout orders them: a folder includes those on
its own line or below; an observer folder (its line says "observers") only setup/ includes, where observers
are registered. The top files of scanner/ stand above all folders.   layers_test.py README.md SCANNER_DIR"""
import pathlib, re, sys

block = re.search(r"```text folder order\n(.*?)```", pathlib.Path(sys.argv[1]).read_text(), re.S)
stufe, beobachter = {}, set()
for i, zeile in enumerate(l for l in (block.group(1) if block else "").splitlines() if l.strip()):
    for name in zeile.split("#")[0].split():
        stufe[name] = i
        beobachter |= {name} if "observers" in zeile else set()
fehler = [] if stufe else ["no folder order in README"]
wurzel = pathlib.Path(sys.argv[2])
for datei in sorted(wurzel.rglob("*.[ch]*")):
    teil = datei.relative_to(wurzel).parts
    von = teil[0] if len(teil) > 1 else None  # None: a top file
    for n, zeile in enumerate(datei.read_text(errors="replace").splitlines(), 1):
        m = re.match(r'\s*#\s*include\s+"scanner/([a-z_]+)/', zeile)
        nach = m.group(1) if m else von
        if nach == von:
            continue
        if nach not in stufe or (von is not None and von not in stufe):
            fehler.append(f"{datei}:{n}: {von}/ or {nach}/ is not in the order")
        elif (nach in beobachter and von != "setup") or (von is not None and stufe[nach] < stufe[von]):
            fehler.append(f"{datei}:{n}: {von or 'scanner'}/ includes {nach}/ against the order")
print("\n".join(fehler) or f"layers: {len(stufe)} folders in order")
sys.exit(1 if fehler else 0)
