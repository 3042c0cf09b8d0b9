"""Independent readers of what the settings model writes, from the formats as documented.

Usage:
  model_oracle.py settings UI3_XML
      The saved settings of the record test: one dictionary in the root array, the version,
      the magnification in hundredths, the comment and a three-point curve.
  model_oracle.py dates LISTING
      Each line "Y M D h m|date text|number|job number text|day key" as the model wrote it
      from its clock: the texts must be those of Python's calendar for that moment.
"""
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


def main():
    command = sys.argv[1]
    if command == "settings":
        check_settings(sys.argv[2])
    elif command == "dates":
        check_dates(sys.argv[2])
    else:
        fail("unknown command " + command)


if __name__ == "__main__":
    main()
