// The answer to "tabconv --help" and "tabconv --version", given before the converter opens anything.
#include "converter/tk.h"
#include "runtime/ut/ut.h"

static constexpr char cText[] = R"(Usage: tabconv CSVFILE [OPTION]...
Convert a CSV list of data points into the ZDB reference file tabconv.ref in
the working directory and, with -L, hand it to the loader ctrload.

CSVFILE (first argument, required): a heading line, then one data point per
line with 9 fields separated by ';' (no quoting):
  number;id;type;attribute code;text;address;driver id;object id;GAK id
The first record's driver id, object id and GAK id go into the header line.

Options (from the second argument on; '-' or '/'; the letter in either case):
  -L              hand tabconv.ref to the loader at the end, as
                  ctrload tabconv.ref <driver id> '<object id>' '<GAK id>'
                  (only with a driver id of 1 to 128; ctrload from PATH)
  -U              read the CSV as UTF-8 and convert its fields to code page
                  850 before they are cut (a byte-order mark is skipped)
  -TA             trace every function; -TA1 entries, -TA4 exits
  -TO, -TO1       trace every line written to tabconv.ref
  -TX             list the switches set; -TA2, -TA3, -TI, -TI1, -TI2, -TI3
                  and -TO2 are accepted and only listed
  -TD<file>       trace into <file> instead of standard error
  --help          print this text and exit
  --version       print the program name and version and exit
Other arguments and unknown options are ignored.

Exit status: 0 tabconv.ref written, 1 start-up failed (no argument, CSV file
missing or empty, tabconv.ref not creatable), 2 a faulty record or a write
error (the lines before it stay in tabconv.ref). A failing loader does not
change the exit status.
The manual page tabconv(1) has the details and the file formats.
)";

int TK_HILFE(int argc, char **argv, const char *cVersion) {
    return UT_HILFE(argc, argv, "tabconv", cVersion, cText);
}
