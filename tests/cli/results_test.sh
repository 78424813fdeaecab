#!/usr/bin/env bash
# The class's results through the real program: a fixed file of result codes
# (a line ending in CR LF, a blank line, blanks around a code, a mistyped
# code, a 出席番号 twice, a code without one, two sets, a later version) as
# text and as CSV, in a UTF-8 locale and in the C locale; standard input and
# a pipe; files that cannot be read; and the options' usage errors. Each
# case: the exit status, standard output, standard error, then the arguments.
# Usage: results_test.sh PROGRAM CODES
set -u
program=$1
codes=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
input=/dev/null

check() {
    local status=$1 out=$2 err=$3
    shift 3
    local got got_status
    got=$(env -u DISPLAY LC_ALL="$locale" "$program" "$@" <"$input" 2>"$dir/err")
    got_status=$?
    if [ "$got_status" != "$status" ] || [ "$got" != "$out" ] || [ "$(cat "$dir/err")" != "$err" ]; then
        printf 'FAILED (LC_ALL=%s) tobarin' "$locale"
        printf ' %q' "$@"
        printf '\n  status %s, expected %s\n  stdout:\n%s\n  expected:\n%s\n  stderr:\n%s\n  expected:\n%s\n' \
            "$got_status" "$status" "$got" "$out" "$(cat "$dir/err")" "$err"
        failures=$((failures + 1))
    fi
}

text='p1:5-unlike:2:4:12  小5 分母がちがう分数のたし算・ひき算（レベル2）  5人
出席番号  正解  1回目で正解      時間  (1)〜(4)
       1     3            1   5分11秒  △○△×
       2     2            1  12分42秒  ○△××
       3     4            4  10分46秒  ○○○○
       4     3            3   4分55秒  ○○×○
             3            1   5分11秒  △○△×
1回目で正解の割合
(1) 60%  (2) 80%  (3) 20%  (4) 40%
つまずき（多い順）
通分するとき、分子にも分母と同じ数をかけましたか。 3人 (1)(3)(4)
分母どうしもひいていませんか。 2人 (3)
そのほか 1人 (2)
おしい 1人 (3)

p1:6-divide:1:3:9  小6 分数のわり算（レベル1）  1人
出席番号  正解  1回目で正解     時間  (1)〜(3)
       7     3            3  5分38秒  ○○○
1回目で正解の割合
(1) 100%  (2) 100%  (3) 100%
つまずき（多い順）
なし'
header='セット,出席番号,正解数,1回目で正解,時間（秒）,(1),(2),(3)'
divide="$header"$'\r\np1:6-divide:1:3:9,7,3,3,338,○,○,○\r'
csv=$'\xEF\xBB\xBF'"$header"',(4)
p1:5-unlike:2:4:12,1,3,1,311,△(not-scaled),○,△(across-),"×(not-scaled,not-scaled)"
p1:5-unlike:2:4:12,2,2,1,762,○,△(general),×,×
p1:5-unlike:2:4:12,3,4,4,646,○,○,○,○
p1:5-unlike:2:4:12,4,3,3,295,○,○,"×(unfinished,not-scaled)",○
p1:5-unlike:2:4:12,,3,1,311,△(not-scaled),○,△(across-),"×(not-scaled,not-scaled)"
'
csv="${csv//$'\n'/$'\r\n'}"$'\r\n'"$divide"  # CR LF, a blank line between sets
notes='5行目: 結果コードの確かめの文字が合いません。写しまちがいや抜けた文字がないか、見直してください。
8行目: p1:5-unlike:2:4:12 の出席番号3は、4行目にもあります。あとの8行目のほうを使います。
10行目: 「r2」の結果コードは、このバージョンのTobarinでは読めません。'
usage="Try 'tobarin --help'."
mkdir "$dir/folder"
: >"$dir/empty"

for locale in C.UTF-8 C; do
    check 1 "$text" "$notes" --results "$codes"
    check 1 "$csv" "$notes" --results "$codes" --csv
    input=$dir/divide
    sed -n 9p "$codes" >"$input"
    check 0 $'\xEF\xBB\xBF'"$divide" '' --results - --csv
    input=/dev/null
    # A pipe in the place of a file, as the shell's <(…) gives one.
    check 0 $'\xEF\xBB\xBF'"$divide" '' --results <(sed -n 9p "$codes") --csv
    check 0 '' '' --results "$dir/empty"
    check 2 '' "tobarin: cannot read '$dir/none': No such file or directory" --results "$dir/none"
    check 2 '' "tobarin: cannot read '$dir/folder': it is a folder, not a file" \
        --results "$dir/folder"
    check 2 '' $'tobarin: --csv needs --results FILE|-.\n'"$usage" --csv
    check 2 '' $'tobarin: --results goes with --csv alone.\n'"$usage" --results - --calc 1
    for number in 0 100 x; do
        check 2 '' "tobarin: --number: the number (出席番号) is a whole number from 1 to 99, not '$number'.
$usage" --practice 4-like --number "$number"
    done
    check 2 '' $'tobarin: --number needs --practice UNIT|CODE.\n'"$usage" --number 5
    check 2 '' $'tobarin: --number goes with a set answered here, not with --list, --worksheet or --key.\n'"$usage" \
        --practice 4-like --list --number 5
done
# A round answered here ends with its result code, then the score; the code
# carries the number and reads back as the round went: (1) right, (2) wrong
# twice, (3) not reached when the input ends. So does 07, and no number.
round=p1:5-unlike:2:3:7
first=$("$program" --calc "$("$program" --practice "$round" --list | sed -n 2p | cut -f1)")
for number in 12 07 ''; do
    transcript=$(printf '%s\n0\n0\n' "$first" | env XDG_CONFIG_HOME="$dir/config" \
        "$program" --practice "$round" ${number:+--number "$number"})
    code_line=$(tail -n 2 <<<"$transcript" | head -n 1)
    read_back=$("$program" --results - <<<"${code_line#結果コード: }" | sed -n 3p)
    shown=${number#0}
    expected="^ +$shown +1 +1 +[0-9]+秒  ○××\$"
    if [[ $code_line != "結果コード: r1:$round:${shown:-0}:"* ]] \
        || [[ ${transcript##*$'\n'} != 2問中1問正解（1回目で1問）　かかった時間:\ *秒 ]] \
        || ! [[ $read_back =~ $expected ]]; then
        printf 'FAILED a round with --number %s:\n%s\nread back: %s\n' "$number" "$transcript" "$read_back"
        failures=$((failures + 1))
    fi
done

if [ "$failures" -ne 0 ]; then
    echo "$failures failed"
    exit 1
fi
echo "all passed"
