#!/usr/bin/env bash
# The command line through the real program, with no display and no Qt
# platform set, in a UTF-8 locale and in the C locale. Each case: the exit
# status, standard output, standard error, then the arguments.
# Usage: command_line_test.sh PROGRAM VERSION
set -u
program=$1
version=$2
errors=$(mktemp)
runtime=$(mktemp -d)
trap 'rm -rf "$errors" "$runtime"' EXIT
failures=0

check() {
    local status=$1 out=$2 err=$3
    shift 3
    local got got_err got_status
    got=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL="$locale" \
        "$program" "$@" 2>"$errors")
    got_status=$?
    got_err=$(cat "$errors")
    if [ "$got_status" != "$status" ] || [ "$got" != "$out" ] || [ "$got_err" != "$err" ]; then
        printf 'FAILED (LC_ALL=%s) tobarin' "$locale"
        printf ' %q' "$@"
        printf '\n  status %s, expected %s\n  stdout:\n%s\n  expected:\n%s\n  stderr:\n%s\n  expected:\n%s\n' \
            "$got_status" "$status" "$got" "$out" "$got_err" "$err"
        failures=$((failures + 1))
    fi
}

steps='1 2/3 + 3/4
= 5/3 + 3/4        帯分数を仮分数に直す
= 20/12 + 9/12     通分する
= 29/12            計算する
= 2 5/12           帯分数に直す
2 5/12'
working=${steps%$'\n'*}  # without the answer line
usage="Try 'tobarin --help'."

# The examples of the working as a textbook writes it, each with its options.
examples=(
'3/4 ÷ 9/10||3/4 ÷ 9/10
= 3/4 × 10/9       わる数の逆数をかける
= (3×10)/(4×9)     分子どうし、分母どうしをかける
= (1×5)/(2×3)      途中で約分する
= 5/6              計算する
5/6'
'-2/3 × -3/4||(-2/3) × (-3/4)
= +(2/3 × 3/4)     符号を決める
= +(2×3)/(3×4)     分子どうし、分母どうしをかける
= +(1×1)/(1×2)     途中で約分する
= 1/2              計算する
1/2'
'1/2 - -1/3||1/2 - (-1/3)
= 1/2 + 1/3        ひく数の符号を変えてたす
= 3/6 + 2/6        通分する
= 5/6              計算する
5/6'
'-1/2 + 1/3||-1/2 + 1/3
= -3/6 + 2/6       通分する
= -(3/6 - 2/6)     符号を決める
= -1/6             計算する
-1/6'
'3 - 2/5||3 - 2/5
= 15/5 - 2/5       整数を分数に直す
= 13/5             計算する
= 2 3/5            帯分数に直す
2 3/5'
'3 1/5 - 1 2/3|--method=mixed|3 1/5 - 1 2/3
= 3 3/15 - 1 10/15  通分する
= 2 18/15 - 1 10/15  くり下げる
= 1 8/15           計算する
1 8/15'
'1 2/3 + 3/4|--method=mixed --improper|1 2/3 + 3/4
= 1 8/12 + 9/12    通分する
= 1 17/12          計算する
= 29/12            仮分数に直す
29/12'
)

