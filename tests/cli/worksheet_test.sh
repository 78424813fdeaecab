#!/usr/bin/env bash
# Worksheets written by the real program without a display, read back with
# poppler-utils and zbar-tools: the paper, the pages, every problem's number,
# the margins, the fonts, the code at each foot, the answer key against
# --calc, the QR code; and files that cannot be written.
# Usage: worksheet_test.sh PROGRAM
set -u
program=$1
for tool in pdfinfo pdftotext pdffonts pdftoppm zbarimg; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run scripts/install-deps.sh"; exit 1; }
done
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() {
    echo "FAILED $*"
    failures=$((failures + 1))
}
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@"; }

# Words as "page xMin yMin xMax yMax text", from pdftotext -bbox.
words() {
    pdftotext -bbox "$@" - | awk '/<page /{p++} /<word /{
        match($0, /xMin="[^"]*" yMin="[^"]*" xMax="[^"]*" yMax="[^"]*"/)
        split(substr($0, RSTART, RLENGTH), f, "\"")
        t = $0; sub(/.*">/, "", t); sub(/<\/word>.*/, "", t)
        print p, f[2], f[4], f[6], f[8], t}'
}

# The answers of key pages, one line each: the number, a tab, the answer as
# --calc writes it. pdftotext -raw keeps the order of drawing: after "=" the
# sign, the integer part and the numerator on one line, the denominator alone
# on the next.
key_answers() {
    pdftotext -raw "$@" - | awk '{ line[NR] = $0 }
    END {
        for (l = 1; l <= NR; l++) {
            n = split(line[l], t, " ")
            for (i = 1; i <= n; i++) {
                if (t[i] ~ /^\([0-9]+\)$/) label = substr(t[i], 2, length(t[i]) - 2)
                if (t[i] != "=") continue
                sign = ""; k = 0
                for (j = i + 1; j <= n; j++) {
                    x = t[j]
                    if (sub(/^−/, "", x)) sign = "-"
                    if (x != "") part[++k] = x
                }
                if (line[l + 1] ~ /^[0-9]+$/) a = (k > 1 ? part[1] " " : "") part[k] "/" line[l + 1]
                else a = part[1]
                print label "\t" sign a
                break
            }
        }
    }' | sort -n
}

