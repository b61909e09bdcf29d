#!/usr/bin/env bash
# tarivox-cli as people and scripts run it, natively or under Wine: golden
# outputs, the one option grammar, amounts, line ends and text, faults of
# the streams around it, and memory that does not grow with a line.
#
#   cli_test.sh GROUP COMMAND...      COMMAND runs tarivox-cli ("wine x.exe")
set -u
group=$1
shift
cli=("$@")
golden=$(cd "$(dirname "$0")" && pwd)/golden
work=$(mktemp -d)
trap 'umount "$work/full" 2>/dev/null; rm -rf "$work"' EXIT
native=1
[[ ${cli[-1]} == *.exe ]] && native=0
# The user's own settings (who prepares quotes) stay out of every run.
export XDG_CONFIG_HOME=$work/config
failures=0

fail() {
  echo "FAIL $group [$1]: $2"
  failures=$((failures + 1))
}

# expect ROW STATUS WANTED
expect() { [ "$2" = "$3" ] || fail "$1" "exit status $2, expected $3: $(head -c 600 "$work/err")"; }

# run ROW STATUS ARGUMENTS...: tarivox-cli on the standard input run is given,
# its output in $work/out and $work/err.
run() {
  local row=$1 want=$2 status
  shift 2
  "${cli[@]}" "$@" >"$work/out" 2>"$work/err"
  status=$?
  # Now and then Wine ends a program it never started with status 1 and no
  # word. The tool itself never ends with 1 without saying why on standard
  # error, so under Wine such a run is started once more.
  if [ "$native" = 0 ] && [ "$status" = 1 ] && [ ! -s "$work/out" ] && [ ! -s "$work/err" ]; then
    "${cli[@]}" "$@" >"$work/out" 2>"$work/err"
    status=$?
  fi
  expect "$row" "$status" "$want"
}

# has ROW out|err TEXT
has() { grep -qF -- "$3" "$work/$2" || fail "$1" "$2 lacks \"$3\": $(head -c 600 "$work/$2")"; }

# same ROW GOLDEN [FILE]: FILE (the output) is the golden file.
same() {
  cmp -s "${3:-$work/out}" "$2" || fail "$1" "differs from $(basename "$2"): $(diff "${3:-$work/out}" "$2" | head -n 6)"
}

# Strict UTF-8 (and JSON) as another program reads it; a workbook, a whole
# zip whose parts are UTF-8 XML.
valid() {
  python3 -c 'import json, sys, zipfile
if sys.argv[2] == "xlsx":
    with zipfile.ZipFile(sys.argv[1]) as book:
        assert book.testzip() is None, "a damaged part"
        for part in book.namelist(): book.read(part).decode("utf-8")
    sys.exit(0)
text = open(sys.argv[1], "rb").read().decode("utf-8")
if sys.argv[2] == "json": json.loads(text)' "$work/$2" "${3:-text}" 2>"$work/why" ||
    fail "$1" "$2 is not valid ${3:-UTF-8}: $(tail -n 1 "$work/why")"
}

# Who prepared the golden quotes.
preparer=(--preparer "Ana María Peña" --firm "Notaría Peña & Asociados")

