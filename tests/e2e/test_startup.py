"""Start-up, single instance, exit through signals and the first-run rule."""

import os
import signal
import subprocess
import time
import unittest

from lfharness import SidebarTestCase, wait_for

FRESH_SETTINGS = """[Weather]
WeatherUnits=C
CityID=
CityName=
WeatherInterval=1200000

[News]
DefLanguage=Caribbean
NewsUpdateInterval=1200000
TimeZone=0

[Search]
PagesPer=15

[Nodes]
CurrNode=Put Your Text Here...

[MainForm]
ClockShowing=1
WeatherShowing=1
NewsShowing=1
AdShowing={ads}
RunWhithWindows=1
IsAppBar=1

[Indexation]
IndexPrio=1

[Sheduler]
PrevPeriod=PDay
ReminderEnable=1
"""


class StartupTest(SidebarTestCase):
    def test_fresh_start_shows_the_sidebar_and_sigterm_writes_complete_settings(self):
        x = self.start_x(1280, 1024)
        sidebar = self.start_sidebar(x)
        window = sidebar.wait_for_window()
        geometry = x.geometry(window)
        self.assertEqual(geometry[2], 217)
        self.assertEqual(geometry[0] + geometry[2], 1280)
        x.screenshot(self.artefact("startup-1280x1024.png"))
        self.assertFalse(os.path.exists(self.sandbox.settings_file))
        self.assertTrue(os.path.exists(os.path.join(self.sandbox.program_dir, "Temp.ini")))

        self.assertEqual(sidebar.stop(signal.SIGTERM), 0)
        self.assertEqual(self.sandbox.read_settings(), FRESH_SETTINGS.format(ads=1))

    def test_second_start_ends_at_once_and_leaves_the_first_alone(self):
        x = self.start_x()
        first = self.start_sidebar(x)
        window = first.wait_for_window()

        started = time.monotonic()
        second = subprocess.run([self.sandbox.executable], env=self.sandbox.env(x.display),
                                capture_output=True, timeout=20)
        self.assertEqual(second.returncode, 0)
        self.assertLess(time.monotonic() - started, 10)
        self.assertEqual(x.find_windows("Lanternfly Desktop"), [window])
        self.assertIsNone(first.proc.poll())
        # SIGINT and SIGHUP end it through the same path as SIGTERM.
        self.assertEqual(first.stop(signal.SIGINT), 0)
        self.assertIn("AdShowing=1", self.sandbox.read_settings())

    def test_first_run_on_a_small_screen_hides_the_adverts_once(self):
        x = self.start_x(1024, 768)
        sidebar = self.start_sidebar(x)
        sidebar.wait_for_window()
        x.screenshot(self.artefact("startup-1024x768.png"))
        self.assertEqual(sidebar.stop(signal.SIGHUP), 0)
        self.assertIn("AdShowing=0", self.sandbox.read_settings())

        # The user switches the adverts back on; the rule never runs again.
        self.sandbox.write_settings(self.sandbox.read_settings().replace(
            "AdShowing=0", "AdShowing=1"))
        again = self.start_sidebar(x)
        again.wait_for_window()
        self.assertEqual(again.stop(), 0)
        self.assertIn("AdShowing=1", self.sandbox.read_settings())

    def test_read_only_settings_file_is_kept_and_the_error_announced(self):
        original = "[Weather]\nCityName=Oslo\n; the user's own notes\n"
        self.sandbox.write_settings(original)
        os.chmod(self.sandbox.settings_file, 0o444)
        x = self.start_x()
        sidebar = self.start_sidebar(x)
        sidebar.wait_for_window()
        self.assertEqual(sidebar.stop(), 0)
        self.assertIn("balloon: Error! | Unable to write to " + self.sandbox.settings_file,
                      sidebar.log())
        self.assertEqual(self.sandbox.read_settings(), original)


if __name__ == "__main__":
    unittest.main()
