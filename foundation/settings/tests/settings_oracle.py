#!/usr/bin/python3
"""Independent reader and writer of the settings files for the settings tests, on plistlib.

  settings_oracle.py write-full FILE        write a "ui3.xml" whose one dictionary holds every
                                            settings key with a value of its own
  settings_oracle.py check-full FILE        exit 0 when FILE holds exactly what write-full
                                            writes, with "UISaveVersion" 101
  settings_oracle.py check-ui FILE NONE...  exit 0 when FILE is a well-formed "ui3.xml": every
                                            key of the settings record but the string keys named
                                            NONE, each of its type, curves as long as their
                                            point counts, "UISaveVersion" 101
  settings_oracle.py check-connect FILE     exit 0 for a well-formed "connect3.xml" of version 100
  settings_oracle.py check-custom FILE N    exit 0 for a well-formed "user3.xml" with N papers
  settings_oracle.py check-job FILE         exit 0 when FILE holds JOB_REFERENCE
"""
import plistlib
import sys

# The keys of a settings record in record order, with their kinds: 32-bit and 16-bit integers,
# strings and tone-curve arrays (X and Y, counted by the curve's "PointNum" key).
KEYS = [
    ("UISaveVersion", "i32"),
    ("ConvertOldVersion", "i32"),
    ("MediaType", "i16"),
    ("MediaTypeName", "str"),
    ("InputResolution", "i16"),
    ("InputBit", "i16"),
    ("ColorMode", "i32"),
    ("PrintMode", "i32"),
    ("OutputProfile", "i32"),
    ("OutputProfileName", "str"),
    ("OutputProfilePath", "str"),
    ("Proof", "i32"),
    ("ProofProfile", "i32"),
    ("ProofProfileName", "str"),
    ("ProofProfilePath", "str"),
    ("MatchingMethod", "i16"),
    ("Copies", "i32"),
    ("DryingTime_BetweenPages", "i32"),
    ("DryingTime_BetweenScans", "i32"),
    ("SafetyMargin_NearEndMargin", "i32"),
    ("SafetyMargin_FarEndMargin", "i32"),
    ("CutSpeed", "i32"),
    ("CalibrationValue", "i32"),
    ("Mirror", "i32"),
    ("UnidirectionalPrinting", "i32"),
    ("DotPlacement", "i32"),
    ("MediaThickness", "i32"),
    ("VacuumStrength", "i32"),
    ("SSCCheck", "i32"),
    ("SSCAdjustment", "i32"),
    ("BlurPrevention", "i32"),
    ("ConversionEngine", "i32"),
    ("BlackPointCompensation", "i32"),
    ("SimulatePaperColor", "i32"),
    ("Sharpen", "i32"),
    ("ImageEnlargementMethod", "i32"),
    ("Background", "i32"),
    ("ClosePluginAfterPrinting", "i32"),
    ("AlertDialogAllDefault", "i32"),
    ("OutputMethod", "i32"),
    ("InboxNo", "i32"),
    ("NameOfDataToBeSaved", "str"),
    ("PrintAfterReceptionIsComplete", "i32"),
    ("BorderlessPrinting", "i32"),
    ("Enlarged_ReducedPrinting", "i32"),
    ("Enlarged_ReducedMethod", "i32"),
    ("Enlarged_ReducedPrinting_VPX", "i32"),
    ("Enlarged_ReducedMethod_VPX", "i32"),
    ("ScalingValue", "i32"),
    ("PaperSize", "i32"),
    ("PaperSizeName", "str"),
    ("PaperSizeWidth", "i32"),
    ("PaperSizeHeight", "i32"),
    ("Orientation", "i32"),
    ("Layout", "i32"),
    ("FromTopMargin", "i32"),
    ("FromLeftMargin", "i32"),
    ("RoolPaperLayout", "i32"),
    ("PaperSource", "i32"),
    ("RollPaperWidth", "i32"),
    ("AutomaticCutting", "i32"),
    ("ConservePaper", "i32"),
    ("Cyan", "i32"),
    ("Magenta", "i32"),
    ("Yellow", "i32"),
    ("GrayTone", "i32"),
    ("Brightness", "i32"),
    ("Contrast", "i32"),
    ("Saturation", "i32"),
    ("Gamma", "i32"),
    ("Gradation", "i32"),
    ("ColorBalance", "i32"),
    ("Point_X", "i32"),
    ("Point_Y", "i32"),
    ("Mono_Brightness", "i32"),
    ("Mono_Contrast", "i32"),
    ("Mono_Highlight", "i32"),
    ("Mono_Shadow", "i32"),
    ("Mono_WhiteFog", "i32"),
    ("Curves_SelChannel", "i32"),
    ("Curves_RGB_PointNum", "i32"),
    ("Curves_RGB_SelPoint", "i32"),
    ("Curves_RGB_X", "curve"),
    ("Curves_RGB_Y", "curve"),
    ("Curves_R_PointNum", "i32"),
    ("Curves_R_SelPoint", "i32"),
    ("Curves_R_X", "curve"),
    ("Curves_R_Y", "curve"),
    ("Curves_G_PointNum", "i32"),
    ("Curves_G_SelPoint", "i32"),
    ("Curves_G_X", "curve"),
    ("Curves_G_Y", "curve"),
    ("Curves_B_PointNum", "i32"),
    ("Curves_B_SelPoint", "i32"),
    ("Curves_B_X", "curve"),
    ("Curves_B_Y", "curve"),
    ("Curves_Gray_PointNum", "i32"),
    ("Curves_Gray_SelPoint", "i32"),
    ("Curves_Gray_X", "curve"),
    ("Curves_Gray_Y", "curve"),
    ("PrintInformation", "i32"),
    ("InfomationPrintPosition", "i32"),
    ("PrintHistoryNumber", "i32"),
    ("FileName", "i32"),
    ("PrintedAt", "i32"),
    ("ColorAdjustmentValue", "i32"),
    ("PrinterName", "i32"),
    ("CommentChk", "i32"),
    ("CommentDetails", "str"),
    ("MaximizeDialogBox", "i32"),
    ("PerformPrrof", "i32"),
    ("Preview", "i32"),
    ("SelectTab", "i32"),
    ("InkSystem", "i32"),
    ("NotEndDialog", "i32"),
    ("ICCV4NoDisplay", "i32"),
    ("PaperSource_Color", "i32"),
    ("UseSize_Color", "i32"),
    ("UseSizeName_Color", "str"),
    ("UseWSize_Color", "i32"),
    ("UseHSize_Color", "i32"),
    ("PaperSave_Color", "i32"),
    ("XAdjustItem_Color", "i32"),
    ("XCount_Color", "i32"),
    ("XAdjustInterval_Color", "i32"),
    ("YAdjustItem_Color", "i32"),
    ("YCount_Color", "i32"),
    ("YAdjustInterval_Color", "i32"),
    ("PatternRotate_Color", "i32"),
    ("PatternSize_Color", "i32"),
    ("PatternSpace_Color", "i32"),
    ("BackGroundColor_Color", "i32"),
    ("AppliesAdjust_Color", "i32"),
    ("PaperSource_Mono", "i32"),
    ("UseSize_Mono", "i32"),
    ("UseSizeName_Mono", "str"),
    ("UseWSize_Mono", "i32"),
    ("UseHSize_Mono", "i32"),
    ("PaperSave_Mono", "i32"),
    ("XAdjustItem_Mono", "i32"),
    ("XCount_Mono", "i32"),
    ("XAdjustInterval_Mono", "i32"),
    ("YAdjustItem_Mono", "i32"),
    ("YCount_Mono", "i32"),
    ("YAdjustInterval_Mono", "i32"),
    ("PatternRotate_Mono", "i32"),
    ("PatternSize_Mono", "i32"),
    ("PatternSpace_Mono", "i32"),
    ("BackGroundColor_Mono", "i32"),
    ("AppliesAdjust_Mono", "i32"),
    ("MaxSizePatternDialog", "i32"),
    ("NotPatternCenterDLG", "i32"),
]

