"""A background print through the job sender, over the real chain: the host stand-in spools the
job, the spooling framework starts the built job sender, and the sender sends the job over LPR to
the test printer. Every job the printer receives decodes into the page of a direct print of the
same image and copies, the printer receives as many jobs as from the direct print, the sender
empties the spool folder and quits once it has been idle.

Usage: background_print_test.py BUILD_DIR SOURCE_DIR
"""
import fcntl
import glob
import os
import subprocess
import sys
import time

import numpy

from whole_print_test import HOST_TIMEOUT, printer_jobs, run_cases, stop_printer

MODEL = "SL-7440"
COPIES = ["--copies", "2"]
SENDER_TIMEOUT = 60      # seconds for the sender to send the job and empty the spool folder
SENDER_QUIT_TIMEOUT = 60  # seconds for the idle sender to quit
POLL = 0.2
JOB_SENDER = "outside/Orvane/TARN/Utilities/JobSenderAgent/JobSenderAgent"


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(POLL)
    return True


def spooled_jobs(spool):
    """The job folders of the spool folder (its job list file aside)."""
    return [name for name in os.listdir(spool) if os.path.isdir(os.path.join(spool, name))]


def sender_ended(events):
    """Whether no job sender listens in `events`: each listener holds its socket's lock."""
    for path in glob.glob(os.path.join(events, "*.lock")):
        with open(path) as lock:
            try:
                fcntl.flock(lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
            except BlockingIOError:
                return False
    return True


def background_print(chain, image):
    direct, _, _ = chain.print_image(image, MODEL, COPIES)
    direct_jobs = len(printer_jobs(os.path.dirname(chain.last_job)))
    events = os.path.join(chain.folder, "events")
    os.makedirs(events)
    env = dict(chain.env, STRATOLINE_JOBSENDER=os.path.join(chain.build, JOB_SENDER),
               STRATOLINE_EVENTS=events, XDG_DATA_HOME=os.path.join(chain.folder, "data"),
               GIO_USE_VFS="local")
    spool = env["STRATOLINE_SPOOL"]
    problems = []
    printer, address, out = chain.start_printer()
    try:
        host = subprocess.run(
            chain.host_command(address, MODEL, ["--quiet", "--background"] + COPIES, image),
            capture_output=True, text=True, env=env, timeout=HOST_TIMEOUT)
        if host.returncode != 0:
            problems.append("exit %s: %s %s" % (host.returncode, host.stdout, host.stderr))
        elif not wait_until(lambda: not spooled_jobs(spool), SENDER_TIMEOUT):
            problems.append("the spool folder still holds %s" % spooled_jobs(spool))
    finally:
        stop_printer(printer)
    if not wait_until(lambda: sender_ended(events), SENDER_QUIT_TIMEOUT):
        problems.append("the job sender did not quit")
    jobs = printer_jobs(out)
    print("direct print: %d job(s); through the job sender: %d job(s)" % (direct_jobs, len(jobs)))
    if len(jobs) != direct_jobs:
        problems.append("the printer received %d jobs, %d from the direct print"
                        % (len(jobs), direct_jobs))
    for job in jobs:
        page, _ = chain.decode(os.path.join(out, job))
        if page.shape != direct.shape or not numpy.array_equal(page, direct):
            problems.append("%s is not the page of the direct print" % job)
    return problems


def cases(chain):
    image = chain.images()[1][1]  # the 8-bit RGB TIFF
    return [("background print through the job sender", lambda: background_print(chain, image))]


if __name__ == "__main__":
    sys.exit(run_cases(sys.argv[1:], __doc__, cases))
