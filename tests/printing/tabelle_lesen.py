# Reads a workbook or CSV file the way a spreadsheet user gets it and prints
# it as JSON for the tests: openpyxl for XLSX, the csv module (German
# dialect: ";" and UTF-8 with a byte-order mark) for CSV. Independent of
# the program that wrote the files.
import csv
import datetime
import json
import sys


def wert(v):
    if isinstance(v, datetime.datetime):
        return v.strftime("%d.%m.%Y")
    return v


def xlsx(pfad):
    from openpyxl import load_workbook
    mappe = load_workbook(pfad)
    ergebnis = blatt_lesen(mappe.active)
    p = mappe.properties
    ergebnis["eigenschaften"] = {"titel": p.title, "betreff": p.subject, "stichworte": p.keywords}
    # Every worksheet in its order: its name, title rows, header and rows.
    ergebnis["blaetter"] = [blatt_lesen(b) for b in mappe.worksheets]
    return ergebnis


def blatt_lesen(blatt):
    from openpyxl.utils import get_column_letter
    fix = blatt.freeze_panes  # "A6": rows 1..5 stay, the header is row 5
    kopfreihe = int(fix[1:]) - 1 if fix else 1
    reihen = list(blatt.iter_rows(min_row=1, max_row=blatt.max_row))
    titel = [r[0].value for r in reihen[:kopfreihe - 1] if r[0].value is not None]
    kopf = [c.value for c in reihen[kopfreihe - 1]]
    zeilen, typen, formate = [], [], []
    for r in reihen[kopfreihe:]:
        zeilen.append([wert(c.value) for c in r])
        typen.append([c.data_type for c in r])
        formate.append([c.number_format for c in r])
    breiten = [blatt.column_dimensions[get_column_letter(i + 1)].width for i in range(len(kopf))]
    return {"blatt": blatt.title, "titel": titel, "kopf": kopf, "zeilen": zeilen, "typen": typen,
            "formate": formate, "fixiert": fix, "filter": blatt.auto_filter.ref, "breiten": breiten}


def csv_lesen(pfad):
    with open(pfad, "rb") as f:
        bom = f.read(3) == b"\xef\xbb\xbf"
    with open(pfad, newline="", encoding="utf-8-sig") as f:
        reihen = list(csv.reader(f, delimiter=";", quotechar='"'))
    # A line before the header is a mark the list carries ("ACHTUNG: ...").
    vermerk = reihen.pop(0)[0] if reihen and len(reihen[0]) == 1 and reihen[0][0].startswith("ACHTUNG") else None
    return {"bom": bom, "vermerk": vermerk, "kopf": reihen[0], "zeilen": reihen[1:]}


pfad = sys.argv[1]
print(json.dumps(xlsx(pfad) if pfad.endswith(".xlsx") else csv_lesen(pfad), ensure_ascii=False))
