#!/usr/bin/python3
"""End to end: a PostgreSQL database of every type the conversion meets, converted by
brindlecast-convert into a folder, read back by the referees (python3-dbf, python3-dbfread,
pgdbf), and converted a second time through --preview-script + brindlecast-sql.

Expected values are written here from the conversion rules, not taken from the program.

usage: end_to_end.py CONVERT SQL   (the test PostgreSQL comes from BRINDLECAST_PG* variables)
"""
import math
import os
import shutil
import subprocess
import sys
import tempfile

import dbf
import dbfread

CONVERT, SQL = sys.argv[1], sys.argv[2]
PG = {k: os.environ.get("BRINDLECAST_PG" + k.upper(), "") for k in ("host", "port", "user", "password")}
if not PG["port"]:
    print("no test PostgreSQL; skipped")
    sys.exit(77)

DATABASE = "end_to_end"
LONG = "".join(chr(ord("a") + i % 26) for i in range(300))

SETUP = r"""
ALTER DATABASE end_to_end SET timezone TO 'UTC';
CREATE TYPE mood AS ENUM ('happy', 'sad');
CREATE TABLE numbers (id integer, small smallint, big bigint, amount numeric(12,2),
    plain numeric, ratio real, precise double precision, price money);
INSERT INTO numbers VALUES
    (1, -32768, 2147483647, 19.99, 12345.678901, 0.1, 3.141592653589793, 12.50),
    (2, 32767, -2147483647, -0.5, 0, -1.5, -2.25e10, -7.25),
    (NULL, NULL, NULL, NULL, NULL, NULL, NULL, NULL);
CREATE TABLE "Customer Notes" ("First Name" text, "Last-Name" varchar(40), code char(5),
    long_note text, quote text);
INSERT INTO "Customer Notes" VALUES
    ('Ann', 'O''Neil', 'ab', '%(long)s', E'line1\r\nline2\nline3'),
    ('Émile', 'Straße', 'x', '2021-08-31', '3,5'),
    (NULL, NULL, NULL, NULL, NULL);
CREATE TABLE "Dates" (d date, t time, ts timestamp, tz timestamptz, midnight timestamp);
INSERT INTO "Dates" VALUES
    ('2021-08-31', '13:05:09', '2021-08-31 13:05:09', '2021-08-31 13:05:09+00', '2021-08-31 00:00:00'),
    ('0812-01-02', '00:00:00', '1999-12-31 23:59:59', '2000-01-01 00:00:00+00', '2000-02-29 00:00:00'),
    (NULL, NULL, NULL, NULL, NULL);
CREATE TABLE misc (flag boolean, id uuid, doc json, tags integer[], feeling mood, blob bytea,
    span interval);
INSERT INTO misc VALUES
    (true, 'a0eebc99-9c0b-4ef8-bb6d-6bb9bd380a11', '{"a": "it''s"}', '{1,2,3}', 'happy', '\x0102',
     '1 day 02:03:04'),
    (false, NULL, NULL, NULL, NULL, NULL, NULL),
    (NULL, NULL, NULL, NULL, NULL, NULL, NULL);
CREATE TABLE "Заказы" ("имя" text, qty integer);
INSERT INTO "Заказы" VALUES ('Привет мир', 5), (NULL, NULL);
CREATE TABLE "MixedCase" (id integer);
CREATE TABLE only_blob (b bytea);
INSERT INTO only_blob VALUES ('\x00');
""" % {"long": LONG}

