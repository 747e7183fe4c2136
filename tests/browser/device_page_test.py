#!/usr/bin/python3
"""The device page in a real headless browser: click through the Settings screen to the "Hide
Voicemail Tab" switch, watch the Phone screen change, and measure the time from the click to the
new dialer on screen. Then the page is reloaded again and again, turned away when every stream is
taken, and clicked while its Settings app has died: each time the next click still brings a new
dialer.

usage: device_page_test.py SIMULATOR DEVICE_FILES KILLALL OUTPUT_DIR
"""

import os
import re
import shutil
import signal
import socket
import statistics
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.common.exceptions import StaleElementReferenceException
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

PATIENCE = 30  # seconds; the machine may be busy
CHROMIUM_FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--no-first-run", "--window-size=1000,1000"]


def fail(message):
    print(f"FAIL: {message}", file=sys.stderr)
    sys.exit(1)


def make_device(device_files, killall, into):
    shutil.copytree(device_files, into, dirs_exist_ok=True)
    os.makedirs(os.path.join(into, "usr/bin"), exist_ok=True)
    shutil.copy(killall, os.path.join(into, "usr/bin/killall"))


def start_simulator(simulator, root):
    process = subprocess.Popen([simulator, "--root", root], stdout=subprocess.PIPE, text=True)
    line = process.stdout.readline()
    match = re.search(r"http://\S+", line)
    if not match:
        process.kill()
        fail(f"the Simulator printed no address: {line!r}")
    return process, match.group(0)


def start_browser(profile):
    options = webdriver.ChromeOptions()
    for flag in CHROMIUM_FLAGS + [f"--user-data-dir={profile}"]:
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def wait_for(browser, what, condition):
    try:
        # The page swaps whole pictures in, so an element read a moment ago may be gone. The page
        # measures its own figure; polling gently leaves the processor to the device meanwhile.
        return WebDriverWait(browser, PATIENCE, poll_frequency=0.25,
                             ignored_exceptions=[StaleElementReferenceException]).until(lambda _: condition())
    except Exception as error:
        fail(f"waited {PATIENCE} s for {what}: {type(error).__name__} {error}; "
             f"browser log: {browser.get_log('browser')}")


def target(browser, label, kinds=("switch", "row", "back")):
    """The page's button over the place labelled `label`, preferring the kinds in order."""
    for kind in kinds:
        found = browser.find_elements(By.CSS_SELECTOR, f'#targets button[data-kind="{kind}"][aria-label="{label}"]')
        if found:
            return found[0]
    return None


def click(browser, label, kinds=("switch", "row", "back")):
    """Scrolls the Settings screen to the place and clicks it, as a person would."""
    for _ in range(5):
        version = browser.find_element(By.ID, "settings-page").get_attribute("data-version")
        button = wait_for(browser, f'"{label}" on the Settings screen', lambda: target(browser, label, kinds))
        try:
            browser.execute_script("arguments[0].scrollIntoView({block: 'center'})", button)
            button.click()
            return version
        except StaleElementReferenceException:
            continue  # the screen was drawn again in between: find the place anew
    fail(f'"{label}" kept moving on the Settings screen')


def wait_for_new_screen(browser, version):
    wait_for(browser, "the Settings screen to be drawn again",
             lambda: browser.find_element(By.ID, "settings-page").get_attribute("data-version") != version)


def tab_bar_pixels(browser):
    """The bottom 49 points of the dialer on screen, read back through a canvas."""
    return browser.execute_script("""
        const picture = document.getElementById('dialer');
        const canvas = document.createElement('canvas');
        canvas.width = picture.naturalWidth;
        canvas.height = picture.naturalHeight;
        const context = canvas.getContext('2d');
        context.drawImage(picture, 0, 0);
        const top = Math.round(picture.naturalHeight * (519 / 568));
        return Array.from(context.getImageData(0, top, canvas.width, canvas.height - top).data).join(',');
    """)


def flip_and_measure(browser, label):
    """Clicks a switch that restarts the Phone app; the browser's figure for the new dialer, in ms."""
    browser.execute_script("const f = document.getElementById('tap-ms'); delete f.dataset.ms;")
    version = click(browser, label, ("switch", "row"))
    figure = wait_for(browser, "the new dialer on the Phone screen",
                      lambda: browser.find_element(By.ID, "tap-ms").get_attribute("data-ms"))
    wait_for_new_screen(browser, version)
    return int(figure)


def wait_for_page(browser, after):
    """A freshly loaded page has its stream: the event list and the Settings screen's places."""
    wait_for(browser, f"the page's stream after {after}", lambda: browser.find_elements(By.CSS_SELECTOR, "#events li")
             and browser.find_elements(By.CSS_SELECTOR, "#targets button"))


