// The answer to "refdiff --help" and "refdiff --version", given before any file is read; in the program's
// German, in UTF-8, as its messages.
#include "refdiff/rd.h"
#include "runtime/ut/ut.h"

static constexpr char cText[] = R"(Aufruf: refdiff [-k adresse|id] [-J] ALT NEU
Vergleicht zwei ZDB-Referenz-Dateien (netscn.ref oder tabconv.ref, in jeder
Paarung) Datenpunkt für Datenpunkt, nach ihren Kopfzeilen.

Ein Datenpunkt ist in beiden Dateien derselbe, wenn sein Schlüssel gleich ist:
  -k adresse      die Adressspalte (Vorgabe): in netscn.ref die BACnet-Adresse,
                  etwa 0001003.AI#0000007'00085
  -k id           die Datenpunkt-Id: eine Planliste (tabconv.ref) gegen einen
                  Scan (netscn.ref); die Adresse wird dann nur zwischen zwei
                  Dateien derselben Art verglichen
  -J              die Unterschiede als JSON ausgeben, Texte in UTF-8
  --help          diesen Text ausgeben und enden
  --version       Programmname und Version ausgeben und enden

Ausgabe in der Reihenfolge von NEU, danach die entfernten Punkte in der
Reihenfolge von ALT:
  + ZEILE         nur in NEU
  - ZEILE         nur in ALT
  ~ SCHLÜSSEL (ID oder ADRESSE)  Feld: "alt" -> "neu" ...
                  die geänderten Felder: Id, Typ, Attributcode, Text,
                  Adresse (-k id), Polarität (zwei Scans)
Ein Punkt, an dem sich nur die Nummer ändert, ist umnummeriert: keine Zeile,
aber gezählt. Zwischen Scan und Planliste werden die Texte so weit verglichen,
wie die 23 Textspalten des Scans reichen. Ein Schlüssel, der in einer Datei
zweimal steht, wird auf der Standardfehlerausgabe genannt; seine Punkte werden
in Dateireihenfolge gepaart. Zuletzt eine Zeile: hinzugefügte, entfernte,
geänderte, umnummerierte und unveränderte Punkte. Die Texte der Dateien
(Codepage 850) erscheinen in UTF-8, wenn die Locale UTF-8 ist, sonst so, wie
die Dateien sie halten; Steuerzeichen als '?'.

Exit-Status: 0 kein Unterschied, 1 Unterschiede, 2 Fehler: eine Datei fehlt
oder ist nicht lesbar oder größer als 256 MiB, ihr fehlt die Kopfzeile, eine
Zeile ist länger als 511 Zeichen, abgeschnitten oder keine Datenzeile (die
Standardfehlerausgabe nennt Datei und Zeile).
Die Handbuchseite refdiff(1) beschreibt die Einzelheiten.
)";

int RD_HILFE(int argc, char **argv, const char *cVersion) {
    return UT_HILFE(argc, argv, "refdiff", cVersion, cText);
}
