#!/usr/bin/python3
"""Reads a FoxPro table with an independent reader and prints it as JSON.

Usage (run with Debian's /usr/bin/python3, which has the reader packages):

    dbf_referee.py READER TABLE.dbf [--encoding cp1252]

READER is one of
    dbf      python3-dbf (fails on tables of type 0x32: V, Q or W fields)
    dbfread  python3-dbfread (ignores _NullFlags; W fields are not known to it)
    pgdbf    pgdbf's PostgreSQL script; when BRINDLECAST_PGPORT (with _PGHOST, _PGUSER,
             _PGPASSWORD) is set the script is loaded into a scratch schema of that server
             and the rows are read back from PostgreSQL, otherwise the COPY data is parsed

Output on stdout, one JSON object:
    {"reader": READER,
     "fields": [{"name": "ID", "type": "I", "length": 4, "decimals": 0}, ...],
     "records": [[value, ...], ...]}
Field names are upper case (pgdbf's lower-case names and PostgreSQL types are reported as
they come: type holds the PostgreSQL type). Values: null, true/false, numbers, texts with
trailing blanks removed, dates "YYYY-MM-DD", date-times "YYYY-MM-DDTHH:MM:SS", binary values as
{"hex": "..."}. The hidden _NullFlags field is left out. Exit status 0, or 1 with the reader's
complaint on stderr when it cannot open the table.

Known quirks of the readers (Debian 12): python3-dbf numbers null bits by field position, which
agrees with FoxPro only when every field is nullable and there is no V or Q field. dbfread and
pgdbf ignore _NullFlags (a NULL reads as the type's blank), dbfread returns a V field's whole
width with its length byte. pgdbf declares F(w,d) as NUMERIC(d), prints B values rounded to
the field's decimals, passes non-ASCII field names through unconverted and rejects tables of
type 0x32.
"""
import datetime
import decimal
import json
import os
import re
import subprocess
import sys
import uuid


JULIAN = re.compile(r"^J(\d+) (\d\d:\d\d:\d\d)$")


def normal(value):
    if value is None:
        return None
    if isinstance(value, bool):
        return value
    if isinstance(value, (int, float)):
        return value
    if isinstance(value, decimal.Decimal):
        return float(value)
    if isinstance(value, datetime.datetime):
        return value.replace(microsecond=0).isoformat()
    if isinstance(value, datetime.date):
        return value.isoformat()
    if isinstance(value, (bytes, bytearray)):
        return {"hex": bytes(value).hex()}
    if isinstance(value, str):
        return value.rstrip(" ")
    return str(value)


def read_dbf(path, encoding):
    import dbf
    table = dbf.Table(path, codepage=encoding.replace("cp", "cp") if encoding else None)
    table.open(dbf.READ_ONLY)
    try:
        fields = []
        for name in table.field_names:
            info = table.field_info(name)
            fields.append({"name": name.upper(), "type": chr(info[0]), "length": info[1],
                           "decimals": info[2]})
        records = []
        for record in table:
            row = []
            for name in table.field_names:
                value = record[name]
                if value is dbf.Null or value is None or type(value).__name__ == "NullType":
                    row.append(None)
                    continue
                if isinstance(value, dbf.DateTime):
                    value = value._datetime if hasattr(value, "_datetime") else value.datetime()
                elif isinstance(value, dbf.Date):
                    value = value._date if hasattr(value, "_date") else value.date()
                elif isinstance(value, dbf.Logical):
                    value = bool(value)
                row.append(normal(value))
            records.append(row)
        return fields, records
    finally:
        table.close()


def read_dbfread(path, encoding):
    from dbfread import DBF
    table = DBF(path, encoding=encoding, char_decode_errors="strict",
                ignore_missing_memofile=True, load=True)
    fields = [{"name": f.name.upper(), "type": f.type, "length": f.length,
               "decimals": f.decimal_count} for f in table.fields if f.type != "0"]
    names = [f["name"] for f in fields]
    records = []
    for record in table.records:
        by_upper = {k.upper(): v for k, v in record.items()}
        records.append([normal(by_upper.get(n)) for n in names])
    return fields, records


def run_pgdbf(path, encoding):
    memo = None
    base = path[:-4]
    for ext in (".fpt", ".FPT"):
        if os.path.exists(base + ext):
            memo = base + ext
    cmd = ["pgdbf", "-s", encoding]
    if memo:
        cmd += ["-m", memo]
    cmd.append(path)
    out = subprocess.run(cmd, capture_output=True)
    if out.returncode != 0:
        sys.stderr.write(out.stderr.decode("utf-8", "replace") + out.stdout.decode("utf-8", "replace"))
        sys.exit(1)
    return out.stdout.decode("utf-8")


