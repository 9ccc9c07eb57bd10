#!/usr/bin/env bash
# The admin commands as support staff use them, on SQLite and, when the test
# server is up, on PostgreSQL.
set -uo pipefail
A="${OSSARION_ADMIN:?}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
failures=0
passes=0
check() { # description, command...
  local what="$1"; shift
  if "$@"; then passes=$((passes + 1)); else echo "FALLITO: $what"; failures=$((failures + 1)); fi
}
same() { [ "$1" == "$2" ] || { echo "  atteso: $(printf %q "$2")"; echo "  ottenuto: $(printf %q "$1")"; return 1; }; }

run_suite() {
  local archive="$1"
  check "create" "$A" create "$archive"
  check "create twice fails" bash -c "! '$A' create '$archive' 2>/dev/null"
  check "demo" "$A" demo "$archive"

  # Header, tab-separated rows, NULL as empty, dates and booleans.
  "$A" sql "$archive" "insert into Clienti (Cliente, DataNascita, Annullato, Note) values ('Zeta', #2/1/1950#, true, Null)"
  "$A" sql "$archive" "insert into Calendario (Cliente, Data) values ('Zeta', #3/1/2026 9.05.07#)"
  check "sql rows" same "$("$A" sql "$archive" "select Cliente, DataNascita, Annullato, Note from Clienti where Cliente = 'zeta'")" \
    $'Cliente\tDataNascita\tAnnullato\tNote\nZeta\t1950-02-01\t1\t'
  check "sql date-time" same "$("$A" sql "$archive" "select Data from Calendario where Cliente like 'ZE*'")" \
    $'Data\n2026-03-01 09:05:07'
  check "sql aggregate alias" same "$("$A" sql "$archive" "SELECT count(*) as Quanti from Clienti where Annullato = false")" \
    $'Quanti\n3'
  check "sql statement prints nothing" same "$("$A" sql "$archive" "delete * from Clienti where Cliente = 'Zeta'")" ""
  check "bad statement fails" bash -c "! '$A' sql '$archive' 'select * from TabellaInesistente' 2>/dev/null"
  check "untranslatable statement named" bash -c "'$A' sql '$archive' 'TRANSFORM x' 2>&1 | grep -q 'TRANSFORM x'"

  # An upgrade script is all or nothing, and stays when it fails.
  printf "ALTER TABLE Clienti ADD COLUMN Soprannome TEXT(50);UPDATE Clienti SET Soprannome = 'x';;insert into Inesistente (a) values (1)" >"$work/bad.sql"
  check "failing script exits non-zero" bash -c "! '$A' upgrade '$archive' '$work/bad.sql' 2>'$work/err.txt'"
  check "failing statement named" grep -q "insert into Inesistente" "$work/err.txt"
  check "failing script kept" test -f "$work/bad.sql"
  check "nothing applied" bash -c "! '$A' sql '$archive' 'select Soprannome from Clienti' 2>/dev/null"
  printf "ALTER TABLE Clienti ADD COLUMN Soprannome TEXT(50);;UPDATE Clienti SET Soprannome = 'y' where Cognome = 'Rossi'" >"$work/good.sql"
  check "script without final ; applied" "$A" upgrade "$archive" "$work/good.sql"
  check "script deleted" test ! -f "$work/good.sql"
  check "last statement ran" same "$("$A" sql "$archive" "select Soprannome from Clienti where Cognome = 'rossi'")" $'Soprannome\ny'

  # Municipalities: added, then updated on a second run.
  check "import-comuni" same "$("$A" import-comuni "$archive" "$here/fixtures/comuni.json")" \
    "Comuni aggiunti: 3, aggiornati: 0, province aggiunte: 1, regioni aggiunte: 0"
  check "import-comuni again" same "$("$A" import-comuni "$archive" "$here/fixtures/comuni.json")" \
    "Comuni aggiunti: 0, aggiornati: 3, province aggiunte: 0, regioni aggiunte: 0"
  check "town row" same "$("$A" sql "$archive" "select Comune, Cap, CODICE_F, Provincia, Regione_ID, Capoluogo from Comuni where Comune = 'CITTÀ DI CASTELLO'")" \
    $'Comune\tCap\tCODICE_F\tProvincia\tRegione_ID\tCapoluogo\nCittà di Castello\t06012\tC745\tPG\t10\t0'
  check "capital flag" same "$("$A" sql "$archive" "select Capoluogo from Comuni where Comune = 'Padova'")" $'Capoluogo\n1'
  check "missing list fails" bash -c "! '$A' import-comuni '$archive' '$work/none.json' 2>/dev/null"
}

echo "== SQLite"
run_suite "$work/archivio.db"
check "missing archive fails" bash -c "! '$A' sql '$work/manca.db' 'select 1' 2>/dev/null"
check "unknown command fails" bash -c "! '$A' boh '$work/archivio.db' 2>/dev/null"

if [ -n "${OSSARION_TEST_PG:-}" ]; then
  echo "== PostgreSQL"
  schema="adm_$$_$RANDOM"
  PGOPTIONS="-c client_min_messages=warning" psql -q "$OSSARION_TEST_PG" -c "CREATE SCHEMA $schema"
  run_suite "$OSSARION_TEST_PG?options=-csearch_path%3D$schema,public"
  psql -q "$OSSARION_TEST_PG" -c "SET client_min_messages TO warning" -c "DROP SCHEMA $schema CASCADE"
fi
rm -rf "$work"
echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
