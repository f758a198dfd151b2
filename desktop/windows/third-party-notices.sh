#!/usr/bin/env bash
# Writes THIRD-PARTY-NOTICES.txt for Marrowvale.exe from what the linker
# really put into it, as its map file (ld -Map) records, and the notices
# Debian ships with the toolchain. Each input from outside the build folder
# is traced to its Debian package, and must then fall under one of the rules
# below: an input the rules do not know fails the build, so a new library
# cannot ship without its notice.
#
# Usage: third-party-notices.sh MAP BUILD_DIR OUTPUT [MINGW_COPYRIGHT GCC_COPYRIGHT]
# The text is written with CRLF line ends, for Notepad.
set -euo pipefail

if [ $# -ne 3 ] && [ $# -ne 5 ]; then
    echo "usage: $0 MAP BUILD_DIR OUTPUT [MINGW_COPYRIGHT GCC_COPYRIGHT]" >&2
    exit 2
fi
map=$1 buildDir=$2 output=$3
mingwCopyright=${4:-/usr/share/doc/mingw-w64-x86-64-dev/copyright}
gccCopyright=${5:-/usr/share/doc/gcc-mingw-w64-base/copyright}
for file in "$map" "$mingwCopyright" "$gccCopyright"; do
    [ -r "$file" ] || { echo "third-party-notices: cannot read $file" >&2; exit 1; }
done

# Which input brings which notices: the first rule whose pattern matches
# "package:path(member)", or "package:path" for an object linked whole,
# decides. The members of libmingwex.a whose sources Debian's copyright file
# gives licences of their own come before the rule for the rest of the
# runtime.
rules='
^mingw-w64-x86-64-dev:.*/libmingwex\.a\([^)]*-(arithchk|dmisc|dtoa|g_dfmt|gdtoa|gethex|g_ffmt|g__fmt|gmisc|g_xfmt|hd_init|hexnan|misc|smisc|strtodg|strtof|strtopx|sum|ulp)\.o\)$ mingw gdtoa
^mingw-w64-x86-64-dev:.*/libmingwex\.a\([^)]*-(qnan|strtodnrp)\.o\)$ mingw gdtoa gdtoa-gay
^mingw-w64-x86-64-dev:.*/libmingwex\.a\([^)]*-mingw_pformatw?\.o\)$ mingw gdtoa pformat
^mingw-w64-x86-64-dev:.*/libmingwex\.a\([^)]*-(basename|dirname|mingw_v?(f|s|sn)?printfw?)\.o\)$ mingw pformat
^mingw-w64-x86-64-dev:.*/libmingwex\.a\([^)]*-sf?_erf\.o\)$ mingw sun-math
^mingw-w64-x86-64-dev:.*/libmingwex\.a\([^)]*-getopt\.o\)$ mingw getopt
^mingw-w64-x86-64-dev:.*/libmingwex\.a\([^)]*-strtok_r\.o\)$ mingw strtok_r
^mingw-w64-x86-64-dev:.*/lib(win)?pthread\.a\( winpthreads winpthreads-header
^mingw-w64-x86-64-dev: mingw
^g(cc|\+\+)-mingw-w64-x86-64-(posix|win32): gcc
'

# The notices, in the order they are printed: id, heading (several ids may
# share one), and where the text is: "dep5 FILES" is the paragraph of the
# mingw-w64 copyright file whose Files: field lists FILES (Debian's
# paragraphs gain and lose files between releases), with the licence text
# of its own paragraph where it has none; "gcc FROM|TO" are the
# lines of the GCC copyright file from the one starting with FROM up to the
# one starting with TO.
notices='
mingw|The mingw-w64 runtime|dep5 *
gdtoa|gdtoa, the number conversions of the mingw-w64 runtime|dep5 mingw-w64-crt/gdtoa/*
gdtoa-gay|gdtoa, the number conversions of the mingw-w64 runtime|dep5 mingw-w64-crt/gdtoa/qnan.c
pformat|The printf family of the mingw-w64 runtime|dep5 mingw-w64-crt/stdio/mingw_pformat.*
sun-math|Mathematical functions of the mingw-w64 runtime|dep5 mingw-w64-crt/math/s_erf.c
getopt|getopt in the mingw-w64 runtime|dep5 mingw-w64-crt/misc/getopt.c
strtok_r|strtok_r in the mingw-w64 runtime|dep5 mingw-w64-crt/stdio/strtok_r.c
winpthreads|winpthreads, the POSIX threads of mingw-w64|dep5 mingw-w64-libraries/winpthreads/*
winpthreads-header|winpthreads, the POSIX threads of mingw-w64|dep5 mingw-w64-libraries/winpthreads/include/pthread.h
gcc|libgcc and libstdc++, the GCC runtime libraries|gcc GCC is Copyright|Files that have exception clauses
gcc|libgcc and libstdc++, the GCC runtime libraries|gcc The following runtime libraries are licensed|The libbacktrace library
gcc|libgcc and libstdc++, the GCC runtime libraries|gcc GCC RUNTIME LIBRARY EXCEPTION|libquadmath/
'

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The inputs from outside the build folder, one a line: path, tab, member
# ("" for an object linked whole). The members the linker took from
# archives stand one a line at the left margin of the map's first section;
# the objects it loaded whole are its LOAD lines that name a .o file.
awk -v buildDir="$buildDir" '
# "/a/b/../c" becomes "/a/c", the path the file is known by.
function normalise(path,    previous) {
    do {
        previous = path
        sub(/\/[^\/]+\/\.\.\//, "/", path)
    } while (path != previous)
    return path
}
function ours(path) { return substr(path, 1, 1) != "/" || index(path, buildDir "/") == 1 }
/^Archive member included/ { members = 1; next }
/^(Allocating common symbols|Discarded input sections|Memory Configuration)/ { members = 0 }
members && /^[^ \t]/ && match($0, /^[^ \t(]+\([^)]*\)/) {
    archive = substr($0, 1, RLENGTH); sub(/\(.*/, "", archive)
    member = substr($0, length(archive) + 2, RLENGTH - length(archive) - 2)
    if (!ours(archive)) print normalise(archive) "\t" member
    next
}
/^LOAD / { loads = 1 }
/^LOAD [^ ]+\.o$/ && !ours($2) { print normalise($2) "\t" }
END {
    if (!loads) {
        print "third-party-notices: no LOAD lines in " FILENAME "; is it a map file of GNU ld?" > "/dev/stderr"
        exit 1
    }
}' "$map" >"$scratch/inputs"

