#!/usr/bin/env python3
"""The structure check of tools/png_twins.py on the PROLINE_EICAS strip as
Linux draws it and as wine drew it while the right-hand column relied on a
right-to-left format that wine ignores (the numbers over their labels), and
as it draws it aligned; and on drawings that differ only in line width. The
stroke check on the small control unit as Linux draws it, as wine drew its
labels in broken strokes and as it draws them whole."""
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tools"))
import png_twins  # noqa: E402


def picture(name):
    return png_twins.read_png(os.path.join(HERE, "data", name))


def agreement(a, b):
    (w, h, pa), (wb, hb, pb) = a, b
    assert (w, h) == (wb, hb)
    return png_twins.structure_agreement(w, h, pa, pb)


def box(thickness, left, top=16):
    """A black 128 x 64 picture with the outline of a 32 x 24 box in white."""
    width, height = 128, 64
    pixels = [(0, 0, 0)] * (width * height)
    for y in range(top, top + 24):
        for x in range(left, left + 32):
            edge = min(x - left, left + 31 - x, y - top, top + 23 - y)
            if edge < thickness:
                pixels[y * width + x] = (255, 255, 255)
    return width, height, pixels


class StructureCheck(unittest.TestCase):
    def test_the_eicas_column_out_of_place_fails_and_aligned_passes(self):
        linux = picture("eicas_linux.png")
        self.assertLess(agreement(linux, picture("eicas_wine_right_to_left.png")), png_twins.AGREE)
        self.assertGreaterEqual(agreement(linux, picture("eicas_wine.png")), png_twins.AGREE)

    def test_small_text_in_broken_strokes_fails_whole_passes(self):
        # The small control unit's labels as wine drew them filling the
        # glyphs' outlines aliased: the structure check alone passes them.
        linux, broken = picture("smiths_small_linux.png"), picture("smiths_small_wine_broken_strokes.png")
        self.assertGreaterEqual(agreement(linux, broken), png_twins.AGREE)
        self.assertIsNotNone(png_twins.broken_strokes(linux[0], linux[1], linux[2], broken[2]))
        whole = picture("smiths_small_wine.png")
        self.assertIsNone(png_twins.broken_strokes(linux[0], linux[1], linux[2], whole[2]))
        thick, thin = box(2, 16), box(1, 16)
        self.assertIsNone(png_twins.broken_strokes(thick[0], thick[1], thick[2], thin[2]))

    def test_lines_one_pixel_thinner_or_moved_a_pixel_pass_a_shape_elsewhere_fails(self):
        self.assertGreaterEqual(agreement(box(2, 16), box(1, 16)), png_twins.AGREE)
        self.assertGreaterEqual(agreement(box(2, 16), box(2, 17, top=17)), png_twins.AGREE)
        self.assertLess(agreement(box(2, 16), box(2, 56)), png_twins.AGREE)

if __name__ == "__main__":
    unittest.main()