for locale in C.UTF-8 C; do
    # Answers, as the window shows them.
    check 0 '2 5/12' '' --calc '1 2/3 + 3/4'
    check 0 '-1/6' '' --calc '1/3 - 1/2'
    check 0 '2' '' --calc '1 1/2 + 1/2'
    check 0 '0' '' --calc '2/3 - 2/3'
    check 0 '29/12' '' --calc '1 2/3 + 3/4' --improper
    check 0 '2 5/12' '' --calc '１と２/３ ＋ ３/４'
    check 0 '-3/2' '' --calc=-1/2-1 --improper
    check 0 "$steps" '' --calc '1 2/3 + 3/4' --steps
    for example in "${examples[@]}"; do
        expression=${example%%|*}
        rest=${example#*|}
        # shellcheck disable=SC2086 # the options are words
        check 0 "${rest#*|}" '' --calc "$expression" --steps ${rest%%|*}
    done
    check 2 '' "tobarin: --method is improper or mixed, not 'both'.
$usage" --calc 1+1 --steps --method both
    # No answer: the working so far on stdout, the report on stderr.
    check 1 '' '分母を１以上の整数にしてください。' --calc '1/0 + 1'
    check 1 '1 ÷ 0' '実行時エラー 11: 0 でわることはできません。' --calc '1 ÷ 0' --steps
    check 1 '' '実行時エラー 6: 桁あふれが発生しました。' --calc '1/40000000 + 3/40000000'
    check 2 '' '「2/3/9」は「2/3 ÷ 9」とも「2 ÷ 3/9」とも読めます。割り算の記号の「/」は前後に空白を入れて書くか、「÷」を使ってください。' \
        --calc '2/3/9'
    # Several terms: the answer, what cannot be read, and what has no answer.
    check 0 '-1/4' '' --calc '1/6 - (-1/3) + (-3/4)'
    check 0 '4/27' '' --calc '0.25 × 8/9 ÷ 1.5'
    check 2 '' '「2/3²」は読めません。分数や帯分数を累乗するときは、「(2/3)²」のようにかっこをつけてください。' \
        --calc '2/3² + 1'
    check 1 '' '実行時エラー 11: 0 でわることはできません。' --calc '5 ÷ (1 - 1)'
    check 1 '' '実行時エラー 6: 桁あふれが発生しました。' --calc '1000000^4 + 1 + 1'
    check 4 '答えがちがいます。たし算・ひき算より先に、かけ算・わり算を計算します。' '' \
        --calc '2/3 - 1/2 × 3/4' --check 1/8
    # The answer check.
    check 0 '正解です。仮分数で書くと 29/12 です。' '' --calc '1 2/3 + 3/4' --check '2 5/12'
    check 0 '正解です。帯分数で書くと 2 5/12 です。' '' --calc '1 2/3 + 3/4' --check 29/12
    check 3 'おしいです。大きさは合っていますが、まだ約分できます。' '' --calc '1 2/3 + 3/4' --check 58/24
    check 4 '答えがちがいます。符号をたしかめてみましょう。' '' --calc '1 2/3 + 3/4' --check -29/12
    check 4 '答えがちがいます。分母どうしもたしていませんか。分母をそろえて、分子だけをたします。' '' \
        --calc '1/2 + 1/3' --check 2/5
    check 0 '正解です。帯分数で書くと 2 5/12 です。' '' --calc '1 2/3 + 3/4' --check '12分の29'
    check 1 '' 'この問題の答えは出せません。分母を１以上の整数にしてください。' --calc '1/0 + 1' --check 1
    check 2 '' '分母に 0 は使えません。' --calc '1 2/3 + 3/4' --check 5/0
    check 2 '' '「a」は使えない文字です。' --calc '1 2/3 + 3/4' --check abc
    # Conversion problems: the working, the form asked, a 通分 answer shown back.
    check 0 '3/4, 5/6 → 通分
= (3×3)/(4×3), (5×2)/(6×2)  最小公倍数12を分母にする
= 9/12, 10/12      計算する
9/12, 10/12' '' --steps --calc '3/4と5/6 -> 通分'
    check 0 '「9/12, 10/12」は、正解です。' '' --calc '3/4, 5/6 → 通分' --check '9/12、10/12'
    check 3 'おしいです。大きさは合っていますが、帯分数に直しましょう。' '' --calc '7/3 → 帯分数' --check 7/3
    check 4 '答えがちがいます。小数第何位までかで、分母を10、100、1000にします。' '' \
        --calc '1.25 → 分数' --check 125/10
    check 2 '' '「1/3」は小数で表せません。わり切れる分数か帯分数を書いてください。' --calc '1/3 → 小数'
    # What a Japanese keyboard gives, and a working's problem line.
    check 0 '1 1/4' '' --calc '１／２＋３／４'
    check 0 '5/6' '' --calc '1/2 - (-1/3)'
    check 0 '正解です。仮分数で書くと 29/12 です。' '' --calc '1 2/3 + 3/4' --check '２と５／１２'
    check 3 'おしいです。大きさは合っていますが、小数ではなく分数で答えましょう。' '' \
        --calc '1/4 - 3/2' --check '（－１．２５）'
    check 2 '' '終わらない小数です。分数で答えましょう。' --calc '1/3 + 1/3' --check '0.666…'
    # With --steps, the verdict first; the working only for the right value.
    check 0 "正解です。仮分数で書くと 29/12 です。
$working" '' --calc '1 2/3 + 3/4' --steps --check '2 5/12'
    check 3 "おしいです。大きさは合っていますが、まだ約分できます。
$working" '' --calc '1 2/3 + 3/4' --steps --check '2 10/24'
    check 4 '答えがちがいます。もう一度計算してみましょう。' '' --calc '1 2/3 + 3/4' --steps --check '2 7/12'
    check 4 '答えがちがいます。符号をたしかめてみましょう。' '' --calc '1 2/3 + 3/4' --steps --check '-2 5/12'
    check 1 '' 'この問題の答えは出せません。実行時エラー 11: 0 でわることはできません。' \
        --calc '1 ÷ 0' --steps --check 1
    check 2 '' '「2.4.1」は数として読めません。整数「3」、分数「3/4」、帯分数「1 2/3」や「1と2/3」のように書いてください。' \
        --calc '1 2/3 + 3/4' --steps --check 2.4.1
    # Practice sets. A p1 code must give the same set in every later version.
    tab=$'\t'
    check 0 "# p1:7-signed:2:4:7
-4/3 + 7/10${tab}coprime,improper,neg1
0 - (-2/5)${tab}neg1,zero
-2/3 - (-1/3)${tab}same,neg2
-8/9 + (-7/9)${tab}same,reduce,neg2" '' --practice p1:7-signed:2:4:7 --list
    units='the units are 4-like, 5-unlike, 5-mixed, 6-times-whole, 6-times, 6-divide, 7-signed, 6-three, 6-order, 7-mixed, 4-convert, 5-reduce, 5-common, 5-decimal.'
    practice_errors=(
"unknown unit '8-x': $units|--practice 8-x --list"
"--level: the level is 1, 2 or 3, not '4'.|--practice 5-unlike --level 4 --list"
"--count: the count is a whole number from 1 to 50, not '0'.|--practice 5-unlike --count 0 --list"
"--seed: the seed is a whole number from 0 to 18446744073709551615, not '1.5'.|--practice 5-unlike --seed 1.5 --list"
"unknown code version 'p3' in 'p3:5-unlike:2:10:1': this program reads p1 and p2 codes.|--practice p3:5-unlike:2:10:1 --list"
"in the code 'p1:6-three:2:10:1', the unit '6-three' has p2 codes only.|--practice p1:6-three:2:10:1 --list"
"in the code 'p1:5-common:2:10:1', the unit '5-common' has p2 codes only.|--practice p1:5-common:2:10:1 --list"
"--level, --count and --seed go with a unit, not with a set code, which holds them.|--practice p1:5-unlike:2:10:1 --count 5 --list"
"--level, --count, --seed and --list need --practice UNIT|CODE.|--list"
"--practice goes without --calc, --check, --improper and --steps.|--practice 4-like --list --steps"
"--worksheet and --key go without --list.|--practice 4-like --list --key k.pdf"
"--working needs --key FILE: the working goes with the answer key, not the sheet.|--practice 4-like --worksheet s.pdf --working"
"--url needs --worksheet FILE.|--practice 4-like --key k.pdf --url http://a/"
"--boxes needs --worksheet FILE or --key FILE.|--practice 4-like --list --boxes"
"--worksheet and --key go without --list.|--practice 4-like --list --worksheet s.pdf"
"--worksheet and --key need --practice UNIT|CODE.|--worksheet s.pdf"
"--worksheet and --key need --practice UNIT|CODE.|--key k.pdf"
"--key needs the name of the file to write, not '--working'.|--practice 4-like --worksheet s.pdf --key --working"
"Missing value after '--key'.|--practice 4-like --worksheet s.pdf --key"
"--worksheet and --key take two files: the answer key is never in the pupils' sheet.|--practice 4-like --worksheet s.pdf --key ./s.pdf"
"--url takes the page's address without a '#': the sheet adds one.|--practice 4-like --worksheet s.pdf --url http://a/#b"
"--url needs the page's address.|--practice 4-like --worksheet s.pdf --url="
    )
    for row in "${practice_errors[@]}"; do
        # shellcheck disable=SC2086 # the arguments are words
        check 2 '' "tobarin: ${row%|*}
$usage" ${row##*|}
    done
    # Without --seed a seed is drawn and written into the code; every problem
    # reads back as --calc EXPR.
    listing=$(LC_ALL="$locale" "$program" --practice 5-mixed --list)
    if ! [[ "${listing%%$'\n'*}" =~ ^'# p2:5-mixed:2:10:'[0-9]+$ ]] || [ "$(wc -l <<<"$listing")" != 11 ]; then
        printf 'FAILED (LC_ALL=%s) --practice 5-mixed --list wrote:\n%s\n' "$locale" "$listing"
        failures=$((failures + 1))
    fi
    while IFS=$'\t' read -r expression _; do
        "$program" --calc "$expression" >/dev/null || {
            echo "FAILED (LC_ALL=$locale) the listed problem $expression does not calculate"
            failures=$((failures + 1))
        }
    done < <(tail -n +2 <<<"$listing")
    # A round answered through standard input: every problem right, then
    # the first one wrong twice (its working is shown, and again at the end),
    # then the input ending after one answer. The record is kept.
    code=p1:5-unlike:2:3:7
    right=()
    while IFS=$'\t' read -r expression _; do
        right+=("$("$program" --calc "$expression" --improper)")
    done < <("$program" --practice "$code" --list | tail -n +2)
    config=$(mktemp -d)
    for case in "${right[0]}|${right[1]}|${right[2]}|3問中3問正解（1回目で3問）" \
        "0|0|${right[1]}|${right[2]}|3問中2問正解（1回目で2問）|途中式:|まちがえた問題:" \
        "${right[0]}|1問中1問正解（1回目で1問）"; do
        IFS='|' read -ra parts <<<"$case"
        answers=() expected=()
        for part in "${parts[@]}"; do
            if [[ $part == *[問途ま]* ]]; then expected+=("$part"); else answers+=("$part"); fi
        done
        transcript=$(printf '%s\n' "${answers[@]}" | env -u DISPLAY -u QT_QPA_PLATFORM \
            XDG_CONFIG_HOME="$config" LC_ALL="$locale" "$program" --practice "$code")
        last=${transcript##*$'\n'}
        ok=1
        [[ $last =~ ^${expected[0]}　かかった時間:\ [0-9]+秒$ ]] || ok=0
        for line in "${expected[@]:1}"; do grep -qx "$line" <<<"$transcript" || ok=0; done
        if [ $ok = 0 ]; then
            printf 'FAILED (LC_ALL=%s) practice round %s:\n%s\n' "$locale" "$case" "$transcript"
            failures=$((failures + 1))
        fi
    done
    grep -q '^5-unlike' "$config/Tobarin/practice-record.txt" || {
        echo "FAILED (LC_ALL=$locale) the practice record was not kept"
        failures=$((failures + 1))
    }
    rm -rf "$config"
    # A worksheet, with no display; one that cannot be written.
    sheets=$(mktemp -d)
    check 0 "wrote $sheets/k.pdf: 2 pages, the answer key of set p1:6-times:2:3:5" '' \
        --practice p1:6-times:2:3:5 --key "$sheets/k.pdf" --working
    check 1 '' "tobarin: cannot write '$sheets/no/s.pdf': No such file or directory" \
        --practice p1:6-times:2:3:5 --worksheet "$sheets/no/s.pdf"
    rm -rf "$sheets"
    # Usage.
    check 0 "tobarin $version" '' --version
    check 2 '' "tobarin: --check, --improper, --method and --steps need --calc EXPR.
$usage" --steps
    check 2 '' "tobarin: Unknown option 'bogus'.
$usage" --calc 1+1 --bogus
    help=$(env -u DISPLAY -u QT_QPA_PLATFORM LC_ALL="$locale" "$program" --help | head -n 1)
    if [ "$help" != 'Usage: tobarin [options]' ]; then
        echo "FAILED (LC_ALL=$locale) tobarin --help begins: $help"
        failures=$((failures + 1))
    fi
done

# What a careless or hostile user gives, with no display and a platform that
# needs one, so that nothing opens a window: the exit status, what the
# program must say (on either stream), the arguments. Nothing it says holds a
# control character but the line end, or is long. $out takes standard output.
dir=$(mktemp -d)
trap 'rm -rf "$errors" "$runtime" "$dir"' EXIT
says() {
    local status=$1 needle=$2 got
    shift 2
    local run=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_CONFIG_HOME="$dir/config"
        LC_ALL=C.UTF-8 "$program" "$@")
    if [ -n "${out:-}" ]; then "${run[@]}" >"$out" 2>"$errors"; else "${run[@]}" >"$errors" 2>&1; fi
    got=$?
    if [ $got != "$status" ] || [[ $(cat "$errors") != *"$needle"* ]] ||
        LC_ALL=C grep -q $'[\x01-\x08\x0b-\x1f\x7f]' "$errors" || [ "$(wc -c <"$errors")" -gt 2000 ]; then
        printf 'FAILED tobarin'
        printf ' %q' "$@"
        printf '\n  status %s, expected %s, saying %s:\n%s\n' "$got" "$status" "$needle" "$(head -c 600 "$errors" | cat -v)"
        failures=$((failures + 1))
    fi
}
long=$(head -c 130000 /dev/zero | tr '\0' a)
mkfifo "$dir/fifo"
ln -s loop "$dir/loop"
sheet=(--practice p1:4-like:2:3:1 --worksheet)
record=$dir/config/Tobarin/practice-record.txt
code=p1:5-unlike:2:3:7  # answered 3/20, 1/2, 19/30
says 2 "'-calc': an option of a word takes two dashes: --calc." -calc 1+1
says 2 "unexpected argument: '1+1'." 1+1
says 2 "unknown unit 'aaaaaaaaaaaaaaaaaaaa…'" --practice "$long" --list
says 2 "unknown unit '\x1b]0;X\x07\x1b[2J\r'" --practice $'\e]0;X\a\e[2J\r' --list
says 2 "not 'javascript:alert(1)'." "${sheet[@]}" "$dir/s.pdf" --url 'javascript:alert(1)'
says 2 "not 'https://a b/'." "${sheet[@]}" "$dir/s.pdf" --url 'https://a b/'
says 2 "at most 300 characters" "${sheet[@]}" "$dir/s.pdf" --url "https://${long:0:300}/"
says 1 "cannot write '$dir/fifo': it is a FIFO" "${sheet[@]}" "$dir/fifo"
says 1 "cannot write '$dir/loop': it is a loop of symbolic links" "${sheet[@]}" "$dir/loop"
says 0 "wrote $dir/bad\xff\xfename.pdf: 1 page" "${sheet[@]}" "$dir/bad"$'\xff\xfe'name.pdf
[ -f "$dir/bad"$'\xff\xfe'name.pdf ] || { echo "FAILED the sheet is not under the name given"; failures=$((failures + 1)); }
says 0 "wrote $dir/w.pdf: 1 page" --practice p1:5-unlike:2:10:1 --worksheet "$dir/w.pdf"
says 2 '終わらない小数です。' --calc '1 ÷ 3' --check '0.(3)'
out=/dev/full says 1 'cannot write to standard output: No space left on device' --calc 1+1
out=/dev/full says 1 'cannot write to standard output' --practice 4-like --list
# A code typed through an input method, in full-width letters and digits.
says 0 '# p1:5-unlike:2:3:7' --practice 'ｐ１：５－ｕｎｌｉｋｅ：２：３：７' --list
printf '1\0junk\n\x1b[2J\n' | says 0 '(1) 3/4 - 3/5 = 「\x00」は使えない文字です。
(1) 3/4 - 3/5 = 「\x1b」は使えない文字です。' --practice "$code"
[ ! -e "$record" ] || { echo "FAILED a round that answered nothing wrote the record"; failures=$((failures + 1)); }
# Lines of the record this version cannot read are kept, and told once.
mkdir -p "${record%/*}"
printf '9-future tag 1\n5-unlike coprime x\n' >"$record"
printf '3/20\n1/2\n' | says 0 $'記録に、このバージョンでは読めない行がありました。消さずにそのまま残します。\ntobarin: '"$record"$': lines this version cannot read, kept as they were\n(2)' --practice "$code"
if [ "$(grep -c 'このバージョンでは読めない' "$errors")" != 1 ] ||
    [ "$(cat "$record")" != $'5-unlike multiple 1\n5-unlike coprime 1\n5-unlike reduce 1\n9-future tag 1\n5-unlike coprime x' ]; then
    echo "FAILED the record after unreadable lines: $(cat -v "$record")"
    failures=$((failures + 1))
fi
# A record that cannot be saved is said, and the exit status is 1.
rm "$record" && mkdir "$record"
printf '3/20\n' | says 1 $'記録を保存できませんでした。\ntobarin: cannot read \''"$record"$'\': it is a folder' --practice "$code"
# Two rounds at the same time keep both their results: each has answered
# one problem before either ends.
rm -r "$record" && mkfifo "$dir/a" "$dir/b"
env XDG_CONFIG_HOME="$dir/config" "$program" --practice p1:4-like:2:3:7 <"$dir/a" >"$dir/a.out" &
env XDG_CONFIG_HOME="$dir/config" "$program" --practice "$code" <"$dir/b" >"$dir/b.out" &
exec 3>"$dir/a" 4>"$dir/b"
"$program" --calc "$("$program" --practice p1:4-like:2:3:7 --list | sed -n 2p | cut -f1)" >&3
echo 3/20 >&4
for _ in $(seq 200); do grep -q '(2)' "$dir/a.out" && grep -q '(2)' "$dir/b.out" && break; sleep 0.05; done
exec 3>&- 4>&-
wait
if ! grep -q '^4-like ' "$record" || ! grep -q '^5-unlike coprime 1' "$record"; then
    echo "FAILED two rounds at once kept: $(cat "$record")"
    failures=$((failures + 1))
fi
# An answer written after "=", as pupils often write it.
printf '＝ 3/20\n' | says 0 '(1) 3/4 - 3/5 = 正解です。' --practice "$code"

# The command line loads Qt Core alone; without options the program loads
# its window module and opens the window (offscreen), until it is ended.
loaded=$(LD_DEBUG=files "$program" --calc '1 + 1' 2>&1 >/dev/null | grep -oE 'file=[^ ]*(Qt6Gui|Qt6Widgets|tobarin-window)[^ ]*' | sort -u)
if [ -n "$loaded" ]; then
    echo "FAILED tobarin --calc loads what only the window needs: $loaded"
    failures=$((failures + 1))
fi
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" "$program" 2>"$errors" &
window=$!
for _ in $(seq 100); do
    grep -q tobarin-window "/proc/$window/maps" 2>/dev/null && break
    kill -0 "$window" 2>/dev/null || break
    sleep 0.05
done
if ! grep -q tobarin-window "/proc/$window/maps" 2>/dev/null; then
    echo "FAILED tobarin without options did not load its window module: $(cat "$errors")"
    failures=$((failures + 1))
elif grep -q Qt6PrintSupport "/proc/$window/maps"; then
    echo "FAILED the window loads Qt Print Support before anything is printed"
    failures=$((failures + 1))
fi
kill "$window" 2>/dev/null
wait "$window" 2>/dev/null

[ "$failures" -eq 0 ] && echo "All cases passed."
exit $((failures > 0))