CONNECT_KEYS = {
    "ConnectPrinterVers": int,
    "PrinterID": int,
    "ConnectionTypeID": int,
    "ConnectionTypeName": str,
    "PopupName": str,
    "PrinterShortName": str,
    "DBName": str,
}
PAPER_KEYS = {"PaperName": str, "PaperSizeID": int, "PaperSizeMM_width": int,
              "PaperSizeMM_height": int}
JOB_REFERENCE = {"Version": 100, "Jobs": [{"NameString": "first", "listNumber": 1}]}

INT_LIMITS = {"i32": (-(1 << 31), (1 << 31) - 1), "i16": (-(1 << 15), (1 << 15) - 1)}
CURVE_POINTS = 16


def point_count_key(curve_key):
    return curve_key[: curve_key.rindex("_")] + "_PointNum"


def full_reference():
    """Every key with a value of its own; curves with as many points as their counts say."""
    values = {}
    for index, (key, kind) in enumerate(KEYS):
        if kind == "str":
            values[key] = "text %d \u00e9" % index
        elif kind == "curve":
            continue
        else:
            values[key] = -index if index % 2 else index
    positions = {key: index for index, (key, kind) in enumerate(KEYS)}
    for index, (key, kind) in enumerate(KEYS):
        if kind == "curve":
            count = positions[point_count_key(key)] % (CURVE_POINTS + 1)
            values[point_count_key(key)] = count
            values[key] = [index * 100 + point for point in range(count)]
    return values


