"""Whole prints through the real chain: the host stand-in prints an image over LPR to the test
printer on its own loopback address, the stream decoder reads the job the printer received back
into a page, and the page must match an independent rendering of the image (lcms2 through
PIL.ImageCms, perceptual, from the image's profile into the medium's printer profile; a CMYK image
the photo application prints goes through sRGB, into which that host converts it) with a PSNR of at
least 40 dB, at the image's size (the images are printed at 100 %), its first row where the
placement rule puts a centred image on the page the job names. A print the user cancels half-way,
through either host type, ends with the cancel code, and the printer is asked to cancel the job it
lists under the client job number the print was sent with. A test-pattern sheet prints whole, under
the job name with the pattern suffix. On a display (a private Xvfb) the host shows the print plug-
in's progress window over the print, and prints and cancels the same. The rendering is evaluated
exactly (no precalculated lattice); a grey image without a profile is a display grey of gamma 2.2,
as the host hands it out. The CMYK images carry a four-ink press profile the build writes
(make_cmyk_profile); the 16-bit one is rendered from its samples rounded to 8 bits. The 8-bit
images are printed once more where the work runs at 16 bits.

Usage: whole_print_test.py BUILD_DIR SOURCE_DIR
"""
import io
import os
import re
import shutil
import socket
import struct
import subprocess
import sys
import tempfile

import numpy
import tifffile
from PIL import Image, ImageCms

MIN_PSNR = 40.0
CLIENT_JOB_NUMBER_MAX = 15
QDXA_HEADER_SIZE = 20
QDXA_PARAMETER_LENGTH_AT = 8
JOB_NAME_ATTRIBUTE = 4
PATTERN_SUFFIX = "_Pattern-Print"
BLANK_LEVEL = 128        # a page whose darkest sample is above this shows nothing
LISTED_JOB = 1           # the handle of the job the test printer lists under the client number
HOST_TIMEOUT = 240
PRINTER_START_TIMEOUT = 10
IMAGE_SIZE = "480x320"
MODELS = ["SL-7440", "SL-2400", "SL-5170"]
SRGB = "/usr/share/color/icc/colord/sRGB.icc"
CMYK_PROFILE = "outside/host/tests/FourInkPress.icc"
ICC_PROFILE_TAG = 34675
TIFF_UNDEFINED = 7
GREY_GAMMA = 2.2
# Portrait paper sizes in tenths of a millimetre, by the name the job stream gives.
PAPER_SIZES = {"ISO_A2": (4200, 5940), "ISO_A3": (2970, 4200), "ISO_A4": (2100, 2970)}
TENTHS_PER_INCH = 254
RASTER_ALIGNMENT = 8
# The large-format model's glossy photo medium prints 12-bit planes at 600 dpi, which an 8-bit
# image reaches widened to 16-bit samples; at 50 % a 300-dpi image keeps its size in dots.
SIXTEEN_BIT_WORK = ["--medium", "103", "--dpi", "600", "--output-bits", "12", "--scale", "50"]


def srgb_of_grey(grey, white=255.0):
    """A display grey of gamma 2.2 (samples up to `white`) as 8-bit sRGB samples (neutral, same
    luminance)."""
    linear = (grey.astype(float) / white) ** GREY_GAMMA
    encoded = numpy.where(linear <= 0.0031308, 12.92 * linear,
                          1.055 * linear ** (1 / 2.4) - 0.055)
    samples = numpy.rint(encoded * 255.0).astype(numpy.uint8)
    return Image.fromarray(numpy.repeat(samples[..., None], 3, axis=2))


def cmyk_samples(path):
    """The 8-bit CMYK samples of a CMYK TIFF of 8 or 16 bits, read independently of the host."""
    samples = tifffile.imread(path)
    if samples.dtype == numpy.uint16:
        return numpy.rint(samples / 257.0).astype(numpy.uint8)
    return samples


def perceptual(source, target, source_mode, samples):
    """`samples` (8-bit, `source_mode`) converted into RGB from profile `source` to `target`,
    perceptual, evaluated exactly."""
    transform = ImageCms.buildTransform(source, target, source_mode, "RGB",
                                        renderingIntent=ImageCms.Intent.PERCEPTUAL,
                                        flags=ImageCms.FLAGS["NOTPRECALC"])
    return ImageCms.applyTransform(Image.fromarray(samples, source_mode), transform)


