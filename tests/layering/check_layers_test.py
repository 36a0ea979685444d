#!/usr/bin/env python3
"""scripts/check-layers.py on a two-layer library: what it lists, and that a clean tree passes."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CHECKER = os.path.join(HERE, os.pardir, os.pardir, "scripts", "check-layers.py")


class CheckLayers(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp()
        shutil.copytree(os.path.join(HERE, "fixture"), self.root, dirs_exist_ok=True)

    def tearDown(self):
        shutil.rmtree(self.root)

    def write(self, relative, text):
        with open(os.path.join(self.root, relative), "w", encoding="utf-8") as file:
            file.write(text)

    def check(self):
        run = subprocess.run([sys.executable, CHECKER, self.root], capture_output=True, text=True)
        return run.returncode, run.stdout.splitlines()

    def test_upward_includes_relative_ones_and_clients_reaching_inside_are_listed(self):
        self.assertEqual(self.check(), (1, [
            "low/Low.cpp:2: includes high/High.h of layer 2 (high/) from layer 1 (low/)",
            "low/Low.cpp:3: includes high/High.h of layer 2 (high/) from layer 1 (low/)",
            "tools/demo.cpp:1: includes low/Low.h, which is not a public header",
            "3 layering problem(s)"]))

    def test_a_tree_that_keeps_its_layers_passes(self):
        self.write("low/Low.cpp", '#include "Low.h"\n')
        self.write("tools/demo.cpp", "#include <vector>\n")
        self.assertEqual(self.check(), (0, ["2 layers hold"]))

    def test_a_build_that_disagrees_with_the_table_is_listed(self):
        self.write("low/Low.cpp", '#include "Low.h"\n')
        self.write("tools/demo.cpp", "#include <vector>\n")
        self.write("low/CMakeLists.txt",
                   "dravon_add_layer(fixture_low low USES fixture_high SOURCES Low.cpp)\n")
        os.makedirs(os.path.join(self.root, "extra"))
        self.write("extra/CMakeLists.txt", "dravon_add_layer(fixture_extra extra)\n")
        self.write("extra/Extra.h", "// Not in the table.\n")
        self.assertEqual(self.check(), (1, [
            "extra/Extra.h: lies in no layer of docs/architecture.md",
            "extra/CMakeLists.txt: layer fixture_extra of extra/ is not in the table of "
            "docs/architecture.md",
            "low/CMakeLists.txt: fixture_low (layer 1) uses fixture_high (layer 2)",
            "3 layering problem(s)"]))


if __name__ == "__main__":
    unittest.main()
