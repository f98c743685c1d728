#!/usr/bin/env python3
"""What tools/compare_runs.py lets differ between a Linux run and its twin
under wine: far digits of printed fractions, and nothing else."""
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
import compare_runs  # noqa: E402

# (Linux line, wine line, whether they agree)
PAIRS = [
    ("frame 12: orvex_act_wpt_dist = 41.83726519", "frame 12: orvex_act_wpt_dist = 41.83726518", True),
    ("frame 12: vs = 2300", "frame 12: vs = 2299.999999", True),
    ("frame 12: x = -1.234567891e-05", "frame 12: x = -1.234567892e-05", True),
    # A digit a pilot could read, a count, a sign, a word or one number more.
    ("frame 12: orvex_act_wpt_dist = 41.83726519", "frame 12: orvex_act_wpt_dist = 41.83736519", False),
    ("frame 12: vs = 2200", "frame 12: vs = 2300", False),
    ("frame 12: keys 14", "frame 12: keys 15", False),
    ("frame 12: hdg = 0.5", "frame 12: hdg = -0.5", False),
    ("frame 12: TO KELSO 41.8", "frame 12: TO KELSE 41.8", False),
    ("frame 12: d = 41.8", "frame 12: d = 41.8 0", False),
]


class FarDigits(unittest.TestCase):
    def test_printed_numbers_compared_at_their_precision(self):
        for linux, wine, agree in PAIRS:
            with self.subTest(linux=linux, wine=wine):
                self.assertEqual(compare_runs.compare([linux], [wine]) == [], agree)


if __name__ == "__main__":
    unittest.main()
