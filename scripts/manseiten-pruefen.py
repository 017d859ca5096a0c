#!/usr/bin/python3
"""The man pages against the programs they describe, so neither goes stale
silently (run by scripts/paket-probe.sh on the installed package):

    manseiten-pruefen.py BIN-ORDNER MAN-ORDNER

For invanf-cli and wws-admin every command (also the nested ones, such as
"locks hold") must have a section (.SS) of its own naming each option and
argument its --help lists; a section or option the program no longer has is
reported as well. invanf's options stand under OPTIONEN. The exit codes under
EXIT-STATUS must be those the program's help names, every page has the
sections of a Debian man page and names the handbook. Prints what is wrong,
one line each, and ends with 1 then.
"""
import gzip
import re
import subprocess
import sys
from pathlib import Path

ABSCHNITTE = ["BEZEICHNUNG", "ÜBERSICHT", "BESCHREIBUNG", "OPTIONEN", "EXIT-STATUS",
              "UMGEBUNGSVARIABLEN", "DATEIEN", "BEISPIELE", "SIEHE AUCH"]
fehler = []


def hilfe(programm, befehl):
    aus = subprocess.run([str(programm), *befehl, "--help"], capture_output=True, text=True)
    if aus.returncode != 0:
        fehler.append(f"{programm.name} {' '.join(befehl)} --help endet mit {aus.returncode}")
    return aus.stdout


def gruppe(text, titel):
    """The lines of one group of a CLI11 help text ("Optionen:", "Befehle:")."""
    zeilen, drin = [], False
    for zeile in text.splitlines():
        if zeile == titel:
            drin = True
        elif drin and zeile and not zeile.startswith(" "):
            drin = False
        elif drin and zeile.strip():
            zeilen.append(zeile)
    return zeilen


def optionen(text):
    """The options a CLI11 help lists: the name at the start of each line."""
    namen = set()
    for zeile in gruppe(text, "Optionen:"):
        treffer = re.match(r"^\s+(?:-\w,\s?)?(--[a-z][a-z0-9-]*)", zeile)
        if treffer:
            namen.add(treffer.group(1))
    namen.discard("--help")
    return namen


def argumente(text):
    return {z.split()[0] for z in gruppe(text, "Argumente:") if re.match(r"^  [A-Z]", z)}


def befehle(text):
    return [z.split()[0] for z in gruppe(text, "Befehle:") if re.match(r"^  [a-z]", z)]


def rueckgabewerte(text):
    treffer = re.search(r"Rückgabewerte:(.*?)(?:\n\n|\Z)", text, re.S)
    return set(re.findall(r"(?:^|[\s,])(\d+) ", treffer.group(1))) if treffer else set()


def klartext(roff):
    """groff source as words: escapes and quotes gone, \\- a plain minus."""
    text = roff.replace("\\-", "-").replace("\\e", "\\")
    text = re.sub(r"\\f[BIRP]|\\\(..|\\&|\\%", "", text)
    return text.replace('"', "")


def seite_lesen(ordner, name):
    for datei in (ordner / f"{name}.1.gz", ordner / f"{name}.1.in", ordner / f"{name}.1"):
        if datei.exists():
            roh = datei.read_bytes()
            return (gzip.decompress(roh) if datei.suffix == ".gz" else roh).decode("utf-8")
    fehler.append(f"{name}: keine Man-Seite in {ordner}")
    return None


def teile(roff):
    """Sections (.SH) and subsections (.SS) with their text, in order."""
    aktuell, stuecke = ("", ""), {}
    reihe = []
    for zeile in roff.splitlines():
        m = re.match(r'^\.(SH|SS)\s+(.*)$', zeile)
        if m:
            kopf = klartext(m.group(2)).strip()
            aktuell = (kopf, "") if m.group(1) == "SH" else (aktuell[0], kopf)
            reihe.append(aktuell)
            stuecke.setdefault(aktuell, [])
        else:
            stuecke.setdefault(aktuell, []).append(klartext(zeile))
    return reihe, {k: "\n".join(v) for k, v in stuecke.items()}


def erwaehnt(text, wort):
    return re.search(r"(?<![\w-])" + re.escape(wort) + r"(?![\w-])", text) is not None