url=https://example.org/tobarin/
# CODE|OPTIONS: 20 problems a page, the key as many pages again, the
# working at least one page more.
sheets=(
"p1:5-mixed:2:50:7|"
"p1:5-mixed:2:20:7|--key --working --url $url"
"p1:6-divide:3:21:4|--key --working"
"p1:7-signed:2:20:9|--key --url $url"
"p1:4-like:1:1:1|"
)
for row in "${sheets[@]}"; do
    IFS='|' read -r code options <<<"$row"
    file="$dir/sheet.pdf"
    count=$(cut -d: -f4 <<<"$code")
    # shellcheck disable=SC2086 # the options are words
    out=$(run --practice "$code" --worksheet "$file" $options 2>&1)
    status=$?
    info=$(pdfinfo "$file" 2>&1)
    pages=$(awk '/^Pages:/ {print $2}' <<<"$info")
    problem_pages=$(((count + 19) / 20))
    key_pages=0
    [[ $options == *--key* ]] && key_pages=$problem_pages
    working_pages=$((pages - problem_pages - key_pages))
    plural=s
    [ "$pages" = 1 ] && plural=
    if [ $status != 0 ] || [ "$out" != "wrote $file: $pages page$plural, set $code" ]; then
        fail "$code $options: status $status, wrote: $out"
        continue
    fi
    if [[ $options == *--working* ]]; then
        [ "$working_pages" -ge 1 ] && [ "$working_pages" -le "$count" ]
    else
        [ "$working_pages" = 0 ]
    fi || fail "$code $options: $pages pages"
    grep -q '^Page size: *595 x 842 pts (A4)$' <<<"$info" || fail "$code: not A4: $info"
    fonts=$(pdffonts "$file" | tail -n +3)
    if [ -z "$fonts" ] || awk '$1 !~ /IPAPGothic$/ || $(NF-4) != "yes"' <<<"$fonts" | grep -q .; then
        fail "$code: fonts: $fonts"
    fi
    all=$(words "$file")
    # Nothing within 10 mm (28.35 pt) of the paper's edge.
    near=$(awk '$2 < 28.35 || $3 < 28.35 || $4 > 595.28 - 28.35 || $5 > 841.89 - 28.35' <<<"$all")
    [ -z "$near" ] || fail "$code: text near the edge: $(head -n 3 <<<"$near")"
    # The code at the foot of every page.
    feet=$(awk -v c="$code" '$6 == c && $3 > 760 {print $1}' <<<"$all" | sort -un | wc -l)
    [ "$feet" = "$pages" ] || fail "$code: the code at the foot of $feet of $pages pages"
    # Every problem's number once on the problem pages, 20 to a page, and
    # again on the key's; once on the working's.
    labels() {
        awk -v f="$1" -v l="$2" -v w="$3" '$1 >= f && $1 <= l && $6 ~ /^\([0-9]+\)$/ {
            print (w ? "" : $1 - f + 1 " ") $6 }' <<<"$all" | sort -t'(' -k2n
    }
    on_pages=$(seq "$count" | awk '{print int(($1 - 1) / 20) + 1 " (" $1 ")"}')
    for part in "1 $problem_pages 0" "$((problem_pages + 1)) $((problem_pages + key_pages)) 0" \
        "$((problem_pages + key_pages + 1)) $pages 1"; do
        read -r first last working <<<"$part"
        [ "$last" -ge "$first" ] || continue
        expected=$on_pages
        [ "$working" = 1 ] && expected=$(cut -d' ' -f2 <<<"$on_pages")
        got=$(labels "$first" "$last" "$working")
        [ "$got" = "$expected" ] || fail "$code: pages $first-$last have the numbers: $got"
    done
    # Nothing runs into the foot: every word above the code's line ends above it.
    foot=$(awk -v c="$code" '$6 == c {print $3}' <<<"$all" | sort -n | head -n 1)
    low=$(awk -v y="$foot" '$3 < y - 1 && $5 > y - 2' <<<"$all")
    [ -z "$low" ] || fail "$code: text runs into the foot: $(head -n 3 <<<"$low")"
    if [ "$key_pages" != 0 ]; then
        improper=()
        [[ $code == *7-signed* ]] && improper=(--improper)
        want=$(run --practice "$code" --list | tail -n +2 | cut -f1 | while read -r expression; do
            run --calc "$expression" "${improper[@]}"
        done | nl -w1)
        got=$(key_answers -f $((problem_pages + 1)) -l $((2 * problem_pages)) "$file")
        [ "$got" = "$want" ] || fail "$code: the key's answers:
$(diff <(echo "$want") <(echo "$got"))"
    fi
    if [[ $options == *--url* ]]; then
        pdftoppm -r 150 -png -f 1 -l 1 "$file" "$dir/page"
        qr=$(zbarimg --raw -q "$dir"/page*.png 2>/dev/null)
        [ "$qr" = "${url}#practice=$code" ] || fail "$code: the QR code reads: $qr"
        rm -f "$dir"/page*.png
    fi
    rm -f "$file"
done

# A path that cannot be written: exit 1, a message naming it, no file.
for path in "$dir/missing/sheet.pdf" "$dir"; do
    err=$(run --practice p1:4-like:2:3:1 --worksheet "$path" 2>&1 >/dev/null)
    status=$?
    [ $status = 1 ] && [[ $err == "tobarin: cannot write '$path': "* ]] ||
        fail "unwritable $path: status $status, $err"
done
[ -z "$(ls "$dir")" ] || fail "an unwritable path left: $(ls "$dir")"
# A write that fails (the file size limit, the signal ignored: exit 1) or is
# interrupted (the signal's default: killed) leaves the existing file as it
# was, and no other file.
for handling in "''" -; do
    echo "the sheet before" >"$dir/old.pdf"
    (
        eval "trap $handling XFSZ"
        ulimit -f 8
        run --practice p1:5-mixed:2:20:1 --worksheet "$dir/old.pdf" >/dev/null 2>&1
    )
    status=$?
    if [ "$handling" = - ]; then expected=$((128 + 25)); else expected=1; fi
    [ $status = $expected ] || fail "a failed write ($handling): status $status"
    [ "$(cat "$dir/old.pdf")" = "the sheet before" ] || fail "a failed write ($handling) spoilt the file"
    # Killed, it cannot remove its temporary file.
    [ "$handling" = - ] || [ "$(ls "$dir")" = old.pdf ] ||
        fail "a failed write ($handling) left: $(ls "$dir")"
    rm -f "$dir"/*
done

[ "$failures" -eq 0 ] && echo "All cases passed."
exit $((failures > 0))