# FoxPro field name -> (type letter, rows); None is NULL. Texts are CHAR(254) columns.
N = None
EXPECTED_BY_NAME = {
    "numbers": {
        "fields": [("ID", "I"), ("SMALL", "I"), ("BIG", "I"), ("AMOUNT", "N"), ("PLAIN", "N"),
                   ("RATIO", "B"), ("PRECISE", "B"), ("PRICE", "B")],
        "rows": [[1, -32768, 2147483647, 19.99, 12345.678901, 0.1, 3.141592653589793, 12.5],
                 [2, 32767, -2147483647, -0.5, 0, -1.5, -2.25e10, -7.25],
                 [N, N, N, N, N, N, N, N]],
    },
    "Customer Notes": {
        "fields": [("FIRSTNAM", "C"), ("LAST_NAM", "C"), ("CODE", "C"), ("LONG_NOT", "C"), ("QUOTE", "C")],
        "rows": [["Ann", "O'Neil", "ab", LONG[:254], "line1line2line3"],
                 ["Émile", "Straße", "x", "08/31/2021", "3,5"],
                 [N, N, N, N, N]],
    },
    "Dates": {
        "fields": [("D", "C"), ("T", "C"), ("TS", "C"), ("TZ", "C"), ("MIDNIGHT", "C")],
        "rows": [["08/31/2021", "12/30/1899 13:05:09", "08/31/2021 13:05:09", "08/31/2021 13:05:09", "08/31/2021"],
                 ["01/02/0812", "12/30/1899 00:00:00", "12/31/1999 23:59:59", "01/01/2000", "02/29/2000"],
                 [N, N, N, N, N]],
    },
    "misc": {
        "fields": [("FLAG", "C"), ("ID", "C"), ("DOC", "C"), ("TAGS", "C"), ("FEELING", "C"), ("SPAN", "C")],
        "rows": [["True", "A0EEBC99-9C0B-4EF8-BB6D-6BB9BD380A11", '{"a": "it\'s"}', "{1,2,3}", "happy",
                  "1 day 02:03:04"],
                 ["False", N, N, N, N, N],
                 [N, N, N, N, N, N]],
    },
    "Заказы": {
        "fields": [("F___", "C"), ("QTY", "I")],
        "rows": [["?????? ???", 5], [N, N]],
    },
    "MixedCase": {"fields": [("ID", "I")], "rows": []},
}

# The target lists its tables by their file names, which are lower case.
EXPECTED = {name.lower(): table for name, table in EXPECTED_BY_NAME.items()}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)


def psql(database, sql):
    env = dict(os.environ, PGPASSWORD=PG["password"])
    subprocess.run(["psql", "-X", "-q", "-v", "ON_ERROR_STOP=1", "-h", PG["host"], "-p", PG["port"],
                    "-U", PG["user"], "-d", database], input=sql.encode(), env=env, check=True,
                   stdout=subprocess.DEVNULL)


def convert(target, *extra):
    env = dict(os.environ, PGPASSWORD=PG["password"], LANG="en_US.UTF-8")
    env.pop("LC_ALL", None)
    return subprocess.run([CONVERT, "--server", PG["host"], "--port", PG["port"], "--user", PG["user"],
                           "--database", DATABASE, "--folder", target, *extra],
                          capture_output=True, text=True, env=env)


def table_files(folder):
    """Table name as listed by brindlecast-sql -> .dbf path."""
    listed = subprocess.run([SQL, "--tables", folder], capture_output=True, text=True, check=True).stdout
    files = {}
    for name in listed.splitlines():
        path = os.path.join(folder, name.lower() + ".dbf")
        if not os.path.exists(path):
            matches = [f for f in os.listdir(folder) if f.lower() == name.lower() + ".dbf"]
            path = os.path.join(folder, matches[0]) if matches else path
        files[name] = path
    return files


def same(actual, expected):
    if expected is None:
        return actual is None
    if isinstance(expected, str):
        return isinstance(actual, str) and actual.rstrip(" ") == expected
    try:
        return math.isclose(float(actual), float(expected), rel_tol=1e-12, abs_tol=1e-9)
    except (TypeError, ValueError):
        return False


def read_with_dbf(path):
    table = dbf.Table(path)
    table.open(dbf.READ_ONLY)
    try:
        fields = [(n.upper(), chr(table.field_info(n)[0])) for n in table.field_names]
        # By position: python-dbf reads names that start with "_" as attributes.
        count = len(table.field_names)
        rows = [[None if r[i] is dbf.Null or r[i] is None else r[i] for i in range(count)] for r in table]
    finally:
        table.close()
    return fields, rows


