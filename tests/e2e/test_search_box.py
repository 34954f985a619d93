"""Typing into the docked sidebar's search box reaches the user's browser."""

import os
import unittest

from lfharness import SidebarTestCase, wait_for

SCREEN_W, BAR_W = 1280, 217
SEARCH_PANEL_TOP = 34 + 77 + 86


class SearchBoxTest(SidebarTestCase):
    def test_enter_opens_the_desktop_search_page_in_the_browser(self):
        opened = os.path.join(self.sandbox.root, "opened.txt")
        browser = os.path.join(self.sandbox.root, "browser.sh")
        with open(browser, "w") as f:
            f.write(f'#!/bin/sh\necho "$@" >> {opened}\n')
        os.chmod(browser, 0o755)
        x = self.start_x(SCREEN_W, 1024)
        sidebar = self.start_sidebar(x, {"BROWSER": browser})
        sidebar.wait_for_window()
        sidebar.wait_for_log("results server listening")

        # A dock window still takes the keyboard when clicked.
        x.click(SCREEN_W - BAR_W + 16 + 40, SEARCH_PANEL_TOP + 13 + 9)
        x.run("xdotool", "type", "--delay", "20", "hello world")
        x.run("xdotool", "key", "Return")
        wait_for(lambda: os.path.exists(opened), what="the browser called")
        self.assertEqual(open(opened).read().strip(),
                         "http://127.0.0.1:4775/?s=relevancy&p=0&q=hello%20world")

        # One character only: the warning, no browser.
        x.run("xdotool", "key", "ctrl+a", "BackSpace")
        x.run("xdotool", "type", "x")
        x.run("xdotool", "key", "Return")
        sidebar.wait_for_log(r"balloon: Warning! \| Query length must be more than one symbol\.")
        self.assertEqual(len(open(opened).read().splitlines()), 1)
        self.assertEqual(sidebar.stop(), 0)


if __name__ == "__main__":
    unittest.main()
