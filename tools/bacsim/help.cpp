// The text of "bacsim --help": how to start it and the building description format, with an example.
#include "tools/bacsim/bacsim.h"

const char *BS_HELP() {
    return R"(bacsim - BACnet/IP building simulator for tests and demonstrations

Usage: bacsim [options] BUILDING
  --log FILE      request log: one line per frame received (key=value fields, see below)
  --pcap FILE     capture file of every datagram received and sent (raw IPv4, for tshark)
  --ready FILE    created once every endpoint is open and the start-up I-Ams are sent
  --seconds N     end after N seconds (default: run until SIGTERM or SIGINT)
  --seed N        which requests a loss fault loses (default 1): the same seed and the same requests lose
                  the same ones on every run and machine
  --with-parent   end when the process that started bacsim ends
  --check         only read the description and report errors; sends nothing
  --list-hosts    only print the hosts' addresses, one per line (with --hub also each host's VMAC); sends
                  nothing
  --help          this text

As a BACnet/SC hub (the building's hosts become its nodes; no UDP endpoint is opened):
  --hub PORT      serve the hub on TCP PORT, every address: TLS 1.3 and WebSocket, sub-protocol
                  hub.bsc.bacnet.org. Host number i (from 0, in the order of the description) is the node
                  of VMAC 02:00:00:00:HH:LL, HHLL = i + 1; the hub itself is 02:48:55:42:00:00.
  --hub-cert FILE --hub-key FILE
                  the hub's certificate and private key (PEM)
  --hub-ca FILE   the issuer a node's certificate must come from (PEM); any other is refused in the handshake
  --hub-path P    the only path of the URI the hub upgrades (default /); any other is refused
  --hub-drop N:S  after N NPDUs from the nodes, close every connection and take none for S seconds (S < 0:
                  never again)
  --hub-dup-vmac  refuse the first Connect-Request as a VMAC already in use (with another message id)
The log then has a line per hub event: "hub vmac=V sc=connect answer=accept", the answers to the
Advertisement-Solicitation, Address-Resolution and Heartbeat-Request the hub sends each node on connecting
(sc=advertisement, sc=address-resolution-ack, sc=heartbeat-ack), sc=disconnect, sc=closed, sc=dropped,
sc=back, sc=tls-refused and sc=upgrade-refused.

bacsim sends and receives BACnet/IP traffic, so it refuses to run outside a private network namespace made by
tests/harness/netns-run (exit status 97). The simple way to run a building by hand:
  tests/harness/bench-net --building examples/building.txt --workdir /tmp/scan --fresh --copy examples \
                          --bacsim build/tools/bacsim/bacsim -- "$PWD/build/netscn"
which gives the simulated hosts their addresses in a namespace of their own, joined to the program's one by a
veth pair, and sets HOST to the program's address there (192.168.1.1 for the sample building).

Building description: plain text, one statement per line, keyword first; '#' starts a comment line.
Texts run to the end of the line (blanks at both ends dropped); \xHH writes any byte, \\ a backslash.
  charset N                 character set of the texts: before the first device, of every text (default
                            0); after it, of the texts that follow, up to the next host, device or object.
                            Texts are written in UTF-8; set 4 sends them as UCS-2 (big-endian), 3 as UCS-4
                            and 5 as ISO 8859-1 ('?' for what it lacks); there a byte that is not UTF-8
                            stands for its ISO 8859-1 letter. Other sets send the bytes as written, so
                            charset 0 with \xHH gives the code-page bytes of an older device.
  host ADDR[#PORT] [iam=unicast] [bbmd]
                            a simulated B/IP node with its own UDP endpoint (port 47808 by default); it also
                            hears the classful broadcast address of ADDR. I-Am answers are broadcast unless
                            iam=unicast sends them to the node that asked. bbmd makes it a BBMD (no device):
                            it forwards its subnet's broadcasts to its peers and foreign devices as
                            Forwarded-NPDU, puts what its peers forward into its subnet, and keeps a table
                            of foreign devices (Register-Foreign-Device, Delete-Foreign-Device-Table-Entry,
                            Distribute-Broadcast-To-Network), each entry until its time-to-live and 30 s of
                            grace have passed. It hears the other hosts of the building as its subnet.
  bdt ADDR[#PORT]           a peer of the last (bbmd) host, reached by unicast; the host itself may be listed
  nak register|delete|distribute [K]
                            the last (bbmd) host refuses that message with a BVLC-Result NAK, from the K-th
                            one on (default 1: every one)
  device INST [net N mac HEX] [vendor V]
                            a device on the last host: directly on its B/IP network, or behind the host's
                            router on network N at MAC address HEX (1 to 6 bytes, e.g. 21 or 0A0B).
                            A host carries at most one direct device, and any number of routed ones.
                            An instance may be given again at another address (another host, or another
                            MAC); each device answers as itself.
  object TYPE INST          an object of the last device. TYPE: AI AO AV BI BO BV MI MO MV FILE SCHEDULE
                            (or a number); the device object itself is implied.
Properties, for the last object (or for the device object before its first object):
  name TEXT                 object-name        description TEXT   description
  units N                   units              polarity N         polarity
  inactive-text TEXT        inactive-text      active-text TEXT   active-text
  states A|B|C              state-text (array), with number-of-states = count unless given
  number-of-states N        number-of-states   value V            present-value
  model TEXT, vendor-name TEXT                 of the device
  prop NAME VALUE           the same by property name or number (e.g. prop 28 Raum 101)
A property the description leaves out is answered with Error class property, code unknown-property. Every
object has object-identifier and object-type; the device has object-list (itself first, then its objects in
file order), vendor-identifier, max-apdu-length-accepted, segmentation-supported (none, or transmit), system-status,
protocol-version and protocol-revision.
Limits of the last device (before its first object):
  rpm off                   ReadPropertyMultiple is rejected as an unknown service; by default it is answered,
                            each property as ReadProperty would answer it (a value, or an error in the answer)
  max-apdu N                the longest answer the device sends, 50 to 1476 (default 1476), also in its I-Am
                            and in max-apdu-length-accepted; a longer answer is an Abort (4, no segmentation)
  drop-above N              answers longer than N bytes (the APDU) are not sent at all, as some devices
                            silently drop a large read; logged as answer=dropped:SIZE
  segmentation W            an answer too long for one APDU goes in segments (window W, 1 to 127) when the
                            request takes them (answer=segments:FROM-TO/COUNT), the next window after each
                            Segment-ACK; more segments than the requester takes: Abort 1
  segment-fault lose|dup|swap K   the K-th segment the device sends (from 1) is lost once, sent twice, or
                            sent after the one behind it; segment-fault past-max: ignores the requester's limit
  objects N TYPE            N more objects of TYPE (instances 100001 on, named OBJ<instance>, analog ones
                            with units 62): a long object list
Faults, for the last device or object (PROP is a name, a number or * for every property):
  silent-after K            answer K requests, then nothing at all (a silent device answers no Who-Is)
  error PROP CLASS CODE     answer PROP with an Error
  reject PROP REASON        answer PROP with a Reject
  abort PROP REASON         answer PROP with an Abort
  delay MS [JITTER]         hold every answer MS milliseconds (device and object delays add up); with
                            JITTER (1 to MS) each answer's delay is drawn evenly from MS - JITTER to
                            MS + JITTER, from --seed and the request's number at the device or object;
                            after a host line (before its first device) for every device of the host
  cov-after N               when the N-th request arrives, first send a confirmed COV notification to the
                            node that asked (from the device, with its network and MAC when routed)
  whois-after N             when the N-th request arrives, first broadcast a Who-Is from the host
  network-after N           the same with a network-layer message (I-Am-Router-To-Network from a router,
                            else Who-Is-Router-To-Network)
  flood-after N M           when the N-th request arrives, first broadcast M rounds (1 to 100000) of an I-Am
                            of every device on the host and a Who-Is, back to back, then answer
  lose-request K            lose the K-th confirmed request that reaches the device or object (counted
                            from 1, lost ones included): no answer, and it counts for no other fault; give
                            it again to lose more
Loss of a whole host or building:
  loss P                    every confirmed request is lost with probability P (0 to 1, e.g. 0.02), drawn
                            from --seed, the device and the request's number at the device. Before the first
                            host line for every host, after a host line for that host only (it overrides
                            the building's). Who-Is, other unconfirmed and network messages are never lost.
Duplicate answers of a whole building, host or device:
  duplicate MS              every answer (ack, error, reject, abort) is sent a second time MS milliseconds
                            after it, the same bytes. Before the first host line for every device, after a
                            host line for that host's, after a device line (or its objects) for that device;
                            the narrowest wins. The copy has a log line of its own with answer=dup.
A router with a small buffer:
  queue N [busy|reject] [iams]
                            after a host line: the host routes each of its networks one request at a time
                            (an answer leaves its delay after the request before it on that network has
                            been answered) and holds at most N requests per network; one beyond is dropped
                            (answer=queue-full), with busy also answered with Router-Busy-To-Network for
                            the network and Router-Available-To-Network once there is room again
                            (answer=queue-full:busy), with reject answered with Reject-Message-To-Network
                            reason 2, router busy (answer=reject-busy); with iams the I-Ams of a Who-Is
                            pass the same buffer, one after another, and those beyond it are lost (the
                            Who-Is is logged with queue-full=LOST)
A slow trunk:
  trunk NET BAUD ROT-MS     after a host line: network NET behind the host is an MS/TP trunk of BAUD baud
                            whose token comes round every ROT-MS ms: each request waits for the router's token,
                            every frame takes its octets' time (10 bits each, plus 10 octets of header and
                            CRC), later windows of segments wait for the device's token; the log line gets
                            trunk=NET octets=ASKED/ANSWERED wire-us= due-ms=
A router's network layer (after a host line). A host with routed devices is a router: it answers
Who-Is-Router-To-Network with I-Am-Router-To-Network (its networks, broadcast) and Initialize-Routing-Table
with no ports with its table (its own network on port 1, each network on a port of its own; a change is not
taken: answer=none why=read-only).
  network N                 the number of the host's own B/IP network: it answers What-Is-Network-Number
                            with Network-Number-Is N, configured (answer=network-number-is)
  router                    a router even without routed devices (its I-Am-Router-To-Network names none)
  claims N                  it also claims network N, which it does not route (another router's network)
  hide N                    it routes network N but never names it; the devices there answer a Who-Is of
                            the host's own network, as a gateway's virtual devices do
A bbmd host answers Read-Broadcast-Distribution-Table and Read-Foreign-Device-Table with its tables (each peer
with the mask 255.255.255.255; each foreign device with its time-to-live and the seconds left).

Request log fields: t= (seconds since start) host= from= bvlc=unicast|broadcast|forwarded [orig=] svc=
  (who-is, read-property, read-property-multiple, confirmed:N, network:N, simple-ack, ...), then dev=
  obj=TYPE:INST prop= idx= (read-property-multiple: objs= props=, the objects and properties asked) invoke=
  via=direct|global|routed [dnet= dadr=] answer=ack|error:C:C|reject:R|abort:R|silent|lost|dropped:SIZE|
  iam:N|none|dup|queue-full[:busy]|reject-busy (read-property-multiple: answer=ack size=SIZE).
  Example: t=0.412 host=192.168.1.20:47808 from=192.168.1.1:47808 bvlc=unicast svc=read-property dev=1001
           obj=0:3 prop=77 idx=- invoke=5 via=direct answer=ack
  Injected frames are logged as event=cov|who-is|network:N|flood (flood: rounds= iams= who-is=).
  A bbmd host logs bvlc=broadcast|forwarded|distribute|register|delete|read-bdt|read-fdt svc=bbmd [orig=]
  [ttl=] [entry=] answer=forwarded:N|ack|nak:CODE|table [fdt=entries left].

Example:
  # an air handling unit and a room controller behind a router
  host 192.168.1.20
  device 1001 vendor 7
    name AS01 Lueftung
    iam-at-start
  object AI 1
    name RLT01'ZUL'T'MW
    description Zulufttemperatur
    units 62
    value 21.5
  object MV 2
    name RLT01'VEN'STUFE
    description Ventilator Stufe
    states Aus|Stufe 1|Stufe 2
    value 2
    error description 2 32
  host 192.168.1.21
  device 5001 net 5 mac 21
    name RA05 Raum 101
    delay 50
  object BI 1
    name RA05'FK'101
    inactive-text Zu
    active-text Auf
    silent-after 3
)";
}
