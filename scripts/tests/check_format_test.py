#!/usr/bin/python3
"""The formatting check: scripts/test stops before building on a misformatted file."""
import os
import pathlib
import shutil
import stat
import subprocess
import sys
import tempfile
import unittest

SCRIPTS = pathlib.Path(__file__).resolve().parent.parent
TOP = SCRIPTS.parent
FORMATTED = "int answer() {\n    return 42;\n}\n"
MISFORMATTED = "int answer(){return 42;}\n"


def executable(path, text):
    path.write_text(text)
    path.chmod(path.stat().st_mode | stat.S_IXUSR)


class FormatCheck(unittest.TestCase):
    def run_scripts_test(self, source):
        """Runs a copy of scripts/test in a small repository holding `source`.

        Set-up and the include check are stubbed out, and cmake and ctest only note that they
        ran. Returns the exit status and whether the build was reached."""
        with tempfile.TemporaryDirectory() as folder:
            root = pathlib.Path(folder)
            (root / "scripts").mkdir()
            shutil.copy(TOP / ".clang-format", root / ".clang-format")
            for script in ("test", "check-format"):
                shutil.copy(SCRIPTS / script, root / "scripts" / script)
            for stub in ("setup", "check-includes"):
                executable(root / "scripts" / stub, "#!/bin/sh\nexit 0\n")
            tools = root / "tools"
            tools.mkdir()
            marker = root / "built"
            for tool in ("cmake", "ctest"):
                executable(tools / tool, f"#!/bin/sh\ntouch '{marker}'\nexit 0\n")
            (root / "src").mkdir()
            (root / "src" / "answer.cpp").write_text(source)
            subprocess.run(["git", "init", "-q", str(root)], check=True)
            environment = dict(os.environ, PATH=f"{tools}:{os.environ['PATH']}",
                               BUILD_DIR=str(root / "build"))
            (root / "build").mkdir()
            result = subprocess.run([str(root / "scripts" / "test")], env=environment,
                                    capture_output=True, text=True, timeout=120)
            return result.returncode, marker.exists(), result.stdout

    def test_a_misformatted_file_fails_before_the_build(self):
        status, built, output = self.run_scripts_test(MISFORMATTED)
        self.assertNotEqual(status, 0)
        self.assertFalse(built)
        self.assertIn("src/answer.cpp", output)

    def test_a_formatted_file_goes_on_to_the_build(self):
        status, built, _ = self.run_scripts_test(FORMATTED)
        self.assertEqual(status, 0)
        self.assertTrue(built)

    def test_the_repository_is_formatted(self):
        result = subprocess.run([str(SCRIPTS / "check-format")], capture_output=True, text=True,
                                timeout=300)
        self.assertEqual(result.returncode, 0, result.stdout)


if __name__ == "__main__":
    sys.exit(unittest.main())