def hold_every_stream(url, count):
    """Streams opened and kept, as other tabs would; each has its first bytes read."""
    address = re.match(r"http://([^/:]+):(\d+)/", url)
    held = []
    for _ in range(count):
        connection = socket.create_connection((address.group(1), int(address.group(2))), timeout=PATIENCE)
        connection.sendall(f"GET /events HTTP/1.1\r\nHost: {address.group(1)}:{address.group(2)}\r\n\r\n".encode())
        first = connection.recv(64)
        if not first.startswith(b"HTTP/1.1 200"):
            fail(f"a stream to hold was turned away: {first!r}")
        held.append(connection)
    return held


def settings_app(root):
    """The pid of the device's Settings app."""
    wanted = f"SIMULATOR_ROOT={os.path.realpath(root)}".encode()
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/comm") as comm, open(f"/proc/{pid}/environ", "rb") as environ:
                if comm.read().strip() == "Preferences" and wanted in environ.read().split(b"\0"):
                    return int(pid)
        except OSError:
            continue
    fail("the device has no Settings app")


def outlives_its_visitors(browser, url, root):
    """Reloads, a stream turned away, and a Settings app that died: the next click still works."""
    for _ in range(20):
        browser.refresh()
    wait_for_page(browser, "20 reloads")
    flip_and_measure(browser, "Hide Voicemail Tab")

    # Every stream taken elsewhere: the page is turned away and waits, then gets one once they go.
    browser.get("about:blank")
    held = hold_every_stream(url, 8)
    browser.get(url)
    status = browser.find_element(By.ID, "status")
    wait_for(browser, "the page to say it waits", lambda: "Waiting for the device" in status.text)
    for connection in held:
        connection.close()
    wait_for_page(browser, "being turned away")
    wait_for(browser, "the waiting notice to go", lambda: "Waiting" not in status.text)
    flip_and_measure(browser, "Hide Voicemail Tab")

    os.kill(settings_app(root), signal.SIGKILL)
    flip_and_measure(browser, "Hide Voicemail Tab")
    if "a new one took the click" not in status.text:
        fail(f"the page did not say the Settings app was replaced: {status.text!r}")


def main():
    if len(sys.argv) != 5:
        fail(__doc__)
    simulator, device_files, killall, output = sys.argv[1:]
    os.makedirs(output, exist_ok=True)
    scratch = tempfile.mkdtemp(prefix="corvane-browser-")
    root, profile = os.path.join(scratch, "device"), os.path.join(scratch, "profile")
    make_device(device_files, killall, root)
    process, url = start_simulator(simulator, root)
    browser = None
    try:
        browser = start_browser(profile)
        browser.get(url)
        wait_for(browser, "the first dialer", lambda: browser.find_element(By.ID, "dialer").get_attribute("src"))
        dialer_before = tab_bar_pixels(browser)
        alt_before = browser.find_element(By.ID, "dialer").get_attribute("alt")
        if "without the Voicemail tab" in alt_before:
            fail(f"the Voicemail tab is gone before any change: {alt_before}")

        # The session starts on the pane; back to the Settings list, then through the pane.
        wait_for_new_screen(browser, click(browser, "Settings", ("back",)))
        wait_for_new_screen(browser, click(browser, "Corvane", ("row",)))
        wait_for_new_screen(browser, click(browser, "Settings", ("row",)))
        first = flip_and_measure(browser, "Hide Voicemail Tab")
        wait_for(browser, "the dialer without its Voicemail tab",
                 lambda: "without the Voicemail tab" in browser.find_element(By.ID, "dialer").get_attribute("alt"))
        if tab_bar_pixels(browser) == dialer_before:
            fail("the Phone screen's tab bar did not change")
        browser.find_element(By.ID, "phone-screen").screenshot(os.path.join(output, "phone-screen.png"))
        browser.find_element(By.ID, "settings-screen").screenshot(os.path.join(output, "settings-screen.png"))
        browser.save_screenshot(os.path.join(output, "device-page.png"))

        events = [item.get_attribute("data-event") for item in browser.find_elements(By.CSS_SELECTOR, "#events li")]
        for expected in ("stored", "posted", "system", "exited", "launched", "dialer"):
            if expected not in events:
                fail(f"the event list has no '{expected}' line: {events}")

        # A few more round trips for a steadier figure.
        figures = [first] + [flip_and_measure(browser, "Hide Voicemail Tab") for _ in range(4)]
        print(f"click to new dialer: first {first} ms, median of {len(figures)} "
              f"{statistics.median(figures):.0f} ms, all {figures}")
        outlives_its_visitors(browser, url, root)
        print(f"screenshots: {output}")
    finally:
        if browser:
            browser.quit()
        process.send_signal(signal.SIGTERM)
        try:
            status = process.wait(timeout=PATIENCE)
        except subprocess.TimeoutExpired:
            process.kill()
            status = "none (killed)"
        shutil.rmtree(scratch, ignore_errors=True)
    if status != 0:
        fail(f"the Simulator ended with status {status}")
    print("PASS")


if __name__ == "__main__":
    main()
