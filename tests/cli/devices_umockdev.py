"""quillary-cli ports, --port USB, write --backup and provision against mock
USB serial devices (umockdev), each device node a link to its own
velk-unit-sim pseudo-terminal. Run under umockdev-wrapper:

    umockdev-wrapper /usr/bin/python3 devices_umockdev.py CLI SIM
"""
import hashlib
import json
import os
import queue
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

import gi

gi.require_version("UMockdev", "1.0")
from gi.repository import UMockdev  # noqa: E402

CLI, SIM = sys.argv[1], sys.argv[2]
WORK = tempfile.mkdtemp(prefix="quillary-devices-")
testbed = UMockdev.Testbed.new()
# The testbed sets UMOCKDEV_DIR in the C environment only; children need it.
ENV = dict(os.environ, XDG_CONFIG_HOME=os.path.join(WORK, "config"),
           UMOCKDEV_DIR=testbed.get_root_dir())
ENV.pop("QUILLARY_LINK_DEVICE", None)
failures = []
sims = []


def check(condition, what):
    print(("ok   " if condition else "FAIL ") + what, flush=True)
    if not condition:
        failures.append(what)


class Unit:
    """One simulated unit behind a mock USB serial device."""
    count = 0

    def __init__(self, serial, sim_args=(), by_id=True):
        Unit.count += 1
        n = Unit.count
        self.serial = serial
        self.state = os.path.join(WORK, "unit-" + serial)
        os.makedirs(self.state)
        self.sim = subprocess.Popen([SIM, "--state", self.state, *sim_args],
                                    stdout=subprocess.DEVNULL)
        sims.append(self.sim)
        for _ in range(100):
            if os.path.exists(os.path.join(self.state, "tty")):
                break
            time.sleep(0.05)
        self.name = "ttyACM%d" % n
        usb = "/devices/pci0000:00/0000:00:14.0/usb1/1-%d" % n
        self.sys = usb + "/1-%d:1.0/tty/%s" % (n, self.name)
        links = "E: DEVLINKS=/dev/serial/by-id/usb-Example_VELK_Ardo_%s-if00\n" % serial if by_id else ""
        self.node = "/dev/" + self.name

    def plug(self):
        n = int(self.name[6:])
        # The node leads to the simulator before the device is announced, as
        # a real node is ready when its "add" event arrives (so the device is
        # described without a node of umockdev's own).
        node = os.path.join(testbed.get_root_dir(), "dev", self.name)
        os.makedirs(os.path.dirname(node), exist_ok=True)
        os.symlink(os.path.realpath(os.path.join(self.state, "tty")), node)
        testbed.add_from_string(
            "P: %s\nN: bus/usb/001/%03d\nE: DEVTYPE=usb_device\nE: SUBSYSTEM=usb\n"
            "E: ID_VENDOR=Example\nE: ID_SERIAL_SHORT=%s\nA: serial=%s\n\n"
            "P: %s\nE: DEVNAME=/dev/%s\nE: SUBSYSTEM=tty\nE: ID_BUS=usb\n"
            "E: ID_VENDOR=Example\nE: ID_MODEL=VELK_Ardo\nE: ID_SERIAL_SHORT=%s\n%sA: dev=166:%d\n"
            % (self.sys.rsplit("/", 3)[0], n + 10, self.serial, self.serial, self.sys,
               self.name, self.serial, self.links, n))

    def unplug(self):
        self.sim.kill()
        self.sim.wait()
        testbed.uevent("/sys" + self.sys, "remove")
        testbed.remove_device("/sys" + self.sys)

    def registers(self):
        path = os.path.join(self.state, "registers.QRB")
        return open(path, "rb").read() if os.path.exists(path) else None


def unit(serial, *sim_args, by_id=True):
    u = Unit(serial, sim_args)
    u.links = ("E: DEVLINKS=/dev/serial/by-id/usb-Example_VELK_Ardo_%s-if00\n" % serial
               if by_id else "")
    return u


def run(*args, timeout=60):
    return subprocess.run([CLI, *args], env=ENV, capture_output=True, text=True, timeout=timeout)


class Running:
    """A quillary-cli run whose output lines are awaited one by one."""

    def __init__(self, *args):
        self.proc = subprocess.Popen([CLI, *args], env=ENV, stdout=subprocess.PIPE,
                                     stderr=subprocess.STDOUT, text=True)
        self.lines = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.proc.stdout:
            self.lines.put(line.rstrip("\n"))

    def expect(self, pattern, timeout=30):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            try:
                line = self.lines.get(timeout=max(0.0, end - time.monotonic()))
            except queue.Empty:
                break
            self.seen.append(line)
            if re.search(pattern, line):
                return line
        check(False, "output shows /%s/ (got: %s)" % (pattern, self.seen[-5:]))
        return None

    def finish(self, timeout=30):
        try:
            self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            check(False, "quillary-cli ends")
        while not self.lines.empty():
            self.seen.append(self.lines.get())
        return self.proc.returncode


