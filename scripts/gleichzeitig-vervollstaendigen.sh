#!/usr/bin/env bash
# Several invanf-cli completing every requested request of a year at once, as
# the users of one company do, round after round; each round starts from the
# same company and must end as one program alone ends it.
#
#   scripts/gleichzeitig-vervollstaendigen.sh ORT [ARTIKEL [PROGRAMME [RUNDEN [BUILD]]]]
#
# ORT: a folder for a SQLite company, or a postgresql:// URI of a server
# (databases invanf_gleichzeitig*). Defaults: 20000 articles, 6 programs, 10
# rounds, build folder "build". Prints per round the programs' exit codes and
# whether the result equals the serial run; exit 1 when any round differs or a
# program did not end with 0.
set -euo pipefail
ort=${1:?ORT: Ordner oder postgresql://-Adresse}; artikel=${2:-20000}; programme=${3:-6}; runden=${4:-10}
build=${5:-build}
cli=$build/tools/invanf-cli/invanf-cli; admin=$build/tools/wws-admin/wws-admin
export WWS_TODAY=2026-03-01 WWS_LOG=${WWS_LOG:-/tmp/gleichzeitig-vervollstaendigen.log}
export PGOPTIONS="--client-min-messages=warning"
jahr=2026-01-01

if [[ $ort == postgresql://* || $ort == postgres://* ]]; then
  server=${ort%/*}; vorlage=$server/invanf_gleichzeitig_vorlage; firma=$server/invanf_gleichzeitig
  neu() { psql -qX "$server/postgres" -c "DROP DATABASE IF EXISTS invanf_gleichzeitig" \
            -c "CREATE DATABASE invanf_gleichzeitig TEMPLATE invanf_gleichzeitig_vorlage"; }
  ergebnis() {
    psql -qXAt "$firma" -c "SELECT r.zaehldatum, r.wg, r.filnr, round(r.ek_soll::numeric, 2), round(r.ek_ist::numeric, 2),
      r.kz_zaehlung, (SELECT count(*) || ' ' || coalesce(sum(i.sollmenge), 0) FROM inventur i
      WHERE i.wijahr = r.wijahr AND i.zaehldatum = r.zaehldatum AND i.filnr = r.filnr)
      FROM inventuranforderung r ORDER BY 1, 2, 3"
  }
  psql -qX "$server/postgres" -c "DROP DATABASE IF EXISTS invanf_gleichzeitig_vorlage" \
    -c "CREATE DATABASE invanf_gleichzeitig_vorlage"
else
  mkdir -p "$ort"; vorlage=$ort/vorlage.db; firma=$ort/firma.db
  rm -f "$vorlage"*
  neu() { rm -f "$firma"*; /usr/bin/python3 -c "import sqlite3,sys; q=sqlite3.connect(sys.argv[1]); z=sqlite3.connect(sys.argv[2]); q.backup(z)" "$vorlage" "$firma"; }
  ergebnis() {
    /usr/bin/python3 - "$firma" <<'EOF'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
for z in db.execute("""SELECT r.zaehldatum, r.wg, r.filnr, round(r.ek_soll, 2), round(r.ek_ist, 2), r.kz_zaehlung,
    (SELECT count(*) || ' ' || coalesce(sum(i.sollmenge), 0) FROM inventur i
     WHERE i.wijahr = r.wijahr AND i.zaehldatum = r.zaehldatum AND i.filnr = r.filnr)
    FROM inventuranforderung r ORDER BY 1, 2, 3"""):
    print("|".join(str(w) for w in z))
EOF
  }
fi

echo "Firma mit $artikel Artikeln und 3 Filialen wird angelegt ..."
WWS_DB=$vorlage "$admin" demo --articles "$artikel" --branches 3 >/dev/null
WWS_DB=$vorlage "$cli" create --year $jahr --date 2026-07-01 --branch 1,2,3 --yes >/dev/null
WWS_DB=$vorlage "$cli" create --year $jahr --date 2026-07-02 --wg '*' --branch 1,2 --yes >/dev/null

neu
WWS_DB=$firma "$cli" complete --year $jahr --all-requested >/dev/null
seriell=$(ergebnis)
echo "Ein Programm allein: $(wc -l <<<"$seriell") Inventuren"

fehler=0
for runde in $(seq 1 "$runden"); do
  neu
  pids=()
  for p in $(seq 1 "$programme"); do
    WWS_DB=$firma "$cli" complete --year $jahr --all-requested >"/tmp/gleichzeitig-$p.txt" 2>&1 & pids+=($!)
  done
  codes=""
  for p in "${pids[@]}"; do
    if wait "$p"; then codes+=" 0"; else codes+=" $?"; fehler=1; fi
  done
  if [ "$(ergebnis)" = "$seriell" ]; then gleich="wie allein"; else gleich="ANDERS als allein"; fehler=1; fi
  echo "Runde $runde: $programme Programme, Rückgabewerte$codes, Ergebnis $gleich"
done
exit $fehler
