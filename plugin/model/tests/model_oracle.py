"""Independent readers of what the settings model writes, from the formats as documented.

Usage:
  model_oracle.py settings UI3_XML
      The saved settings of the record test: one dictionary in the root array, the version,
      the magnification in hundredths, the comment and a three-point curve.
  model_oracle.py dates LISTING
      Each line "Y M D h m|date text|number|job number text|day key" as the model wrote it
      from its clock: the texts must be those of Python's calendar for that moment.
  model_oracle.py record FOLDER RESOURCES MODEL_TABLES
      FOLDER holds "record.bin" (a filled core job record, 3125 bytes) and "model.plist" (the
      settings model's values). Each field is read at its offset in the record's layout and
      compared with what the layout says it holds for those values; the roll width and length
      come from the bundle's paper table in RESOURCES, the model's 46 print-common values from
      its print-common table in MODEL_TABLES.
"""
import glob
import os
import struct
import datetime
import plistlib
import sys


def fail(message):
    print("model_oracle: " + message, file=sys.stderr)
    sys.exit(1)


def check_settings(path):
    with open(path, "rb") as file:
        root = plistlib.load(file)
    if not isinstance(root, list) or len(root) != 1 or not isinstance(root[0], dict):
        fail("the root is not an array of one dictionary")
    settings = root[0]
    expected = {
        "UISaveVersion": 101,
        "ScalingValue": 9999,
        "CommentDetails": "Proof for the client",
        "Curves_G_PointNum": 3,
        "Curves_G_X": [0, 100, 255],
        "Curves_G_Y": [0, 140, 255],
        "ColorMode": 4,
        "PaperSize": 30001,
        "PaperSizeName": "Banner",
        "MediaType": 101,
        "NameOfDataToBeSaved": "sample_test",
    }
    for key, value in expected.items():
        if settings.get(key) != value:
            fail("%s is %r, not %r" % (key, settings.get(key), value))
    for key, value in settings.items():
        if not isinstance(value, (int, str, list)) or isinstance(value, bool):
            fail("%s has a value of type %s" % (key, type(value).__name__))


def check_dates(path):
    with open(path, encoding="utf-8") as file:
        lines = [line.rstrip("\n") for line in file if line.strip()]
    if not lines:
        fail("no dates")
    for line in lines:
        moment, date_text, number, job_text, day_key = line.split("|")
        year, month, day, hour, minute = (int(part) for part in moment.split())
        when = datetime.datetime(year, month, day, hour, minute)
        expected_date = "%d/%d/%d %d:%s" % (when.year, when.month, when.day, when.hour,
                                            when.strftime("%M"))
        if date_text != expected_date:
            fail("%s: date text %r, not %r" % (moment, date_text, expected_date))
        expected_key = when.date().isoformat().replace("-", "")
        if day_key != expected_key:
            fail("%s: day key %r, not %r" % (moment, day_key, expected_key))
        expected_job = "%s-%03d" % (expected_key, int(number))
        if job_text != expected_job:
            fail("%s: job number text %r, not %r" % (moment, job_text, expected_job))


RECORD_SIZE = 3125

# The model's print-common keys in the order of the record's table.
MODEL_ATLAS_KEYS = [
    "PrinterSize", "SSC_Ink_RollWidth", "OutputColorSpace", "Tonara", "Medab", "OpenQDXA",
    "HDD", "JobPriority", "JobStartProcessing", "Unicode", "PanelMessageMaxNum",
    "Tray_Array_Priority", "MarkerColorantDryingType", "DPIType", "MarginSize", "CODEType",
    "Message_check_2byte", "MaxLineNum", "MediaMaxMin", "BlankBack_Thickness",
    "Printing_Suction", "Borderless_RollWidth", "Tonara2Curve", "JobStart2", "Copies",
    "GroupID", "CuttingType_MarkerColorantDryingType",
    "Optimize_Nup_OnePassPrint_DetailMediaInfo", "BorderlessPrint_RollWidth",
    "MediaCalibration", "VGM", "PathMode", "Impressions", "Graytone", "TNR2_T_RGB_Y",
    "IngammaTbl_bit", "h_mono_photo", "CreateTable", "DetailMedia_Paper_Thickness_set",
    "DetailMedia_Paper_Suction_set", "Create_CSC1_AUTO_MONO", "INKTYPE_ROLLWIDTH",
    "SINGLE_SSC", "PrintCentered", "PrintMode", "MonoCapColorProcessing",
]


def code(table, value):
    """The record's code of a choice; 0 for a choice without one."""
    return table.get(value, 0)