def client_job_number():
    """The client job number the print core sends its jobs under: the machine's name, cut."""
    return socket.gethostname()[:CLIENT_JOB_NUMBER_MAX]


def cancelled_jobs(out):
    """The handles of the jobs the test printer was asked to cancel."""
    with open(os.path.join(out, "cancelled-jobs")) as file:
        return [int(line) for line in file]


def job_name(job):
    """The job name the job-start packet of a captured QDXA job announces, read from its bytes."""
    with open(job, "rb") as file:
        stream = file.read()
    (length,) = struct.unpack_from(">H", stream, QDXA_PARAMETER_LENGTH_AT)
    parameters = stream[QDXA_HEADER_SIZE:QDXA_HEADER_SIZE + length]
    (count,) = struct.unpack_from(">H", parameters)
    at = 2
    for _ in range(count):
        identifier, size = struct.unpack_from(">HH", parameters, at)
        value = parameters[at + 4:at + 4 + size]
        at += 4 + size
        if identifier == JOB_NAME_ATTRIBUTE:
            return value[3:3 + value[2]].decode("latin-1")  # text code, length, text
    return None


def pattern_sheet(chain, image):
    """A test-pattern sheet of the model's pattern settings prints whole: its job decodes into a
    page with content, and its job name carries the pattern suffix before the extension."""
    label = "pattern sheet"
    try:
        page, _, _ = chain.print_image(image, MODELS[0], ["--pattern"])
    except (AssertionError, subprocess.TimeoutExpired) as problem:
        return ["%s: %s" % (label, problem)]
    problems = []
    if page.min() >= BLANK_LEVEL:
        problems.append("%s: the page is blank" % label)
    stem, extension = os.path.splitext(os.path.basename(image))
    name = job_name(chain.last_job)
    print("%s: %d x %d, job name %s" % (label, page.shape[1], page.shape[0], name))
    if name != stem + PATTERN_SUFFIX + extension:
        problems.append("%s: job name %s" % (label, name))
    return problems


def printer_jobs(out):
    """The data files of the jobs a stopped test printer wrote into `out`, in order."""
    return sorted(name for name in os.listdir(out) if name.endswith(".data"))


def stop_printer(printer):
    """Stops the test printer, which then writes what it received."""
    printer.terminate()
    printer.wait(timeout=PRINTER_START_TIMEOUT)


def first_raster_origin(commands):
    """The cursor position, in printer dots, at the start of the first raster of a decoded
    command list (a signed value moves relative to the current position)."""
    position = {"x": 0, "y": 0}
    for line in commands:
        if re.fullmatch(r"ESC\*r\d*A", line):
            return position["x"], position["y"]
        if line.startswith("ESC*p"):
            for sign, value, axis in re.findall(r"([+-]?)(\d+)([xXyY])", line[5:]):
                axis = axis.lower()
                position[axis] = position[axis] + int(sign + value) if sign else int(value)
    raise AssertionError("the stream holds no raster")


