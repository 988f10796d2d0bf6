#!/usr/bin/python3
"""The GNOME file manager's "Hash with Tessik" item, run with the file manager's own Python and
extension library: offered for one local file only, and starting the program named in the
desktop entry with the file as one argument.
    nautilus_extension_test.py PACKAGING_FOLDER"""
import os
import shutil
import sys
import tempfile
import time
import unittest

PACKAGING = os.path.realpath(sys.argv.pop(1))
SCRATCH = tempfile.mkdtemp()
# The desktop entry is found through the data folders, and its program through the path; both
# are read once, so they are set before the libraries load.
os.makedirs(f"{SCRATCH}/share/applications")
shutil.copy(f"{PACKAGING}/org.example.tessik.desktop", f"{SCRATCH}/share/applications")
os.makedirs(f"{SCRATCH}/bin")
with open(f"{SCRATCH}/bin/tessik", "w") as program:
    program.write(f'#!/bin/sh\nprintf "%s\\n" "$#" "$@" > "{SCRATCH}/started.tmp"\n'
                  f'mv "{SCRATCH}/started.tmp" "{SCRATCH}/started"\n')
os.chmod(f"{SCRATCH}/bin/tessik", 0o755)
os.environ.update(XDG_DATA_DIRS=f"{SCRATCH}/share", XDG_DATA_HOME=f"{SCRATCH}/home",
                  PATH=f"{SCRATCH}/bin:{os.environ['PATH']}", LANGUAGE="C")

import gi  # noqa: E402

gi.require_version("Nautilus", "4.0")
from gi.repository import Gio  # noqa: E402
import importlib.util  # noqa: E402

spec = importlib.util.spec_from_file_location("tessik_hash", f"{PACKAGING}/gnome/tessik-hash.py")
extension = importlib.util.module_from_spec(spec)
spec.loader.exec_module(extension)


class FakeFile:
    def __init__(self, path, scheme="file"):
        self.path, self.scheme = path, scheme

    def get_uri_scheme(self):
        return self.scheme

    def is_directory(self):
        return os.path.isdir(self.path)

    def get_location(self):
        return Gio.File.new_for_path(self.path)


class HashWithTessik(unittest.TestCase):
    def setUp(self):
        self.menu = extension.TessikHashMenu()
        self.file = f"{SCRATCH}/two words.iso"
        open(self.file, "w").close()

    def test_offered_for_one_local_file_only(self):
        cases = [
            ("one file", [FakeFile(self.file)], 1),
            ("a folder", [FakeFile(SCRATCH)], 0),
            ("two files", [FakeFile(self.file), FakeFile(self.file)], 0),
            ("a remote file", [FakeFile(self.file, "sftp")], 0),
        ]
        for name, files, items in cases:
            with self.subTest(name):
                self.assertEqual(len(self.menu.get_file_items(files)), items)

    def test_earlier_interface_passes_the_window_first(self):
        self.assertEqual(len(self.menu.get_file_items(None, [FakeFile(self.file)])), 1)

    def test_item_starts_the_program_with_the_file(self):
        (item,) = self.menu.get_file_items([FakeFile(self.file)])
        self.assertEqual(item.props.label, "Hash with Tessik")
        item.activate()
        started = f"{SCRATCH}/started"
        for _ in range(100):
            if os.path.exists(started):
                break
            time.sleep(0.05)
        with open(started) as arguments:
            self.assertEqual(arguments.read().splitlines(), ["1", self.file])


if __name__ == "__main__":
    try:
        unittest.main()
    finally:
        shutil.rmtree(SCRATCH)
