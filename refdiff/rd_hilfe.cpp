// The answer to "refdiff --help" and "refdiff --version", given before any file is read.
#include "refdiff/rd.h"
#include "runtime/ut/ut.h"

static constexpr char cText[] = R"(Usage: refdiff [-k adresse|id] [-J] OLD NEW
Compare two ZDB reference files (netscn.ref or tabconv.ref, in any pairing)
data point by data point, after their header lines.

A data point is the same in both files when its key is the same:
  -k adresse      the address column (default): for netscn.ref the BACnet
                  address, such as 0001003.AI#0000007'00085
  -k id           the data-point id: a planned list (tabconv.ref) against a
                  scan (netscn.ref); the address is then compared only
                  between two files of one kind
  -J              write the differences as JSON, texts in UTF-8
  --help          print this text and exit
  --version       print the program name and version and exit

Output, in the order of NEW, then the points removed in the order of OLD:
  + LINE          only in NEW
  - LINE          only in OLD
  ~ KEY  Field: "old" -> "new" ...
                  the fields that changed: Id, Typ, Attributcode, Text,
                  Adresse (-k id), Polarit)"
                                "\x84"
                                R"(t (two scans)
A point whose number is the only change is renumbered: no line, but counted.
Between a scan and a planned list the texts are compared as far as the
scanner's 23 columns reach. A key that appears twice in one file is named on
standard error; its points are paired in file order. Last comes one line:
added, removed, changed, renumbered and unchanged points. Texts are shown as
the files hold them, in code page 850.

Exit status: 0 no difference, 1 differences, 2 trouble (a file missing or
unreadable, no header line, a line that is not a data line: standard error
names the file and the line).
The manual page refdiff(1) has the details.
)";

int RD_HILFE(int argc, char **argv, const char *cVersion) {
    return UT_HILFE(argc, argv, "refdiff", cVersion, cText);
}
