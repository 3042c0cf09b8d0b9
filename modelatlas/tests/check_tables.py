#!/usr/bin/python3
"""usage: check_tables.py RESOURCES MEDIA_JSON CORE_RECORD_HEADER

Checks the shipped model tables with plistlib: every table is a root array of dictionaries with
the keys and value types of its kind; every table a model names exists; every paper and roll id
has a size and a name; medium names cover the media databases; the print-common rows carry the
print core's 46 keys in its order with values the core accepts; the default settings carry the
152 saved-settings keys and choose what the model offers. Prints each fault; exit 1 on any."""
import json
import plistlib
import re
import sys
from pathlib import Path

resources, media_json, core_header = Path(sys.argv[1]), Path(sys.argv[2]), Path(sys.argv[3])
faults = []


def fault(text):
    faults.append(text)


def load(path):
    try:
        with open(path, "rb") as f:
            value = plistlib.load(f, fmt=plistlib.FMT_XML)
    except Exception as error:  # noqa: BLE001 - any failure to read is a fault to report
        fault(f"{path}: unreadable: {error}")
        return []
    if not isinstance(value, list) or not all(isinstance(row, dict) for row in value):
        fault(f"{path}: root is not an array of dictionaries")
        return []
    return value


def is_int(value):
    return isinstance(value, int) and not isinstance(value, bool)


def check_rows(path, rows, types, required=None):
    """types: key -> 'int', 'str' or 'ints'; every row holds only these keys, the required ones
    (all, unless given) present."""
    checks = {"int": is_int, "str": lambda v: isinstance(v, str),
              "ints": lambda v: isinstance(v, list) and all(is_int(e) for e in v)}
    for n, row in enumerate(rows):
        for key in (types if required is None else required):
            if key not in row:
                fault(f"{path} row {n}: {key} missing")
        for key, value in row.items():
            if key not in types:
                fault(f"{path} row {n}: unknown key {key}")
            elif not checks[types[key]](value):
                fault(f"{path} row {n}: {key} is not {types[key]}")


def by(rows, key):
    return {row[key]: row for row in rows if key in row}


# Root tables.
ROOT = {
    "SupportPrinterTable": dict(EPrinterTypeID="int", PrinterName="str", PrinterFunctionTable="str",
                                PaperInfoFileName="str", SupportSize="str", RollPaperWidthTbl="str",
                                FullBleedSupportTable="str", PrintCommonTable="str",
                                UIDefaultTable="str"),
    "Qdxa1MediumName": dict(QdxaID1="int", MediumString="str"),
    "Qdxa2MediumName": dict(QdxaID2="int", MediumString="str"),
    "MediumName": dict(MediumID="int", MediumString="str"),
    "RollWidthName": dict(QDXAMediumSizeID="int", Name="str"),
    "PaperSourceOrderTbl": dict(PaperSourceOrderTYPE="int", MDB_PaperSource_ID="ints"),
    "PaperSizeName": dict(PaperSizeID="int", PaperName="str"),
    "PaperInfoMain": dict(PaperSizeID="int", PaperSizeMM_width="int", PaperSizeMM_height="int"),
}
root = {}
for name, types in ROOT.items():
    rows = load(resources / f"{name}.xml")
    check_rows(f"{name}.xml", rows, types)
    root[name] = rows

FUNCTION_STRINGS = ["VersionNumber", "DriverVersion", "SupportURLName", "BasicSetupSeetHelp",
                    "PageSetupSeetHelp", "ColorSetupSeetHelp", "HistorySetupSeetHelp",
                    "MaintenanceSeetHelp", "SupportSetupSeetHelp", "RollOptionDLGHelp",
                    "MediaDetailDLGHelp", "InkChangeDLGHelp", "EnvironmentDLGHelp",
                    "CustomPaperDLGHelp", "ColorSetupMonoSeetHelp", "ToneCurveDLGHelp",
                    "JobHistoriyDLGHelp", "FavoriteDLGHelp", "ICCOptionDLGHelp", "AdobeCMMDLGHelp",
                    "PreviewHelp", "PatternHelp", "MdbDBName", "prFormat", "prSeries", "PrinterName"]
FUNCTION_INTEGERS = ["AgeType", "PaperSourceOrderTYPE", "MachingOrderTYPE", "cassette", "manual3mm",
                     "LargePrinter", "LargePanel", "InkChange", "FarEndMargin", "MediaThickness",
                     "VacuumStrength", "CutSpeed", "SSCAdjustment", "CalibrationValue",
                     "UnidirectionalPrinting", "InkImpact", "VGM", "HDD", "HDDDataAutoDelete",
                     "SupportLaboratory", "BoxMaxNum", "FastModeShift", "OptimizeLevel",
                     "UseBackend", "SupportPatternPrint"]
