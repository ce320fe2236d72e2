#!/usr/bin/python3
"""Checks archives written by the zip writer with readers that share none of
its code: Python's zipfile, Info-ZIP's unzip -t and zipinfo -v, and a
struct-level walk of the records.

Usage: check_archives.py PATH_TO_zip_add_files
Exits non-zero on the first failed check; prints "N passed, 0 failed" at the end.
"""
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import unittest
import zipfile
import zlib

TOOL = None


def dos_date_time(mtime):
    t = time.localtime(mtime)
    year = 0 if t.tm_year <= 1980 else min(t.tm_year - 1980, 127)
    return (year << 9) | (t.tm_mon << 5) | t.tm_mday, (t.tm_hour << 11) | (t.tm_min << 5) | (t.tm_sec // 2)


def make_wav(samples):
    data = bytes(128 + int(60 * ((i * 7) % 23 - 11) / 11) for i in range(samples))
    header = b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt " + struct.pack(
        "<IHHIIHH", 16, 1, 1, 8000, 8000, 1, 8) + b"data" + struct.pack("<I", len(data))
    return header + data


class Source:
    def __init__(self, path, stored, data=None, is_dir=False):
        self.path, self.stored, self.data, self.is_dir = path, stored, data, is_dir


class ArchiveChecks(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dir = tempfile.mkdtemp(prefix="zipcheck-")
        d = cls.dir
        os.makedirs(os.path.join(d, "Units"))
        files = {
            "Units/Plant1.QRB": b"".join(("REG%02d=+49170%05d" % (i, i * 37)).encode().ljust(256, b"\0")
                                         for i in range(1, 88)),
            "Plant1_H01.WAV": make_wav(40000),
            "empty.txt": b"",
            "random.bin": os.urandom(200000),
            "big.txt": b"".join(b"line %d of a long listing\n" % i for i in range(120000)),
            "readonly.txt": b"read only\n",
            "caf\u00e9.wav": make_wav(500),
            "old.txt": b"from 1975\n",
            "odd.txt": b"odd second\n",
        }
        for name, data in files.items():
            with open(os.path.join(d, name), "wb") as f:
                f.write(data)
        os.chmod(os.path.join(d, "readonly.txt"), 0o444)
        os.utime(os.path.join(d, "old.txt"), (0, time.mktime((1975, 6, 15, 10, 20, 59, 0, 0, -1))))
        os.utime(os.path.join(d, "odd.txt"), (0, time.mktime((2023, 11, 2, 8, 9, 17, 0, 0, -1))))
        os.makedirs(os.path.join(d, "folder"))

        # Absolute paths lose their leading root; bare names stay as they are.
        cls.sources = [
            Source(os.path.join(d, "Units/Plant1.QRB"), os.path.join(d, "Units/Plant1.QRB").lstrip("/"),
                   files["Units/Plant1.QRB"]),
            Source("Plant1_H01.WAV", "Plant1_H01.WAV", files["Plant1_H01.WAV"]),
            Source("empty.txt", "empty.txt", b""),
            Source("random.bin", "random.bin", files["random.bin"]),
            Source("big.txt", "big.txt", files["big.txt"]),
            Source("folder", "folder", is_dir=True),
            Source("readonly.txt", "readonly.txt", files["readonly.txt"]),
            Source("caf\u00e9.wav", "caf\u00e9.wav", files["caf\u00e9.wav"]),
            Source("old.txt", "old.txt", files["old.txt"]),
            Source("odd.txt", "odd.txt", files["odd.txt"]),
            Source("Plant1_H01.WAV", "Plant1_H01.WAV", files["Plant1_H01.WAV"]),  # twice
        ]
        cls.archive = os.path.join(d, "config.zip")
        result = subprocess.run([TOOL, cls.archive] + [s.path for s in cls.sources], cwd=d,
                                capture_output=True, text=True, timeout=120)
        cls.tool_output = result.stdout + result.stderr
        cls.tool_status = result.returncode
        with open(cls.archive, "rb") as f:
            cls.bytes = f.read()

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dir, ignore_errors=True)

    def test_tool_added_everything(self):
        self.assertEqual(self.tool_status, 0, self.tool_output)
        self.assertEqual(self.tool_output.count("added "), len(self.sources), self.tool_output)

    def test_zipfile_reads_every_entry(self):
        with zipfile.ZipFile(self.archive) as z:
            self.assertIsNone(z.testzip())
            infos = z.infolist()
            self.assertEqual([i.filename for i in infos], [s.stored for s in self.sources])
            for info, source in zip(infos, self.sources):
                with self.subTest(name=source.stored):
                    st = os.stat(os.path.join(self.dir, source.path))
                    date, dtime = dos_date_time(st.st_mtime)
                    self.assertEqual(info.create_system, 0)
                    self.assertEqual(info.create_version, 20)
                    self.assertEqual(info.extract_version, 20)
                    self.assertEqual(info.flag_bits, 0)
                    self.assertEqual(info.volume, 0)
                    self.assertEqual(info.internal_attr, 0)
                    self.assertEqual(info.extra, b"")
                    self.assertEqual(info.comment, b"")
                    expected_date_time = ((date >> 9) + 1980, (date >> 5) & 15, date & 31,
                                          dtime >> 11, (dtime >> 5) & 63, (dtime & 31) * 2)
                    self.assertEqual(info.date_time, expected_date_time)
                    if source.is_dir:
                        self.assertEqual(info.compress_type, zipfile.ZIP_STORED)
                        self.assertEqual((info.CRC, info.file_size, info.compress_size), (0, 0, 0))
                        self.assertEqual(info.external_attr, 0x10)
                        self.assertFalse(info.filename.endswith("/"))
                        continue
                    self.assertEqual(info.compress_type, zipfile.ZIP_DEFLATED)
                    self.assertEqual(info.CRC, zlib.crc32(source.data))
                    self.assertEqual(info.file_size, len(source.data))
                    self.assertEqual(info.external_attr, 0x21 if source.path == "readonly.txt" else 0x20)
                    self.assertEqual(z.read(info), source.data)
            empty = z.getinfo("empty.txt")
            self.assertEqual((empty.CRC, empty.compress_size, empty.file_size), (0, 2, 0))

    def test_dates_of_1980_and_earlier_and_odd_seconds(self):
        with zipfile.ZipFile(self.archive) as z:
            self.assertEqual(z.getinfo("old.txt").date_time, (1980, 6, 15, 10, 20, 58))
            self.assertEqual(z.getinfo("odd.txt").date_time, (2023, 11, 2, 8, 9, 16))

    def test_records_byte_by_byte(self):
        data = self.bytes
        end = data[-22:]
        sig, this_vol, cd_vol, here, total, cd_size, cd_offset, comment_len = struct.unpack("<IHHHHIIH", end)
        self.assertEqual(sig, 0x06054B50)
        self.assertEqual((this_vol, cd_vol, comment_len), (0, 0, 0))
        self.assertEqual(here, len(self.sources))
        self.assertEqual(total, len(self.sources))
        self.assertEqual(cd_offset + cd_size, len(data) - 22)
        at, expected_local = cd_offset, 0
        for source in self.sources:
            (csig, made_by, needed, flag, method, mtime, mdate, crc, csize, usize, nlen, xlen, clen,
             disk, iattr, eattr, local) = struct.unpack("<IHHHHHHIIIHHHHHII", data[at:at + 46])
            name = data[at + 46:at + 46 + nlen]
            with self.subTest(name=source.stored):
                self.assertEqual(csig, 0x02014B50)
                self.assertEqual((made_by, needed, flag), (20, 20, 0))
                self.assertEqual(method, 0 if source.is_dir else 8)
                self.assertEqual((xlen, clen, disk, iattr), (0, 0, 0, 0))
                self.assertEqual(name, source.stored.encode("cp437"))
                self.assertEqual(local, expected_local)  # entries follow each other without gaps
                (lsig, lneeded, lflag, lmethod, ltime, ldate, lcrc, lcsize, lusize, lnlen,
                 lxlen) = struct.unpack("<IHHHHHIIIHH", data[local:local + 30])
                self.assertEqual(lsig, 0x04034B50)
                self.assertEqual((lneeded, lflag, lmethod, ltime, ldate), (needed, flag, method, mtime, mdate))
                self.assertEqual((lcrc, lcsize, lusize), (crc, csize, usize))  # patched in place
                self.assertEqual((lnlen, lxlen), (nlen, 0))
                self.assertEqual(data[local + 30:local + 30 + nlen], name)
                payload = data[local + 30 + nlen:local + 30 + nlen + csize]
                if method == 8:
                    inflated = zlib.decompressobj(-15)
                    self.assertEqual(inflated.decompress(payload) + inflated.flush(), source.data)
                    self.assertTrue(inflated.eof)
                expected_local = local + 30 + nlen + csize
            at += 46 + nlen
        self.assertEqual(cd_offset, expected_local)  # directory starts right after the last data

    def test_unzip_test_passes(self):
        result = subprocess.run(["unzip", "-t", self.archive], capture_output=True, timeout=120)
        output = result.stdout.decode("latin-1")
        self.assertEqual(result.returncode, 0, output)
        self.assertIn("No errors detected", output)
        self.assertEqual(output.count(" OK"), len(self.sources))

    def test_zipinfo_verbose_fields(self):
        result = subprocess.run(["zipinfo", "-v", self.archive], capture_output=True, timeout=120)
        output = result.stdout.decode("latin-1")
        self.assertEqual(result.returncode, 0, output)
        self.assertIn("central directory contains %d entries" % len(self.sources), output)
        entries = re.split(r"Central directory entry #\d+:", output)[1:]
        self.assertEqual(len(entries), len(self.sources))
        with zipfile.ZipFile(self.archive) as z:
            for text, info, source in zip(entries, z.infolist(), self.sources):
                with self.subTest(name=source.stored):
                    fields = dict(re.findall(r"^  ([^:\n]+?):\s+(.*?)\s*$", text, re.M))
                    self.assertEqual(fields["file system or operating system of origin"], "MS-DOS, OS/2 or NT FAT")
                    self.assertEqual(fields["version of encoding software"], "2.0")
                    self.assertEqual(fields["minimum software version required to extract"], "2.0")
                    self.assertEqual(fields["compression method"], "none (stored)" if source.is_dir else "deflated")
                    self.assertEqual(fields["extended local header"], "no")
                    self.assertEqual(fields["file security status"], "not encrypted")
                    self.assertEqual(int(fields["32-bit CRC value (hex)"], 16), info.CRC)
                    self.assertEqual(fields["compressed size"], "%d bytes" % info.compress_size)
                    self.assertEqual(fields["uncompressed size"], "%d bytes" % info.file_size)
                    self.assertEqual(int(fields["offset of local header from start of archive"]), info.header_offset)
                    self.assertEqual(fields["length of extra field"], "0 bytes")
                    attributes = fields[next(k for k in fields if k.startswith("MS-DOS file attributes"))]
                    expected = {0x10: "dir", 0x20: "arc", 0x21: "rdo arc"}[info.external_attr]
                    self.assertEqual(attributes, expected)

    def test_level_9_sets_flag_2(self):
        archive = os.path.join(self.dir, "level9.zip")
        subprocess.run([TOOL, "--level", "9", archive, "big.txt"], cwd=self.dir, check=True,
                       capture_output=True, timeout=120)
        with zipfile.ZipFile(archive) as z:
            self.assertIsNone(z.testzip())
            self.assertEqual(z.getinfo("big.txt").flag_bits, 2)
        result = subprocess.run(["unzip", "-t", archive], capture_output=True, timeout=120)
        self.assertEqual(result.returncode, 0)

    def test_archive_without_entries(self):
        archive = os.path.join(self.dir, "none.zip")
        subprocess.run([TOOL, archive], check=True, capture_output=True, timeout=120)
        with open(archive, "rb") as f:
            self.assertEqual(f.read(), b"PK\x05\x06" + bytes(18))
        with zipfile.ZipFile(archive) as z:
            self.assertEqual(z.infolist(), [])

    def test_fixed_time_gives_identical_archives(self):
        outputs = []
        for name in ("same1.zip", "same2.zip"):
            archive = os.path.join(self.dir, name)
            subprocess.run([TOOL, "--time", "1700000000", archive, "big.txt", "empty.txt"],
                           cwd=self.dir, check=True, capture_output=True, timeout=120)
            with open(archive, "rb") as f:
                outputs.append(f.read())
        self.assertEqual(outputs[0], outputs[1])
        with zipfile.ZipFile(os.path.join(self.dir, "same1.zip")) as z:
            date, dtime = dos_date_time(1700000000)
            self.assertEqual(z.getinfo("big.txt").date_time[0], (date >> 9) + 1980)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    TOOL = os.path.abspath(sys.argv[1])
    suite = unittest.defaultTestLoader.loadTestsFromTestCase(ArchiveChecks)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    failed = len(result.failures) + len(result.errors)
    print("%d passed, %d failed" % (result.testsRun - failed, failed))
    sys.exit(0 if result.wasSuccessful() else 1)
