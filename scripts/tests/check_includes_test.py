#!/usr/bin/python3
"""The include rules: a small tree that breaks each rule once, and the repository itself."""
import importlib.machinery
import importlib.util
import pathlib
import sys
import tempfile
import unittest

SCRIPTS = pathlib.Path(__file__).resolve().parent.parent
loader = importlib.machinery.SourceFileLoader("check_includes", str(SCRIPTS / "check-includes"))
module_definition = importlib.util.spec_from_loader("check_includes", loader)
check_includes = importlib.util.module_from_spec(module_definition)
loader.exec_module(check_includes)


def write(root, relative, text=""):
    path = root / relative
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_text(text)


class IncludeRules(unittest.TestCase):
    def test_each_rule_is_caught_and_allowed_routes_pass(self):
        with tempfile.TemporaryDirectory() as folder:
            root = pathlib.Path(folder)
            write(root, "device/admin/admin_requests.h")
            write(root, "device/glue/glue_session.h")
            write(root, "device/qdxa/qdxa_session.h")
            write(root, "device/include/DovoCommonLib/ios_status.h")
            write(root, "rastercore/job/main_process.h")
            write(root, "rastercore/qdxa/tarn_qdxa.h")
            # Breaks: core above itself, band into the driver, a device module header outside.
            write(root, "device/core/core_admin.cpp", '#include "admin/admin_requests.h"\n')
            write(root, "rastercore/band/band_loop.cpp", '#include "job/main_process.h"\n')
            write(root, "testing/printer/printer.cpp", '#include "glue/glue_session.h"\n')
            # Allowed: the exported interface, the print core's own qdxa/, the entry and driver.
            write(root, "rastercore/qdxa/packets.cpp",
                  '#include "qdxa/tarn_qdxa.h"\n#include "DovoCommonLib/ios_status.h"\n')
            write(root, "rastercore/entry/entry.cpp", '#include "job/main_process.h"\n')
            write(root, "device/interface/bind.cpp", '#include "admin/admin_requests.h"\n')
            found = {(str(f), i) for f, i, _ in check_includes.violations(root)}
            self.assertEqual(found, {
                ("device/core/core_admin.cpp", "admin/admin_requests.h"),
                ("rastercore/band/band_loop.cpp", "job/main_process.h"),
                ("testing/printer/printer.cpp", "glue/glue_session.h"),
            })

    def test_the_repository_keeps_the_rules(self):
        self.assertEqual(check_includes.violations(SCRIPTS.parent), [])


if __name__ == "__main__":
    sys.exit(unittest.main())
