#!/usr/bin/env bash
# desktop/windows/third-party-notices.sh on made-up link maps: the notices
# follow what was linked, and an input that no rule covers, or that belongs
# to no package, stops the build instead of shipping without its notice.
# dpkg-query is stood in for, so that each case says which package owns
# which file. Needs Debian's copyright files of mingw-w64 and GCC.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
generator=$here/../../desktop/windows/third-party-notices.sh

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
build=$work/build
mkdir -p "$work/bin" "$build"
# Answers as dpkg-query -S does, from $work/owners ("package path" lines).
cat >"$work/bin/dpkg-query" <<'EOF'
#!/usr/bin/env bash
status=0
for path in "${@:2}"; do
    package=$(awk -v path="$path" '$2 == path {print $1; exit}' "$OWNERS")
    if [ -n "$package" ]; then echo "$package: $path"; else echo "dpkg-query: no path found matching pattern $path" >&2; status=1; fi
done
exit $status
EOF
chmod +x "$work/bin/dpkg-query"
: >"$work/empty-copyright"

mingwLib=/usr/x86_64-w64-mingw32/lib
gccLib=/usr/lib/gcc/x86_64-w64-mingw32/12-posix
mingw=mingw-w64-x86-64-dev
runtime="The mingw-w64 runtime"
gdtoa="gdtoa, the number conversions of the mingw-w64 runtime"
printf="The printf family of the mingw-w64 runtime"
threads="winpthreads, the POSIX threads of mingw-w64"
gcc="libgcc and libstdc++, the GCC runtime libraries"

# name | inputs: package=path(member) or package=path.o, "-" for no package,
# "own" for the build's own | mingw copyright (default or empty) |
# headings in order, or "fails: " and what the message must say |
# phrases the notices must hold, ";" between them
cases=(
"as linked today|$mingw=$mingwLib/crt2u.o $mingw=$mingwLib/libmingw32.a(lib64_libmingw32_a-gccmain.o) $mingw=$mingwLib/libmingwex.a(lib64_libmingwex_a-gdtoa.o) $mingw=$mingwLib/libmingwex.a(lib64_libmingwex_a-mingw_pformat.o) $mingw=$mingwLib/libkernel32.a(dyyoh00123.o) $mingw=$mingwLib/libpthread.a(libwinpthread_la-thread.o) gcc-mingw-w64-x86-64-posix=$gccLib/crtbegin.o gcc-mingw-w64-x86-64-posix=$gccLib/libgcc.a(_chkstk_ms.o) g++-mingw-w64-x86-64-posix=$gccLib/libstdc++.a(string-inst.o) own=libmarrowvale_win32.a(Form1.cpp.obj)|default|$runtime;$gdtoa;$printf;$threads;$gcc|Linked in from: libpthread.a;Redistributions in binary form must reproduce the accompanying;LUCENT DISCLAIMS ALL WARRANTIES;Keith Marshall;Permission is hereby granted, free of charge;Copyright: 2010 Lockless Inc.;GCC RUNTIME LIBRARY EXCEPTION"
"without threads or number text|$mingw=$mingwLib/crt2u.o $mingw=$mingwLib/libmingw32.a(lib64_libmingw32_a-gccmain.o) gcc-mingw-w64-x86-64-posix=$gccLib/libgcc.a(_chkstk_ms.o)|default|$runtime;$gcc|Linked in from: crt2u.o, libmingw32.a"
"qnan brings its author's notice|$mingw=$mingwLib/libmingwex.a(lib64_libmingwex_a-qnan.o)|default|$runtime;$gdtoa|David M. Gay"
"getopt has two licences|$mingw=$mingwLib/libmingwex.a(lib64_libmingwex_a-getopt.o)|default|$runtime;getopt in the mingw-w64 runtime|THE NETBSD FOUNDATION;THE SOFTWARE IS PROVIDED \"AS IS\" AND THE AUTHOR DISCLAIMS"
"the build's own archives need none|own=$build/win32/libmarrowvale_win32.a(Form1.cpp.obj) own=../form/libmarrowvale_form.a(ClosingGlide.cpp.obj) $mingw=$mingwLib/crt2u.o|default|$runtime|"
"a file of no package|-=$mingwLib/libfoo.a(foo.o) $mingw=$mingwLib/crt2u.o|default|fails: $mingwLib/libfoo.a into the program, and it belongs to no Debian package|"
"a library of another package|libz-mingw-w64-dev=$mingwLib/libz.a(inflate.o) $mingw=$mingwLib/crt2u.o|default|fails: $mingwLib/libz.a(inflate.o) of the package libz-mingw-w64-dev into the program, and no notice covers it|"
"a copyright file without the text|$mingw=$mingwLib/crt2u.o|empty|fails: no paragraph \"Files: *\"|"
)

failures=0
for row in "${cases[@]}"; do
    IFS='|' read -r name inputs copyright expected phrases <<<"$row"
    : >"$work/owners"
    {
        echo "Archive member included to satisfy reference by file (symbol)"
        echo
        for input in $inputs; do
            path=${input#*=}
            [[ $path == *'('* ]] || continue
            echo "$path"
            echo "                              main.cpp.obj (symbol)"
        done
        echo
        echo "Discarded input sections"
        echo
        echo "LOAD CMakeFiles/marrowvale.dir/objects.a"
        for input in $inputs; do
            path=${input#*=}
            [[ $path == *'('* ]] || echo "LOAD $path"
        done
        echo "LOAD dll stuff"
    } >"$work/map"
    for input in $inputs; do
        package=${input%%=*} path=${input#*=}
        [ "$package" = - ] || [ "$package" = own ] || echo "$package ${path%%(*}" >>"$work/owners"
    done
    copyrights=()
    [ "$copyright" = default ] || copyrights=("$work/empty-copyright" /usr/share/doc/gcc-mingw-w64-base/copyright)

    status=0
    OWNERS=$work/owners PATH=$work/bin:$PATH \
        "$generator" "$work/map" "$build" "$work/notices" "${copyrights[@]}" 2>"$work/errors" || status=$?
    problem=''
    if [[ $expected == 'fails: '* ]]; then
        if [ "$status" -eq 0 ]; then
            problem="succeeded; expected it to fail saying '${expected#fails: }'"
        elif ! grep -qF -- "${expected#fails: }" "$work/errors"; then
            problem="failed saying '$(cat "$work/errors")'; expected '${expected#fails: }'"
        fi
    elif [ "$status" -ne 0 ]; then
        problem="failed: $(cat "$work/errors")"
    else
        notices=$(tr -d '\r' <"$work/notices")
        # A heading is the line above a line of dashes.
        headings=$(awk '/^-+$/ && NR > 3 {print previous} {previous = $0}' <<<"$notices" | paste -sd ';')
        [ "$headings" = "$expected" ] || problem="headings '$headings'; expected '$expected'"
        IFS=';' read -r -a wanted <<<"$phrases"
        for phrase in "${wanted[@]}"; do
            [[ $notices == *"$phrase"* ]] || problem="$problem${problem:+; }no '$phrase' in the notices"
        done
        if grep -qv $'\r$' "$work/notices"; then problem="$problem${problem:+; }a line without CRLF"; fi
    fi
    if [ -n "$problem" ]; then
        echo "FAIL $name: $problem"
        failures=$((failures + 1))
    else
        echo "PASS $name"
    fi
done
[ "$failures" -eq 0 ] || { echo "notices-test: $failures of ${#cases[@]} cases failed" >&2; exit 1; }