def is_int(value):
    return isinstance(value, int) and not isinstance(value, bool)


def ui_problems(found, absent_strings):
    if not (isinstance(found, list) and len(found) == 1 and isinstance(found[0], dict)):
        return ["root is not an array of one dictionary"]
    entry = found[0]
    expected = {key for key, kind in KEYS if key not in absent_strings}
    problems = []
    if set(entry) != expected:
        problems.append("keys: extra %s, missing %s" % (sorted(set(entry) - expected),
                                                        sorted(expected - set(entry))))
    for key, kind in KEYS:
        if key not in entry:
            continue
        value = entry[key]
        if kind == "str":
            ok = isinstance(value, str)
        elif kind == "curve":
            ok = (isinstance(value, list) and all(is_int(v) for v in value) and
                  len(value) == entry.get(point_count_key(key)) and len(value) <= CURVE_POINTS)
        else:
            low, high = INT_LIMITS[kind]
            ok = is_int(value) and low <= value <= high
        if not ok:
            problems.append("%s: bad value %r" % (key, value))
    if entry.get("UISaveVersion") != 101:
        problems.append("UISaveVersion is %r" % entry.get("UISaveVersion"))
    return problems


def typed_problems(found, keys):
    if not isinstance(found, dict) or set(found) != set(keys):
        return ["keys %s" % sorted(found) if isinstance(found, dict) else "not a dictionary"]
    return ["%s: bad value %r" % (key, found[key]) for key, kind in keys.items()
            if not isinstance(found[key], kind) or isinstance(found[key], bool)]


def main():
    command, path = sys.argv[1], sys.argv[2]
    if command == "write-full":
        with open(path, "wb") as f:
            plistlib.dump([full_reference()], f, fmt=plistlib.FMT_XML)
        return 0
    with open(path, "rb") as f:
        found = plistlib.load(f)
    if command == "check-full":
        expected = dict(full_reference(), UISaveVersion=101)
        entry = found[0] if isinstance(found, list) and len(found) == 1 else {}
        problems = ["%s: %r, not %r" % (key, entry.get(key), expected.get(key))
                    for key in sorted(set(entry) | set(expected))
                    if entry.get(key) != expected.get(key) or type(entry.get(key)) is bool]
        if not isinstance(entry, dict) or not entry:
            problems.append("root is not an array of one dictionary")
    elif command == "check-ui":
        problems = ui_problems(found, set(sys.argv[3:]))
    elif command == "check-connect":
        problems = typed_problems(found, CONNECT_KEYS)
        if not problems and found["ConnectPrinterVers"] != 100:
            problems.append("version %r" % found["ConnectPrinterVers"])
    elif command == "check-custom":
        problems = typed_problems(found, {"CustomPaperVers": int, "CustomPapers": list})
        if not problems:
            papers = found["CustomPapers"]
            if found["CustomPaperVers"] != 100 or len(papers) != int(sys.argv[3]):
                problems.append("version %r, %d papers" % (found["CustomPaperVers"], len(papers)))
            for paper in papers:
                problems += typed_problems(paper, PAPER_KEYS)
    elif command == "check-job":
        problems = [] if found == JOB_REFERENCE else ["differs: %r" % found]
    else:
        problems = ["unknown command " + command]
    for problem in problems:
        print(problem, file=sys.stderr)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