# The goldens in Spanish, the tool's language, and in English (golden/en).
# The xlsx goldens are bytes too: a workbook depends on its quote alone, so
# the Windows build under Wine must write the very file the native one does.
golden_outputs() {
  local pair format suffix lang dir
  for lang in es en; do
    dir=$golden
    [ "$lang" = en ] && dir=$golden/en
    for pair in text:txt csv:csv csv-excel:excel.csv xlsx:xlsx json:json; do
      format=${pair%%:*} suffix=${pair#*:}
      run "quote $lang $format" 0 quote --lang "$lang" --file "$golden/quote-acts.txt" --format "$format" \
        "${preparer[@]}" </dev/null
      same "quote $lang $format" "$dir/quote.$suffix"
      valid "quote $lang $format" out "$format"
      run "compare $lang $format" 0 compare --office MVT --social --transaction creditos --format "$format" \
        --lang "$lang" 9,500.01
      same "compare $lang $format" "$dir/compare.$suffix"
      valid "compare $lang $format" out "$format"
    done
    run "list $lang" 0 list --lang "$lang"
    same "list $lang" "$dir/list.txt"
    run "explain $lang" 0 calc --explain --office MVT --social 9000 --lang "$lang"
    same "explain $lang" "$dir/explain.txt"
  done
}

# What programs select by is the same in both languages: the codes of the
# CSV columns project and variant, and of JSON's variant.
codes_in_both_languages() {
  local lang
  for lang in es en; do
    "${cli[@]}" quote --lang "$lang" --format csv --act MVT:0:0:social=9000 --act KLDA:0:0=5 | cut -d, -f1,7 \
      >"$work/$lang.quote"
    "${cli[@]}" compare --lang "$lang" --office MVT --social --format csv 9000 | cut -d, -f1,3 >"$work/$lang.compare"
  done
  cmp -s "$work/es.quote" "$work/en.quote" || fail "quote codes" "$(diff "$work/es.quote" "$work/en.quote" | head -n 4)"
  grep -q '^act,social' "$work/en.quote" || fail "quote codes" "$(cat "$work/en.quote")"
  cmp -s "$work/es.compare" "$work/en.compare" || fail "compare codes" "$(diff "$work/es.compare" "$work/en.compare")"
  grep -q '^MVT social,social' "$work/en.compare" || fail "compare codes" "$(cat "$work/en.compare")"
}

# A long label goes on below its act in text and stays whole in CSV: it
# does not widen every other row.
long_label() {
  local label
  label=$(printf 'palabra %.0s' {1..3000})
  run "long label" 0 quote --act "KLDA:0:0=5 | $label" --act "KLDA:0:0=6 | corta"
  [ "$(wc -L <"$work/out")" -lt 300 ] || fail "long label" "a line of $(wc -L <"$work/out") characters"
  [ "$(grep -o palabra "$work/out" | wc -l)" = 3000 ] || fail "long label" "words lost in text"
  run "long label in CSV" 0 quote --format csv --act "KLDA:0:0=5 | $label"
  has "long label in CSV" out ",${label% },KLDA,"
}

# A second edition, made from the built-in one as a decree would change it:
# 0.63 raised to 0.70 from 2030-01-01.
later_edition() {
  "${cli[@]}" tariff export >"$work/built-in.json" || fail "tariff export" "status $?"
  python3 - "$work/built-in.json" "$1" <<'PYTHON'
import json, sys
edition = json.load(open(sys.argv[1], encoding="utf-8"))
edition["name"] = "Decreto 2030"
edition["in_force_from"] = "2030-01-01"
for service in edition["services"]:
    for transaction in service["transactions"]:
        if transaction["price"].get("per_hundred") == "0.63":
            transaction["price"]["per_hundred"] = "0.70"
edition["examples"] = [{"office": "KLDA", "service": "Inscripción", "transaction": "Transferencias y mod. de dominio",
                        "amount": "25,000.00", "fee": "175.00"}]
json.dump(edition, open(sys.argv[2], "w", encoding="utf-8"), ensure_ascii=False)
PYTHON
}

# Acts priced under the edition in force on their date, the day before the
# change and the day of it, in every command; every output names it.
editions() {
  local later=$work/later.json
  later_edition "$later"
  row "check a good edition" 0 out "edición completa y correcta" tariff check "$later"
  for command in calc "compare --format json" "quote --act KLDA:0:0=25,000 --format json"; do
    read -r -a args <<<"$command"
    [ "${args[0]}" = quote ] && operand=() || operand=(25,000)
    for day in 2029-12-31:157.50 2030-01-01:175.00; do
      row "${args[0]} on ${day%:*}" 0 out "${day#*:}" "${args[@]}" --tariff "$later" --date "${day%:*}" "${operand[@]}"
    done
  done
  row "explain names the edition" 0 out "Arancel:                Decreto 2030, vigente desde 2030-01-01" \
    calc --explain --tariff "$later" --date 2030-01-01 25,000
  row "text names the edition" 0 out "Arancel: Decreto 2030, vigente desde 2030-01-01" \
    quote --tariff "$later" --date 2030-06-30 --act KLDA:0:0=25,000
  row "JSON names the edition" 0 out '"in_force_from": "2030-01-01"' \
    compare --format json --tariff "$later" --date 2030-01-01 25,000
  row "CSV names the edition" 0 out ',Decreto 2030,2030-01-01' quote --format csv --tariff "$later" --date 2030-01-01 \
    --act KLDA:0:0=25,000
  printf 'fecha: 2030-01-02\nKLDA:0:0=25,000\n' >"$work/dated"
  row "a quote file's date" 0 out "Total a pagar US$: 175.00" quote --tariff "$later" --file "$work/dated"
  row "a day that does not exist" 2 err "la fecha «2030-02-30» no es una fecha AAAA-MM-DD que exista" \
    calc --tariff "$later" --date 2030-02-30 5
  dated_batch "$later"
  refused_editions "$later"
  installed_editions "$later"
}

# Batch records each priced under the edition of their own date, the day
# before the change and the day of it in one run; those without a date (or
# with an empty one) on --date; a date that does not exist refused alone.
dated_batch() {
  local before=$'25,000.00\t157.50\tPara un monto de: US$ 25,000.00  el pago es: US$ 157.50'
  local after=$'25,000.00\t175.00\tPara un monto de: US$ 25,000.00  el pago es: US$ 175.00'
  local day undated
  printf '0\t0\t0\t0\t25,000\t%s\n' 2029-12-31 2030-01-01 >"$work/in"
  printf '0\t0\t0\t0\t25,000\n0\t0\t0\t0\t25,000\t\r\n' >>"$work/in"
  printf '0\t0\t0\t0\t25,000\t%s\r\n' 2030-01-01 2029-12-31 2026-02-30 2026-13-01 30-01-01 '2030-01-01 ' >>"$work/in"
  printf '0\t0\t0\t0\t25,000\t2030-01-01\t2029-12-31\n2\t0\t0\t0\t25,000\t2030-01-01\n' >>"$work/in"
  printf '0\t0\t0\t0\t25,000\t%s\n' 2029-12-31 >>"$work/in"
  for day in 2029-12-31 2030-01-01; do
    [ "$day" = 2030-01-01 ] && undated=$after || undated=$before
    {
      printf '%s\n' "$before" "$after" "$undated" "$undated" "$after" "$before"
      printf 'ERROR\tlínea %s: la fecha «%s» no es una fecha AAAA-MM-DD que exista (por ejemplo 2026-12-07)\n' \
        7 2026-02-30 8 2026-13-01 9 30-01-01 10 '2030-01-01 ' 11 '2030-01-01\u00092029-12-31'
      printf 'ERROR\tlínea 12: OFICINA debe ser 0 o 1\n%s\n' "$before"
    } >"$work/expected"
    run "batch with dates, --date $day" 1 batch --tariff "$later" --date "$day" <"$work/in"
    same "batch with dates, --date $day" "$work/expected"
  done
}

# An edition with a wrong field is refused whole, naming the field; a run
# given it writes nothing.
refused_editions() {
  sed 's/"fixed_fee": 886/"fixed_fee": 8.86/; s/"0.38"/0.38/' "$1" >"$work/wrong.json"
  row "check a wrong edition" 1 err "offices[0].fixed_fee: «8.86» no es un número entero de centavos" \
    tariff check "$work/wrong.json"
  has "check a wrong edition" err "services[0].transactions[1].price.per_hundred: no es del tipo que este campo lleva"
  row "a run with a wrong edition" 2 err "no es una edición del arancel que se pueda usar" \
    calc --tariff "$work/wrong.json" 5
  [ ! -s "$work/out" ] || fail "a run with a wrong edition" "wrote $(head -c 100 "$work/out")"
}

# Installed in the user's data folder, an edition prices without --tariff.
installed_editions() {
  local data=$work/data
  [ "$native" = 1 ] || return 0  # the folder under Wine is the prefix's own
  XDG_DATA_HOME=$data run "install" 0 tariff install "$1"
  [ -f "$data/tarivox/tarifas/2030-01-01.json" ] || fail "install" "$(ls -R "$data" 2>&1 | head -c 200)"
  XDG_DATA_HOME=$data run "priced by the installed edition" 0 calc --date 2030-01-01 25,000
  has "priced by the installed edition" out "175.00"
  XDG_DATA_HOME=$data run "installed twice" 1 tariff install "$1"
  has "installed twice" err "otro arancel, «Decreto 2030», entra en vigor el mismo día"
  XDG_DATA_HOME=$data run "two editions of one day" 2 calc --tariff "$1" 5
  has "two editions of one day" err "entra en vigor el mismo día"
  XDG_DATA_HOME=$data run "list" 0 tariff list
  has "list" out "Decreto 2030"$'\t'"vigente desde 2030-01-01"$'\t'"$data/tarivox/tarifas/2030-01-01.json"
  has "list" out "incorporado al programa"$'\t'"vigente desde siempre"
  # A data folder that cannot be made is named, and nothing is installed.
  : >"$work/a-file"
  XDG_DATA_HOME=$work/a-file run "install under a file" 3 tariff install "$1"
  has "install under a file" err "$work/a-file/tarivox/tarifas: una parte de la ruta es un archivo, no una carpeta"
}

# row NAME STATUS out|err TEXT ARGUMENTS...
row() {
  local name=$1 want=$2 stream=$3 text=$4
  shift 4
  run "$name" "$want" "$@" </dev/null
  has "$name" "$stream" "$text"
}

grammar() {
  local sentence="US$ 1,234.13  el pago es: US$ 5.71"
  row "--name=value" 0 out "$sentence" calc --office=MVT --social 1234.125
  row "--name value" 0 out "$sentence" calc --office MVT --social -- 1234.125
  row "-- ends the options" 0 out "US$ 0.00  el pago es: US$ 0.00" calc -- --help
  row "a negative amount" 0 out "US$ 0.00  el pago es: US$ 0.00" calc -9
  row "help where an option stands" 0 out "uso: tarivox-cli calc" calc 5 -h
  row "help in English" 0 out "usage: tarivox-cli calc" calc 5 -h --lang=en
  row "--lang before the command" 0 out "Commands:" --lang en --help
  row "help as a value" 2 err "no hay ninguna oficina «--help»" calc --office --help 5
  row "-h as a value" 0 out "Cliente: -h" quote --client -h --act KLDA:0:0=1
  row "-h after =" 0 out "Cliente: -h" quote --client=-h --act=KLDA:0:0=1
  row "a flag takes no value" 2 err "--social no lleva valor" calc --social=1 5
  row "a value is missing" 2 err "--office necesita un valor" calc --office
  row "given twice" 2 err "--file solo puede darse una vez" quote --file a --file b
  row "an empty file name" 2 err "el valor de --file no puede estar vacío" quote --file=
  row "an empty file name apart" 2 err "el valor de --file no puede estar vacío" quote --file ""
  row "another command's option" 2 err "no hay ninguna opción «--format»" calc --format json 5
  row "--explain is calc's" 2 err "no hay ninguna opción «--explain»" compare --explain 5
  row "two amounts" 2 err "solo puede darse un monto o una cantidad (hay «1» y «2»)" calc 1 2
  row "no amount" 2 err "falta el monto" calc
  row "operand of list" 2 err "argumento de más: «extra»" list extra
  row "unknown command" 2 err "no hay ningún comando «frobnicate»" frobnicate
  row "no command" 2 err "uso: tarivox-cli COMANDO"
  row "unknown format" 2 err "no hay ningún formato «xml» (text, csv, csv-excel, xlsx o json)" compare --format xml 5
  row "unknown language" 2 err "no hay ningún idioma «fr» (es o en)" calc --lang fr 5
  row "unknown language first" 2 err "no hay ningún idioma «xx» (es o en)" --lang xx calc 5
  row "language twice" 2 err "--lang solo puede darse una vez" --lang en calc --lang es 5
  row "a language as a value" 0 out "Cliente: --lang=en" quote --client --lang=en --act KLDA:0:0=1
  has "a language as a value" out "Total a pagar US$: 8.86"
  row "English errors" 2 err "unknown format \"xml\"" compare --format xml --lang en 5
  row "no acts" 2 err "no hay actos que presupuestar" quote
  row "ambiguous name" 2 err "«credito» nombra más de una transacción" calc --transaction credito 5
  row "no such position" 2 err "no hay ningún servicio en la posición 9" calc --service 9 5
  row "a six-digit position" 0 out "US$ 1,234.13  el pago es: US$ 5.71" calc --office 000001 --social 1234.125
  row "seven digits are no position" 2 err "no hay ninguna oficina «0000001»" calc --office 0000001 5
  row "exit statuses" 0 out "3  falló una" --help
  row "xlsx for a decimal point" 0 out "use xlsx); json." quote --help --lang en
  row "csv-excel for a decimal comma" 0 out "solo para hojas de cálculo configuradas con coma" quote --help
  row "compare takes xlsx" 0 out "[--format text|csv|csv-excel|xlsx|json]" compare --help

  row "fixed fee for no amount" 0 out "Pago:                   8.86" calc --explain --transaction 6 0
  stated_fees
  social_at_klda
  row "every act in the total" 0 out "Total a pagar US$: 166.36" quote --act KLDA:0:0=25,000 --act KLDA:4:0
  has "every act in the total" out "Son: ciento sesenta y seis dólares con 36/100"
  row "no label column without labels" 0 out $'N.º  Oficina  Servicio' quote --act KLDA:0:0=1
}

# A transaction whose tariff text states its fee, priced alike by calc,
# compare and quote; its quantity where a computed one takes its amount.
stated_fees() {
  local rule="8.86 + 12 hojas × 0.35 = 13.06"
  row "calc by quantity" 0 out "Pago según el texto: $rule" calc --service certificacion --transaction literales 12
  row "compare by quantity" 0 out "KLDA normal: $rule" compare --service 2 --transaction 0 12
  row "quote by quantity" 0 out "Total a pagar US$: 13.06" quote --act "KLDA:certificacion:literales=12"
  has "quote by quantity" out "$rule"
  row "a quantity of lots" 0 out "3 lotes o parcelas × 9.70 = 29.10, elevado al mínimo 34.29" \
    quote --act "KLDA:inscripcion:particiones=3"
  row "no quantity" 2 err "falta la cantidad: el arancel de esta transacción cobra por hojas" \
    calc --service 2 --transaction 0
  row "a quantity that is no whole number" 1 err "la cantidad «1.5»" calc --service 2 --transaction 0 1.5
  row "a fixed fee takes nothing" 2 err "«Nueva presentación» tiene un pago fijo" calc --service presentacion 100
  row "a fixed fee" 0 out "pago fijo 8.86" calc --service presentacion
  row "list shows how" 0 out "Literales  [según su texto: 8.86 más 0.35 por hoja]" list
  social_share
}

# A fee by the piece that a social-interest project reduces while its value
# is at most 10,000.00: the value is asked for, and decides the share.
social_share() {
  local owners="4 titulares × 1.77 = 7.08"
  row "share at the threshold" 0 out "$owners, × 0.25 por ser proyecto de interés social de 10,000.00 = 1.77" \
    quote --act "MVT:certificacion:carencia:social=4@10,000"
  row "share above the threshold" 0 out "$owners, entero: el proyecto de interés social de 10,000.01 sobrepasa 10,000.00" \
    quote --act "MVT:certificacion:carencia:social=4@10,000.01"
  row "share without the value" 1 err "--act 1: falta el valor del proyecto de interés social" \
    quote --act "MVT:certificacion:carencia:social=4"
  row "a value where none is taken" 1 err "este acto no lleva valor del proyecto" quote --act "KLDA:0:0=5@100"
  row "a value that is no amount" 1 err "en el valor del proyecto, el monto «diez mil» no es un número" \
    quote --act "MVT:informe:0:social=2@diez mil"
  row "calc with --value" 0 out "= 1.77" calc --office MVT --social --service certificacion --transaction carencia \
    --value 9,000 4
  row "calc without --value" 2 err "falta el valor del proyecto" calc --office MVT --social --service 2 --transaction 2 4
  row "compare with --value" 0 out "Diferencia US$     (referencia)    0.00           -5.31" \
    compare --office MVT --service certificacion --transaction carencia --value 9,000 4
  row "compare without --value" 0 out "MVT interés social: falta el valor del proyecto" \
    compare --office MVT --service certificacion --transaction carencia 4
  row "--value no column takes" 1 err "este acto no lleva valor del proyecto" compare --value 5 25,000
}

# The project kind exists at MVT only: every command refuses it at KLDA.
social_at_klda() {
  local why="el proyecto de interés social solo existe en la oficina MVT" command
  for command in calc compare; do
    row "$command social at KLDA" 1 err "$why" "$command" --social 9000
    [ ! -s "$work/out" ] || fail "$command social at KLDA" "wrote $(head -c 200 "$work/out")"
  done
  row "quote social at KLDA" 1 err "--act 1: $why" quote --act KLDA:0:0:social=9000
}

# Acts and quote lines that cannot be used, all named with their reasons.
refused_acts() {
  printf '%s\n' 'client: A' 'Client: B' 'date:' 'KLDA:0:0:maybe=1' 'KLDA:0:0:social=1' 'KLDA:0:0 | label' \
    'KLDA:4:0=100' 'MVT:certificacion:literales' "KLDA:0:0=1 | $(printf 'x%.0s' {1..1012})" \
    "KLDA:0:0=1 | $(printf 'x%.0s' {1..1011})" >"$work/acts" # 1,025 bytes and 1,024, which are taken
  run "refused acts" 1 quote --act KLDA:0 --act 'KLDA:0:0:social:x=1' --act XYZ:0:0=1 --file "$work/acts"
  same "refused acts" "$golden/refused.txt" "$work/err"
}

batch() {
  {
    printf '\xEF\xBB\xBF0\t0\t0\t0\t25,000\n1\t0\t0\t1\t1234.125\r\n0\t1\t2\t0\t25000\r' # mark, LF, CR LF, CR
    printf '0\t0\t12\t0\t100\r\r\n0\t0\t0\t0\n2\t0\t0\t0\t1\n1\t2\t4\t0\t1\n0\t0\t0\tyes\t1\n0000000\t0\t0\t0\t1\n0\t0\t0\t2\t1\n'
    printf '0\t0\t0\t0\t  1\t2,000 \n0\t0\t6\t0\t\n'
    printf '0\t0\t0\t0\t1%s59\n' "$(printf ',%.0s' {1..125})" # the window reads 127 characters
    printf '00\t1\t2\t0\t25000\n'                       # fields of other widths: each in its place
    printf '0\t0\t7\t0\t5'                                    # no line end after the last record
  } >"$work/in"
  run batch 1 batch <"$work/in"
  same batch "$golden/batch.txt"
  has batch err "entrada estándar: la línea 16, la última, no termina en un salto de línea y puede estar cortada"
  coprocess
  [ "$native" = 1 ] && nonblocking
}

# As a coprocess, batch answers each record before the next is sent,
# however short or long: RECORD|ANSWER'S START.
coprocess() {
  local rows=($'0|ERROR\tlínea 1: se esperaban' $'0\t0\t0\t0\t5|5.00\t8.86\t'
    $'0\t0\t0\t0\t'"$(printf '1%.0s' {1..70000})"$'|0.00\t0.00\t') entry answer
  coproc answers { "${cli[@]}" batch 2>/dev/null; }
  for entry in "${rows[@]}"; do
    printf '%s\n' "${entry%|*}" >&"${answers[1]}"
    IFS= read -r -t 30 answer <&"${answers[0]}"
    [[ $answer == "${entry##*|}"* ]] || fail "coprocess «${entry:0:12}»" "answered «${answer:0:60}»"
  done
  exec {answers[1]}>&-
  wait
}

# Standard input and output that do not block (a coprocess, some IDEs): the
# tool waits until it can read or write, however often it finds them empty
# or full.
nonblocking() {
  python3 - "${cli[@]}" <<'PYTHON' || fail "non-blocking streams" "see above"
import os, subprocess, sys, threading, time
record = b"0\t0\t0\t0\t25,000\n"
input_r, input_w = os.pipe()
output_r, output_w = os.pipe()
os.set_blocking(input_r, False)
os.set_blocking(output_w, False)
tool = subprocess.Popen(sys.argv[1:] + ["batch"], stdin=input_r, stdout=output_w)
os.close(input_r)
os.close(output_w)
chunks = []
def drain():
    time.sleep(1)  # the tool's output fills meanwhile
    while data := os.read(output_r, 1 << 16):
        chunks.append(data)
reader = threading.Thread(target=drain)
reader.start()
os.write(input_w, record)
time.sleep(0.5)  # the tool finds its input empty meanwhile
for _ in range(100):
    os.write(input_w, record * 1000)
os.close(input_w)
status = tool.wait()
reader.join()
lines = b"".join(chunks).splitlines()
if status != 0 or len(lines) != 100001 or len(set(lines)) != 1:
    sys.exit(f"status {status}, {len(lines)} lines, {len(set(lines))} different")
PYTHON
}

line_ends() {
  local acts=$golden/quote-acts.txt variant
  sed 's/$/\r/' "$acts" >"$work/crlf"
  tr '\n' '\r' <"$acts" >"$work/cr"
  awk 'NR % 2 { printf "%s\r\n", $0; next } { printf "%s\r", $0 }' "$acts" >"$work/mixed"
  { printf '\xEF\xBB\xBF'; cat "$work/cr"; } >"$work/marked"
  for variant in crlf cr mixed marked; do
    run "$variant" 0 quote --file "$work/$variant" "${preparer[@]}" </dev/null
    same "$variant" "$golden/quote.txt"
  done
  run "marked standard input" 0 quote "${preparer[@]}" <"$work/marked"
  same "marked standard input" "$golden/quote.txt"
  [ ! -s "$work/err" ] || fail "marked standard input" "$(head -c 300 "$work/err")"
  printf 'KLDA:0:0=12' >"$work/unended"
  row "no line end after the last act" 0 err "$work/unended: la línea 1, la última, no termina en un salto de línea" \
    quote --file "$work/unended"
  printf '\xEF\xBB\xBF' >"$work/mark"
  row "only a mark" 2 err "no hay actos que presupuestar" quote --file "$work/mark"
}

# Arguments in code page 1252, as Windows hands them over (Wine makes them so
# from UTF-8), come out as UTF-8 like the rest.
text() {
  local o=$'\xf3' y=$'\xff'
  [ "$native" = 1 ] || o=$'\xc3\xb3' y=$'\xc3\xbf'
  row "code page 1252 argument" 0 out "US$ 8.86" calc --service "inscripci${o}n" 5
  row "bytes of no name" 2 err $'no hay ninguna oficina \xc2\xab\xc3\xbf\xc2\xbb' calc --office "$y" 5
  valid "bytes of no name" err
  row "amount echoed" 1 err $'el monto \xc2\xab5\xc3\xbf' compare --format json "5$y"$'\t\x1f"\\'
  valid "amount echoed" err
  row "a decomposed accent" 0 out "US$ 8.86" calc --service $'Inscripcio\xcc\x81n' 5
  # The acts counted by how each is priced, whichever count is 1.
  local engine="con el pago calculado sobre su monto" by_text="con el pago que fija el texto de su arancel"
  row "one by the engine" 0 out "3 actos: 1 $engine y 2 $by_text." \
    quote --act KLDA:0:0=5 --act KLDA:presentacion:0 --act KLDA:presentacion:0
  row "one by its text" 0 out "3 actos: 2 $engine y 1 $by_text." \
    quote --act KLDA:0:0=5 --act KLDA:0:0=6 --act KLDA:presentacion:0
  row "full-width digits" 0 out "Para un monto de: US$ 0.00" calc "１２３"
  row "full-width grouping" 0 out "Para un monto de: US$ 0.00" calc "２５，０００"
  # A name no ANSI code page holds, beside the file "best fit" would make of it.
  printf 'KLDA:0:0=1,000\n' >"$work/Łódź.txt"
  printf 'KLDA:0:0=25,000\n' >"$work/Lódz.txt"
  row "a file beside its best-fit twin" 0 out "Total a pagar US$: 8.86" quote --file "$work/Łódź.txt"
  row "a label in no code page" 0 out "  1  Łódź 中文" quote --act "KLDA:0:0=5 | Łódź 中文"
  echoes
}

# Echoed text is inert: control and direction characters come back as
# \uXXXX in messages and text output, so that nothing typed can forge a line
# or drive the terminal; JSON and CSV keep the text itself.
echoes() {
  local label=$'a\u202Eb\u2066c\xc2\x85d\u2028e' shown='a\u202Eb\u2066c\u0085d\u2028e' x126
  x126=$(printf 'x%.0s' {1..126})
  printf 'KLDA:0:0=\e]0;x\a\e[2J5\n' >"$work/acts"
  row "explain forges no line" 0 out 'Monto leído, sin comas: «1\u000AFee: 0.01»' calc --explain $'1\nFee: 0.01'
  inert "explain forges no line"
  row "a cut inside a character" 0 out "sin comas: «$x126�»" calc --explain "${x126}ñ"
  valid "a cut inside a character" out
  row "refusal from a file" 1 err 'el monto «\u001B]0;x\u0007\u001B[2J5» no es un número' quote --file "$work/acts"
  inert "refusal from a file"
  row "unknown option" 2 err 'no hay ninguna opción «--\u009Bx\u061C\u0080»' calc $'--\xc2\x9bx\u061c\xc2\x80' 5
  inert "unknown option"
  row "file name" 3 err 'no\u200Ene: no existe' quote --file $'no\u200ene'
  row "label in text" 0 out "  1  $shown  KLDA" quote --act "KLDA:0:0=5 | $label"
  inert "label in text"
  row "label in JSON" 0 out '"label": "a\u202eb\u2066c\u0085d\u2028e"' quote --format json --act "KLDA:0:0=5 | $label"
  inert "label in JSON"
  row "label in CSV" 0 out ",$label," quote --format csv --act "KLDA:0:0=5 | $label"
}

# No character of out or err moves the cursor or the direction of a line.
inert() {
  python3 -c 'import re, sys
for name in sys.argv[1:]:
    found = re.findall("[\x00-\x08\x0b-\x1f\x7f-\x9f\u061c\u200e\u200f\u2028-\u202e\u2066-\u2069]",
                       open(name, encoding="utf-8").read())
    if found: sys.exit(name + ": " + " ".join(hex(ord(c)) for c in found))' "$work/out" "$work/err" 2>"$work/why" ||
    fail "$1" "not inert: $(tail -n 1 "$work/why")"
}

# A write that fails, on the device or because the stream is closed, is a
# failure whatever the command.
faults() {
  local command args
  printf '0\t0\t0\t0\t1\n' >"$work/in"
  for command in "calc 5" list batch "quote --act KLDA:0:0=1" "compare 1000" --help "quote --help" \
    "quote --act KLDA:0:0=1 --format xlsx" "compare --format xlsx 1000"; do
    read -r -a args <<<"$command"
    "${cli[@]}" "${args[@]}" <"$work/in" >/dev/full 2>"$work/err"
    expect "$command >/dev/full" $? 3
    has "$command >/dev/full" err "salida estándar: "
    "${cli[@]}" "${args[@]}" <"$work/in" >&- 2>"$work/err"
    expect "$command >&-" $? 3
    has "$command >&-" err "salida estándar: "
  done
  yes $'0\t0\t0\t0\t25,000' | head -n 200000 >"$work/big"
  (trap '' PIPE && "${cli[@]}" batch <"$work/big" 2>"$work/err" | head -c 100 >/dev/null && exit "${PIPESTATUS[0]}")
  expect "reader goes away" $? 3
  has "reader goes away" err "salida estándar: el programa que leía la salida la cerró"
  ("${cli[@]}" batch <"$work/big" 2>/dev/null | head -c 100 >/dev/null && exit "${PIPESTATUS[0]}")
  local status=$?
  [ "$status" = 3 ] || [ "$status" = 141 ] || fail "killed by SIGPIPE" "exit status $status, expected 141 or 3"
  run "directory as standard input" 3 batch <"$golden"
  has "directory as standard input" err "entrada estándar: "
  run "directory as quote file" 3 quote --file "$golden"
  has "directory as quote file" err "$golden: es una carpeta"
  run "closed standard input" 3 batch <&-
  has "closed standard input" err "entrada estándar: "
  run "missing file" 3 quote --file "$work/none"
  has "missing file" err "$work/none: "
  own_output
  [ "$native" = 1 ] && unassembled
  # Under Wine the moment the tool reads is not tied to the moment its
  # first output arrives (Wine's own layers sit between), so a change made
  # then may come too early or too late to test anything: native only.
  [ "$native" = 1 ] && changed_input
  [ "$native" = 1 ] && whole_records
  [ "$native" = 1 ] && command -v strace >/dev/null && read_errors
}

# A workbook that cannot be put together (its scratch file cannot be made)
# is a failure of the run, said as such, and nothing is written.
unassembled() {
  local command args
  for command in "quote --act KLDA:0:0=1 --format xlsx" "compare --format xlsx 1000"; do
    read -r -a args <<<"$command"
    TMPDIR=$work/none run "$command, no temporary folder" 3 "${args[@]}"
    has "$command, no temporary folder" err "no se pudo armar el libro de Excel: no existe"
    [ ! -s "$work/out" ] || fail "$command, no temporary folder" "wrote $(wc -c <"$work/out") bytes"
  done
}

# A run never reads the file it writes to, which would grow without end:
# refused before anything is read or written.
own_output() {
  local why="es también la salida estándar"
  printf '0\t0\t0\t0\t5\n' >"$work/own"
  # Bounded in size and time, so that a failure here cannot fill the disk.
  (ulimit -f 1024 && timeout 120 "${cli[@]}" batch <"$work/own" >>"$work/own" 2>"$work/err")
  expect "batch < f >> f" $? 2
  has "batch < f >> f" err "entrada estándar: $why"
  printf 'KLDA:0:0=5\n' >"$work/own"
  (ulimit -f 1024 && timeout 120 "${cli[@]}" quote --file "$work/own" >>"$work/own" 2>"$work/err")
  expect "quote --file f >> f" $? 2
  has "quote --file f >> f" err "$why"
  [ "$(wc -l <"$work/own")" = 1 ] || fail "quote --file f >> f" "the file grew: $(head -c 200 "$work/own")"
}

# A regular input file that changes while it is read is named, status 3:
# the figures written may be of no version of it. The tool has read part of
# it when the first byte of its output arrives.
changed_input() {
  local change
  for change in shrunk grown rewritten; do
    cp "$work/big" "$work/changing"
    "${cli[@]}" batch <"$work/changing" 2>"$work/err" | {
      head -c 1 >/dev/null
      case $change in
      shrunk) truncate -s 1000000 "$work/changing" ;;
      grown) printf '0\t0\t0\t0\t1\n' >>"$work/changing" ;;
      rewritten) printf 9 | dd of="$work/changing" bs=1 seek=9 conv=notrunc status=none ;;
      esac
      cat >/dev/null
    }
    expect "$change while read" "${PIPESTATUS[0]}" 3
    has "$change while read" err "entrada estándar: el archivo cambió mientras se leía"
  done
}

