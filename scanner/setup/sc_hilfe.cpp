// The answer to "netscn --help" and "netscn --version", given before the scanner opens anything.
#include "runtime/ut/ut.h"
#include "scanner/sc.h"

static constexpr char cText[] = R"(Usage: netscn [[ADDRESS#]PORT] [OPTION]...
Scan a BACnet/IP network and write the ZDB reference file netscn.ref.

WARNING: netscn sends to the real network at once. It broadcasts a Who-Is
into every local IP network and reads every device that answers. Start it
only on the network you are commissioning.

Endpoint argument (first argument only; a wrong one is ignored):
  [ADDRESS#]PORT  UDP port of the scanner and of its Who-Is (default 47808).
                  ADDRESS, the scanner's own IPv4 address, limits the Who-Is
                  to that address's network; without it every address of
                  the host named by HOST (else HOSTNAME, else the host name)
                  is used.

Options (in any position; '-' or '/'; the letter in either case):
  -E<text>        data-point id: the object name after the last <text>
  -B<text>        data-point id: the object name from the first <text> on;
                  objects whose name lacks <text> are left out
  -A<text>        appended to data-point ids of up to 15 characters, as far
                  as the id stays within 16
  -R<n>           repetitions of an unanswered ReadProperty request,
                  0 to 9 (default 3; -R0: a single try)
  -P<n>           devices scanned at the same time, 1 to 64 (default 1); the
                  file is the same as the one of a scan device by device
  -U              device texts converted from their BACnet character set
                  (UTF-8, ISO 8859-1, UCS-2, UCS-4) to code page 850 before
                  they are cut and matched
  -M              read with ReadPropertyMultiple: many values per request,
                  sized to each device's max APDU; devices that refuse it,
                  or answers too large, fall back to ReadProperty. The file
                  is the same as without -M
  -F<ADDRESS>[#PORT[#TTL]]
                  register as a foreign device with the BBMD at ADDRESS
                  (port 47808) before the Who-Is, which the BBMD then also
                  distributes to the whole site; TTL, the registration's
                  time-to-live, 10 to 65535 seconds (default 60), renewed
                  at half of it; the entry is deleted at the end
  -J<file>        write a scan report to <file> (JSON, UTF-8): per device
                  what was read, and every refusal or missing answer with
                  its object, property, answer and what it did to the line;
                  before the verdict a console line per incomplete device
  -V              show the progress with devices done, data points written
                  and an estimate of the time left
  -X<prefix>      write the scan as EDE files <prefix>_EDE.csv and
                  <prefix>_StateTexts.csv (layout 2.3, UTF-8): every
                  device and data point with its name and description
                  whole, units and all state texts; also asks each
                  device's name and the state texts past the ninth
  -S<wss URI>     scan through the BACnet/SC hub wss://host[:port][/path]
                  (port 443 by default) in place of the UDP endpoint: TLS
                  1.3 and WebSocket, one Who-Is through the hub to every
                  node; a second -S names the failover hub. A lost
                  connection is tried again (the failover hub, then with a
                  back-off of up to 8 s) and the requests it swallowed go
                  again; a Disconnect-Request ends the scan
  -I<file>        with -S: the issuer certificate (PEM) the hub's
                  certificate must come from
  -C<file>        with -S: the scanner's own certificate (PEM)
  -K<file>        with -S: the scanner's private key (PEM, unencrypted)
  -D<low>[-<high>]
                  device instances low to high (or low alone), 0 to
                  4194302: the Who-Is asks only these, and only these are
                  scanned, also from the route file
  -N              discover the site network by network before the scan,
                  in place of the Who-Is to every network: the routers,
                  their tables, the BBMDs' tables, then a Who-Is into each
                  network through its router, instance range by range;
                  before the verdict the site's map and its conflicts
                  (with -J also in the report, as network_map)
  -G<file>        write the site's map as a Graphviz graph to <file>
                  (draw it with: dot -Tsvg <file> -o map.svg)
  -TA             trace every function; -TA1 entries, -TA2 host queries,
                  -TA3 network queries and disk checks, -TA4 exits
  -TI, -TI1       trace received data
  -TO, -TO1       trace sent data
  -TX             extended scan trace and the list of the switches set
  -TD<file>       trace into <file> instead of standard error
  --help          print this text and exit
  --version       print the program name and version and exit
Unknown options and malformed values of -R and -P are ignored; a malformed
-F, -D or -S ends the program with status 1, as does a BBMD that refuses the
registration or does not answer it, and a hub that cannot be reached or
refuses the scanner (said in one line: which step, whose certificate, why).
SSLKEYLOGFILE names a file the TLS session keys are appended to, so that a
capture of the scan through a hub can be decoded.

Files in the working directory:
  cfg/dp_atb.txt  attribute text catalogue, read: state texts per code
  qx/qx04ddev.bn  route file, read when present: devices known in advance
                  (with -S reached by the VMAC in place of the endpoint,
                  e.g. 02:00:00:00:00:03)
  netscn.ref      reference file, written: a header line, then one line per
                  analog, binary and multi-state object
  netscn.dev      device file, created empty

The scan ends 5 seconds after the last request sent: after the last device,
or earlier when a request stays unanswered after its repetitions (a time-out,
still a success; with -P2 and more only that device is given up).
Exit status: 0 netscn.ref written (also after a time-out), 1 set-up failed
(for example the port is in use, a file cannot be created or the BBMD
refused the registration), 2 a write error on netscn.ref, on the report of
-J, on the EDE files of -X or on the map of -G.
The manual page netscn(1) has the details and the file formats.
)";

int SC_HILFE(int argc, char **argv, const char *cVersion) {
    return UT_HILFE(argc, argv, "netscn", cVersion, cText);
}
