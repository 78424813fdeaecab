#!/usr/bin/env bash
# Worksheets written by the real program without a display, read back with
# poppler-utils and zbar-tools: the pupils' sheet and its key, each a file of
# its own: the paper, the pages, every problem's number and how many a page,
# the header, the margins, the fonts, the digits' size and the room to write,
# the code at each foot, no answer on the sheet and the key's against --calc,
# the QR code and its caption; and files that cannot be written.
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

# Each problem's row, from its number's word: "page number x y", where x is
# the number's left and y the middle of its line.
rows() {
    awk '$6 ~ /^\([0-9]+\)$/ { print $1, substr($6, 2, length($6) - 2), $2, ($3 + $5) / 2 }' <<<"$1"
}

# What follows "=" on each problem's row: "N<tab>characters", its digits
# and minus signs sorted, as pdftotext may join a numerator with the
# denominator under it.
after_equals() {
    local all=$1
    rows "$all" | while read -r page label x y; do
        awk -v p="$page" -v x="$x" -v y="$y" -v l="$label" '
            $1 == p && $2 >= x && $2 < x + 270 && ($3 + $5) / 2 > y - 24 && ($3 + $5) / 2 < y + 24 {
                n++; left[n] = $2; text[n] = $6 }
            END {
                eq = -1
                for (i = 1; i <= n; i++) if (text[i] ~ /^=/ && (eq < 0 || left[i] < eq)) eq = left[i]
                out = ""
                for (i = 1; i <= n; i++) if (left[i] >= eq) out = out text[i]
                gsub(/−/, "-", out); gsub(/[^-0-9]/, "", out)
                print l "\t" out
            }' <<<"$all"
    done | sort -n | sorted_characters
}

# "N<tab>text" lines with the text's characters sorted.
sorted_characters() {
    while IFS=$'\t' read -r n text; do
        printf '%s\t%s\n' "$n" "$(grep -o . <<<"$text" | LC_ALL=C sort | paste -sd '')"
    done
}