FLAGS = FUNCTION_INTEGERS[3:16] + ["HDD", "HDDDataAutoDelete", "SupportLaboratory",
                                   "FastModeShift", "SupportPatternPrint"]
SIZE_KEYS = ["hBannerRollMax", "hRollMax", "hRollMin", "wRollMax", "wRollMin", "hCutMax", "hCutMin",
             "wCutMax", "wCutMin", "hCasetteMax", "hCasetteMin", "wCasetteMax", "wCasetteMin",
             "MarginSizeTYPE", "TopMargin", "LeftMargin", "BottomMargin", "RightMargin",
             "Manual_TopMargin", "Manual_LeftMargin", "Manual_BottomMargin", "Manual_RightMargin"]

# The saved-settings keys and their kinds: 16-bit and 32-bit integers, strings, curve arrays.
UI_STRINGS = ["MediaTypeName", "OutputProfileName", "OutputProfilePath", "ProofProfileName",
              "ProofProfilePath", "NameOfDataToBeSaved", "PaperSizeName", "CommentDetails",
              "UseSizeName_Color", "UseSizeName_Mono"]
UI_SHORT = ["MediaType", "InputResolution", "InputBit", "MatchingMethod"]
UI_KEYS = (
    "UISaveVersion ConvertOldVersion MediaType MediaTypeName InputResolution InputBit ColorMode "
    "PrintMode OutputProfile OutputProfileName OutputProfilePath Proof ProofProfile "
    "ProofProfileName ProofProfilePath MatchingMethod Copies DryingTime_BetweenPages "
    "DryingTime_BetweenScans SafetyMargin_NearEndMargin SafetyMargin_FarEndMargin CutSpeed "
    "CalibrationValue Mirror UnidirectionalPrinting DotPlacement MediaThickness VacuumStrength "
    "SSCCheck SSCAdjustment BlurPrevention ConversionEngine BlackPointCompensation "
    "SimulatePaperColor Sharpen ImageEnlargementMethod Background ClosePluginAfterPrinting "
    "AlertDialogAllDefault OutputMethod InboxNo NameOfDataToBeSaved PrintAfterReceptionIsComplete "
    "BorderlessPrinting Enlarged_ReducedPrinting Enlarged_ReducedMethod "
    "Enlarged_ReducedPrinting_VPX Enlarged_ReducedMethod_VPX ScalingValue PaperSize PaperSizeName "
    "PaperSizeWidth PaperSizeHeight Orientation Layout FromTopMargin FromLeftMargin "
    "RoolPaperLayout PaperSource RollPaperWidth AutomaticCutting ConservePaper Cyan Magenta Yellow "
    "GrayTone Brightness Contrast Saturation Gamma Gradation ColorBalance Point_X Point_Y "
    "Mono_Brightness Mono_Contrast Mono_Highlight Mono_Shadow Mono_WhiteFog Curves_SelChannel "
    + " ".join(f"Curves_{c}_PointNum Curves_{c}_SelPoint Curves_{c}_X Curves_{c}_Y"
               for c in ["RGB", "R", "G", "B", "Gray"])
    + " PrintInformation InfomationPrintPosition PrintHistoryNumber FileName PrintedAt "
    "ColorAdjustmentValue PrinterName CommentChk CommentDetails MaximizeDialogBox PerformPrrof "
    "Preview SelectTab InkSystem NotEndDialog ICCV4NoDisplay "
    + " ".join(f"PaperSource_{k} UseSize_{k} UseSizeName_{k} UseWSize_{k} UseHSize_{k} PaperSave_{k} "
               f"XAdjustItem_{k} XCount_{k} XAdjustInterval_{k} YAdjustItem_{k} YCount_{k} "
               f"YAdjustInterval_{k} PatternRotate_{k} PatternSize_{k} PatternSpace_{k} "
               f"BackGroundColor_{k} AppliesAdjust_{k}" for k in ["Color", "Mono"])
    + " MaxSizePatternDialog NotPatternCenterDLG").split()
assert len(UI_KEYS) == 152


def ui_type(key):
    if key in UI_STRINGS:
        return "str"
    return "ints" if key.startswith("Curves_") and key[-2:] in ("_X", "_Y") else "int"


# The print core's per-model record, field by field, in order.
record = re.search(r"struct ModelAtlasTbl \{(.*?)\};", core_header.read_text(), re.S)
COMMON_KEYS = re.findall(r"std::int32_t (\w+);", record.group(1)) if record else []
if len(COMMON_KEYS) != 46:
    fault(f"{core_header}: ModelAtlasTbl has {len(COMMON_KEYS)} fields, not 46")