# FILE holds whole records only, each the record of "$work/big", and it is
# not empty.
whole_lines() {
  local last expected
  last=$(tail -c 1 "$2" | od -An -c | tr -d ' ')
  expected=$("${cli[@]}" batch <<<$'0\t0\t0\t0\t25,000')
  [ -s "$2" ] && [ "$last" = '\n' ] && [ "$(sort -u "$2")" = "$expected" ] ||
    fail "$1" "$(wc -c <"$2") bytes, last byte $last, lines: $(sort -u "$2" | head -c 300)"
}

# A run that fails or is stopped part way leaves whole records: a full file
# system (a 64 KB tmpfs, where this user may mount one), a file-size limit,
# SIGTERM and SIGINT in the middle of a long batch.
whole_records() {
  local signal
  mkdir "$work/full"
  if mount -t tmpfs -o size=64k tmpfs "$work/full" 2>/dev/null; then
    "${cli[@]}" batch <"$work/big" >"$work/full/out" 2>"$work/err"
    expect "full file system" $? 3
    has "full file system" err "salida estándar: no queda espacio en el dispositivo"
    whole_lines "full file system" "$work/full/out"
    umount "$work/full"
  else
    echo "NOTE: no tmpfs can be mounted here; the full file system is not tried"
  fi
  (ulimit -f 100 && exec "${cli[@]}" batch <"$work/big" >"$work/out" 2>"$work/err")
  expect "file-size limit" $? 3
  has "file-size limit" err "salida estándar: el archivo supera el tamaño permitido"
  whole_lines "file-size limit" "$work/out"
  for _ in {1..15}; do cat "$work/big"; done >"$work/huge"
  for signal in TERM INT; do
    python3 - "$signal" "$work/huge" "$work/out" "${cli[@]}" <<'PYTHON' || fail "SIG$signal" "see above"
import os, signal, subprocess, sys, time
name, source, target, cli = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
number = getattr(signal, "SIG" + name)
with open(source, "rb") as records, open(target, "wb") as out:
    tool = subprocess.Popen(cli + ["batch"], stdin=records, stdout=out)
while os.path.getsize(target) == 0 and tool.poll() is None:
    time.sleep(0.01)
tool.send_signal(number)
if (status := tool.wait()) != -number:
    sys.exit(f"SIG{name}: status {status}, not ended by the signal")
PYTHON
    whole_lines "SIG$signal" "$work/out"
  done
  stopped_quote
}