def read_with_dbfread(path):
    table = dbfread.DBF(path, ignore_missing_memofile=True, char_decode_errors="strict")
    names = [f.name for f in table.fields if f.name != "_NullFlags"]
    fields = [(f.name, f.type) for f in table.fields if f.name != "_NullFlags"]
    return fields, [[r[n] for n in names] for r in table]


# dbfread ignores the null flags: a NULL reads as the type's blank.
BLANK = {"C": "", "I": 0, "B": 0.0, "N": None}


def compare(table, path, reader, nulls_as_blanks):
    expected = EXPECTED[table]
    fields, rows = reader(path)
    check(fields == expected["fields"], f"{reader.__name__} {table}: fields {fields} != {expected['fields']}")
    check(len(rows) == len(expected["rows"]), f"{reader.__name__} {table}: {len(rows)} rows")
    for i, (got, want) in enumerate(zip(rows, expected["rows"])):
        for (name, kind), g, w in zip(expected["fields"], got, want):
            if w is None and nulls_as_blanks:
                w = BLANK[kind]
            check(same(g, w), f"{reader.__name__} {table} row {i} {name}: {g!r} != {w!r}")


def pgdbf_round_trip(path, rows):
    # pgdbf names the table after the file and does not quote it: read a copy with a plain name.
    with tempfile.TemporaryDirectory() as plain:
        copy = os.path.join(plain, "roundtrip.dbf")
        shutil.copyfile(path, copy)
        memo = os.path.splitext(path)[0] + ".fpt"
        extra = []
        if os.path.exists(memo):
            shutil.copyfile(memo, os.path.join(plain, "roundtrip.fpt"))
            extra = ["-m", os.path.join(plain, "roundtrip.fpt")]
        sql = subprocess.run(["pgdbf", "-s", "cp1252", *extra, copy], capture_output=True, check=True).stdout.decode()
    database = "end_to_end_back"
    psql("postgres", f'DROP DATABASE IF EXISTS {database}; CREATE DATABASE {database};')
    psql(database, sql)
    name = "roundtrip"
    env = dict(os.environ, PGPASSWORD=PG["password"])
    count = subprocess.run(["psql", "-X", "-A", "-t", "-h", PG["host"], "-p", PG["port"], "-U", PG["user"],
                            "-d", database, "-c", f'SELECT count(*) FROM "{name}"'],
                           capture_output=True, text=True, env=env, check=True).stdout.strip()
    check(count == str(rows), f"pgdbf {path}: {count} rows back in PostgreSQL, expected {rows}")