class Record:
    def __init__(self, data):
        if len(data) != RECORD_SIZE:
            fail("the record has %d bytes" % len(data))
        self.data = data
        self.errors = []

    def i32(self, offset):
        return struct.unpack_from("<i", self.data, offset)[0]

    def i16(self, offset):
        return struct.unpack_from("<h", self.data, offset)[0]

    def u8(self, offset):
        return self.data[offset]

    def f64(self, offset):
        return struct.unpack_from("<d", self.data, offset)[0]

    def cstring(self, offset, size):
        raw = self.data[offset:offset + size]
        return raw.split(b"\0", 1)[0].decode("utf-8")

    def expect(self, what, offset, actual, expected):
        if actual != expected:
            self.errors.append("%s at %d is %r, not %r" % (what, offset, actual, expected))


def check_record(folder, resources, model_tables):
    with open(os.path.join(folder, "record.bin"), "rb") as file:
        r = Record(file.read())
    with open(os.path.join(folder, "model.plist"), "rb") as file:
        m = plistlib.load(file)

    def i32(what, offset, expected):
        r.expect(what, offset, r.i32(offset), expected)

    for offset in (0, 4, 8, 12):
        i32("fixed value", offset, -300)
    i32("tab", 16, m["selectTab"] - 1)
    i32("preview kind", 20, code({0: 1, 1: 3, 2: 4}, m["previewSelect"]))
    i32("range print", 24, m["selRangePrint"])
    proof_preview = m["previewProof"] if (m["matchingMethod"] != 1 and
                                           m["previewProofEnable"]) else 0
    i32("proof preview", 28, proof_preview)
    i32("window zoom", 32, m["windowZoom"])
    i32("medium", 36, m["mediumID"])
    i32("input resolution", 40, m["inputResolution"])
    i32("input bit", 44, m["inputBit"])
    i32("print mode", 48, m["printMode"])
    i32("colour mode", 52, code({1: 1, 2: 3, 3: 2, 4: 5}, m["colorMode"]))
    i32("proof", 72, m["proof"] if m["colorMode"] == 4 else 1)
    i32("proof profile model", 92, m["proofProfileModelID"])
    i32("matching", 96, code({0: 1, 1: 5, 2: 2, 3: 3, 4: 4}, m["matchingMethod"]))
    i32("copies", 100, m["copies"])
    i32("borderless", 104, m["noFrame"])
    i32("enlarged", 108, m["expansionReduction"])
    i32("fit type", 112, m["fitType"])
    r.expect("magnification", 116, r.f64(116), m["magnification"])
    i32("paper size", 124, m["paperSizeID"])
    i32("direction", 128, m["printDirection"])
    i32("layout", 132, code({0: 1, 1: 2, 2: 3}, m["printLayout"]))
    i32("top", 136, m["printLayoutTop"])
    i32("left", 140, m["printLayoutLeft"])
    i32("paper source", 144, m["paperSource"])
    i32("roll layout", 148, code({0: 5, 1: 6}, m["rollLayout"]))

    # The model's colour values in its own order, then where the record keeps each.
    (cr, mg, yb, contrast, gray, saturation, brightness, gamma, gray_x, gray_y, gray_bright,
     gray_contrast, highlight, shadow, preset, gradation, fog) = m["colorAdjustValues"]
    for offset, value in zip(range(152, 220, 4),
                             [cr, mg, yb, gray, gamma, brightness, contrast, saturation,
                              gradation, preset, gray_x, gray_y, gray_bright, gray_contrast,
                              highlight, shadow, fog]):
        i32("colour adjustment", offset, value)

    for offset, key in zip(range(220, 252, 4),
                           ["caption", "infoPosition", "number", "imFileName", "dateTime",
                            "colorSet", "printerName", "jobComment"]):
        i32(key, offset, m[key])
    for offset, key in [(260, "pageWaitTime"), (264, "bandWaitTime"), (268, "tipSpace"),
                        (272, "backendSpace"), (276, "cutspeed"), (284, "mirror"),
                        (288, "forceOneDirection"), (292, "inkImpact"), (296, "grazeGurd"),
                        (304, "paperThick"), (308, "paperSuction"), (328, "sharpness"),
                        (336, "backgroundPrint"), (340, "printAfterEnd"), (348, "boxNumber"),
                        (360, "printAlldataReceved"), (364, "defaultAlertDialog"),
                        (368, "rollPaperWidthID"), (372, "autoCut"), (376, "conservePaper")]:
        i32(key, offset, m[key])
    i32("calibration", 280, code({0: 3, 1: 0, 2: 1}, m["calibration"]))
    ssc = code({1: 4, 2: 5, 3: 6}, m["sscLevel"]) if (m["sscCapable"] == 1 and m["ssc"]) else 2
    i32("SSC", 300, ssc)
    i32("engine", 312, m["convertEngine"])
    i32("black point", 316, 0 if m["convertEngine"] == 1 else m["blackCorect"])
    i32("paper colour", 320, m["paperColor"])
    i32("fixed zero", 324, 0)
    i32("enlargement method", 332, code({0: 1, 1: 2, 2: 5}, m["expandMethod"]))
    i32("output method", 344, code({0: 0, 1: 1, 2: 2}, m["jobOutputMethod"]))

    i32("monochrome marker", 380, 4 if m["colorMode"] == 2 else 0)
    for channel, points in enumerate(m["curves"]):
        i32("curve points", 384 + 4 * channel, len(points))
        for slot in range(16):
            x, y = points[slot] if slot < len(points) else (0, 0)
            i32("curve x", 404 + 64 * channel + 4 * slot, x)
            i32("curve y", 724 + 64 * channel + 4 * slot, y)
            i32("second curve x", 1066 + 64 * channel + 4 * slot, 0)
        i32("second curve points", 1044 + 4 * channel, 0)
    r.expect("second set flag", 1064, r.i16(1064), 0)

    r.expect("connection", 1706, r.u8(1706), m["connectionTypeID"])
    r.expect("connection name", 1707, r.cstring(1707, 256), m["connectionTypeName"])
    r.expect("pop-up name", 1963, r.cstring(1963, 512), m["popupName"])
    length = r.u8(2475)
    r.expect("database name", 2475, r.data[2476:2476 + length].decode("utf-8"), m["dbName"])
    r.expect("short name", 2491, r.cstring(2491, 16), m["shortName"])
    i32("ink system", 2507, code({1: 1, 2: 1, 3: 2}, m["current_inksys"]))
    for offset in range(2511, 2588):
        r.expect("test-pattern block", offset, r.u8(offset), 0)
    for offset in range(2588, 2764, 8):
        r.expect("test-pattern caption", offset, struct.unpack_from("<Q", r.data, offset)[0], 0)
    r.expect("crop active", 2772, r.u8(2772), m["firstSelect"])
    for index in range(4):
        r.expect("crop range", 2773 + 4 * index, struct.unpack_from("<I", r.data,
                                                                    2773 + 4 * index)[0], 0)
        r.expect("crop rectangle", 2789 + 8 * index, r.f64(2789 + 8 * index),
                 m["clopRect"][index])
        r.expect("preview rectangle", 2821 + 8 * index, r.f64(2821 + 8 * index),
                 m["imagePreviewRect"][index])
    r.expect("print mode 16", 2853, r.u8(2853), 1 if m["printMode"] == 16 else 0)
    i32("source kind", 2870, m["sourceKind"])
    i32("method", 2874, m["method"])
    i32("resolution", 2878, m["resolution"])
    i32("halftone", 2882, m["ht"])
    r.expect("paper size (16 bits)", 2894, r.i16(2894), m["paperSizeID"])
    i32("paper width", 2904, m["paperWidth"])
    i32("paper height", 2908, m["paperHeight"])
    r.expect("roll width id", 2916, r.i16(2916), m["rollPaperWidthID"])
    with open(os.path.join(resources, "PaperInfoMain.xml"), "rb") as file:
        sizes = {row["PaperSizeID"]: row for row in plistlib.load(file)}
    roll = sizes.get(m["rollPaperWidthID"], {})
    i32("roll width", 2926, roll.get("PaperSizeMM_width", 0))
    i32("roll length", 2930, roll.get("PaperSizeMM_height", 0))

    common_file = glob.glob(os.path.join(model_tables, "*_PrintCommon.xml"))
    if len(common_file) != 1:
        fail("no print-common table in " + model_tables)
    with open(common_file[0], "rb") as file:
        common = next(row for row in plistlib.load(file) if isinstance(row, dict))
    for index, key in enumerate(MODEL_ATLAS_KEYS):
        value = common.get(key, 0)
        i32("print-common " + key, 2938 + 4 * index, value if isinstance(value, int) else 0)
    for offset in (3122, 3123, 3124):
        r.expect("core byte", offset, r.u8(offset), 0)

    if r.errors:
        fail("; ".join(r.errors))


def main():
    command = sys.argv[1]
    if command == "settings":
        check_settings(sys.argv[2])
    elif command == "dates":
        check_dates(sys.argv[2])
    elif command == "record":
        check_record(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        fail("unknown command " + command)


if __name__ == "__main__":
    main()