template = bytearray(87 * 256)
for reg in range(1, 88):
    text = b"register %d \xe9\x80" % reg
    template[(reg - 1) * 256:(reg - 1) * 256 + len(text)] = text
template_path = os.path.join(WORK, "site.QRB")
open(template_path, "wb").write(template)
sha = hashlib.sha256(template).hexdigest()

try:
    # Discovery: one device, then two.
    first = unit("A1B2C3")
    first.plug()
    second = unit("Z9", by_id=False)
    second.plug()
    # The kernel keeps a COM port device for every port it might have; only
    # one with a UART behind it (a type other than 0) is a port.
    for n, uart in ((0, 4), (1, 0)):
        testbed.add_from_string("P: /devices/platform/serial8250/tty/ttyS%d\nE: DEVNAME=/dev/ttyS%d\n"
                                "E: SUBSYSTEM=tty\nA: type=%d\nA: dev=4:%d\n" % (n, n, uart, 64 + n))
    listed = run("ports")
    check(listed.returncode == 0, "ports succeeds")
    lines = listed.stdout.splitlines()
    check(lines == [
        "/dev/ttyACM1\t/dev/serial/by-id/usb-Example_VELK_Ardo_A1B2C3-if00\tExample\tVELK Ardo"
        "\tA1B2C3\t--port /dev/serial/by-id/usb-Example_VELK_Ardo_A1B2C3-if00",
        "/dev/ttyACM2\t-\tExample\tVELK Ardo\tZ9\t--port /dev/ttyACM2",
        "/dev/ttyS0\t-\t-\t-\t-\t--port COM1"], "ports lists both and the COM port with a UART: %s" % lines)
    as_json = json.loads(run("ports", "--json").stdout)
    check([(d["device"], d["serial"], d["port"]) for d in as_json] ==
          [("/dev/ttyACM1", "A1B2C3", "/dev/serial/by-id/usb-Example_VELK_Ardo_A1B2C3-if00"),
           ("/dev/ttyACM2", "Z9", "/dev/ttyACM2"), ("/dev/ttyS0", "", "COM1")], "ports --json")
    several = run("--port", "USB", "set-clock")
    check(several.returncode == 1 and "Several USB serial devices" in several.stderr
          and "/dev/ttyACM1" in several.stderr and "/dev/ttyACM2" in several.stderr
          and "Setup" in several.stderr, "USB with two attached names both: " + several.stderr)
    # A choice made in Setup picks one of them.
    os.makedirs(ENV["XDG_CONFIG_HOME"], exist_ok=True)
    with open(os.path.join(ENV["XDG_CONFIG_HOME"], "quillary.ini"), "w") as ini:
        ini.write("[Options]\nCOMPORT=0\nDevice=usb:Example/VELK Ardo/Z9\n")
    chosen = run("set-clock")
    check(chosen.returncode == 0 and os.path.exists(os.path.join(second.state, "clock.bin"))
          and not os.path.exists(os.path.join(first.state, "clock.bin")),
          "Options/Device picks the unit chosen: " + chosen.stderr)
    os.remove(os.path.join(ENV["XDG_CONFIG_HOME"], "quillary.ini"))
    second.unplug()

    # write --backup: the unit's registers kept first; a failed read writes nothing.
    backups = os.path.join(WORK, "backups")
    os.makedirs(backups)
    before = first.registers()
    written = run("--port", "USB", "write", "--backup", backups, template_path)
    kept = os.listdir(backups)
    check(written.returncode == 0 and len(kept) == 1 and kept[0].startswith("A1B2C3-")
          and kept[0].endswith(".QRB"), "write --backup keeps one backup named by serial: %s %s"
          % (kept, written.stderr))
    check(kept and open(os.path.join(backups, kept[0]), "rb").read() ==
          (before or bytes(87 * 256)), "the backup holds what the unit held")
    check(first.registers() == bytes(template), "the unit holds the configuration")
    first.unplug()
    refusing = unit("R5", "--fail-read", "5")
    refusing.plug()
    refused = run("--port", "USB", "write", "--backup", backups, template_path)
    check(refused.returncode == 1 and "reading register 5" in refused.stderr
          and refusing.registers() in (None, bytes(87 * 256)) and len(os.listdir(backups)) == 1,
          "a failed backup read writes nothing: " + refused.stderr)
    refusing.unplug()

    # provision: two units one after the other, each written and verified
    # against what it reads back; the second keeps register 40 changed.
    log = os.path.join(WORK, "provision.log")
    p = Running("provision", template_path, "--log", log, "--count", "2")
    p.expect(r"Plug in unit 1")
    one = unit("UNIT0001")
    one.plug()
    p.expect(r"Unplug the unit from /dev/ttyACM4")
    one.unplug()
    p.expect(r"Plug in unit 2")
    two = unit("UNIT0002", "--alter-register", "40")
    two.plug()
    p.expect(r"Unplug the unit from /dev/ttyACM5")
    two.unplug()
    status = p.finish()
    check(status == 1, "provision with a unit that differs exits 1: %s" % p.seen[-3:])
    altered = two.registers()
    check(one.registers() == bytes(template) and altered is not None and
          altered[:39 * 256] == template[:39 * 256] and altered[40 * 256:] == template[40 * 256:]
          and altered[39 * 256:40 * 256] != template[39 * 256:40 * 256],
          "the first unit holds the configuration, the second all but register 40")
    entries = [json.loads(line) for line in open(log)]
    check([(e["serial"], e["device"], e["result"], e["configSha256"], e["differing"])
           for e in entries] ==
          [("UNIT0001", "/dev/ttyACM4", "ok", sha, []),
           ("UNIT0002", "/dev/ttyACM5", "failed", sha, ["40"])],
          "two log lines with the serial numbers: %s" % entries)
    check(entries[1].get("error") == "registers differ after writing", "the failure says why")
    check(any("1 succeeded, 1 failed" in line for line in p.seen), "summary")

    # A unit unplugged in the middle of the write is logged as failed.
    p = Running("provision", template_path, "--log", log, "--count", "1")
    p.expect(r"Plug in unit 1")
    pulled = unit("UNIT0003", "--baud", "19200")
    pulled.plug()
    p.expect(r"writing register 2\d of 87")
    pulled.unplug()
    status = p.finish(timeout=60)
    entries = [json.loads(line) for line in open(log)]
    check(status == 1 and len(entries) == 3 and entries[2]["serial"] == "UNIT0003"
          and entries[2]["result"] == "failed" and "writing register" in entries[2]["error"],
          "an unplugged unit is logged as failed: %s %s" % (status, entries[-1:]))
    check(any("0 succeeded, 1 failed" in line for line in p.seen), "summary names the failure")

    # Ctrl-C in the middle of a unit finishes that unit, then stops.
    p = Running("provision", template_path, "--log", log)
    p.expect(r"Plug in unit 1")
    held = unit("UNIT0004", "--baud", "19200")
    held.plug()
    p.expect(r"writing register 2\d of 87")
    p.proc.send_signal(signal.SIGINT)
    status = p.finish(timeout=60)
    entries = [json.loads(line) for line in open(log)]
    check(status == 0 and held.registers() == bytes(template) and len(entries) == 4
          and entries[3]["serial"] == "UNIT0004" and entries[3]["result"] == "ok"
          and "Stopped by Ctrl-C." in p.seen and any("1 succeeded, 0 failed" in line
                                                    for line in p.seen),
          "Ctrl-C finishes the unit in hand: %s %s" % (status, p.seen[-4:]))
    held.unplug()

    # Everything local is checked before the unit is touched: a backup folder
    # or a log folder the user may not write is refused at once.
    os.chmod(WORK, 0o755)
    # (the testbed is private to root: the simulator is named directly)
    locked = unit("RO")
    nobody = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups", CLI]
    refused = subprocess.run([*nobody, "--port", os.path.join(locked.state, "tty"), "write", "--backup", backups, template_path],
                             env=ENV, capture_output=True, text=True, timeout=30)
    check(refused.returncode == 3 and "cannot be written to" in refused.stderr
          and locked.registers() in (None, bytes(87 * 256)), "an unwritable backup folder stops the write: "
          + refused.stderr)
    refused = subprocess.run([*nobody, "provision", template_path, "--log",
                              os.path.join(backups, "units.log")],
                             env=ENV, capture_output=True, text=True, timeout=30)
    check(refused.returncode == 3 and "cannot open the log" in refused.stderr,
          "an unwritable log stops provision at once: " + refused.stderr)
    refused = run("provision", "--voice", template_path, timeout=30)
    check(refused.returncode == 3 and "voice" in refused.stderr.lower(),
          "missing voice files stop provision at once: " + refused.stderr)

    # A full disk (a 16 KiB tmpfs) under the backup folder: nothing is written
    # to the unit, and no partial backup is left.
    small = os.path.join(WORK, "small")
    os.makedirs(small)
    mounted = subprocess.run(["mount", "-t", "tmpfs", "-o", "size=16k", "tmpfs", small]).returncode == 0
    check(mounted, "a small tmpfs for the full disk")
    if mounted:
        full = unit("FULL")
        full.plug()
        result = run("--port", "USB", "write", "--backup", small, template_path)
        check(result.returncode == 3 and "No space left" in result.stderr and not os.listdir(small)
              and full.registers() in (None, bytes(87 * 256)),
              "a full disk stops before the write: " + result.stderr[-200:])
        subprocess.run(["umount", small])
finally:
    for sim in sims:
        sim.kill()
        sim.wait()
    shutil.rmtree(WORK, ignore_errors=True)

print("%d failure(s)" % len(failures))
sys.exit(1 if failures else 0)