def check_answers_and_exit_statuses():
    """--overwrite answers, and exit statuses 0, 1 and 2 with their messages."""
    with tempfile.TemporaryDirectory() as target:
        path = os.path.join(target, "numbers.dbf")
        check(convert(target).returncode == 0, "first run into an empty folder")
        first = open(path, "rb").read()
        psql(DATABASE, "INSERT INTO numbers VALUES (3, 3, 3, 3, 3, 3, 3, 3);")
        kept = convert(target)
        check(kept.returncode == 0, f"--overwrite no exited {kept.returncode}")
        check('warning: table "numbers" already exists' in kept.stderr, f"no warning: {kept.stderr!r}")
        check(open(path, "rb").read() == first, "a table answered No was changed")
        replaced = convert(target, "--overwrite", "yes")
        check(replaced.returncode == 0 and replaced.stderr == "", f"--overwrite yes: {replaced.stderr!r}")
        check(len(list(dbfread.DBF(path, ignore_missing_memofile=True))) == 4, "--overwrite yes did not rewrite the table")
        psql(DATABASE, "DELETE FROM numbers WHERE id = 3;")

        psql(DATABASE, 'CREATE TABLE "bad/name" (id integer); INSERT INTO "bad/name" VALUES (1);')
        refused = convert(target, "--overwrite", "yes")
        psql(DATABASE, 'DROP TABLE "bad/name";')
        check(refused.returncode == 1, f"a refused statement exited {refused.returncode}")
        check("Application Error: SQLException: " in refused.stderr and
              "in Brindlecast2021/08/31.Form1.PushButton7_Click at line 318" in refused.stderr,
              f"refusal report: {refused.stderr!r}")
        check(not any("bad" in name for name in os.listdir(target)), "a refused table left a file")

        env = dict(os.environ, PGPASSWORD="wrong")
        wrong = subprocess.run([CONVERT, "--server", PG["host"], "--port", PG["port"], "--user", PG["user"],
                                "--database", DATABASE, "--folder", target], capture_output=True, text=True, env=env)
        check(wrong.returncode == 2 and "cannot connect to PostgreSQL" in wrong.stderr,
              f"wrong password: {wrong.returncode} {wrong.stderr!r}")
        missing = convert(os.path.join(target, "missing"))
        check(missing.returncode == 2 and "cannot open the FoxPro target" in missing.stderr,
              f"missing folder: {missing.returncode} {missing.stderr!r}")
        unwritable = convert(os.path.join(target, "fresh"), "--types", "/nonexistent/types.tsv")
        check(unwritable.returncode == 2 and "cannot write /nonexistent/types.tsv" in unwritable.stderr,
              f"unwritable --types: {unwritable.returncode} {unwritable.stderr!r}")
        usage = subprocess.run([CONVERT, "--server", "x"], capture_output=True, text=True)
        check(usage.returncode == 2, f"usage error exited {usage.returncode}")


def main():
    psql("postgres", f"DROP DATABASE IF EXISTS {DATABASE} WITH (FORCE); CREATE DATABASE {DATABASE};")
    psql(DATABASE, SETUP)
    with tempfile.TemporaryDirectory() as direct, tempfile.TemporaryDirectory() as replay:
        run = convert(direct, "--types", os.path.join(direct, "types.tsv"))
        print(run.stdout + run.stderr)
        check(run.returncode == 0, f"brindlecast-convert exited {run.returncode}")
        check(run.stdout.strip() == "Done.", f"stdout: {run.stdout!r}")
        files = table_files(direct)
        check(sorted(files) == sorted(EXPECTED), f"tables {sorted(files)}")
        types = open(os.path.join(direct, "types.tsv"), encoding="utf-8").read().splitlines()
        check("only_blob\tb\t\t" in types, "the long binary field has a type row without classes")
        check("numbers\tratio\tsingle\tNUMERIC" in types, "real is a single")
        for table, path in files.items():
            if table not in EXPECTED:
                continue
            compare(table, path, read_with_dbf, nulls_as_blanks=False)
            compare(table, path, read_with_dbfread, nulls_as_blanks=True)
            pgdbf_round_trip(path, len(EXPECTED[table]["rows"]))

        script = os.path.join(replay, "script.sql")
        target = os.path.join(replay, "tables")
        os.mkdir(target)
        run = convert(target, "--preview-script", script)
        check(run.returncode == 0, f"preview run exited {run.returncode}: {run.stderr}")
        check(os.listdir(target) == [], "the preview run executed nothing")
        lines = open(script, encoding="utf-8").read().split("\n")
        check(lines[-1] == "" and all(lines[:-1]), "one statement per line, LF ends")
        played = subprocess.run([SQL, target, script], capture_output=True, text=True)
        check(played.returncode == 0, f"brindlecast-sql exited {played.returncode}: {played.stderr}")
        replayed = table_files(target)
        check(sorted(replayed) == sorted(files), f"replayed tables {sorted(replayed)}")
        for table in files:
            if table in replayed:
                check(read_with_dbfread(files[table]) == read_with_dbfread(replayed[table]),
                      f"{table}: the replayed table differs from the direct one")

    check_answers_and_exit_statuses()

    for f in failures:
        print("FAIL:", f)
    print(f"{0 if failures else 1} passed, {1 if failures else 0} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
