#!/usr/bin/env python3
"""Makes journal-v1.sqlite: a journal as version 1 of its tables kept it,
before the process that began a record was recorded (no pid, no process
start, no boot). Two records, one image. The tests open a copy and expect it
migrated to the current version with its records as they were.

    python3 make-journal-v1.py [OUTPUT]
"""
import hashlib
import os
import sqlite3
import struct
import sys
import zlib

SCHEMA_V1 = [
    "CREATE TABLE schema_version (version INTEGER NOT NULL)",
    "CREATE TABLE images (sha256 TEXT NOT NULL PRIMARY KEY,"
    " size INTEGER NOT NULL, data BLOB NOT NULL)",
    "CREATE TABLE records (id TEXT NOT NULL PRIMARY KEY,"
    " kind TEXT NOT NULL, started TEXT NOT NULL, finished TEXT,"
    " result TEXT, error TEXT, step TEXT, reg INTEGER,"
    " unit_serial TEXT, unit_by_id TEXT, unit_device TEXT,"
    " unit_model INTEGER, unit_firmware INTEGER,"
    " config_path TEXT, config_sha256 TEXT, backup_sha256 TEXT,"
    " read_back_sha256 TEXT, differing TEXT, voice TEXT,"
    " restored_from TEXT, program_version TEXT, user_name TEXT, host TEXT)",
    "CREATE INDEX records_started ON records (started)",
    "CREATE INDEX records_unit_serial ON records (unit_serial, started)",
    "CREATE INDEX records_unit_device ON records (unit_device, started)",
]


def register_image():
    """87 registers of 256 bytes: a few texts, the rest zero."""
    slots = [bytearray(256) for _ in range(87)]
    slots[0][:12] = b"+44123456789"
    slots[16][:9] = b"Door open"
    slots[83][:16] = b"1000000000000000"
    return b"".join(bytes(slot) for slot in slots)


def q_compress(data):
    """As Qt's qCompress: the length, big-endian, then a zlib stream."""
    return struct.pack(">I", len(data)) + zlib.compress(data)


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "journal-v1.sqlite")
    if os.path.exists(output):
        os.remove(output)
    image = register_image()
    sha = hashlib.sha256(image).hexdigest()
    db = sqlite3.connect(output)
    for statement in SCHEMA_V1:
        db.execute(statement)
    db.execute("INSERT INTO schema_version (version) VALUES (1)")
    db.execute("INSERT INTO images (sha256, size, data) VALUES (?, ?, ?)",
               (sha, len(image), q_compress(image)))
    columns = ("id, kind, started, finished, result, error, step, reg, unit_serial, unit_by_id,"
               " unit_device, unit_model, unit_firmware, config_path, config_sha256,"
               " backup_sha256, read_back_sha256, differing, voice, restored_from,"
               " program_version, user_name, host")
    insert = f"INSERT INTO records ({columns}) VALUES ({', '.join('?' * 23)})"
    db.execute(insert, (
        "5b0c6f0e-8d4a-4f61-9a43-2f1d7c3e9b10", "write",
        "2026-03-02T08:15:00.250Z", "2026-03-02T08:15:41.500Z", "verify-failed",
        "The unit holds other values than were written.", "reading back", 0,
        "A1B2C3", "/dev/serial/by-id/usb-Example_VELK-Ardo_A1B2C3-if00", "/dev/ttyACM0",
        2, 114, "/home/fitter/Plant.QRB", sha, sha, sha,
        "Input 1, phone number 1\nPulse length",
        '[{"name":"H01.WAV","size":8044,"sha256":"' + "ab" * 32 + '"}]',
        "", "0.1.0", "fitter", "workshop-pc"))
    # Begun and never completed: its process was not recorded then.
    db.execute(insert, (
        "9e7d1a52-3c6b-4e0f-b8a1-6d2c4f5e7a31", "read",
        "2026-03-02T09:00:00.000Z", None, None, None, None, None,
        "", "", "/dev/ttyUSB0", 0, 0, "", "", "", "", "", "[]",
        "", "0.1.0", "fitter", "workshop-pc"))
    db.commit()
    db.close()


if __name__ == "__main__":
    main()