# The key's answers as after_equals reads them: --calc's answer, in a unit
# that takes either form followed by the improper form where it is a mixed
# number.
key_answers() {
    local code=$1 n=0 answer
    run --practice "$code" --list | tail -n +2 | cut -f1 | while read -r expression; do
        n=$((n + 1))
        if [[ $code == *7-signed* ]]; then
            answer=$(run --calc "$expression" --improper)
        else
            answer=$(run --calc "$expression")
            [[ $answer == *' '*/* ]] && answer="$answer $(run --calc "$expression" --improper)"
        fi
        printf '%s\t%s\n' "$n" "${answer//[^-0-9]/}"
    done | sorted_characters
}

url=https://example.org/tobarin/
instruction=つぎの計算をしましょう。約分できるときは約分しましょう。
# CODE|PROBLEMS A PAGE|LEAST DIGITS (pt)|OPTIONS: the pupils' sheet and the
# key written together; the key's pages as many as the sheet's, and with
# --working at least one page more.
sheets=(
"p1:5-mixed:2:50:7|10|16|"
"p1:5-mixed:2:20:7|10|16|--working --url $url"
"p1:6-divide:3:21:4|20|14|--working --boxes"
"p1:7-signed:2:20:9|20|14|--url $url"
"p1:4-like:1:1:1|10|16|--boxes"
"p1:5-unlike:2:12:3|10|16|"
"p1:6-times-whole:2:25:2|20|14|"
"p2:6-three:2:20:1|20|14|--working"
)
for row in "${sheets[@]}"; do
    IFS='|' read -r code a_page digits options <<<"$row"
    sheet="$dir/sheet.pdf"
    key="$dir/key.pdf"
    count=$(cut -d: -f4 <<<"$code")
    # shellcheck disable=SC2086 # the options are words
    out=$(run --practice "$code" --worksheet "$sheet" --key "$key" $options 2>&1)
    status=$?
    pages=$(pdfinfo "$sheet" 2>/dev/null | awk '/^Pages:/ {print $2}')
    key_pages=$(pdfinfo "$key" 2>/dev/null | awk '/^Pages:/ {print $2}')
    problem_pages=$(((count + a_page - 1) / a_page))
    plural() { [ "$1" = 1 ] && echo "$1 page" || echo "$1 pages"; }
    if [ $status != 0 ] || [ "$pages" != "$problem_pages" ] || [ "$out" != "wrote $sheet: $(plural "$pages"), set $code
wrote $key: $(plural "$key_pages"), the answer key of set $code" ]; then
        fail "$code $options: status $status, $pages pages, wrote: $out"
        continue
    fi
    working_pages=$((key_pages - problem_pages))
    if [[ $options == *--working* ]]; then
        [ "$working_pages" -ge 1 ] && [ "$working_pages" -le "$count" ]
    else
        [ "$working_pages" = 0 ]
    fi || fail "$code $options: the key has $key_pages pages"
    for file in "$sheet" "$key"; do
        pdfinfo "$file" | grep -q '^Page size: *595 x 842 pts (A4)$' || fail "$code: $file is not A4"
        fonts=$(pdffonts "$file" | tail -n +3)
        if [ -z "$fonts" ] || awk '$1 !~ /IPAPGothic$/ || $(NF-4) != "yes"' <<<"$fonts" | grep -q .; then
            fail "$code: fonts: $fonts"
        fi
    done
    all=$(words "$sheet")
    keys=$(words "$key")
    # Nothing within 10 mm (28.35 pt) of the paper's edge.
    near=$(awk '$2 < 28.35 || $3 < 28.35 || $4 > 595.28 - 28.35 || $5 > 841.89 - 28.35' <<<"$all
$keys")
    [ -z "$near" ] || fail "$code: text near the edge: $(head -n 3 <<<"$near")"
    # The code at the foot of every page.
    feet=$(awk -v c="$code" '$6 == c && $3 > 760 {print $1}' <<<"$all" | sort -un | wc -l)
    [ "$feet" = "$pages" ] || fail "$code: the code at the foot of $feet of $pages pages"
    # Every problem's number once, $a_page to a page, on the sheet and on
    # the key; once on the working's pages.
    labels() {
        awk -v f="$2" -v l="$3" -v w="$4" '$1 >= f && $1 <= l && $6 ~ /^\([0-9]+\)$/ {
            print (w ? "" : $1 - f + 1 " ") $6 }' <<<"$1" | sort -t'(' -k2n
    }
    on_pages=$(seq "$count" | awk -v a="$a_page" '{print int(($1 - 1) / a) + 1 " (" $1 ")"}')
    [ "$(labels "$all" 1 "$pages" 0)" = "$on_pages" ] || fail "$code: the sheet's numbers by page"
    [ "$(labels "$keys" 1 "$problem_pages" 0)" = "$on_pages" ] || fail "$code: the key's numbers by page"
    if [ "$working_pages" != 0 ]; then
        [ "$(labels "$keys" $((problem_pages + 1)) "$key_pages" 1)" = "$(cut -d' ' -f2 <<<"$on_pages")" ] ||
            fail "$code: the working's numbers"
    fi
    # The header of every page of the sheet: the date, class and name, the
    # score out of the set's size, the unit's instruction; none on the key.
    want="月 日 年 組 番 名前 点数 ／$count $instruction"
    [[ $code == *7-signed* ]] && want="$want"仮分数で答えましょう。
    for page in $(seq "$pages"); do
        got=$(awk -v p="$page" '$1 == p && $3 < 120 {print $6}' <<<"$all" | sort | paste -sd' ')
        for word in $want; do
            grep -qw -- "$word" <<<"${got// /$'\n'}" || fail "$code: page $page of the sheet lacks $word"
        done
    done
    grep -aq '名前\|点数' <<<"$(cut -d' ' -f6 <<<"$keys")" && fail "$code: the key has a name or score"
    # The QR code and its caption on the sheet's first page alone, given an
    # address; never on the key.
    captions=$(awk '$6 == "タブレットで練習・答え合わせ" {print $1}' <<<"$all" | paste -sd' ')
    expected=""
    [[ $options == *--url* ]] && expected=1
    [ "$captions" = "$expected" ] || fail "$code: the QR code's caption on pages: $captions"
    grep -aq 'タブレット' <<<"$keys" && fail "$code: the key has the QR code's caption"
    # The digits of the problems at least the unit's size (the foot apart).
    small=$(awk -v d="$digits" '$6 ~ /^[0-9]+$/ && $3 < 780 && $5 - $3 < d - 0.1' <<<"$all")
    [ -z "$small" ] || fail "$code: digits smaller than $digits pt: $(head -n 2 <<<"$small")"
    # The pupils' sheet holds no answer: nothing after any "="; the key
    # holds each answer, in both forms where the unit takes either.
    blanks=$(after_equals "$all")
    [ "$(cut -f2 <<<"$blanks" | sort -u)" = "" ] || fail "$code: the sheet has answers: $(grep -P '\t.' <<<"$blanks" | head -n 2)"
    got=$(after_equals "$(awk -v l="$problem_pages" '$1 <= l' <<<"$keys")")
    want_key=$(key_answers "$code")
    [ "$got" = "$want_key" ] || fail "$code: the key's answers:
$(diff <(echo "$want_key") <(echo "$got") | head -n 6)"
    # Below each problem of the younger units, at least 35 mm (99.2 pt) to
    # write in: from the foot of a row's fractions to the top of the next
    # (a tall integer part stays within its fraction).
    if [ "$a_page" = 10 ] && [ "$count" -ge 2 ]; then
        room=$(rows "$all" | awk '$1 == 1 && $2 <= 2 {print $4}' | paste -sd' ' | while read -r y1 y2; do
            awk -v a="$y1" -v b="$y2" -v d="$digits" '$1 == 1 && $2 < 297 && $5 - $3 < d + 1 {
                c = ($3 + $5) / 2
                if (c > a - 24 && c < a + 24 && $5 > bottom) bottom = $5
                if (c > b - 24 && c < b + 24 && (top == "" || $3 < top)) top = $3 }
                END { print top - bottom }' <<<"$all"
        done)
        awk -v r="$room" 'BEGIN { exit !(r >= 99.2) }' || fail "$code: $room pt to write below a problem"
    fi
    if [[ $options == *--url* ]]; then
        pdftoppm -r 150 -png -f 1 -l 1 "$sheet" "$dir/page"
        qr=$(zbarimg --raw -q "$dir"/page*.png 2>/dev/null)
        [ "$qr" = "${url}#practice=$code" ] || fail "$code: the QR code reads: $qr"
        rm -f "$dir"/page*.png
    fi
    rm -f "$sheet" "$key"
done

# A path that cannot be written: exit 1, a message naming it, no file.
for path in "$dir/missing/sheet.pdf" "$dir"; do
    err=$(run --practice p1:4-like:2:3:1 --worksheet "$path" 2>&1 >/dev/null)
    status=$?
    [ $status = 1 ] && [[ $err == "tobarin: cannot write '$path': "* ]] ||
        fail "unwritable $path: status $status, $err"
done
[ -z "$(ls "$dir")" ] || fail "an unwritable path left: $(ls "$dir")"
# A key that cannot be written after a sheet that was: both said, exit 1.
out=$(run --practice p1:4-like:2:3:1 --worksheet "$dir/s.pdf" --key "$dir/missing/k.pdf" 2>&1)
status=$?
[ $status = 1 ] && [ "$out" = "wrote $dir/s.pdf: 1 page, set p1:4-like:2:3:1
tobarin: cannot write '$dir/missing/k.pdf': No such file or directory" ] ||
    fail "an unwritable key: status $status, $out"
rm -f "$dir/s.pdf"
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