# A quote stops at a row boundary too: the CSV rows written are whole, and
# the program ends by the signal.
stopped_quote() {
  yes 'KLDA:0:0=25,000 | acto' | head -n 200000 >"$work/acts"
  python3 - "$work/acts" "$work/out" "${cli[@]}" <<'PYTHON' || fail "quote stopped" "see above"
import os, signal, subprocess, sys, time
source, target, cli = sys.argv[1], sys.argv[2], sys.argv[3:]
with open(target, "wb") as out:
    tool = subprocess.Popen(cli + ["quote", "--format", "csv", "--file", source], stdout=out)
while os.path.getsize(target) == 0 and tool.poll() is None:
    time.sleep(0.01)
tool.send_signal(signal.SIGTERM)
if (status := tool.wait()) != -signal.SIGTERM:
    sys.exit(f"status {status}, not ended by the signal")
rows = open(target, "rb").read().split(b"\r\n")
if rows[-1] != b"" or len(rows) > 200002 or any(not row.startswith(b"act,") for row in rows[1:-1]):
    sys.exit(f"{len(rows)} rows, the last «{rows[-2][-60:]}»")
PYTHON
}

# Read errors from the fourth read of the input on, injected by strace. The
# leak checker of a sanitized build cannot run under strace; it is not what
# is tested here.
read_errors() {
  export ASAN_OPTIONS=detect_leaks=0
  printf '0\t0\t0\t0\t1' >"$work/last" # the end of the input comes right after a record
  strace -o "$work/reads" -P "$work/last" -e trace=read "${cli[@]}" batch <"$work/last" >/dev/null 2>&1
  [ "$(grep -c ' = 0$' "$work/reads")" = 1 ] || fail "no read after the end" "$(cat "$work/reads")"
  strace -o /dev/null -P "$work/big" -e trace=read -e inject=read:error=EIO:when=4+ \
    "${cli[@]}" batch <"$work/big" >"$work/out" 2>"$work/err"
  expect "batch read error" $? 3
  local status lines
  has "batch read error" err "entrada estándar: error de entrada o salida del dispositivo; la salida se detiene tras la línea "
  lines=$(wc -l <"$work/out")
  [ "$lines" -lt 200000 ] || fail "batch read error" "$lines lines written"
  whole_lines "batch read error" "$work/out"
  yes 'KLDA:0:0=25,000' | head -n 20000 >"$work/acts"
  strace -o /dev/null -P "$work/acts" -e trace=read -e inject=read:error=EIO:when=2+ \
    "${cli[@]}" quote --file "$work/acts" >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" = 3 ] && [ ! -s "$work/out" ] || fail "quote read error" "exit status $status, $(wc -c <"$work/out") bytes"
  has "quote read error" err "$work/acts: error de entrada o salida del dispositivo; no se escribió ningún presupuesto"
}

