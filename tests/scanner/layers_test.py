#!/usr/bin/env python3
"""The scanner's folders include each other only as README's Layout orders them: a folder includes those
below it or on its own line; an observer folder (its line says "observers") is included only by setup/, where
the observers are registered. The top files of scanner/ stand above all folders, sc.h below all.
   layers_test.py README.md SCANNER_DIR"""
import pathlib, re, sys

readme, wurzel = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
text = readme.read_text(encoding="utf-8")
block = re.search(r"```text folder order\n(.*?)```", text, re.S)
if not block:
    sys.exit("layers: no folder order in " + str(readme))
stufe, beobachter = {}, set()
for i, zeile in enumerate(l for l in block.group(1).splitlines() if l.strip()):
    for name in zeile.split("#")[0].split():
        stufe[name] = i
        if "observers" in zeile:
            beobachter.add(name)
fehler = []
for datei in sorted(wurzel.rglob("*.[ch]*")):
    teil = datei.relative_to(wurzel).parts
    von = teil[0] if len(teil) > 1 else None  # None: a top file of scanner/
    if von is not None and von not in stufe:
        fehler.append(f"{datei}: folder {von} is not in the order")
        continue
    for n, zeile in enumerate(datei.read_text(encoding="utf-8", errors="replace").splitlines(), 1):
        m = re.match(r'\s*#\s*include\s+"scanner/([a-z_]+)/', zeile)
        if not m or m.group(1) == von:
            continue
        nach = m.group(1)
        if nach not in stufe:
            fehler.append(f"{datei}:{n}: includes {nach}/, which is not in the order")
        elif nach in beobachter and von != "setup":
            fehler.append(f"{datei}:{n}: {von or 'scanner'}/ includes the observer {nach}/")
        elif von is not None and stufe[nach] < stufe[von]:
            fehler.append(f"{datei}:{n}: {von}/ includes {nach}/, which stands above it")
print("\n".join(fehler) or f"layers: {len(stufe)} folders in order")
sys.exit(1 if fehler else 0)
