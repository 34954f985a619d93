"""Docking at the right screen edge, hiding, and the floating mode."""

import subprocess
import unittest

from lfharness import SidebarTestCase, wait_for

SCREEN_W, SCREEN_H, BAR_W = 1280, 1024, 217


class DockingTest(SidebarTestCase):
    def open_maximised_window(self, x):
        logo = subprocess.Popen(["xlogo", "-name", "lf-e2e-logo"], env=x.env,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(lambda: (logo.kill(), logo.wait()))
        def mapped():
            if logo.poll() is not None:
                raise AssertionError(f"xlogo ended with status {logo.returncode}")
            return x.find_windows("lf-e2e-logo", visible_only=False)
        window = wait_for(mapped, timeout=30, what="xlogo")[0]
        x.run("wmctrl", "-i", "-r", hex(window), "-b", "add,maximized_vert,maximized_horz")
        return window

    def test_docked_sidebar_reserves_its_strip_and_gives_it_back_when_hidden(self):
        x = self.start_x(SCREEN_W, SCREEN_H)
        sidebar = self.start_sidebar(x)
        window = sidebar.wait_for_window()
        self.assertEqual(x.geometry(window), (SCREEN_W - BAR_W, 0, BAR_W, SCREEN_H))
        wait_for(lambda: x.workarea() == (0, 0, SCREEN_W - BAR_W, SCREEN_H),
                 what="the work area without the sidebar's strip")
        self.assertIn("_NET_WM_WINDOW_TYPE_DOCK", x.window_property(window, "_NET_WM_WINDOW_TYPE"))
        state = x.window_property(window, "_NET_WM_STATE")
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", state)
        self.assertIn("_NET_WM_STATE_SKIP_PAGER", state)

        logo = self.open_maximised_window(x)
        wait_for(lambda: x.geometry(logo)[2] > 500, what="a maximised window")
        left, _, width, _ = x.geometry(logo)
        self.assertLessEqual(left + width, SCREEN_W - BAR_W)
        x.screenshot(self.artefact("docked-beside-maximised-window.png"))

        # Moved away, it is back within about a second.
        x.run("xdotool", "windowmove", str(window), "300", "200")
        wait_for(lambda: x.geometry(window)[:2] == (SCREEN_W - BAR_W, 0), timeout=3,
                 what="the sidebar back at the edge")

        # The title strip's minimise image hides it and gives the strip back at once.
        x.click(SCREEN_W - BAR_W + 176 + 8, 5 + 8)
        wait_for(lambda: not x.find_windows("Lanternfly Desktop"), timeout=3,
                 what="the sidebar hidden")
        wait_for(lambda: x.workarea() == (0, 0, SCREEN_W, SCREEN_H), timeout=2,
                 what="the full work area")
        self.assertEqual(sidebar.stop(), 0)

    def test_floating_sidebar_fills_the_work_area_and_stays_on_top(self):
        self.sandbox.write_settings("[MainForm]\nIsAppBar=0\n")
        x = self.start_x(SCREEN_W, SCREEN_H)
        # A bottom panel of 40 px, as a taskbar would reserve.
        logo = self.open_maximised_window(x)
        x.run("wmctrl", "-i", "-r", hex(logo), "-b", "remove,maximized_vert,maximized_horz")
        x.run("xprop", "-id", str(logo), "-f", "_NET_WM_STRUT_PARTIAL", "32c", "-set",
              "_NET_WM_STRUT_PARTIAL", f"0,0,0,40,0,0,0,0,0,0,0,{SCREEN_W - 1}")
        wait_for(lambda: x.workarea() == (0, 0, SCREEN_W, SCREEN_H - 40),
                 what="a work area above the panel")

        sidebar = self.start_sidebar(x)
        window = sidebar.wait_for_window()
        wait_for(lambda: x.geometry(window) == (SCREEN_W - BAR_W, 0, BAR_W, SCREEN_H - 40),
                 what="the sidebar as tall as the work area")
        self.assertEqual(x.workarea(), (0, 0, SCREEN_W, SCREEN_H - 40))
        wait_for(lambda: "_NET_WM_STATE_ABOVE" in x.window_property(window, "_NET_WM_STATE"),
                 timeout=3, what="the sidebar above other windows")
        # A normal window brought to the front still stays below it.
        x.run("xdotool", "windowactivate", "--sync", str(logo), check=False)
        stacking = x.xprop_root("_NET_CLIENT_LIST_STACKING").split("#", 1)[-1]
        order = [int(w, 16) for w in stacking.replace(",", " ").split()]
        self.assertLess(order.index(logo), order.index(window))

        # The work area changes: the sidebar follows.
        x.run("xprop", "-id", str(logo), "-f", "_NET_WM_STRUT_PARTIAL", "32c", "-set",
              "_NET_WM_STRUT_PARTIAL", f"0,0,0,100,0,0,0,0,0,0,0,{SCREEN_W - 1}")
        wait_for(lambda: x.geometry(window) == (SCREEN_W - BAR_W, 0, BAR_W, SCREEN_H - 100),
                 what="the sidebar following the work area")
        x.screenshot(self.artefact("floating.png"))
        self.assertEqual(sidebar.stop(), 0)
        self.assertIn("IsAppBar=0", self.sandbox.read_settings())


if __name__ == "__main__":
    unittest.main()
