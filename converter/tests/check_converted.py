#!/usr/bin/python3
"""Reads a converted settings file with xmllint and plistlib and compares it key by key with the
values the old file of make_old_files.py must give.

  check_converted.py CASE FILE [PRINTER] [PROFILE-FOLDER]

CASE names the old file; PRINTER is the printer name the program was given (connect cases);
PROFILE-FOLDER holds the installed profiles "Glossy Photo.icc" and "Proof Paper.icc" (ui2 cases).
Exits 0 when the file is well-formed XML and everything matches, else prints each difference
and exits 1.
"""
import os
import plistlib
import subprocess
import sys

# ---- user3.xml
PAPER_KEYS = ("PaperName", "PaperSizeID", "PaperSizeMM_width", "PaperSizeMM_height")
POSTER = ("Poster A", 1001, 6100, 9140)
CAFE = ("Caf\u00e9 Menu", 1002, 2100, 2970)
BANNER = ("Banner", -5, 3000, 70000)


def user_expected(papers):
    return {"CustomPaperVers": 100,
            "CustomPapers": [dict(zip(PAPER_KEYS, p)) for p in papers]}


# ---- connect3.xml
def connect_expected(printer_id, type_id, kind, popup, db, printer):
    return {"ConnectPrinterVers": 100, "PrinterID": printer_id, "ConnectionTypeID": type_id,
            "ConnectionTypeName": kind, "PopupName": popup, "PrinterShortName": printer,
            "DBName": db}


# ---- ui3.xml: the old record's fields copied unchanged hold their offset + 7.
COPIED = {
    "PerformPrrof": 20, "Copies": 564, "ClosePluginAfterPrinting": 568, "PrintMode": 588,
    "Proof": 592, "ProofProfile": 596, "BorderlessPrinting": 828,
    "Enlarged_ReducedPrinting": 832, "Enlarged_ReducedPrinting_VPX": 832,
    "Enlarged_ReducedMethod": 836, "Enlarged_ReducedMethod_VPX": 836, "PaperSize": 848,
    "Orientation": 852, "FromTopMargin": 860, "FromLeftMargin": 864, "PaperSource": 868,
    "Cyan": 1128, "Magenta": 1132, "Yellow": 1136, "Brightness": 1140, "Contrast": 1144,
    "Saturation": 1148, "GrayTone": 1152, "ColorBalance": 1412, "Point_X": 1416,
    "Point_Y": 1420, "Mono_Brightness": 1424, "Mono_Contrast": 1428, "Mono_Highlight": 1432,
    "Mono_Shadow": 1436, "Curves_SelChannel": 1696, "PrintInformation": 2616,
    "InfomationPrintPosition": 2620, "PrintHistoryNumber": 2624, "FileName": 2628,
    "PrintedAt": 2632, "ColorAdjustmentValue": 2636, "PrinterName": 2640, "CommentChk": 2644,
    "RollPaperWidth": 3428, "AutomaticCutting": 3432, "ConservePaper": 3436,
    "DryingTime_BetweenPages": 3696, "DryingTime_BetweenScans": 3700,
    "SafetyMargin_NearEndMargin": 3704, "SafetyMargin_FarEndMargin": 3708,
    "MediaThickness": 3712, "VacuumStrength": 3720, "CutSpeed": 3724, "BlurPrevention": 3728,
    "Mirror": 3732, "UnidirectionalPrinting": 3740, "Sharpen": 4004, "Background": 4012,
    "InboxNo": 4020, "PrintAfterReceptionIsComplete": 4024, "ConversionEngine": 4800,
    "BlackPointCompensation": 4804, "SimulatePaperColor": 4808,
}
# The settings the old record did not have, and the test-pattern settings.
FIXED = {
    "UISaveVersion": 101, "ConvertOldVersion": 1, "AlertDialogAllDefault": 0,
    "PaperSizeWidth": 0, "PaperSizeHeight": 0, "Gamma": 0, "Gradation": 4, "Mono_WhiteFog": 0,
    "ICCV4NoDisplay": 0,
    "Curves_RGB_SelPoint": 0, "Curves_R_SelPoint": 0, "Curves_G_SelPoint": 0,
    "Curves_B_SelPoint": 0, "Curves_Gray_SelPoint": 0,
    "PaperSource_Color": 0, "PaperSource_Mono": 0, "UseSize_Color": 0, "UseSize_Mono": 0,
    "UseWSize_Color": 0, "UseHSize_Color": 0, "UseWSize_Mono": 0, "UseHSize_Mono": 0,
    "PaperSave_Color": 1, "PaperSave_Mono": 1, "XAdjustItem_Color": 1, "XAdjustItem_Mono": 8,
    "XCount_Color": 5, "XCount_Mono": 5, "XAdjustInterval_Color": 5, "XAdjustInterval_Mono": 5,
    "YAdjustItem_Color": 16, "YAdjustItem_Mono": 16, "YCount_Color": 5, "YCount_Mono": 5,
    "YAdjustInterval_Color": 5, "YAdjustInterval_Mono": 5, "PatternRotate_Color": 0,
    "PatternRotate_Mono": 0, "PatternSize_Color": 0, "PatternSpace_Color": 0,
    "PatternSize_Mono": 0, "PatternSpace_Mono": 0, "BackGroundColor_Color": 1,
    "BackGroundColor_Mono": 1, "AppliesAdjust_Color": 0, "AppliesAdjust_Mono": 0,
    "MaxSizePatternDialog": 0, "NotPatternCenterDLG": 0,
}
# Old codes of make_old_files.py and what they become.
CONVERTED = {
    "SelectTab": 4, "Preview": 2, "MaximizeDialogBox": 1, "MediaType": -10,
    "InputResolution": 360, "InputBit": 16, "ColorMode": 4, "OutputProfile": 7,
    "MatchingMethod": 1, "Layout": 2, "RoolPaperLayout": 1, "CalibrationValue": 2,
    "SSCCheck": 1, "SSCAdjustment": 2, "DotPlacement": 1, "ImageEnlargementMethod": 2,
    "OutputMethod": 0, "NotEndDialog": 1, "InkSystem": 3, "ScalingValue": 250,
    "NameOfDataToBeSaved": "Box \u00e9", "CommentDetails": "Proof run",
}
CURVE_NAMES = ("RGB", "R", "G", "B", "Gray")
CURVES = [
    [(0, 0), (128, 140), (255, 255)],
    [(16 * k, 255 - 16 * k) for k in range(16)],
    [],
    [(0, 10), (255, 245)],
    [(64, 64)],
]
# Keys never written for a converted record.
ABSENT = ("MediaTypeName", "PaperSizeName", "UseSizeName_Color", "UseSizeName_Mono")