# The CSV exports opened in LibreOffice Calc with its harshest import
# options, spaces trimmed and formulas evaluated: whatever a label, the
# client or the date starts with, no cell becomes a formula.
formulas() {
  local starts=('=1+1' $'\u00a0=1+1' '＝1+1' '＋1' '－1' '＠SUM(1)' '+1' '-1' '@SUM(1)' $'\t=1+1') start format
  local acts=() separator
  for start in "${starts[@]}"; do acts+=(--act "KLDA:0:0=5 | $start"); done
  for format in csv csv-excel; do
    separator=44
    [ "$format" = csv-excel ] && separator=59
    run "$format" 0 quote --format "$format" --client ' =1+1' "${acts[@]}"
    mv "$work/out" "$work/$format.csv"
    soffice --headless "-env:UserInstallation=file://$work/office" --convert-to fods --outdir "$work" \
      "--infilter=CSV:$separator,34,76,1,,0,false,true,false,false,true,-1,true" "$work/$format.csv" >/dev/null 2>&1
    grep -q 'SUM(1)' "$work/$format.fods" 2>/dev/null || fail "$format" "LibreOffice Calc did not open it"
    ! grep -q 'table:formula=' "$work/$format.fods" ||
      fail "$format" "formulas: $(grep -o 'table:formula="[^"]*"' "$work/$format.fods" | head -n 3)"
  done
}

# A line of 100 MB: the result of its first 127 characters, the next line
# intact, and no more memory than for a line of a few bytes.
memory() {
  printf '0\t0\t0\t0\t1\n' >"$work/in"
  /usr/bin/time -f %M -o "$work/small" "${cli[@]}" batch <"$work/in" >/dev/null
  { printf '0\t0\t0\t0\t25,000' && head -c 100000000 /dev/zero | tr '\0' , && printf '9\n0\t0\t0\t0\t1000\n'; } |
    /usr/bin/time -f %M -o "$work/long" "${cli[@]}" batch >"$work/out"
  printf '%s\t%s\tPara un monto de: US$ %s  el pago es: US$ %s\n' 25,000.00 157.50 25,000.00 157.50 \
    1,000.00 8.86 1,000.00 8.86 >"$work/expected"
  same "100 MB line" "$work/expected"
  local growth=$(($(tail -n 1 "$work/long") - $(tail -n 1 "$work/small")))
  [ "$growth" -lt 4096 ] || fail "100 MB line" "peak memory grew by $growth KB"
  # The date after such an amount is found, and one as long is refused.
  { printf '0\t0\t0\t0\t25,000' && head -c 100000000 /dev/zero | tr '\0' , && printf '9\t2026-12-07\n' &&
    printf '0\t0\t0\t0\t1000\t' && head -c 100000000 /dev/zero | tr '\0' 7 && printf '\n0\t0\t0\t0\t1000\n'; } |
    /usr/bin/time -f %M -o "$work/long" "${cli[@]}" batch >"$work/out"
  printf '%s\t%s\tPara un monto de: US$ %s  el pago es: US$ %s\n' 25,000.00 157.50 25,000.00 157.50 >"$work/expected"
  printf 'ERROR\tlínea 2: la fecha «%s…» no es una fecha AAAA-MM-DD que exista (por ejemplo 2026-12-07)\n' \
    "$(printf '7%.0s' {1..32})" >>"$work/expected"
  printf '%s\t%s\tPara un monto de: US$ %s  el pago es: US$ %s\n' 1,000.00 8.86 1,000.00 8.86 >>"$work/expected"
  same "100 MB line with a date" "$work/expected"
  growth=$(($(tail -n 1 "$work/long") - $(tail -n 1 "$work/small")))
  [ "$growth" -lt 4096 ] || fail "100 MB line with a date" "peak memory grew by $growth KB"
  # A sanitized build keeps freed memory aside, and its peaks say nothing.
  [ "$native" = 1 ] && [ -z "${TARIVOX_SANITIZED:-}" ] && large_workbook
}

# A workbook of 50,000 acts costs no more memory than their CSV: its rows
# leave as they are written instead of being kept for the whole sheet.
large_workbook() {
  local format growth
  yes 'KLDA:0:0=25,000 | acto' | head -n 50000 >"$work/acts"
  for format in csv xlsx; do
    /usr/bin/time -f %M -o "$work/$format.peak" "${cli[@]}" quote --file "$work/acts" --format "$format" \
      >"$work/out.$format" || fail "large $format" "exit status $?"
  done
  growth=$(($(tail -n 1 "$work/xlsx.peak") - $(tail -n 1 "$work/csv.peak")))
  [ "$growth" -lt 8192 ] || fail "a large workbook" "peak memory $growth KB above the CSV's"
}

case $group in
golden) golden_outputs && codes_in_both_languages && long_label ;;
grammar) grammar && refused_acts ;;
batch) batch ;;
line-ends) line_ends ;;
text) text ;;
faults) faults ;;
formulas) formulas ;;
editions) editions ;;
memory) memory ;;
*) fail usage "unknown group $group" ;;
esac
[ "$failures" = 0 ]
