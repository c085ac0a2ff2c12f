#!/usr/bin/python3
"""Rows of the bench's 12-column shape, as INSERT statements or as Python values.

    foxpro_gen.py N FILE    writes CREATE TABLE and N INSERT statements, one per line, in
                            the form the conversion run sends them
"""
import random
import sys

CREATE = ('CREATE TABLE "bench"([id] INT,[customer] CHAR(254),[price] DEC,[ratio] DOUBLE,'
          '[created] CHAR(25),[qty] INT,[note] CHAR(254),[born] CHAR(12),[amount] DEC,'
          '[flag] CHAR(254),[code] CHAR(254),[weight] DOUBLE);')
NAMES = ["O'Neil", "Zoë Ångström", "plain name", "Smith & Sons", "Müller", "Ivanov"]


def rows(n):
    rng = random.Random(7)
    for i in range(n):
        yield (i + 1, NAMES[i % 6], rng.randrange(100000) + (i % 100) / 100.0,
               rng.random() * 1000, "08/%02d/2021 13:05:09" % (1 + i % 28),
               rng.randrange(-500, 500), "note %d" % i, "08/31/2021", i * 3 + 0.5, "True",
               "C-%06d" % i, None if i % 7 == 0 else round(i / 13.0, 4))


def sql(value):
    if value is None:
        return "NULL"
    if isinstance(value, str):
        return "'" + value.replace("'", "''") + "'"
    if isinstance(value, float):
        return "%.10g" % value
    return str(value)


def statement(row):
    return "INSERT INTO [bench] VALUES (" + ", ".join(sql(v) for v in row) + ");"


if __name__ == "__main__":
    n, path = int(sys.argv[1]), sys.argv[2]
    with open(path, "w", encoding="utf-8") as out:
        out.write(CREATE + "\n")
        for row in rows(n):
            out.write(statement(row) + "\n")