def curves_expected(curves):
    expected = {}
    for name, points in zip(CURVE_NAMES, curves):
        expected[f"Curves_{name}_PointNum"] = len(points)
        expected[f"Curves_{name}_X"] = [x for x, _ in points]
        expected[f"Curves_{name}_Y"] = [y for _, y in points]
    return expected


def ui_expected(profiles, earlier=False, curves=CURVES, **changes):
    expected = {key: offset + 7 for key, offset in COPIED.items()}
    expected.update(FIXED)
    expected.update(CONVERTED)
    expected.update(curves_expected(curves))
    expected["OutputProfileName"] = "Glossy Photo"
    expected["OutputProfilePath"] = os.path.join(profiles, "Glossy Photo.icc")
    expected["ProofProfileName"] = "Proof Paper"
    expected["ProofProfilePath"] = os.path.join(profiles, "Proof Paper.icc")
    if earlier:
        # The earlier record has no proof profile, no engine settings and other meanings at
        # 592, 596, 3748 and 4288.
        expected.update({"Proof": 0, "ProofProfile": 0, "DotPlacement": 0, "NotEndDialog": 0,
                         "ConversionEngine": 1, "BlackPointCompensation": 0,
                         "SimulatePaperColor": 0, "ProofProfileName": None,
                         "ProofProfilePath": None})
    expected.update(changes)
    return {key: value for key, value in expected.items() if value is not None}


# ---- job3.xml: the entries' own keys, and those of their settings that the old records set.
def job_entry(name, file_name, date, number, count, print_finish, copies, scaling):
    return {"NameString": name, "FileNameString": file_name, "DateString": date,
            "listNumber": number, "DateCount": count, "DefaultFlg": 0,
            "PrintFinish": print_finish, "ConvertOldVersion": 1, "Copies": copies,
            "ColorMode": 1, "ScalingValue": scaling}


# Entry strings the old records leave empty, so never written.
EMPTY_ENTRY_STRINGS = ("ColorSetString", "PrinterNameString", "CommentString")