# The package of each input, as dpkg knows it: "package<TAB>path". An input
# of no package is left out here and stopped below.
cut -f1 "$scratch/inputs" | sort -u >"$scratch/paths"
if [ -s "$scratch/paths" ]; then
    # dpkg-query fails for a path of no package, and still answers the rest:
    # "package: /path", "package:arch: /path" or "first, second: /path".
    { xargs -d '\n' dpkg-query -S <"$scratch/paths" 2>/dev/null || true; } | awk '
        /^diversion / { next }
        (at = index($0, ": /")) > 0 {
            package = substr($0, 1, at - 1)
            sub(/,.*/, "", package)
            sub(/:.*/, "", package)
            print package "\t" substr($0, at + 2)
        }' >"$scratch/owners"
else
    : >"$scratch/owners"
fi

awk -v rules="$rules" -v notices="$notices" -v mingwFile="$mingwCopyright" -v gccFile="$gccCopyright" '
function fail(message) { print "third-party-notices: " message > "/dev/stderr"; failed = 1; exit 1 }

function basename(path) { sub(/.*\//, "", path); return path }

# Finds the notices for one input and remembers, for each heading, what was
# linked from where.
function classify(path, member,    key, i, n, ids) {
    if (!(path in owner))
        fail("the linker put " path " into the program, and it belongs to no Debian package, " \
             "so its licence is unknown")
    key = owner[path] ":" path (member == "" ? "" : "(" member ")")
    for (i = 1; i <= ruleCount; i++) {
        if (key !~ rulePattern[i])
            continue
        n = split(ruleIds[i], ids, " ")
        for (; n >= 1; n--) {
            if (!(ids[n] in noticeHeading))
                fail("rule " i " names the notice \"" ids[n] "\", which has no text")
            used[ids[n]] = 1
            linkedFrom[noticeHeading[ids[n]], basename(path)] = 1
        }
        return
    }
    fail("the linker put " (member == "" ? path : path "(" member ")") " of the package " owner[path] \
         " into the program, and no notice covers it; add its licence to desktop/windows/third-party-notices.sh")
}

# The line number of the paragraph whose Files field lists `files`, on its
# first line or on a continuation line; 0 if none does.
function listing(files,    line, number, start, inFiles, entry) {
    number = 0; start = 0; inFiles = 0
    while ((getline line < mingwFile) > 0) {
        number++
        if (line ~ /^Files:/) {
            start = number; inFiles = 1
            entry = line; sub(/^Files: */, "", entry)
        } else if (inFiles && line ~ /^[ \t]/) {
            entry = line; sub(/^[ \t]+/, "", entry)
        } else {
            inFiles = 0
            continue
        }
        if (entry == files) {
            close(mingwFile)
            return start
        }
    }
    close(mingwFile)
    return 0
}

# The text of a machine-readable (DEP-5) copyright file paragraph: its
# Copyright and License fields, and the licence text from the License
# paragraph of that name where the paragraph has none.
function dep5(files,    line, text, license, body, found, field, names, i, n, at, number) {
    text = ""; license = ""; body = ""; field = ""; number = 0
    at = listing(files)
    found = at > 0
    while (found && (getline line < mingwFile) > 0) {
        if (++number < at) continue
        if (number == at) { field = "Files"; continue }
        if (line == "") break
        if (line ~ /^[A-Za-z-]+:/) {
            field = line; sub(/:.*/, "", field)
            if (field == "License") {
                license = line; sub(/^License: */, "", license)
                text = text line "\n"
            } else if (field == "Copyright") {
                text = text line "\n"
            }
            continue
        }
        # A continuation line of the field above it.
        if (field == "Copyright") {
            sub(/^[ \t]+/, "", line)
            text = text "           " line "\n"
        } else if (field == "License") {
            body = body unfold(line)
        }
    }
    close(mingwFile)
    if (!found)
        fail("no paragraph \"Files: " files "\" in " mingwFile)
    # "A and B": both texts apply.
    if (body == "") {
        n = split(license, names, / and /)
        for (i = 1; i <= n; i++)
            body = body (i > 1 ? "\n" : "") licenseText(names[i])
    }
    return text "\n" body
}

# A DEP-5 continuation line as plain text: one space of indent less, and
# " ." standing for an empty line.
function unfold(line) {
    if (line ~ /^ \.$/) return "\n"
    sub(/^ /, "", line)
    return line "\n"
}

# The text of the stand-alone paragraph "License: name", which starts after
# a blank line (a Files paragraph names its licence the same way).
function licenseText(name,    line, previous, inside, body) {
    inside = 0; body = ""; previous = ""
    while ((getline line < mingwFile) > 0) {
        if (!inside) {
            if (line == "License: " name && previous == "") inside = 1
            previous = line
            continue
        }
        if (line == "" || line ~ /^[A-Za-z-]+:/) break
        body = body unfold(line)
    }
    close(mingwFile)
    if (body == "")
        fail("no text for the licence \"" name "\" in " mingwFile)
    return body
}

# The lines of the GCC copyright file from the first that starts with from
# up to, without, the first after it that starts with to; blank lines at
# the end dropped.
function gccRange(from, to,    line, inside, text) {
    inside = 0; text = ""
    while ((getline line < gccFile) > 0) {
        if (!inside && index(line, from) == 1) inside = 1
        else if (inside && index(line, to) == 1) break
        if (inside) text = text line "\n"
    }
    close(gccFile)
    if (text == "")
        fail("no text from \"" from "\" in " gccFile)
    sub(/\n+$/, "\n", text)
    return text
}

function rule(n,    line) { line = ""; while (n-- > 0) line = line "-"; return line }

# A line broken before the word that would pass column 76.
function wrapped(text,    n, words, i, line, result) {
    n = split(text, words, " ")
    line = words[1]; result = ""
    for (i = 2; i <= n; i++) {
        if (length(line) + 1 + length(words[i]) > 76) {
            result = result line "\n"
            line = "   " words[i]
        } else {
            line = line " " words[i]
        }
    }
    return result line
}

# The words of a list in byte order, joined by ", ".
function sorted(list,    n, items, i, j, swap, joined) {
    n = split(list, items, " ")
    for (i = 2; i <= n; i++)
        for (j = i; j > 1 && items[j - 1] > items[j]; j--) {
            swap = items[j]; items[j] = items[j - 1]; items[j - 1] = swap
        }
    joined = ""
    for (i = 1; i <= n; i++) joined = joined (i > 1 ? ", " : " ") items[i]
    return joined
}

BEGIN {
    FS = "\t"
    n = split(rules, lines, "\n")
    for (i = 1; i <= n; i++) {
        if (lines[i] == "") continue
        ruleCount++
        split(lines[i], fields, " ")
        rulePattern[ruleCount] = fields[1]
        ruleIds[ruleCount] = substr(lines[i], length(fields[1]) + 2)
    }
    n = split(notices, lines, "\n")
    for (i = 1; i <= n; i++) {
        if (lines[i] == "") continue
        split(lines[i], fields, "|")
        noticeCount++
        noticeId[noticeCount] = fields[1]
        noticeHeading[fields[1]] = fields[2]
        noticeSource[noticeCount] = fields[3]
        noticeEnd[noticeCount] = fields[4]
    }
}

FILENAME == ARGV[1] { owner[$2] = $1; next }
{ classify($1, $2) }

END {
    if (failed) exit 1
    printf "Third-party notices for Marrowvale.exe\n"
    printf "======================================\n\n"
    printf "Marrowvale.exe is one statically linked program. Besides Marrowvale'"'"'s own\n"
    printf "code (see LICENSE.txt), the linker put parts of the following into it.\n"
    printf "Their notices follow, as the Debian packages of the toolchain that built\n"
    printf "it give them.\n"
    printed = ""
    for (i = 1; i <= noticeCount; i++) {
        id = noticeId[i]
        if (!(id in used)) continue
        heading = noticeHeading[id]
        if (heading != printed) {
            from = ""
            for (key in linkedFrom) {
                split(key, parts, SUBSEP)
                if (parts[1] == heading) from = from " " parts[2]
            }
            printf "\n\n%s\n%s\n\n", heading, rule(length(heading))
            printf "%s\n", wrapped("Linked in from:" sorted(from))
            printed = heading
        }
        source = noticeSource[i]
        if (source ~ /^dep5 /) text = dep5(substr(source, 6))
        else text = gccRange(substr(source, 5), noticeEnd[i])
        printf "\n%s", text
    }
}
' "$scratch/owners" "$scratch/inputs" >"$scratch/notices"

# Notepad shows text with CRLF line ends only.
sed 's/$/\r/' "$scratch/notices" >"$output.part"
mv "$output.part" "$output"