def centred_origin(commands, width, height):
    """Where a centred image of `width` x `height` working dots starts on the page the stream
    names: in the middle of the page less twice its larger margin of each axis, moved right onto a
    multiple of 8 dots, in printer dots."""
    settings = dict(re.findall(r"@PJL SET (\w+)=(\S+)", "\n".join(commands)))
    working = int([re.fullmatch(r"ESC\*t(\d+)R", line) for line in commands
                   if re.fullmatch(r"ESC\*t(\d+)R", line)][0].group(1))
    paper = PAPER_SIZES.get(settings["PAPER"])
    assert paper and settings["PAPERORIENT"] == "SHORTEDGE", "page " + settings["PAPER"]
    margin = {side: int(settings[side + "MARGIN"]) for side in ["LEFT", "RIGHT", "TOP", "BOTTOM"]}

    def start(length, near, far, printed):
        dots = length * working // TENTHS_PER_INCH
        area = int(dots - max(near, far) * 2 * working / TENTHS_PER_INCH)
        offset = abs(far - near) * working / TENTHS_PER_INCH
        return int(offset + ((area - printed) // 2 if area >= printed else 0))

    left = start(paper[0], margin["LEFT"], margin["RIGHT"], width)
    left += -left % RASTER_ALIGNMENT
    top = start(paper[1], margin["TOP"], margin["BOTTOM"], height)
    return (int(int(settings["HRESOLUTION"]) * left / working),
            int(int(settings["VRESOLUTION"]) * top / working))


def psnr(a, b):
    mse = numpy.mean((a.astype(float) - b.astype(float)) ** 2)
    return float("inf") if mse == 0 else 10 * numpy.log10(255.0 ** 2 / mse)


class Chain:
    def __init__(self, build, source, folder):
        self.build = build
        self.source = source
        self.folder = folder
        self.env = dict(os.environ)
        for name, sub in [("STRATOLINE_CACHES", "caches"), ("HOME", "home"),
                          ("XDG_CONFIG_HOME", "preferences"), ("STRATOLINE_SPOOL", "spool"),
                          ("STRATOLINE_DESKTOP", "desktop"), ("TMPDIR", "tmp")]:
            path = os.path.join(folder, sub)
            os.makedirs(path, exist_ok=True)
            self.env[name] = path
        self.env["STRATOLINE_DOVO_SHM_PREFIX"] = "WholePrint.%d" % os.getpid()

    def images(self):
        """(name, path, profile bytes) of every input: 16-bit RGB PNG, 8-bit RGB TIFF, 8- and
        16-bit grey PNG, 8- and 16-bit CMYK TIFF, all with an embedded profile but the grey ones.
        The CMYK images are the RGB one separated through the CMYK test profile."""
        png16 = os.path.join(self.folder, "rgb16.png")
        subprocess.run(["/usr/bin/python3", os.path.join(self.source, "scripts/make_test_image.py"),
                        "--size", IMAGE_SIZE, png16], check=True)
        with open(SRGB, "rb") as file:
            srgb = file.read()
        rgb8 = Image.open(png16).convert("RGB")
        tiff8 = os.path.join(self.folder, "rgb8.tif")
        rgb8.save(tiff8, icc_profile=srgb, dpi=(300, 300))
        grey = os.path.join(self.folder, "grey8.png")
        rgb8.convert("L").save(grey, dpi=(300, 300))
        # A 16-bit grey ramp across the 8-bit grey, so that the low byte of a sample matters.
        grey8 = numpy.array(Image.open(grey)).astype(numpy.uint32)
        ramp = numpy.linspace(0, 255, grey8.shape[1]).astype(numpy.uint32)[None, :]
        grey16 = os.path.join(self.folder, "grey16.png")
        Image.fromarray(numpy.minimum(grey8 * 256 + ramp, 65535).astype(numpy.uint16)).save(
            grey16, dpi=(300, 300))
        with open(os.path.join(self.build, CMYK_PROFILE), "rb") as file:
            cmyk = file.read()
        cmyk8 = numpy.array(ImageCms.applyTransform(rgb8, ImageCms.buildTransform(
            ImageCms.getOpenProfile(SRGB), ImageCms.ImageCmsProfile(io.BytesIO(cmyk)), "RGB",
            "CMYK", renderingIntent=ImageCms.Intent.PERCEPTUAL)))
        cmyk8_tiff = os.path.join(self.folder, "cmyk8.tif")
        Image.fromarray(cmyk8, "CMYK").save(cmyk8_tiff, icc_profile=cmyk, dpi=(300, 300))
        # The same ramp in the low bytes of the 16-bit CMYK samples.
        cmyk16 = numpy.minimum(cmyk8.astype(numpy.uint32) * 256 + ramp[..., None], 65535)
        cmyk16_tiff = os.path.join(self.folder, "cmyk16.tif")
        tifffile.imwrite(cmyk16_tiff, cmyk16.astype(numpy.uint16), photometric="separated",
                         resolution=(300, 300), resolutionunit="INCH",
                         extratags=[(ICC_PROFILE_TAG, TIFF_UNDEFINED, len(cmyk), cmyk, True)])
        return [("16-bit RGB PNG", png16, srgb), ("8-bit RGB TIFF", tiff8, srgb),
                ("8-bit grey PNG", grey, None), ("16-bit grey PNG", grey16, None),
                ("8-bit CMYK TIFF", cmyk8_tiff, cmyk), ("16-bit CMYK TIFF", cmyk16_tiff, cmyk)]

    def start_printer(self, options=()):
        """A fresh test printer: the process, its address and the folder it writes its jobs to
        when it stops."""
        out = tempfile.mkdtemp(dir=self.folder)
        printer = subprocess.Popen(
            [os.path.join(self.build, "testing/printer/strato_test_printer"), "--out", out] +
            list(options), stdout=subprocess.PIPE, text=True, env=self.env)
        address = printer.stdout.readline().strip()
        if not address.startswith("127."):
            stop_printer(printer)
            raise AssertionError("the test printer did not start")
        return printer, address, out

    def host_command(self, address, model, extra, image):
        return [os.path.join(self.build, "outside/host/stratoline-host"), "--printer", address,
                "--model", model] + extra + [image]

    def run_host(self, image, model, extra, printer_options=()):
        """Runs the host against a fresh test printer; its run and the printer's folder."""
        printer, address, out = self.start_printer(printer_options)
        try:
            host = subprocess.run(
                self.host_command(address, model, ["--quiet", "--describe"] + extra, image),
                capture_output=True, text=True, env=self.env, timeout=HOST_TIMEOUT)
        finally:
            stop_printer(printer)
        return host, out

    def print_image(self, image, model, extra):
        """Prints `image`; the decoded page, the medium's printer profile and the command
        list."""
        host, out = self.run_host(image, model, extra)
        assert host.returncode == 0, host.stdout + host.stderr
        self.last_output = host.stdout
        self.last_job = os.path.join(out, "job-1.data")
        profile = [line.split(" ", 2)[2] for line in host.stdout.splitlines()
                   if line.startswith("printer profile ")][0]
        page, commands = self.decode(os.path.join(out, "job-1.data"))
        return page, profile, commands

    def decode(self, job):
        """The page and the command list of a job the test printer received."""
        page = job + ".png"
        listing = job + ".commands"
        decode = subprocess.run(
            [os.path.join(self.build, "testing/stream_decoder/stream_decode"), "--qdxa", "--png",
             page, "--commands", listing, job], capture_output=True, text=True)
        assert decode.returncode == 0, decode.stderr
        with open(listing) as file:
            commands = file.read().splitlines()
        return numpy.array(Image.open(page).convert("RGB")), commands

    def rendering(self, image, profile, printer_profile, photo_application=False):
        """The image rendered into the printer profile. The image editor hands a CMYK image
        over with its profile, which the core matches into the printer's; the photo application
        converts it into sRGB first, which the core then matches."""
        srgb = ImageCms.getOpenProfile(SRGB)
        profile = ImageCms.ImageCmsProfile(io.BytesIO(profile)) if profile else srgb
        target = ImageCms.getOpenProfile(
            os.path.join(self.build, "outside/Orvane/TARN/Profiles", printer_profile))
        if profile.profile.xcolor_space.strip() == "CMYK":
            samples = cmyk_samples(image)
            if not photo_application:
                return numpy.array(perceptual(profile, target, "CMYK", samples))
            source, profile = perceptual(profile, srgb, "CMYK", samples), srgb
        else:
            source = Image.open(image)
        if source.mode == "L":
            source = srgb_of_grey(numpy.array(source))
        elif source.mode.startswith("I"):
            source = srgb_of_grey(numpy.array(source), 65535.0)
        return numpy.array(perceptual(profile, target, "RGB", numpy.array(source)))


def run_cases(args, usage, cases_of):
    """Runs the (name, case) pairs that `cases_of(chain)` gives for a fresh chain in a temporary
    folder; each case returns its problems. The exit status: 0, 1 for any problem, 2 for a bad
    command line."""
    if len(args) != 2:
        print(usage, file=sys.stderr)
        return 2
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        for name, case in cases_of(Chain(args[0], args[1], folder)):
            try:
                problems = case()
            except (AssertionError, OSError, subprocess.TimeoutExpired) as problem:
                problems = [str(problem)]
            print("%s: %s" % (name, "; ".join(problems) if problems else "ok"))
            failures += ["%s: %s" % (name, problem) for problem in problems]
    for failure in failures:
        print("FAILED " + failure, file=sys.stderr)
    return 1 if failures else 0


def start_xvfb():
    """A private X server on a display it picks; (process, ":N"), or None without Xvfb."""
    if shutil.which("Xvfb") is None:
        return None
    read, write = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], pass_fds=[write],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as answer:
        number = answer.readline().strip()
    if not number:
        server.terminate()
        server.wait()
        return None
    return server, ":" + number


def windowed_prints(chain, image):
    """With a display, the host shows the plug-in's progress window over the print, for both
    host types; the print comes out as without it, and cancel still works."""
    xvfb = start_xvfb()
    if xvfb is None:
        return ["windowed prints: Xvfb did not start"]
    server, display = xvfb
    failures = []
    chain.env["DISPLAY"] = display
    chain.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=/nonexistent/session-bus"
    try:
        name, path, profile = image
        for host_type in ["1", "2"]:
            label = "%s with the progress window, host type %s" % (name, host_type)
            try:
                page, printer_profile, _ = chain.print_image(path, MODELS[0],
                                                             ["--host-type", host_type])
            except (AssertionError, subprocess.TimeoutExpired) as problem:
                failures.append("%s: %s" % (label, problem))
                continue
            if "progress window shown" not in chain.last_output:
                failures.append("%s: no window: %s" % (label, chain.last_output))
            quality = psnr(page, chain.rendering(path, profile, printer_profile))
            print("%s: %.1f dB" % (label, quality))
            if quality < MIN_PSNR:
                failures.append("%s: %.1f dB" % (label, quality))
            host, _ = chain.run_host(path, MODELS[0],
                                     ["--host-type", host_type, "--cancel-at", "50"])
            if host.returncode != 1 or "0x50104" not in host.stdout:
                failures.append("%s, cancel: %s%s" % (label, host.stdout, host.stderr))
    finally:
        del chain.env["DISPLAY"]
        del chain.env["DBUS_SESSION_BUS_ADDRESS"]
        server.terminate()
        server.wait()
    return failures


def main(args):
    if len(args) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        chain = Chain(args[0], args[1], folder)
        images = chain.images()
        cases = [(model, image, False, []) for model in MODELS for image in images]
        cases += [(MODELS[0], image, True, []) for image in [images[0]] + images[-2:]]
        cases += [(MODELS[0], image, False, SIXTEEN_BIT_WORK)
                  for image in images if image[0].startswith("8-bit")]
        for model, (name, path, profile), photo_application, options in cases:
            label = "%s, %s, %s%s" % (model, name,
                                      "photo application" if photo_application else "image editor",
                                      ", 16-bit work" if options else "")
            extra = ["--centre"] + (["--host-type", "2"] if photo_application else []) + options
            try:
                page, printer_profile, commands = chain.print_image(path, model, extra)
                expected = chain.rendering(path, profile, printer_profile, photo_application)
                if page.shape != expected.shape:
                    failures.append("%s: page %s, image %s" % (label, page.shape, expected.shape))
                    continue
                origin = first_raster_origin(commands)
                placed = centred_origin(commands, page.shape[1], page.shape[0])
                if origin != placed:
                    failures.append("%s: placed at %s, not at %s" % (label, origin, placed))
                quality = psnr(page, expected)
                print("%s: %.1f dB" % (label, quality))
                if quality < MIN_PSNR:
                    failures.append("%s: %.1f dB" % (label, quality))
            except (AssertionError, subprocess.TimeoutExpired) as problem:
                failures.append("%s: %s" % (label, problem))
        failures += windowed_prints(chain, images[0])
        failures += pattern_sheet(chain, images[0][1])
        for host_type in ["1", "2"]:
            host, out = chain.run_host(images[0][1], MODELS[0],
                                       ["--host-type", host_type, "--cancel-at", "50"],
                                       ["--client-job", client_job_number()])
            print("cancel at 50 %%, host type %s: %s" % (host_type, host.stdout.strip()))
            if host.returncode != 1 or "0x50104" not in host.stdout:
                failures.append("cancel, host type %s: %s%s" % (host_type, host.stdout,
                                                                 host.stderr))
            if cancelled_jobs(out) != [LISTED_JOB]:
                failures.append("cancel, host type %s: the printer was asked to cancel %s"
                                % (host_type, cancelled_jobs(out)))
    for failure in failures:
        print("FAILED " + failure, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