def pruefen(binordner, manordner, name):
    roff = seite_lesen(manordner, name)
    if roff is None:
        return
    reihe, stuecke = teile(roff)
    koepfe = [k for k, unter in reihe if not unter]
    for abschnitt in ABSCHNITTE:
        if abschnitt not in koepfe:
            fehler.append(f"{name}(1): es fehlt der Abschnitt {abschnitt}")
    if "handbuch/index.html" not in roff:
        fehler.append(f"{name}(1) nennt das Handbuch nicht")
    if not re.search(r"^\.TH [^\n]* \"\d{4}-\d\d-\d\d\" ", roff, re.M):
        fehler.append(f"{name}(1): .TH ohne Datum JJJJ-MM-TT")

    programm = binordner / name
    oben = hilfe(programm, [])
    codes = set(re.findall(r"^\.B (\d+)$", stuecke.get(("EXIT-STATUS", ""), ""), re.M))
    if codes != rueckgabewerte(oben):
        fehler.append(f"{name}(1): EXIT-STATUS nennt {sorted(codes)}, --help {sorted(rueckgabewerte(oben))}")

    allgemein = stuecke.get(("OPTIONEN", ""), "")
    if name == "invanf":
        # Not CLI11: its options are the lines of its help that begin with a dash.
        eigene = set(re.findall(r"^\s+(?:-\w, )?(--[a-z][a-z0-9-]*)", oben, re.M)) - {"--help"}
        for option in eigene - {o for o in eigene if erwaehnt(allgemein, o)}:
            fehler.append(f"invanf(1): OPTIONEN ohne {option}")
        for option in set(re.findall(r"--[a-z][a-z0-9-]*", allgemein)) - eigene - {"--help"}:
            fehler.append(f"invanf(1): OPTIONEN nennt {option}, das invanf nicht kennt")
        return

    globale = optionen(oben)
    for option in globale:
        if not erwaehnt(allgemein, option):
            fehler.append(f"{name}(1): OPTIONEN ohne die allgemeine Option {option}")
    abschnitte = {unter: text for (kopf, unter), text in stuecke.items() if kopf == "OPTIONEN" and unter}
    blaetter, offen = [], [[b] for b in befehle(oben)]
    while offen:
        pfad = offen.pop(0)
        text = hilfe(programm, pfad)
        unter = befehle(text)
        offen.extend(pfad + [b] for b in unter)
        if unter:
            continue
        blaetter.append(" ".join(pfad))
        befehl = " ".join(pfad)
        kopf = next((k for k in abschnitte if k == befehl or k.startswith(befehl + " ")), None)
        if kopf is None:
            fehler.append(f"{name}(1): kein Abschnitt für den Befehl {befehl}")
            continue
        inhalt = kopf + "\n" + abschnitte[kopf]
        eigene = optionen(text)
        for option in sorted(eigene):
            if not erwaehnt(inhalt, option):
                fehler.append(f"{name}(1), {befehl}: es fehlt die Option {option}")
        for argument in sorted(argumente(text)):
            if not erwaehnt(inhalt, argument):
                fehler.append(f"{name}(1), {befehl}: es fehlt das Argument {argument}")
        for option in sorted(set(re.findall(r"--[a-z][a-z0-9-]*", inhalt)) - eigene - globale):
            fehler.append(f"{name}(1), {befehl}: nennt {option}, das der Befehl nicht kennt")
    for kopf in abschnitte:
        if not any(kopf == b or kopf.startswith(b + " ") for b in blaetter):
            fehler.append(f"{name}(1): Abschnitt \"{kopf}\" für einen Befehl, den es nicht gibt")


def main():
    if len(sys.argv) != 3:
        sys.exit("Aufruf: manseiten-pruefen.py BIN-ORDNER MAN-ORDNER")
    binordner, manordner = Path(sys.argv[1]), Path(sys.argv[2])
    namen = [n for n in ("invanf", "invanf-cli", "wws-admin") if (binordner / n).exists()]
    for name in namen:
        pruefen(binordner, manordner, name)
    for zeile in fehler:
        print(zeile)
    if fehler:
        sys.exit(1)
    print(f"Man-Seiten stimmen mit den Programmen überein: {', '.join(namen)}")


main()
