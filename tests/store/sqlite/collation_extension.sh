#!/bin/sh
# collation_extension.sh ZELVIK_CLI EXTENSION: the text collation loaded into the real sqlite3 shell
# finds what the program finds, and what the shell writes the program finds and checks as sound.
set -eu
cli=$1
extension=${2%.so} # as the README shows the .load line, without the ending
command -v sqlite3 >/dev/null || { echo "no sqlite3 shell"; exit 77; }
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cd "$folder"
"$cli" init >/dev/null

shell() { sqlite3 -batch -bail history.dat -cmd ".load $extension" "$1"; }
fail() { echo "$1"; exit 1; }

[ "$(shell "select fam from fam where fam='иванов'")" = "Иванов" ] || fail "the shell does not fold case"
[ "$(shell "select fam from fam where fam='ИВАНОВ' collate binary")" = "" ] || fail "the shell compares bytes wrongly"
shell "insert into tab (fam,im,ot,tele,ul,dom,domd,kv) values('Ёжиков','Пётр','Ильич','4951234567','Ленина',1,'',2)"
[ "$(shell "select count(*) from tab where fam='ёжиков' and im='пётр'")" = 1 ] || fail "the shell's row is not found by the shell"

found=$("$cli" find --surname ёжиков --name пётр --seed 1)
expected=$(printf 'Найдено: 1\nЁжиков\tПётр\tИльич\t4951234567\tЛенина\t1\t\t2')
[ "$found" = "$expected" ] || fail "zelvik-cli find printed: $found"
# The index the shell wrote is ordered as the program orders it.
[ "$("$cli" check)" = ok ] || fail "zelvik-cli check: $("$cli" check)"
