#!/usr/bin/env bash
# The bad-input matrix: each row runs a program on one mistake a user can make and checks
# the exit code and the one line of standard error the user sees, which starts with the
# program's name. Also what each program says to --version.
# Usage: bad_input_test.sh QL730_SIM WORK_FOLDER QL730_HEADLESS QL730_SOAK VERSION
set -uo pipefail
sim=$1 work=$2 headless=$3 soak=$4 version=$5
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 2
unset DISPLAY WAYLAND_DISPLAY SDL_VIDEODRIVER

s() { printf '%b' "$2" > "$1"; } # a script file from printf text
s empty.txt ''
s binary.txt 'wait 1s\n\x01\x02\xff\x00zz\n'
head -c 1048576 /dev/zero | tr '\0' 'w' > long.txt
s unknown.txt 'click top-left\nfly away\n'
s args.txt 'print-lcd now\n'
s savetwo.txt 'save-lcd a b\n'
s neg.txt 'wait -1s\n'
s zero.txt 'hold top-left 0s\n'
s twodots.txt 'wait 1.5.2s\n'
s spaced.txt 'wait 10 s\n'
s year.txt 'wait 8761h\n'
s button.txt 'click middle\n'
s key.txt 'key sideways\n'
s noscreen.txt 'expect-screen NoSuchScreen\n'
s nopic.txt 'expect-lcd missing.png\n'
printf 'P1\n' > small.txt; for _ in 1 2 3 4 5 6 7 8; do printf '%s\n' "$(printf '.%.0s' {1..128})"; done > small.txt
s smallpic.txt 'expect-lcd small.txt\n'
mkdir -p folder.png
s folderpic.txt 'expect-lcd folder.png\n'
printf '\x89PNG\r\n\x1a\nbroken' > corrupt.png
s corruptpic.txt 'expect-lcd corrupt.png\n'
s nofolder.txt 'save-lcd no/such/folder/x.png\n'
touch locked.png && chmod 444 locked.png
s locked.txt 'save-lcd locked.png\n'
# Root may write any file, so as root the unwritable place is a folder that is a file.
printf 'x' >plain && s notdir.txt 'save-lcd plain/x.png\n'
s bom.txt '\xef\xbb\xbfwait 1s\nprint-state\n'
s selfpic.txt 'save-lcd cur.png\nexpect-lcd cur.png\n'
s quoted.txt 'save-lcd "q.png"\n'
s nul.txt 'wa\x01it 1s\n'
printf '\x89PNX\x00\x01binary' > damaged.png
s damagedpic.txt 'expect-lcd damaged.png\n'
s stopgif.txt 'wait 1s\nstop-gif\n'
s twogifs.txt 'record-gif a.gif\nwait 1s\nrecord-gif b.gif\n'
s nogif.txt 'record-gif no/such/folder/x.gif\nwait 1s\n'
s opengif.txt 'record-gif open.gif\nkey up 3\nwait 2s\n'
s longword.txt "$(printf 'x%.0s' {1..100000})\n"
s nodrive.txt 'drive missing.csv\n'
s late.csv 'time_s,speed_kmh\n0,50\n30,60\n29.5,70\n'
s latedrive.txt 'print-state\ndrive "late.csv"\n'
# GPS tracks: an NMEA sentence with its checksum, then one bad track per mistake.
nmea() {
    local body=$1 sum=0 i c
    for ((i = 0; i < ${#body}; i++)); do
        printf -v c '%d' "'${body:i:1}"
        sum=$((sum ^ c))
    done
    printf '$%s*%02X\r\n' "$body" "$sum"
}
pt() { printf '<trkpt lat="%s" lon="%s">%s</trkpt>\n' "$@"; }
gpx() { printf '<?xml version="1.0"?>\n<gpx version="1.1">\n<trk><trkseg>\n%s</trkseg></trk>\n</gpx>\n' "$1"; }
gpx '' > nopoints.gpx
gpx "$(pt 45 7 '<time>2026-05-02T09:00:00Z</time>')$(printf '\n')$(pt 45.001 7 '<ele>3</ele>')" > notime.gpx
gpx "$(pt 45 7 '<time>2026-05-02T09:00:09Z</time>')$(printf '\n')$(pt 45.001 7 '<time>2026-05-02T09:00:05Z</time>')" > backwards.gpx
gpx "$(pt 95 7 '<time>2026-05-02T09:00:00Z</time>')" > badlat.gpx
gpx "$(pt 45 east '<time>2026-05-02T09:00:00Z</time>')" > badlon.gpx
printf '<html><body>not a track</body></html>\n' > page.gpx
printf '<gpx><trk><trkseg><trkpt lat="1"\n' > broken.gpx
{ nmea 'GPRMC,090000.00,A,4500.0000,N,00730.0000,E,0.0,0.0,020526,,,A'
  printf '%s\r\n' '$GPRMC,090001.00,A,4500.0100,N,00730.0000,E,0.0,0.0,020526,,,A*00'; } > badsum.nmea
nmea 'GPRMC,090000.00,A,9530.0000,N,00730.0000,E,0.0,0.0,020526,,,A' > badlat.nmea
{ nmea 'GPRMC,090000.00,V,,,,,,,020526,,,N'; nmea 'GPGGA,090000.00,,,,,0,00,,,M,,M,,'; } > nofix.nmea
{ nmea 'GPRMC,090009.00,A,4500.0000,N,00730.0000,E,0.0,0.0,020526,,,A'
  nmea 'GNRMC,090005.00,A,4500.0100,N,00730.0000,E,0.0,0.0,020526,,,A'; } > backwards.nmea
printf 'hello, a list of things\n' > neither.dat
# 10 km in 100 s: faster than the device counts.
gpx "$(for i in $(seq 0 100); do pt 0 "$(printf '0.%07d' $((i * 8983)))" "$(printf '<time>2026-05-02T09:%02d:%02dZ</time>' $((i / 60)) $((i % 60)))"; done)" > fast.gpx
for f in nopoints.gpx notime.gpx backwards.gpx badlat.gpx badlon.gpx page.gpx broken.gpx badsum.nmea badlat.nmea nofix.nmea backwards.nmea neither.dat fast.gpx; do
    s "drive-${f/./-}.txt" "drive $f\nwait 2m\n"
done
s fail.txt 'wait 1s\nexpect-screen MainMenuScreen\n'
s ran.txt 'save-lcd ran.png\n'

failures=0
program=$sim # the program the rows run
# row EXIT "LINE" ARGUMENTS...   (LINE "" = nothing on standard error)
row() {
    local want_code=$1 want_line=$2
    shift 2
    local err code
    err=$("$program" "$@" 2>&1 >/dev/null)
    code=$?
    if [[ $code != "$want_code" || $err != "$want_line" ]]; then
        echo "FAILED: ${program##*/} $*"
        echo "  expected exit $want_code: $want_line"
        echo "  found    exit $code: $err"
        failures=$((failures + 1))
    fi
}


row 2 "ql730-sim: there is no option or argument --bogus (see --help)" --bogus
row 2 "ql730-sim: --scale needs a value (see --help)" --scale
row 2 "ql730-sim: --scale takes a whole number from 1 to 4 (see --help)" --scale 0
row 2 "ql730-sim: --scale takes a whole number from 1 to 4 (see --help)" --scale 5
row 2 "ql730-sim: --scale takes a whole number from 1 to 4 (see --help)" --scale abc
row 2 "ql730-sim: --scale may be given only once (see --help)" --scale 1 --scale 2
row 2 "ql730-sim: --speed takes a number from 0.25 to 64 (see --help)" --speed 65
row 2 "ql730-sim: --speed takes a number from 0.25 to 64 (see --help)" --speed 0.2
row 2 "ql730-sim: --speed takes a number from 0.25 to 64 (see --help)" --speed fast
row 2 "ql730-sim: --speed needs a value (see --help)" --speed
row 2 "ql730-sim: --headless takes no value (see --help)" --headless=maybe empty.txt
row 2 "ql730-sim: there is no option or argument --bogus (see --help)" --headless --bogus=3 empty.txt
row 2 "ql730-sim: --headless needs at least one SCRIPT (see --help)" --headless
row 2 "ql730-sim: --script plays into the window; with --headless give the scripts without --script (see --help)" --script x.txt --headless
row 2 "ql730-sim: --rebaseline rewrites the frames of scripts run with --headless; give --headless and the SCRIPTs (see --help)" --rebaseline
row 2 "ql730-sim: --inspector is shown in the window; --headless has none (print-state shows the same values) (see --help)" --headless empty.txt --inspector
row 2 "ql730-sim: no display: DISPLAY and WAYLAND_DISPLAY are not set; use --headless SCRIPT to run without a window"
row 2 "ql730-sim: cannot read the script missing.txt: No such file or directory" --headless missing.txt
row 2 "ql730-sim: cannot read the script folder.png: it is a folder" --headless folder.png
row 0 "" --headless empty.txt
row 1 "ql730-sim: fail.txt:2: expected the screen MainMenuScreen, found MainTripScreen" --headless fail.txt
row 1 "ql730-sim: fail.txt:2: expected the screen MainMenuScreen, found MainTripScreen
ql730-sim: 1 passed, 1 failed" --headless empty.txt fail.txt
row 2 'ql730-sim: binary.txt:2: unknown command "\x01\x02\xff\x00zz" (see --help for the commands)' --headless binary.txt
row 2 "ql730-sim: long.txt:1: unknown command \"$(printf 'w%.0s' {1..39})... (see --help for the commands)" --headless long.txt
row 2 'ql730-sim: longword.txt:1: unknown command "xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx... (see --help for the commands)' --headless longword.txt
row 2 'ql730-sim: nul.txt:1: unknown command "wa\x01it" (see --help for the commands)' --headless nul.txt
row 2 'ql730-sim: unknown.txt:2: unknown command "fly" (see --help for the commands)' --headless unknown.txt
row 2 'ql730-sim: args.txt:1: too many arguments for print-lcd: "now"' --headless args.txt
row 2 'ql730-sim: savetwo.txt:1: too many arguments for save-lcd: "b"' --headless savetwo.txt
row 2 'ql730-sim: neg.txt:1: bad duration "-1s": write a whole number of milliseconds as 250ms, 2s, 1.5s, 3m or 1h, at most 8760h' --headless neg.txt
row 2 'ql730-sim: twodots.txt:1: bad duration "1.5.2s": write a whole number of milliseconds as 250ms, 2s, 1.5s, 3m or 1h, at most 8760h' --headless twodots.txt
row 2 'ql730-sim: spaced.txt:1: bad duration "10": write a whole number of milliseconds as 250ms, 2s, 1.5s, 3m or 1h, at most 8760h' --headless spaced.txt
row 2 'ql730-sim: year.txt:1: bad duration "8761h": write a whole number of milliseconds as 250ms, 2s, 1.5s, 3m or 1h, at most 8760h' --headless year.txt
row 2 'ql730-sim: button.txt:1: unknown button "middle": use top-left, bottom-left, bottom-right or top-right' --headless button.txt
row 2 'ql730-sim: key.txt:1: unknown key "sideways"; use up, down, left or right' --headless key.txt
# The whole list of screens follows; its first names and its last name are enough here.
screens=$("$sim" --headless noscreen.txt 2>&1)
[[ $? == 2 && $screens == 'ql730-sim: noscreen.txt:1: no screen is called "NoSuchScreen"; the screens are AboutScreen, AdvancedScreen, '*', UnitsScreen' ]] ||
    { echo "FAILED: expect-screen NoSuchScreen: $screens"; failures=$((failures + 1)); }
row 2 "ql730-sim: nopic.txt:1: cannot read the file: No such file or directory (./missing.png)" --headless nopic.txt
row 2 "ql730-sim: smallpic.txt:1: ./small.txt: a panel picture has 64 lines of 128 '#' or '.', this one has 8 lines" --headless smallpic.txt
row 2 "ql730-sim: folderpic.txt:1: ./folder.png is a folder, not a panel picture" --headless folderpic.txt
row 2 "ql730-sim: corruptpic.txt:1: cannot read it: the PNG picture is damaged (./corrupt.png)" --headless corruptpic.txt
row 2 "ql730-sim: damagedpic.txt:1: ./damaged.png is neither a PNG picture nor a print-lcd text (it holds binary bytes)" --headless damagedpic.txt
row 2 "ql730-sim: nofolder.txt:1: cannot write the file: No such file or directory (./no/such/folder/x.png)" --headless nofolder.txt
if [[ $(id -u) == 0 ]]; then
    row 2 "ql730-sim: notdir.txt:1: cannot write the file: Not a directory (./plain/x.png)" --headless notdir.txt
else
    row 2 "ql730-sim: locked.txt:1: cannot write the file: Permission denied (./locked.png)" --headless locked.txt
fi
row 2 "ql730-sim: --catalogue plays its own steps; give it without scripts, --rebaseline or --junit (see --help)" --catalogue cat --headless empty.txt
row 2 "ql730-sim: --catalogue powers on every language and unit system itself; give it without --variant, --language or --settings (see --help)" --catalogue cat --language german
row 2 "ql730-sim: --catalogue opens no window; give it without --script, --drive, --scale or --speed (see --help)" --catalogue cat --scale 2
row 2 "ql730-sim: --catalogue needs a value (see --help)" --catalogue
row 2 "ql730-sim: cannot make the folder plain/cat: Not a directory" --catalogue plain/cat
row 2 "ql730-sim: nodrive.txt:1: cannot read the drive missing.csv: No such file or directory" --headless nodrive.txt
row 2 "ql730-sim: late.csv:4: time_s 29.5 does not come after the row before (30)" --headless latedrive.txt
row 2 "ql730-sim: late.csv:4: time_s 29.5 does not come after the row before (30)" --drive late.csv
row 2 "ql730-sim: cannot read the drive missing.csv: No such file or directory" --drive missing.csv
row 2 "ql730-sim: nopoints.gpx: the GPX file has no track points (trk, trkseg, trkpt)" --headless drive-nopoints-gpx.txt
row 2 "ql730-sim: notime.gpx:4: the track point has no time" --headless drive-notime-gpx.txt
row 2 "ql730-sim: backwards.gpx:4: time 2026-05-02T09:00:05Z comes before the time of the point before, 2026-05-02T09:00:09Z (line 4)" --headless drive-backwards-gpx.txt
row 2 'ql730-sim: badlat.gpx:4: lat "95" is not a latitude (-90 to 90 degrees)' --headless drive-badlat-gpx.txt
row 2 'ql730-sim: badlon.gpx:4: lon "east" is not a longitude (-180 to 180 degrees)' --headless drive-badlon-gpx.txt
row 2 "ql730-sim: page.gpx: an XML file but not a GPX track (its first element is <html>, not <gpx>)" --headless drive-page-gpx.txt
row 2 "ql730-sim: broken.gpx:1: the file is not well-formed XML, so not a GPX track" --headless drive-broken-gpx.txt
row 2 "ql730-sim: badsum.nmea:2: bad checksum: the sentence says 00, its characters give 51" --headless drive-badsum-nmea.txt
row 2 'ql730-sim: badlat.nmea:1: latitude "9530.0000,N" is not a latitude (ddmm.mmmm,N or S, at most 90 degrees)' --headless drive-badlat-nmea.txt
row 2 "ql730-sim: nofix.nmea: the NMEA log has no fix (an RMC sentence, \$GPRMC or \$GNRMC, with status A)" --headless drive-nofix-nmea.txt
row 2 "ql730-sim: backwards.nmea:2: time 2026-05-02T09:00:05Z comes before the time of the point before, 2026-05-02T09:00:09Z (line 1)" --headless drive-backwards-nmea.txt
row 2 "ql730-sim: neither.dat: neither a CSV drive (time_s,speed_kmh rows), a GPX track nor an NMEA log" --headless drive-neither-dat.txt
row 2 "ql730-sim: neither.dat: neither a CSV drive (time_s,speed_kmh rows), a GPX track nor an NMEA log" --drive neither.dat
row 2 "ql730-sim: badsum.nmea:2: bad checksum: the sentence says 00, its characters give 51" --drive badsum.nmea
row 0 "ql730-sim: fast.gpx: speeds above 300 km/h held at 300 for 100 s: the device counts 1666 m less than the track's 10000 m" --headless drive-fast-gpx.txt
row 2 "ql730-sim: --gpsd: cannot reach gpsd at localhost:1 (is it running? with a USB receiver: gpsd /dev/ttyACM0)" --gpsd localhost:1
row 2 "ql730-sim: --gpsd takes HOST[:PORT] with a port from 1 to 65535, e.g. localhost:2947" --gpsd localhost:99999
row 2 "ql730-sim: --gpsd drives the window in real time; --headless replays a recorded track with the line drive FILE (see --help)" --headless --gpsd empty.txt
row 2 "ql730-sim: --gpsd and --drive both set the speed; give one (see --help)" --gpsd --drive late.csv
row 2 "ql730-sim: --drive replays into the window; with --headless put the line drive FILE in the script (see --help)" --headless bom.txt --drive late.csv
row 2 "ql730-sim: --record records the window's session; --headless has none (see --help)" --headless --record x.txt empty.txt
row 2 "ql730-sim: --record needs a value (see --help)" --record
row 2 "ql730-sim: --record: cannot write the file: No such file or directory (no/such/folder/s.txt)" --record no/such/folder/s.txt
# A settings file that cannot be written stops the program before the script runs or the
# window opens.
row 2 "ql730-sim: no/such/folder/s.json: settings: cannot write it: No such file or directory" --headless --settings no/such/folder/s.json ran.txt
row 2 "ql730-sim: no/such/folder/s.json: settings: cannot write it: No such file or directory" --settings no/such/folder/s.json
row 2 "ql730-sim: plain/s.json: settings: cannot write it: Not a directory" --headless --settings plain/s.json ran.txt
row 2 "ql730-sim: folder.png: settings: it is a folder, not a settings file" --headless --settings folder.png ran.txt
[[ ! -e ran.png && ! -e folder.png.lock ]] || { echo 'FAILED: a refused settings file ran the script or kept its lock'; failures=$((failures + 1)); }
row 2 "ql730-sim: stopgif.txt:2: stop-gif: no record-gif before it" --headless stopgif.txt
row 2 "ql730-sim: twogifs.txt:3: record-gif: the GIF of line 1 is still being recorded (stop-gif first)" --headless twogifs.txt
[[ ! -e a.gif && -z "$(compgen -G 'a.gif*.part')" ]] || { echo 'FAILED: a refused script wrote a.gif'; failures=$((failures + 1)); }
row 2 "ql730-sim: nogif.txt:1: cannot write the file: No such file or directory (./no/such/folder/x.gif)" --headless nogif.txt
row 0 "" --headless opengif.txt
[[ -s open.gif && -z "$(compgen -G 'open.gif*.part')" ]] || { echo 'FAILED: a GIF left open was not written'; failures=$((failures + 1)); }
row 0 "" --headless bom.txt
row 0 "" --headless selfpic.txt
row 0 "" --headless quoted.txt
[[ -f q.png ]] || { echo 'FAILED: save-lcd "q.png" did not write q.png'; failures=$((failures + 1)); }

# The same rules in the program without a window, and in the soak.
program=$headless
row 2 "ql730-headless: there is no option or argument --headless (see --help)" --headless --scale 2 empty.txt
row 2 "ql730-headless: there is no option or argument --speed (see --help)" --speed 2 empty.txt
row 2 "ql730-headless: --junit needs a value (see --help)" empty.txt --junit
row 2 "ql730-headless: --rebaseline takes no value (see --help)" --rebaseline=maybe empty.txt
row 2 "ql730-headless: give at least one SCRIPT (see --help)"
row 2 "ql730-headless: cannot read the script missing.txt: No such file or directory" missing.txt
row 2 "ql730-headless: --variant 300: the variant is a whole number from 0 to 255" --variant 300 empty.txt
row 1 "ql730-headless: fail.txt:2: expected the screen MainMenuScreen, found MainTripScreen" fail.txt
row 0 "" empty.txt
row 2 "ql730-headless: --jobs takes a whole number from 1 to 4096 (see --help)" --jobs 0 empty.txt
row 2 "ql730-headless: --jobs takes a whole number from 1 to 4096 (see --help)" --jobs many empty.txt
row 2 "ql730-headless: --shard takes K/N, whole numbers with 1 <= K <= N <= 10000: 2/4" --shard 5/4 empty.txt
row 2 "ql730-headless: --shard takes K/N, whole numbers with 1 <= K <= N <= 10000: 2/4" --shard 0/4 empty.txt
row 2 "ql730-headless: --shard splits the SCRIPTs; give it without --catalogue or --map (see --help)" --shard 1/2 --catalogue cat
CI_NODE_INDEX=0 CI_NODE_TOTAL=4 row 2 "ql730-headless: CI_NODE_INDEX=0 and CI_NODE_TOTAL=4 are not a shard: the index counts from 1 to the total" empty.txt
program=$sim
row 2 "ql730-sim: --jobs and --shard are for scripts run with --headless, --catalogue and --map; the window plays one device (see --help)" --jobs 2
program=$soak
row 2 "ql730-soak: --bogus is not an option (see --help)" --bogus
row 2 "ql730-soak: --inputs needs a whole number (see --help)" --inputs -5
row 2 "ql730-soak: --jobs takes a whole number from 1 to 4096 (see --help)" --jobs 0
row 2 "ql730-soak: --per-seed takes a whole number from 1 (see --help)" --per-seed 0

# --version: the name and the version on standard output, nothing else, exit code 0. Built
# from a git checkout that is not at the tag vVERSION, `git describe` follows in brackets (of
# the commit built, which may be older than the one checked out now).
source=$(dirname "$0")/../..
suffix=""
if described=$(git -C "$source" describe --tags --always --match 'v*' 2>/dev/null) &&
    [[ $described != "v$version" ]]; then
    suffix=" (git ?*)"
fi
for program in "$sim" "$headless" "$soak"; do
    out=$("$program" --version 2>&1)
    code=$?
    # shellcheck disable=SC2053 # the suffix is a pattern
    [[ $code == 0 && $out == "${program##*/} $version"$suffix ]] ||
        { echo "FAILED: ${program##*/} --version: exit $code: $out"; failures=$((failures + 1)); }
done

echo "$failures rows failed"
((failures == 0))