# Values the print core accepts for a model it prints (anything else refuses or skips the job).
CORE_RULES = {"PrinterSize": {1}, "Medab": {2}, "Tonara": {3}, "CreateTable": {2},
              "Tonara2Curve": {2}, "OutputColorSpace": {2, 4}, "MarginSize": {2, 3, 4},
              "CuttingType_MarkerColorantDryingType": {0, 1, 2}, "DPIType": {1, 2, 3}}

media = json.loads(media_json.read_text())
databases = {db["file"]: db["media"] for db in media["databases"] if not db.get("fixture")}
paper_names, roll_names = by(root["PaperSizeName"], "PaperSizeID"), by(root["RollWidthName"], "QDXAMediumSizeID")
sizes, orders = by(root["PaperInfoMain"], "PaperSizeID"), by(root["PaperSourceOrderTbl"], "PaperSourceOrderTYPE")

for model in root["SupportPrinterTable"]:
    pid, folder = model.get("EPrinterTypeID"), resources / model.get("PrinterName", "?")
    tables = {}
    for kind in ["PrinterFunctionTable", "PaperInfoFileName", "SupportSize", "RollPaperWidthTbl",
                 "FullBleedSupportTable", "PrintCommonTable", "UIDefaultTable"]:
        path = folder / f"{model.get(kind, '?')}.xml"
        if not path.is_file():
            fault(f"model {pid}: {kind} {path} does not exist")
            tables[kind] = {}
            continue
        rows = load(path)
        mine = [row for row in rows if row.get("EPrinterTypeID") == pid]
        if len(mine) != 1:
            fault(f"{path}: {len(mine)} rows for model {pid}")
        tables[kind] = (path, mine[0] if mine else {})

    def rows_of(kind):
        return [tables[kind][1]] if tables[kind] else []

    def path_of(kind):
        return tables[kind][0] if tables[kind] else kind

    function = dict(EPrinterTypeID="int", **{k: "str" for k in FUNCTION_STRINGS},
                    **{k: "int" for k in FUNCTION_INTEGERS})
    check_rows(path_of("PrinterFunctionTable"), rows_of("PrinterFunctionTable"), function)
    check_rows(path_of("SupportSize"), rows_of("SupportSize"),
               dict(EPrinterTypeID="int", **{k: "int" for k in SIZE_KEYS}))
    check_rows(path_of("PaperInfoFileName"), rows_of("PaperInfoFileName"),
               dict(EPrinterTypeID="int", supportPaperSizeID="ints", CasetteSupportPaperSizeID="ints"),
               ["EPrinterTypeID", "supportPaperSizeID"])
    check_rows(path_of("RollPaperWidthTbl"), rows_of("RollPaperWidthTbl"),
               dict(EPrinterTypeID="int", qdxaMEDIUM_SIZE_ID="ints", DefaultRollWidthID="int"),
               ["EPrinterTypeID", "qdxaMEDIUM_SIZE_ID"])
    check_rows(path_of("FullBleedSupportTable"), rows_of("FullBleedSupportTable"),
               dict(EPrinterTypeID="int", qdxaMEDIUM_SIZE_ID="ints"))
    check_rows(path_of("PrintCommonTable"), rows_of("PrintCommonTable"),
               dict(EPrinterTypeID="int", **{k: "int" for k in COMMON_KEYS}))
    check_rows(path_of("UIDefaultTable"), rows_of("UIDefaultTable"),
               dict(EPrinterTypeID="int", **{k: ui_type(k) for k in UI_KEYS}))

    fn = tables["PrinterFunctionTable"][1] if tables["PrinterFunctionTable"] else {}
    if fn.get("prFormat") not in {"SMALL_FORMAT", "LARGE_FORMAT", "MEDIUM_FORMAT"}:
        fault(f"model {pid}: prFormat {fn.get('prFormat')}")
    if fn.get("prSeries") not in {"A_MODEL", "F_MODEL", "LEGACY_MODEL", "S_MODEL"}:
        fault(f"model {pid}: prSeries {fn.get('prSeries')}")
    for flag in FLAGS:
        if fn.get(flag) not in (0, 1):
            fault(f"model {pid}: flag {flag} is {fn.get(flag)}")
    if fn.get("PrinterName") != model.get("PrinterName"):
        fault(f"model {pid}: function table names {fn.get('PrinterName')}")
    order = orders.get(fn.get("PaperSourceOrderTYPE"))
    if order is None:
        fault(f"model {pid}: no paper-source order {fn.get('PaperSourceOrderTYPE')}")
    db = databases.get(fn.get("MdbDBName"))
    if db is None:
        fault(f"model {pid}: media database {fn.get('MdbDBName')} is not one of {list(databases)}")

    papers = tables["PaperInfoFileName"][1] if tables["PaperInfoFileName"] else {}
    for pid_ in papers.get("supportPaperSizeID", []) + papers.get("CasetteSupportPaperSizeID", []):
        if pid_ not in sizes or pid_ not in paper_names:
            fault(f"model {pid}: paper {pid_} lacks a size or a name")
    if not set(papers.get("CasetteSupportPaperSizeID", [])) <= set(papers.get("supportPaperSizeID", [])):
        fault(f"model {pid}: cassette papers outside the model's papers")
    if bool(papers.get("CasetteSupportPaperSizeID")) != (fn.get("cassette") == 1):
        fault(f"model {pid}: cassette papers and cassette flag disagree")

    rolls = tables["RollPaperWidthTbl"][1] if tables["RollPaperWidthTbl"] else {}
    widths = rolls.get("qdxaMEDIUM_SIZE_ID", [])
    bleed = tables["FullBleedSupportTable"][1].get("qdxaMEDIUM_SIZE_ID", []) if tables["FullBleedSupportTable"] else []
    for rid in widths:
        if rid not in sizes or rid not in roll_names:
            fault(f"model {pid}: roll width {rid} lacks a size or a name")
    if "DefaultRollWidthID" in rolls and rolls["DefaultRollWidthID"] not in widths:
        fault(f"model {pid}: default roll width is not among its widths")
    if not set(bleed) <= set(widths):
        fault(f"model {pid}: borderless widths outside its roll widths")

    common = tables["PrintCommonTable"][1] if tables["PrintCommonTable"] else {}
    keys = [k for k in common if k != "EPrinterTypeID"]
    if keys != COMMON_KEYS:
        fault(f"model {pid}: print-common keys are not the core's, in its order")
    for key, allowed in CORE_RULES.items():
        if common.get(key) not in allowed:
            fault(f"model {pid}: {key} {common.get(key)} is not one of {sorted(allowed)}")
    size = tables["SupportSize"][1] if tables["SupportSize"] else {}
    for common_key, other, source in [("MarginSize", size.get("MarginSizeTYPE"), "margin type"),
                                      ("HDD", fn.get("HDD"), "disk flag")]:
        if common.get(common_key) != other:
            fault(f"model {pid}: {common_key} disagrees with the {source}")
    if common.get("JobStart2") != common.get("OpenQDXA"):
        fault(f"model {pid}: JobStart2 and OpenQDXA disagree")

    ui = tables["UIDefaultTable"][1] if tables["UIDefaultTable"] else {}
    if [k for k in ui if k != "EPrinterTypeID"] != UI_KEYS:
        fault(f"model {pid}: default settings keys are not the 152 saved-settings keys in order")
    for key in UI_SHORT:
        if not -32768 <= ui.get(key, 0) <= 32767:
            fault(f"model {pid}: {key} does not fit 16 bits")
    medium = next((m for m in db or [] if m["id"] == ui.get("MediaType")), None)
    if medium is None:
        fault(f"model {pid}: default medium {ui.get('MediaType')} is not in its database")
    elif int(medium["sources"], 16) & ui.get("PaperSource", 0) == 0:
        fault(f"model {pid}: default medium cannot use the default paper source")
    if order is not None and ui.get("PaperSource") not in order["MDB_PaperSource_ID"]:
        fault(f"model {pid}: default paper source is not in its order")
    if ui.get("RollPaperWidth") not in widths:
        fault(f"model {pid}: default roll width is not among its widths")
    if ui.get("PaperSize") not in papers.get("supportPaperSizeID", []):
        fault(f"model {pid}: default paper is not among its papers")
    elif [ui.get("PaperSizeWidth"), ui.get("PaperSizeHeight")] != [
            sizes[ui["PaperSize"]]["PaperSizeMM_width"], sizes[ui["PaperSize"]]["PaperSizeMM_height"]]:
        fault(f"model {pid}: default paper size disagrees with the paper table")

# Medium names: every QDXA id and every medium of the databases, but for exactly one medium.
qdxa1, qdxa2 = by(root["Qdxa1MediumName"], "QdxaID1"), by(root["Qdxa2MediumName"], "QdxaID2")
names = {row["MediumID"] & 0xFFFF for row in root["MediumName"]}
for kind in (1, -2):
    if kind not in qdxa1:
        fault(f"Qdxa1MediumName: no name for kind {kind}")
unnamed = []
for file, media_list in databases.items():
    for medium in media_list:
        first, second = medium["qdxa"]
        if first not in qdxa1 or second not in qdxa2:
            fault(f"{file}: QDXA ids {medium['qdxa']} of medium {medium['id']} have no name")
        if medium["id"] not in names:
            unnamed.append(medium["id"])
if len(unnamed) != 1:
    fault(f"media without a bundle name: {unnamed}, not exactly one")

for text in faults:
    print(text)
sys.exit(1 if faults else 0)