def parse_pgdbf(script):
    fields, records, in_copy = [], [], False
    for line in script.split("\n"):
        if line.startswith("CREATE TABLE"):
            body = line[line.index("(") + 1:line.rindex(")")]
            depth, part, parts = 0, "", []
            for ch in body:
                if ch == "(":
                    depth += 1
                elif ch == ")":
                    depth -= 1
                if ch == "," and depth == 0:
                    parts.append(part)
                    part = ""
                else:
                    part += ch
            parts.append(part)
            for p in parts:
                name, _, kind = p.strip().partition(" ")
                fields.append({"name": name.strip('"').upper(), "type": kind, "length": None,
                               "decimals": None})
        elif line.startswith("\\COPY") or line.startswith("COPY"):
            in_copy = True
        elif in_copy and line == "\\.":
            in_copy = False
        elif in_copy:
            row = []
            for cell in line.split("\t"):
                if cell == "\\N":
                    row.append(None)
                    continue
                julian = JULIAN.match(cell)
                if julian:
                    # pgdbf writes date-times as Julian day numbers, which PostgreSQL reads.
                    day = datetime.date.fromordinal(int(julian.group(1)) - 1721425)
                    row.append(day.isoformat() + "T" + julian.group(2))
                    continue
                cell = (cell.replace("\\t", "\t").replace("\\n", "\n").replace("\\r", "\r")
                        .replace("\\\\", "\\"))
                row.append(cell.rstrip(" "))
            records.append(row)
    return fields, records


def load_into_postgres(script, fields):
    env = dict(os.environ)
    env["PGHOST"] = os.environ.get("BRINDLECAST_PGHOST", "127.0.0.1")
    env["PGPORT"] = os.environ["BRINDLECAST_PGPORT"]
    env["PGUSER"] = os.environ.get("BRINDLECAST_PGUSER", "postgres")
    env["PGPASSWORD"] = os.environ.get("BRINDLECAST_PGPASSWORD", "")
    schema = "referee_" + uuid.uuid4().hex[:12]
    table = None
    for line in script.split("\n"):
        if line.startswith("CREATE TABLE"):
            table = line.split()[2]
    env["PGOPTIONS"] = "-c search_path=" + schema
    psql = ["psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", "-d", "postgres"]
    try:
        subprocess.run(psql + ["-c", "CREATE SCHEMA " + schema], env=env, check=True,
                       capture_output=True)
        load = subprocess.run(psql, input=script.encode("utf-8"), env=env, capture_output=True)
        if load.returncode != 0:
            sys.stderr.write(load.stderr.decode("utf-8", "replace"))
            sys.exit(1)
        query = subprocess.run(psql + ["-At", "-c", "SELECT row_to_json(referee_row) FROM %s AS referee_row" % table],
                               env=env, capture_output=True)
        if query.returncode != 0:
            sys.stderr.write(query.stderr.decode("utf-8", "replace"))
            sys.exit(1)
        rows = query.stdout.decode("utf-8")
        records = []
        for line in rows.split("\n"):
            if not line:
                continue
            obj = json.loads(line, parse_float=float)
            row = []
            for f in fields:
                v = obj.get(f["name"].lower())
                row.append(v.rstrip(" ") if isinstance(v, str) else v)
            records.append(row)
        return records
    finally:
        subprocess.run(psql + ["-c", "DROP SCHEMA IF EXISTS %s CASCADE" % schema], env=env,
                       capture_output=True)


def main():
    args = sys.argv[1:]
    encoding = "cp1252"
    if "--encoding" in args:
        i = args.index("--encoding")
        encoding = args[i + 1]
        del args[i:i + 2]
    if len(args) != 2 or args[0] not in ("dbf", "dbfread", "pgdbf"):
        sys.stderr.write(__doc__)
        return 2
    reader, path = args
    try:
        if reader == "dbf":
            fields, records = read_dbf(path, encoding)
        elif reader == "dbfread":
            fields, records = read_dbfread(path, encoding)
        else:
            script = run_pgdbf(path, encoding)
            fields, records = parse_pgdbf(script)
            if os.environ.get("BRINDLECAST_PGPORT"):
                records = load_into_postgres(script, fields)
    except SystemExit:
        raise
    except Exception as e:  # the reader's own complaint is the finding
        sys.stderr.write("%s: %s: %s\n" % (reader, type(e).__name__, e))
        return 1
    json.dump({"reader": reader, "fields": fields, "records": records}, sys.stdout,
              ensure_ascii=False)
    sys.stdout.write("\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