def job_expected(scaling, history=True):
    beach = job_entry("Job 7 of 2009-03-02", "Beach.tif", "2009/03/02", 1, 7, 1, 3, scaling)
    cafe = job_entry("Caf\u00e9 front", "Cafe.psd", "2009/03/03", 2, 8, 0, 1, scaling)
    if not history:
        return {"JobFileVers": 100, "JobTodayCount": 0, "Jobs": [],
                "Favorites": [dict(cafe, PrintFinish=1)]}
    # The history's count and date come from its first record: its count, and its text at 260.
    return {"JobFileVers": 100, "JobTodayCount": 7, "JobDate": "Job 7 of 2009-03-02",
            "Jobs": [beach, cafe], "Favorites": [cafe]}


def compare_jobs(expected, actual):
    differences = compare({k: v for k, v in expected.items() if k not in ("Jobs", "Favorites")},
                          {k: v for k, v in actual.items() if k not in ("Jobs", "Favorites")})
    for key in ("Jobs", "Favorites"):
        entries = actual.get(key)
        if not isinstance(entries, list) or len(entries) != len(expected[key]):
            differences.append(f"{key}: {entries!r}, expected {len(expected[key])} entries")
            continue
        for i, (want, got) in enumerate(zip(expected[key], entries)):
            where = f"{key}[{i}]."
            differences += compare(want, {k: got[k] for k in want if k in got}, where)
            differences += [f"{where}{k}: unexpected {got[k]!r}" for k in EMPTY_ENTRY_STRINGS
                            if k in got]
    return differences


def cases(printer, profiles):
    return {
        "user": lambda: user_expected([POSTER, CAFE, BANNER]),
        "user_name255": lambda: user_expected([POSTER, ("F" * 63,) + BANNER[1:]]),
        # XML holds no control character: the names keep the rest of their text.
        "user_bell": lambda: user_expected([("BellPaper",) + POSTER[1:],
                                            ("Caf\u00e9",) + CAFE[1:]]),
        "connect": lambda: connect_expected(1, 2, "USB", "Stratoline SL-7440 Caf\u00e9",
                                            "SL7440", printer),
        "connect_900": lambda: connect_expected(38, 4, "DNSSD", "Studio printer", "SL5170",
                                                printer),
        "ui2": lambda: ui_expected(profiles),
        "ui2_4544": lambda: ui_expected(profiles, earlier=True),
        "ui2_curve1000": lambda: ui_expected(
            profiles, curves=[CURVES[0] + [(1000 + k, 2000 + k) for k in range(3, 16)], [],
                              [], CURVES[3], CURVES[4]]),
        # No "[" in the output profile text: no profile, so no matching through one.
        "ui2_nan_scale": lambda: ui_expected(profiles, ScalingValue=0, ColorMode=1,
                                             OutputProfileName=None, OutputProfilePath=None),
        # A proof profile that is not installed: no proof.
        "ui2_proof_missing": lambda: ui_expected(profiles, Proof=0, ProofProfileName=None,
                                                 ProofProfilePath=None),
        "ui2_bell": lambda: ui_expected(profiles, CommentDetails="Proofrun",
                                        NameOfDataToBeSaved="Box \u00e9"),
        "job": lambda: job_expected(125),
        "job_v10x": lambda: job_expected(10000),
        "job_favorites_only": lambda: job_expected(125, history=False),
    }


def compare(expected, actual, where=""):
    differences = []
    for key in sorted(set(expected) | set(actual)):
        if key not in actual:
            differences.append(f"{where}{key}: missing, expected {expected[key]!r}")
        elif key not in expected:
            differences.append(f"{where}{key}: unexpected {actual[key]!r}")
        elif type(expected[key]) is not type(actual[key]) or expected[key] != actual[key]:
            differences.append(f"{where}{key}: {actual[key]!r}, expected {expected[key]!r}")
    return differences


def main():
    case, path = sys.argv[1], sys.argv[2]
    printer = sys.argv[3] if len(sys.argv) > 3 else ""
    profiles = sys.argv[4] if len(sys.argv) > 4 else ""
    lint = subprocess.run(["/usr/bin/xmllint", "--noout", path], capture_output=True, text=True)
    if lint.returncode != 0:
        print("xmllint:", lint.stderr)
        return 1
    with open(path, "rb") as f:
        root = plistlib.load(f)
    expected = cases(printer, profiles)[case]()
    if case.startswith("ui2"):
        if not isinstance(root, list) or len(root) != 1:
            print(f"{path}: the root is not an array of one dictionary")
            return 1
        root = root[0]
        for key in ABSENT:
            if key in root:
                print(f"{key}: unexpected {root[key]!r}")
                return 1
    if case.startswith("job"):
        differences = compare_jobs(expected, root)
    else:
        differences = compare(expected, root)
    for line in differences:
        print(line)
    return 1 if differences else 0


if __name__ == "__main__":
    sys.exit(main())
