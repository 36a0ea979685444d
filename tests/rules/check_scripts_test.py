#!/usr/bin/env python3
"""The checks of scripts/: check-layers.py on a two-layer library, check-allocations.py on a few
lines; what they list, and that what keeps the rules passes."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPTS = os.path.join(HERE, os.pardir, os.pardir, "scripts")


def run(script, root):
    done = subprocess.run([sys.executable, os.path.join(SCRIPTS, script), root],
                          capture_output=True, text=True)
    return done.returncode, done.stdout.splitlines()


class CheckLayers(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp()
        shutil.copytree(os.path.join(HERE, "layering_fixture"), self.root, dirs_exist_ok=True)

    def tearDown(self):
        shutil.rmtree(self.root)

    def write(self, relative, text):
        with open(os.path.join(self.root, relative), "w", encoding="utf-8") as file:
            file.write(text)

    def check(self):
        return run("check-layers.py", self.root)

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


class CheckAllocations(unittest.TestCase):
    def setUp(self):
        self.root = tempfile.mkdtemp()
        os.makedirs(os.path.join(self.root, "io"))

    def tearDown(self):
        shutil.rmtree(self.root)

    def check(self, code):
        with open(os.path.join(self.root, "io", "File.cpp"), "w", encoding="utf-8") as file:
            file.write(code)
        return run("check-allocations.py", self.root)

    def test_throwing_code_and_arrays_without_nothrow_are_listed(self):
        self.assertEqual(self.check(
            "void f(int n) {\n"
            "    char* a = new char[n];\n"
            "    auto* b = new std::pair<int, int>[n];\n"
            "    try { g(); } catch (...) {}\n"
            "    std::thread t(g);\n"
            "    throw 1;\n"
            "}\n"), (1, [
                "io/File.cpp:2: allocates an array without (std::nothrow)",
                "io/File.cpp:3: allocates an array without (std::nothrow)",
                "io/File.cpp:4: throws or catches",
                "io/File.cpp:5: uses std::thread, whose constructor throws",
                "io/File.cpp:6: throws or catches",
                "5 allocation rule problem(s)"]))

    def test_nothrow_arrays_objects_comments_and_texts_pass(self):
        self.assertEqual(self.check(
            "// try again, or throw it away: new char[n]\n"
            "char* a = new (std::nothrow) char[n];\n"
            "Node* b = new Node{1, 2};\n"
            "void* c = ::operator new[](n);\n"
            "log(\"could not try new char[n]\");\n"), (0, ["the allocation rule holds"]))


if __name__ == "__main__":
    unittest.main()
