"""Weather, news and adverts from local stand-in services, then offline from the caches."""

import http.server
import os
import threading
import unittest

from lfharness import SidebarTestCase, wait_for

FIXTURES = os.path.join(os.path.dirname(__file__), "..", "feeds", "fixtures")
ADVERTS = (b"<ads><a><TITLE>Lanternfly Desktop 2 is out</TITLE><LINK>http://x/1</LINK>"
           b"<CONTENT>Faster search, new weather pictures.</CONTENT></a><b><TITLE>Tips and "
           b"tricks</TITLE><LINK>http://x/2</LINK><CONTENT>Right-click any panel for its "
           b"options.</CONTENT></b></ads>")


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def read_fixture(name):
    return read_bytes(os.path.join(FIXTURES, name))


class StandIn(http.server.ThreadingHTTPServer):
    """The weather, news and advert services on one loopback port."""

    def __init__(self):
        answers = {
            "/weather/local/ABCD0001": read_fixture("weather.xml"),
            "/news.rss": read_fixture("rss-real-world.xml"),
            "/lfdesktop/advert/index.php": ADVERTS,
        }

        class Handler(http.server.BaseHTTPRequestHandler):
            def do_GET(self):
                body = answers.get(self.path.split("?", 1)[0])
                self.send_response(200 if body else 404)
                self.send_header("Content-Type", "text/xml")
                self.send_header("Content-Length", str(len(body or b"")))
                self.end_headers()
                self.wfile.write(body or b"")

            def log_message(self, *args):
                pass

        super().__init__(("127.0.0.1", 0), Handler)
        self.thread = threading.Thread(target=self.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        self.shutdown()
        self.server_close()


class FeedsTest(SidebarTestCase):
    def test_feeds_fill_the_panels_and_the_caches_stand_in_when_offline(self):
        standin = StandIn()
        self.addCleanup(standin.stop)
        host = f"127.0.0.1:{standin.server_port}"
        self.sandbox.write_settings(
            "[Weather]\nCityID=ABCD0001\n[News]\nTimeZone=2\n"
            f"[Services]\nWeatherHost={host}\nAdvertHost={host}\nWeatherSiteHost={host}\n"
            f"ProbeHost=127.0.0.1\nProbePort={standin.server_port}\nNewsFeed=http://{host}/news.rss\n")
        caches = [os.path.join(self.sandbox.program_dir, name)
                  for name in ("Weater.xml", "News.xml", "Adv.xml")]

        x = self.start_x()
        sidebar = self.start_sidebar(x)
        sidebar.wait_for_window()
        wait_for(lambda: all(os.path.exists(c) for c in caches), timeout=20,
                 what="the three caches written after good downloads")
        x.screenshot(self.artefact("feeds-online.png"))
        self.assertNotIn("balloon:", sidebar.log())
        self.assertEqual(sidebar.stop(), 0)
        # Save never writes the hand-edited section and keeps it.
        self.assertIn(f"[Services]\nWeatherHost={host}\n", self.sandbox.read_settings())

        # Offline: the probe's port is closed; the caches are shown and kept.
        standin.stop()
        before = [read_bytes(c) for c in caches]
        offline = self.start_sidebar(x)
        offline.wait_for_window()
        offline.wait_for_log(r"balloon: Error of recieving weather! \| Bad connection to Internet"
                             r"\\nPlease, check up connection to the Internet\.\\nLast successful "
                             r"downloaded weather used\.", timeout=20)
        x.screenshot(self.artefact("feeds-offline.png"))
        self.assertEqual(offline.stop(), 0)
        self.assertEqual([read_bytes(c) for c in caches], before)


if __name__ == "__main__":
    unittest.main()
