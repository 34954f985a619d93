"""The note survives a restart; the slideshow shows the pictures folder in turn."""

import os
import re
import signal
import struct
import unittest
import zlib

from lfharness import SidebarTestCase, wait_for

# The slideshow's pictures, one colour each, in the folder named by user-dirs.dirs.
COLOURS = {"red.png": (220, 30, 30), "green.png": (30, 200, 30), "blue.png": (30, 30, 220)}


def write_png(path, width, height, rgb):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    row = b"\x00" + bytes(rgb) * width
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(row * height)))
        f.write(chunk(b"IEND", b""))


class NoteAndPicturesTest(SidebarTestCase):
    def pixel(self, x_server, x, y):
        shot = x_server.screenshot(os.path.join(self.sandbox.root, "shot.png"))
        out = x_server.run("convert", shot, "-crop", f"1x1+{x}+{y}", "txt:-").stdout
        return tuple(int(v) for v in re.search(r"\((\d+),(\d+),(\d+)", out).groups())

    def test_pictures_are_shown_in_turn_and_a_click_opens_the_one_on_show(self):
        photos = os.path.join(self.sandbox.home, "Photos")
        os.makedirs(os.path.join(photos, "sub"))
        write_png(os.path.join(photos, "red.png"), 400, 300, COLOURS["red.png"])
        write_png(os.path.join(photos, "sub", "green.png"), 300, 400, COLOURS["green.png"])
        write_png(os.path.join(photos, "blue.png"), 640, 480, COLOURS["blue.png"])
        with open(os.path.join(self.sandbox.home, ".config", "user-dirs.dirs"), "w") as f:
            f.write('XDG_PICTURES_DIR="$HOME/Photos"\n')
        opened = os.path.join(self.sandbox.root, "opened.txt")
        browser = os.path.join(self.sandbox.root, "browser.sh")
        with open(browser, "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$@" >> "{opened}"\n')
        os.chmod(browser, 0o755)
        # Files open in the default application of their type: make that the recorder.
        applications = os.path.join(self.sandbox.home, ".local", "share", "applications")
        os.makedirs(applications, exist_ok=True)
        with open(os.path.join(applications, "lf-recorder.desktop"), "w") as f:
            f.write(f"[Desktop Entry]\nType=Application\nName=Recorder\nExec={browser} %f\n"
                    "MimeType=image/png;\n")
        with open(os.path.join(self.sandbox.home, ".config", "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\nimage/png=lf-recorder.desktop\n")

        x = self.start_x(1280, 1024)
        sidebar = self.start_sidebar(x, {"QT_LOGGING_RULES": "lf.pictures.debug=true"})
        window = sidebar.wait_for_window()
        sidebar.wait_for_log(r"3 pictures to show", timeout=15)
        # Ten seconds a picture: two of them in turn, each in the picture box.
        first = sidebar.wait_for_log(r"showing (\S+)", timeout=20).group(1)
        box = self.picture_box(x, window)
        colour = self.pixel(x, box[0] + 75, box[1] + 20)
        self.assertEqual(self.nearest(colour), os.path.basename(first))
        x.screenshot(self.artefact("slideshow-first.png"))
        wait_for(lambda: len(re.findall(r"showing ", sidebar.log())) >= 2, timeout=15,
                 what="the second picture")
        shown = re.findall(r"showing (\S+)", sidebar.log())
        self.assertNotEqual(shown[0], shown[1])

        x.click(box[0] + 75, box[1] + 20)
        wait_for(lambda: os.path.exists(opened), timeout=10, what="the picture opened")
        with open(opened) as f:
            self.assertIn(os.path.basename(shown[-1]), f.read())
        self.assertEqual(sidebar.stop(signal.SIGTERM), 0)

    def picture_box(self, x_server, window):
        """Root coordinates of the picture box: 34, 17 into the last panel of 158 px."""
        left, top, _, _ = x_server.geometry(window)
        # Panels from the top: 34 + 77 + 86 + 52 + 103 + 133 + 114 + 108 = 707.
        return left + 34, top + 707 + 17

    @staticmethod
    def nearest(colour):
        return min(COLOURS, key=lambda name: sum((a - b) ** 2
                                                 for a, b in zip(COLOURS[name], colour)))

    def test_note_edited_in_the_notes_window_survives_a_restart(self):
        x = self.start_x(1280, 1024)
        sidebar = self.start_sidebar(x)
        window = sidebar.wait_for_window()
        left, top, _, _ = x.geometry(window)
        # The note label: 15, 15 into the note panel at 599.
        x.click(left + 40, top + 599 + 20)
        editor = wait_for(lambda: x.find_windows("Notes"), timeout=10, what="the Notes window")[0]
        x.run("xdotool", "windowactivate", "--sync", str(editor), check=False)
        x.run("xdotool", "key", "--window", str(editor), "ctrl+a")
        x.run("xdotool", "type", "--window", str(editor), "--delay", "20", "milk")
        x.run("xdotool", "key", "--window", str(editor), "Return")
        x.run("xdotool", "type", "--window", str(editor), "--delay", "20", "eggs")
        ex, ey, _, _ = x.geometry(editor)
        x.click(ex + 263 + 30, ey + 196 + 12)  # Save
        wait_for(lambda: not x.find_windows("Notes"), timeout=10, what="the editor to close")
        x.screenshot(self.artefact("note-saved.png"))
        self.assertEqual(sidebar.stop(signal.SIGTERM), 0)
        self.assertIn("CurrNode=milk eggs\n", self.sandbox.read_settings())

        again = self.start_sidebar(x)
        again.wait_for_window()
        self.assertEqual(again.stop(signal.SIGTERM), 0)
        self.assertIn("CurrNode=milk eggs\n", self.sandbox.read_settings())


if __name__ == "__main__":
    unittest.main()
