# Writes a CSV file the way a spreadsheet script would, with Python's csv module, and prints what each record
# must hold once imported: texts as they are, decimals with the column's four places, moments as wall-clock text.
import csv, datetime, decimal, json, sys

path, bom, terminator = sys.argv[1], sys.argv[2] == "bom", sys.argv[3].encode().decode("unicode_escape")
moments = [datetime.datetime(2024, 3, 5, 9, 7, 3, 45000), datetime.datetime(2023, 12, 31, 23, 59, 59, 999000),
           datetime.datetime(2024, 2, 29)]
rows = [
    [1, "a;b", "1.5", moments[0], "B", "say \"hi\""],
    [2, "\"", "-0.0500", moments[1], "S", ""],
    [3, "Фьючерс на индекс РТС", "1234567.1234", moments[2], "B", ";\";"],
    [4, "", "0", None, "", "plain"],
]

def moment_text(m, padded):
    if m is None:
        return ""
    if m.hour == 0 and m.minute == 0 and m.second == 0 and m.microsecond == 0 and not padded:
        return m.strftime("%d.%m.%Y")
    return "%s %d:%d:%d:%03d" % (m.strftime("%d.%m.%Y"), m.hour, m.minute, m.second, m.microsecond // 1000)

with open(path, "w", newline="", encoding="utf-8-sig" if bom else "utf-8") as f:
    w = csv.writer(f, delimiter=";", lineterminator=terminator)
    w.writerow(["n", "code", "price", "moment", "side", "comment"])
    for r in rows:
        w.writerow([r[0], r[1], r[2], moment_text(r[3], False), r[4], r[5]])

expected = []
for r in rows:
    expected.append([str(r[0]), r[1], "%.4f" % decimal.Decimal(r[2]),
                     r[3].strftime("%d.%m.%Y %H:%M:%S.") + "%03d" % (r[3].microsecond // 1000) if r[3] else "",
                     r[4], r[5]])
print(json.dumps(expected))
