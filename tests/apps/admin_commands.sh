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
  check "demo twice refused" bash -c "! '$A' demo '$archive' 2>/dev/null"
  check "demo contracts with their deceased" same "$("$A" sql "$archive" "SELECT count(*) as N from ContrattiDefunti INNER JOIN ContrattiTestata ON ContrattiDefunti.Testata_ID = ContrattiTestata.Id")" \
    $'N\n2'

  # Consistency check: a sound archive passes; a damaged one fails with one
  # line per problem, naming the document.
  check "check sound archive" same "$("$A" check "$archive")" "Nessun problema trovato nell'archivio."
  "$A" sql "$archive" "insert into fattura (Carico, FattNota, NonNumerare, Num, Data, TotImponibile, TotImposta, TotFattura, ImportoMarcaBollo) values (false, false, false, 41, #6/10/2025#, 100, 22, 122, 0)"
  local chk; chk="$("$A" sql "$archive" "select max(Id) as K from fattura" | tail -1)"
  "$A" sql "$archive" "insert into fattdett (NumFatt, NumeroRiga, Um, ValoreUnitario, Sconto, AliquotaIva) values ($chk, 1, 2, 50, 0, 22)"
  "$A" sql "$archive" "insert into FatturaScadenze (Fattura_ID, Numero, Importo, Tipo) values ($chk, 1, 61, 'F')"
  "$A" sql "$archive" "insert into FatturaScadenze (Fattura_ID, Numero, Importo, Tipo) values ($chk, 2, 61, 'F')"
  check "check archive with an invoice" same "$("$A" check "$archive")" "Nessun problema trovato nell'archivio."
  local contract; contract="$("$A" sql "$archive" "select min(Id) as K from ContrattiTestata" | tail -1)"
  "$A" sql "$archive" "update fattura set TotFattura = 123 where Id = $chk"
  "$A" sql "$archive" "insert into ContrattiRighe (Testata_ID, NumeroRiga, Fattura_ID) values ($contract, 5, 999999)"
  check "check damaged archive fails" bash -c "! '$A' check '$archive' >'$work/check.txt'"
  check "changed total named" grep -qx "Fattura n° 41 del 10/06/2025: totali diversi dalle righe (totale 123,00 invece di 122,00)" "$work/check.txt"
  check "instalments named" grep -qx "Fattura n° 41 del 10/06/2025: le rate (2) sommano 122,00 invece di 123,00" "$work/check.txt"
  check "contract row named" grep -q "riga 5: la fattura 999999 che indica non esiste$" "$work/check.txt"
  check "problems counted" same "$(tail -1 "$work/check.txt")" "Problemi trovati: 3"
  for t in "fattdett where NumFatt" "FatturaScadenze where Fattura_ID" "fattura where Id" "ContrattiRighe where Fattura_ID"; do
    "$A" sql "$archive" "delete * from $t = $( [ "${t%% *}" = ContrattiRighe ] && echo 999999 || echo "$chk")"
  done
  check "check after repair" bash -c "'$A' check '$archive' >/dev/null"

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
  check "script given on the command line kept" test -f "$work/good.sql"
  check "print with an unknown report code refused" bash -c "! '$A' print '$archive' 9999 2>/dev/null"
  check "last statement ran" same "$("$A" sql "$archive" "select Soprannome from Clienti where Cognome = 'rossi'")" $'Soprannome\ny'

  # Calendar: the working list (in a date range) as iCalendar, read back by
  # a real parser; a second export keeps the events' UIDs.
  "$A" sql "$archive" "insert into Calendario (Data, Cliente, Note) values (#4/2/2026 10.30.00#, 'Verdi, Luigi', 'porta; fiori')"
  "$A" sql "$archive" "insert into Calendario (Data, Note) values (#5/20/2026 8.00.00#, 'maggio')"
  "$A" sql "$archive" "insert into Calendario (Data, Note, Storico, Conclusa) values (#4/3/2025 8.00.00#, 'passato', true, true)"
  check "export-calendar" same "$("$A" export-calendar "$archive" "$work/cal.ics")" "Appuntamenti esportati: 3"
  check "export-calendar range" same "$("$A" export-calendar "$archive" "$work/aprile.ics" --dal 01/04/2026 --al 30/04/2026)" "Appuntamenti esportati: 1"
  check "calendar file read back" same "$(/usr/bin/python3 "$here/../calendar/read_ics.py" "$work/aprile.ics" | /usr/bin/python3 -c 'import json,sys; e=json.load(sys.stdin)["events"][0]; print(e["start"], e["end"], e["summary"])')" \
    "2026-04-02T10:30:00 2026-04-02T11:30:00 Verdi, Luigi : porta; fiori"
  check "CRLF line ends" bash -c "! grep -qv \$'\\r\$' '$work/cal.ics'"
  check "same UIDs on a second export" bash -c "'$A' export-calendar '$archive' '$work/cal2.ics' >/dev/null && diff <(grep ^UID '$work/cal.ics') <(grep ^UID '$work/cal2.ics')"
  check "bad date refused" bash -c "! '$A' export-calendar '$archive' '$work/x.ics' --al 31/02/2026 2>/dev/null"
  check "empty range writes nothing" bash -c "! '$A' export-calendar '$archive' '$work/vuoto.ics' --dal 01/01/2030 2>/dev/null && test ! -f '$work/vuoto.ics'"

  # Municipalities: added, then updated on a second run.
  check "import-comuni" same "$("$A" import-comuni "$archive" "$here/fixtures/comuni.json")" \
    "Comuni aggiunti: 3, aggiornati: 0, province aggiunte: 1, regioni aggiunte: 0"
  check "import-comuni again" same "$("$A" import-comuni "$archive" "$here/fixtures/comuni.json")" \
    "Comuni aggiunti: 0, aggiornati: 3, province aggiunte: 0, regioni aggiunte: 0"
  check "town row" same "$("$A" sql "$archive" "select Comune, Cap, CODICE_F, Provincia, Regione_ID, Capoluogo from Comuni where Comune = 'CITTÀ DI CASTELLO'")" \
    $'Comune\tCap\tCODICE_F\tProvincia\tRegione_ID\tCapoluogo\nCittà di Castello\t06012\tC745\tPG\t10\t0'
  check "capital flag" same "$("$A" sql "$archive" "select Capoluogo from Comuni where Comune = 'Padova'")" $'Capoluogo\n1'
  check "missing list fails" bash -c "! '$A' import-comuni '$archive' '$work/none.json' 2>/dev/null"

  # Public offices: the directory is replaced; a bad file changes nothing.
  local ipa="$here/../einvoice/ipa"
  check "import-ipa" bash -c "'$A' import-ipa '$archive' '$ipa/uffici.csv' | grep -q '^Uffici importati: 4, '"
  check "office with its town" same "$("$A" sql "$archive" "select PA_Amministrazioni_FatturaElettronica.codice_univoco, Comuni.Comune from PA_Amministrazioni_FatturaElettronica inner join Comuni on PA_Amministrazioni_FatturaElettronica.Comune_Id = Comuni.ID where cf = '80008170280'")" \
    $'codice_univoco\tComune\nDEF456\tPadova'
  check "bad office file fails" bash -c "! '$A' import-ipa '$archive' '$ipa/riga-incompleta.csv' 2>'$work/ipa.txt'"
  check "bad office file named" grep -q "la riga 3 ha 3 campi invece di 4" "$work/ipa.txt"
  check "offices kept" same "$("$A" sql "$archive" "select count(*) as N from PA_Amministrazioni_FatturaElettronica")" $'N\n4'

  # Electronic invoice: written without dialogs, its reports printed; a
  # business customer without SdI code and PEC is refused.
  "$A" sql "$archive" "insert into Clienti (Cliente, Iva, IdPaese, Via, Cap, Citta, Pubblicaamministrazione) values ('Marmi Srl', '09876543210', 'IT', 'Via Po 1', '35100', 'Padova', false)"
  local marmi; marmi="$("$A" sql "$archive" "select max(ID) as K from Clienti" | tail -1)"
  "$A" sql "$archive" "insert into fattura (Carico, FattNota, Num, Data, Cliente_ID, TotImponibile, TotImposta, TotFattura, ImportoMarcaBollo, DatiTrasmissione_ProgressivoInvio, DatiTrasmissione_FormatoTrasmissione, DatiGenerali_Divisa, Causale) values (false, false, 7, #3/15/2026#, $marmi, 100, 22, 122, 0, 7, 'FPR12', 'EUR', 'Tumulazione “salma” – loculo 12')"
  local doc; doc="$("$A" sql "$archive" "select max(Id) as K from fattura" | tail -1)"
  "$A" sql "$archive" "insert into fattdett (NumFatt, NumeroRiga, Descrizione, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID, TotaleImponibile) values ($doc, 1, 'Tumulazione', 1, 110, 0, 22, 1, 100)"
  check "export-fatturapa refuses business without codes" bash -c "! '$A' export-fatturapa '$archive' $doc '$work/rifiutata.xml' 2>'$work/fpa.txt'"
  check "refusal named" grep -q "la pec o il codice sdi" "$work/fpa.txt"
  check "nothing written" test ! -f "$work/rifiutata.xml"
  "$A" sql "$archive" "update Clienti set Pec = 'marmi@pec.it' where ID = $marmi"
  rm -f "$work/IT_00007.xml"
  check "export-fatturapa stops at a question" bash -c "! '$A' export-fatturapa '$archive' $doc '$work/IT_00007.xml' 2>'$work/fpa.txt'"
  check "question and answer printed" grep -q "Risposta: No (--forza per proseguire)" "$work/fpa.txt"
  check "nothing written when asked" test ! -f "$work/IT_00007.xml"
  check "export-fatturapa --forza" bash -c "'$A' export-fatturapa '$archive' $doc '$work/IT_00007.xml' --forza 2>'$work/fpa.txt' | grep -q 'Fattura esportata con successo !'"
  check "exchange-system report printed" grep -q "Errore 00423 - riga 1" "$work/fpa.txt"
  check "PEC and safe quotes written" bash -c "grep -q '<PECDestinatario>marmi@pec.it</PECDestinatario>' '$work/IT_00007.xml' && grep -q 'Tumulazione &quot;salma&quot; - loculo 12' '$work/IT_00007.xml'"
  check "marked exported" same "$("$A" sql "$archive" "select EsportatoXml from fattura where Id = $doc")" $'EsportatoXml\n1'
  local xsd="$here/../../src/einvoice/schema/Schema_VFPA12_V1.2.3.xsd"
  check "exported file valid" bash -c "xmllint --nonet --noout --schema '$xsd' '$work/IT_00007.xml' 2>/dev/null"
  # A file the schema refuses is not written, even with --forza.
  "$A" sql "$archive" "update ditta set RegimeFiscale = 'RF99'"
  check "invalid file refused" bash -c "! '$A' export-fatturapa '$archive' $doc '$work/invalida.xml' --forza 2>'$work/fpa.txt'"
  check "invalid field named" grep -q "Regime fiscale della ditta" "$work/fpa.txt"
  check "invalid file not written" test ! -f "$work/invalida.xml"

  # Received electronic invoices: a .zip and a folder, one line per file,
  # exit 1 when one is refused; a file for another company only with --forza.
  local samples="$here/../../../shared/fatturapa/samples"
  [ -d "$samples" ] || samples=/work/shared/fatturapa/samples
  rm -f "$work/ricevute.zip"
  (cd "$samples/official-v1.2.2" && zip -q "$work/ricevute.zip" IT01234567890_FPR01.xml IT01234567890_FPR03.xml)
  check "import-fatturapa asks about other companies" bash -c "'$A' import-fatturapa '$archive' '$work/ricevute.zip' >'$work/imp.txt'"
  check "skipped without --forza" grep -q "IT01234567890_FPR01.xml: saltato - non indirizzato a questa azienda" "$work/imp.txt"
  check "import-fatturapa --forza" bash -c "'$A' import-fatturapa '$archive' '$work/ricevute.zip' --forza >'$work/imp.txt'"
  check "imported with its number" grep -q "FPR03.xml: importato - .*fattura n° 456 del 20/12/2014" "$work/imp.txt"
  check "refused file fails" bash -c "! '$A' import-fatturapa '$archive' '$samples/ph-fatturapa' '$samples/fatturaelettronica-net/IT02182030391_31_tampered.xml.p7m' --forza >'$work/imp.txt'"
  check "one line per file" same "$(wc -l <"$work/imp.txt")" 3
  check "documents imported once" same "$("$A" sql "$archive" "select count(*) as N from fattura where Carico = true")" $'N\n2'
  check "received files kept" same "$("$A" sql "$archive" "select count(*) as N from Fattura_Allegati where DescrizioneAttachment = 'Fattura elettronica ricevuta'")" $'N\n2'
  # The backup below counts its own attachment only.
  "$A" sql "$archive" "delete * from Fattura_Allegati" >/dev/null

  # Backup and restore: the rows and the attachment come back; a damaged
  # backup is refused with the archive and the file left as they were.
  mkdir -p "$work/allegati"
  printf 'allegato di %s' "$archive" >"$work/allegati/contratto.pdf"
  "$A" sql "$archive" "insert into Fattura_Allegati (Fattura_Id, NomeAttachment, PercorsoCompleto) values ($doc, 'contratto.pdf', '$work/allegati/contratto.pdf')"
  local customers; customers="$("$A" sql "$archive" "select count(*) as N from Clienti")"
  local appointments; appointments="$("$A" sql "$archive" "select count(*) as N from Calendario")"
  check "backup" bash -c "'$A' backup '$archive' '$work/copia.bak' | grep -q '^Backup completato, file: 1$'"
  check "backup of a missing archive fails" bash -c "! '$A' backup '$work/manca.db' '$work/x.bak' 2>/dev/null && test ! -f '$work/x.bak'"
  "$A" sql "$archive" "delete * from Calendario"
  "$A" sql "$archive" "insert into Clienti (Cliente) values ('Dopo il backup')"
  echo "cambiato" >"$work/allegati/contratto.pdf"
  head -c -100 "$work/copia.bak" >"$work/rotto.bak"
  check "damaged backup refused" bash -c "! '$A' restore '$work/rotto.bak' '$archive' 2>'$work/err.txt'"
  check "refusal in Italian" grep -q "è danneggiato o incompleto" "$work/err.txt"
  check "archive untouched" same "$("$A" sql "$archive" "select count(*) as N from Calendario")" $'N\n0'
  check "file untouched" same "$(cat "$work/allegati/contratto.pdf")" "cambiato"
  check "restore" bash -c "'$A' restore '$work/copia.bak' '$archive' >/dev/null"
  check "rows back" same "$("$A" sql "$archive" "select count(*) as N from Clienti")" "$customers"
  check "calendar back" same "$("$A" sql "$archive" "select count(*) as N from Calendario")" "$appointments"
  check "attachment back" same "$(cat "$work/allegati/contratto.pdf")" "allegato di $archive"
  rm -f "$work/copia.bak" "$work/rotto.bak"

  # VAT settlement and registers for scripts: name<TAB>value, dot decimals.
  "$A" sql "$archive" "insert into fattura (Carico, FattNota, Data, DataRegistrazione, NumeroCarico, Fornitore) values (true, false, #3/30/2031#, #4/2/2031#, 'FT9', 'Marmi')"
  local sup; sup="$("$A" sql "$archive" "select max(Id) as K from fattura" | tail -1)"
  "$A" sql "$archive" "insert into Movimenti (Fattura_ID, Iva_ID, AliquotaIva, TotaleImponibile, Scarico, ContabilitaConti_ID) values ($sup, 1, 22, 100, false, 1)"
  "$A" sql "$archive" "insert into fattura (Carico, FattNota, Num, Data, ScissionePagamenti, Cliente) values (false, false, 7, #5/10/2031#, false, 'Rossi')"
  local cus; cus="$("$A" sql "$archive" "select max(Id) as K from fattura" | tail -1)"
  "$A" sql "$archive" "insert into fattdett (NumFatt, Um, ValoreUnitario, Sconto, AliquotaIva, Iva_ID, ContabilitaConti_ID) values ($cus, 2, 100, 10, 22, 1, 1)"
  check "liquidazione" same "$("$A" liquidazione "$archive" 2031 --trimestre 2)" \
    $'AcquistiImponibile\t100.00\nAcquistiImposta\t22.00\nVenditaImponibile\t180.00\nVenditaImposta\t39.60\nCorrispettiviImponibile\t0.00\nCorrispettiviImposta\t0.00\nAcquistiImponibileNonSoggetta\t0.00\nVenditaImponibileNonSoggetta\t0.00\nCorrispettiviImponibileNonSoggetta\t0.00\nTotaleIvaDebito\t39.60\nTotaleIvaCredito\t22.00\nCreditoResiduoTrimestrePassato\t0.00\nRisultato\t17.60\nRiga\t1\tacquisti\t100.00\t22.00\nRiga\t1\tvendite\t180.00\t39.60'
  check "liquidazione stored once" same "$("$A" liquidazione "$archive" 2031 --trimestre 2 >/dev/null; "$A" sql "$archive" "select count(*) as N from ContabilitaChiusuraIvaTrimestre where Anno = 2031")" $'N\n1'
  check "liquidazione mensile" bash -c "'$A' liquidazione '$archive' 2031 --mese 4 | grep -qx \$'CreditoResiduoMesePassato\t0.00'"
  check "liquidazione bad month" bash -c "! '$A' liquidazione '$archive' 2031 --mese 13 2>/dev/null"
  check "registro acquisti" same "$("$A" registro "$archive" acquisti 01/01/2031 31/12/2031)" \
    "$(printf 'Riga\t2\t%s\t1\t1\t100.00\t22.00\t122.00' "$sup")"$'\nTrimestre\t1\t0.00\t0.00\t0.00\nTrimestre\t2\t100.00\t22.00\t122.00\nTrimestre\t3\t0.00\t0.00\t0.00\nTrimestre\t4\t0.00\t0.00\t0.00'
  check "registro vendite" bash -c "'$A' registro '$archive' vendite 01/01/2031 31/12/2031 | head -1 | grep -qx \$'Riga\t2\t$cus\t1\t1\t180.00\t39.60\t219.60'"
  check "registro across years refused" bash -c "'$A' registro '$archive' vendite 01/12/2030 31/12/2031 2>&1 >/dev/null | grep -q 'stesso anno'"
}

echo "== SQLite"
run_suite "$work/archivio.db"
check "missing archive fails" bash -c "! '$A' sql '$work/manca.db' 'select 1' 2>/dev/null"
# A page of an index overwritten: the engine's own check finds it.
cp "$work/archivio.db" "$work/danneggiato.db"
/usr/bin/python3 - "$work/danneggiato.db" <<'EOF'
import sqlite3, sys
c = sqlite3.connect(sys.argv[1])
size = c.execute("pragma page_size").fetchone()[0]
root = c.execute("select rootpage from sqlite_master where type = 'index' and tbl_name = 'Clienti' and sql is not null").fetchone()[0]
c.close()
with open(sys.argv[1], "r+b") as f:
    f.seek((root - 1) * size + 8)
    f.write(b"\xff" * 64)
EOF
check "damaged file fails the check" bash -c "'$A' check '$work/danneggiato.db' >'$work/danno.txt' 2>&1; test \$? -eq 1"
check "damage named" grep -q "^File dell'archivio danneggiato: " "$work/danno.txt"
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
