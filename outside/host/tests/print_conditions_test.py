"""Prints that do not reach the printer, through the real chain: a printer that answers as
offline keeps the job waiting with the offline status until the user cancels, and nothing is
sent; a background print leaves the whole job in the spool folder and sends nothing to the
printer; a driver without its colour-processing framework fails the job with the printing-error
code. Every run ends with the host's own exit status, which the leak checker of a sanitized build
would change.

Usage: print_conditions_test.py BUILD_DIR SOURCE_DIR
"""
import os
import plistlib
import queue
import signal
import struct
import subprocess
import sys
import threading
import time

from whole_print_test import HOST_TIMEOUT, printer_jobs, run_cases, stop_printer

OFFLINE_WAIT = 60        # seconds for the offline status to show
STILL_WAITING = 1.0      # seconds the job must keep waiting after it
CANCEL_TIMEOUT = 30
MODEL = "SL-7440"
CANCELLED = "0x50104"
PRINTING_ERROR = "0x1A0119"


class Lines:
    """The lines of a process's standard output, read on a thread of their own."""

    def __init__(self, process):
        self.lines = queue.Queue()
        self.seen = []
        self.thread = threading.Thread(target=self._read, args=(process.stdout,), daemon=True)
        self.thread.start()

    def _read(self, stream):
        for line in stream:
            self.lines.put(line.rstrip("\n"))

    def wait_for(self, text, seconds):
        """True once a line holding `text` arrived within `seconds`."""
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            try:
                line = self.lines.get(timeout=max(0.0, deadline - time.monotonic()))
            except queue.Empty:
                break
            self.seen.append(line)
            if text in line:
                return True
        return False

    def rest(self):
        self.thread.join(timeout=CANCEL_TIMEOUT)
        while not self.lines.empty():
            self.seen.append(self.lines.get())
        return self.seen


def offline_until_cancelled(chain, image, host_type):
    """The host waits on an offline printer, showing the offline status, until it is told to
    cancel; the print ends cancelled and the printer received nothing."""
    printer, address, out = chain.start_printer(["--offline"])
    problems = []
    try:
        host = subprocess.Popen(
            chain.host_command(address, MODEL, ["--host-type", host_type], image),
            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True, env=chain.env)
        lines = Lines(host)
        try:
            if not lines.wait_for("printer offline", OFFLINE_WAIT):
                problems.append("no offline status")
            time.sleep(STILL_WAITING)
            if host.poll() is not None:
                problems.append("the job stopped waiting by itself")
            host.send_signal(signal.SIGTERM)
            host.wait(timeout=CANCEL_TIMEOUT)
        finally:
            if host.poll() is None:
                host.kill()
                host.wait()
        seen = lines.rest()
        after = seen[seen.index("printer offline") + 1:] if "printer offline" in seen else seen
        if any(line == "printing" for line in after):
            problems.append("printing shown while offline")
        if host.returncode != 1 or not any(CANCELLED in line for line in seen):
            problems.append("exit %s: %s %s" % (host.returncode, seen, host.stderr.read()))
    finally:
        stop_printer(printer)
    if printer_jobs(out):
        problems.append("the printer received %s" % printer_jobs(out))
    return problems


def background_print_spools(chain, image):
    """A background print writes the whole job into the spool folder, whose job sender is not
    started, and nothing reaches the printer."""
    spool = chain.env["STRATOLINE_SPOOL"]
    env = dict(chain.env, STRATOLINE_JOBSENDER="")
    printer, address, out = chain.start_printer()
    try:
        host = subprocess.run(
            chain.host_command(address, MODEL, ["--quiet", "--background", "--copies", "2"],
                               image),
            capture_output=True, text=True, env=env, timeout=HOST_TIMEOUT)
    finally:
        stop_printer(printer)
    problems = []
    if host.returncode != 0:
        return ["exit %s: %s %s" % (host.returncode, host.stdout, host.stderr)]
    if printer_jobs(out):
        problems.append("the printer received %s" % printer_jobs(out))
    with open(os.path.join(spool, "JobList"), "rb") as file:
        listed = file.read()
    if len(listed) != 4:
        return problems + ["JobList holds %d bytes" % len(listed)]
    job = os.path.join(spool, str(struct.unpack(">I", listed)[0]))
    with open(os.path.join(job, "JobInfo"), "rb") as file:
        info = plistlib.load(file)
    if info.get("Copies") != 2 or info.get("JobFileState") != 1:
        problems.append("JobInfo %s" % info)
    if not os.path.getsize(os.path.join(job, "printerAddress")):
        problems.append("no printer address")
    decode = subprocess.run(
        [os.path.join(chain.build, "testing/stream_decoder/stream_decode"), "--qdxa",
         "--png", os.path.join(chain.folder, "spooled.png"), "--commands", os.devnull,
         os.path.join(job, "JobData")], capture_output=True, text=True)
    if decode.returncode != 0:
        problems.append("the spooled job does not decode: " + decode.stderr)
    return problems


def color_framework_absent(chain, image):
    """A driver root without the colour-processing framework: the job fails with the printing
    error once it starts, and the program still ends cleanly."""
    driver = os.path.abspath(os.path.join(chain.build, "outside"))
    root = os.path.join(chain.folder, "root")
    frameworks = os.path.join(root, "Orvane/TARN/Frameworks")
    os.makedirs(frameworks)
    shipped = os.path.join(driver, "Orvane/TARN")
    for name in os.listdir(shipped):
        if name != "Frameworks":
            os.symlink(os.path.join(shipped, name), os.path.join(root, "Orvane/TARN", name))
    for name in os.listdir(os.path.join(shipped, "Frameworks")):
        if name != "tonara2.framework":
            os.symlink(os.path.join(shipped, "Frameworks", name), os.path.join(frameworks, name))
    env = dict(chain.env, STRATOLINE_ROOT=root)
    printer, address, _ = chain.start_printer()
    try:
        host = subprocess.run(chain.host_command(address, MODEL, ["--quiet"], image),
                              capture_output=True, text=True, env=env, timeout=HOST_TIMEOUT)
    finally:
        stop_printer(printer)
    if host.returncode != 1 or PRINTING_ERROR not in host.stdout:
        return ["exit %s: %s %s" % (host.returncode, host.stdout, host.stderr)]
    return []


def cases(chain):
    image = chain.images()[1][1]  # the 8-bit RGB TIFF
    return [("offline, image editor", lambda: offline_until_cancelled(chain, image, "1")),
            ("offline, photo application", lambda: offline_until_cancelled(chain, image, "2")),
            ("background print", lambda: background_print_spools(chain, image)),
            ("colour framework absent", lambda: color_framework_absent(chain, image))]


if __name__ == "__main__":
    sys.exit(run_cases(sys.argv[1:], __doc__, cases))
