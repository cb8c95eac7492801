"""scripts/check-layers on a copy of src/: the tree as it is passes, and an include that points
up from any layer, written from src/ or relative to the file, is named and fails the check."""
import pathlib
import shutil
import subprocess
import tempfile
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
CHECK = ROOT / "scripts" / "check-layers"
# Bottom first, with a header of the next layer up to plant.
ORDER = ["core", "resources", "world", "state", "dialogue", "widgets", "game", "menus", "scenes"]


def run(src):
    return subprocess.run([str(CHECK), str(src)], capture_output=True, text=True)


class CheckLayers(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory()
        self.src = pathlib.Path(self.tmp.name) / "src"
        shutil.copytree(ROOT / "src", self.src)

    def tearDown(self):
        self.tmp.cleanup()

    def plant(self, layer, line):
        victim = sorted((self.src / layer).glob("*.cpp"))[0]
        victim.write_text(line + "\n" + victim.read_text())
        return victim

    def test_the_tree_passes(self):
        result = run(self.src)
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_an_upward_include_from_every_layer_is_named(self):
        for lower, upper in zip(ORDER, ORDER[1:]):
            for form in ("{upper}/{header}", "../{upper}/{header}"):
                with self.subTest(lower=lower, upper=upper, form=form):
                    self.tearDown()
                    self.setUp()
                    header = sorted((self.src / upper).glob("*.hpp"))[0].name
                    include = form.format(upper=upper, header=header)
                    victim = self.plant(lower, f'#include "{include}"')
                    result = run(self.src)
                    self.assertEqual(result.returncode, 1)
                    self.assertIn(f"{victim}:1: includes {include}", result.stdout)

    def test_peers_may_not_include_each_other(self):
        header = sorted((self.src / "resources").glob("*.hpp"))[0].name
        victim = self.plant("display", f'#include "resources/{header}"')
        result = run(self.src)
        self.assertEqual(result.returncode, 1)
        self.assertIn(f"{victim}:1:", result.stdout)
        self.assertIn("a peer of", result.stdout)


if __name__ == "__main__":
    unittest.main()
