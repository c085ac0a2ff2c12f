#!/usr/bin/python3
"""The peer: python3-dbf appending the bench rows to a Visual FoxPro table of the same shape.
Usage: foxpro_peer.py N FOLDER; prints the seconds it took."""
import os
import sys
import time

import dbf

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from foxpro_gen import rows  # noqa: E402

n, folder = int(sys.argv[1]), sys.argv[2]
fields = ("id I NULL; customer C(254) NULL; price N(20,6) NULL; ratio B NULL; created C(25) NULL;"
        " qty I NULL; note C(254) NULL; born C(12) NULL; amount N(20,6) NULL; flag C(254) NULL;"
        " code C(254) NULL; weight B NULL")
data = list(rows(n))
start = time.perf_counter()
table = dbf.Table(os.path.join(folder, "peer.dbf"), fields, dbf_type="vfp", codepage="cp1252")
table.open(dbf.READ_WRITE)
for row in data:
    table.append(tuple(dbf.Null if v is None else v for v in row))
table.close()
print("%.6f" % (time.perf_counter() - start))
