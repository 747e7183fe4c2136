#!/usr/bin/python3
"""The device page in a real headless browser: click through the Settings screen to the "Hide
Voicemail Tab" switch, watch the Phone screen change, and measure the time from the click to the
new dialer on screen. Every page and sheet of the pane is walked from the keyboard: each place has a
name of its own, focus lands on the new page's first place and Escape goes back. A tweak that
crashes the Phone app at every start makes the page say so until it is removed; narrow windows show
both screens whole; the browser's console stays free of errors. Then the page is reloaded again and
again, turned away when every stream is taken, and clicked while its Settings app has died: each
time the next click still brings a new dialer.

usage: device_page_test.py SIMULATOR DEVICE_FILES KILLALL CRASHING_TWEAK OUTPUT_DIR
"""

import os
import plistlib
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
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

PATIENCE = 30  # seconds; the machine may be busy
OUTPUT = None  # where screenshots go
CHROMIUM_FLAGS = ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--no-first-run", "--window-size=1400,1000"]
TWEAKS = "Library/MobileSubstrate/DynamicLibraries"
MAIL_ACCOUNTS = "var/mobile/Library/Mail/Accounts.plist"


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
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def console_errors(browser):
    """The errors the browser's console got since the last look."""
    return [entry for entry in browser.get_log("browser") if entry.get("level") == "SEVERE"]


def expect_clean_console(browser, during):
    errors = console_errors(browser)
    if errors:
        fail(f"the browser's console has errors {during}: {errors}")


def wait_for(browser, what, condition):
    try:
        # The page swaps whole pictures in, so an element read a moment ago may be gone. The page
        # measures its own figure; polling gently leaves the processor to the device meanwhile.
        return WebDriverWait(browser, PATIENCE, poll_frequency=0.25,
                             ignored_exceptions=[StaleElementReferenceException]).until(lambda _: condition())
    except Exception as error:
        fail(f"waited {PATIENCE} s for {what}: {type(error).__name__} {error}; "
             f"browser log: {browser.get_log('browser')}")


def target(browser, label, kinds=("switch", "row", "back", "heart", "button")):
    """The page's button over the place labelled `label`, preferring the kinds in order."""
    for kind in kinds:
        found = browser.find_elements(By.CSS_SELECTOR, f'#targets button[data-kind="{kind}"][aria-label="{label}"]')
        if found:
            return found[0]
    return None


def click(browser, label, kinds=("switch", "row", "back", "heart", "button")):
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


def keeps_the_bars_in_place(browser):
    """Scrolled to its foot, the Settings page still shows its bars at the top, with their buttons on them."""
    scrolled, back_top, back_on_top, bars = browser.execute_script("""
        const screen = document.getElementById('settings-screen');
        screen.scrollIntoView({block: 'start'});
        screen.scrollTop = screen.scrollHeight;
        const back = document.querySelector('#targets button[data-kind="back"]');
        const box = back.getBoundingClientRect();
        const hit = document.elementFromPoint(box.left + box.width / 2, box.top + box.height / 2);
        return [screen.scrollTop, box.top - screen.getBoundingClientRect().top, hit === back,
                getComputedStyle(document.getElementById('bars')).backgroundImage];
    """)
    if scrolled <= 0 or back_top != 20 or not back_on_top or "settings.png" not in bars:
        fail(f"the bars scroll away with the page (scrolled {scrolled}, back button at {back_top}, "
             f"on top: {back_on_top}, bars show {bars})")


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


def names(browser):
    return browser.execute_script(
        "return [...document.querySelectorAll('#targets button')].map(b => b.getAttribute('aria-label'))")


def focused_name(browser):
    return browser.execute_script(
        "const e = document.activeElement; return e && e.closest('#targets') ? e.getAttribute('aria-label') : null")


def expect_own_names(browser, page, expected):
    """Every place of the screen has a non-empty name no other place of it has, and `expected` are among them."""
    found = names(browser)
    if not found or any(not name or not name.strip() for name in found):
        fail(f"a place on {page} has no name: {found}")
    if len(set(found)) != len(found):
        fail(f"two places on {page} share a name: {found}")
    for name in expected:
        if name not in found:
            fail(f'{page} has no place named "{name}": {found}')


def press(browser, key, label=None):
    """Focuses the place named `label` (or keeps the focus) and presses `key`; the screen's version before."""
    version = browser.find_element(By.ID, "settings-page").get_attribute("data-version")
    if label is not None:
        button = wait_for(browser, f'"{label}" on the Settings screen', lambda: target(browser, label))
        browser.execute_script("arguments[0].focus()", button)
    browser.switch_to.active_element.send_keys(key)
    return version


def step(browser, key, label, page, first, expected=()):
    """A key on a place leads to `page`, whose places all have names of their own and whose first
    place, `first`, has the focus."""
    wait_for_new_screen(browser, press(browser, key, label))
    wait_for(browser, f'the focus on "{first}" of {page} (it is on {focused_name(browser)!r})',
             lambda: focused_name(browser) == first)
    expect_own_names(browser, page, (first,) + tuple(expected))


def walk_every_page(browser, root):
    """Every page and sheet of the pane from the keyboard, from the pane's first page and back to it."""
    step(browser, Keys.ENTER, "Settings", "the settings page", "Background",
         ("Status Bar/Background Colour", "Call Button/Background Colour", "Hide Voicemail Tab", "Back"))
    step(browser, Keys.ENTER, "Call Button/Background Colour", "the colour list", "Black", ("Red", "Back"))
    step(browser, Keys.ESCAPE, None, "the settings page again", "Background")
    step(browser, Keys.ESCAPE, None, "the pane's first page", "Settings", ("Credits", "Support", "Share", "Back to Settings"))
    step(browser, Keys.ENTER, "Credits", "the credits page", "Brannoc Vesk", ("Quillex", "Pelorwin", "Back"))
    step(browser, Keys.ESCAPE, None, "the pane's first page", "Settings")
    step(browser, Keys.ENTER, "Share", "the share sheet", "Cancel", ("Post",))
    step(browser, Keys.ESCAPE, None, "the pane's first page", "Settings")

    # Support on a device without a mail account opens nothing, and the page says why.
    status = browser.find_element(By.ID, "status")
    press(browser, Keys.ENTER, "Support")
    wait_for(browser, "the page to say the device has no mail account",
             lambda: f"this device has no mail account: {MAIL_ACCOUNTS}" in status.text)
    last = browser.find_element(By.ID, "last-event")
    wait_for(browser, "the last event to tell it", lambda: "no mail account" in last.text)
    if not browser.execute_script("const r = arguments[0].getBoundingClientRect(); "
                                  "return r.height > 0 && r.bottom <= innerHeight && r.right <= innerWidth", last):
        fail("the last event is not in view beside the screens")
    # With one, Support opens the composer.
    os.makedirs(os.path.dirname(os.path.join(root, MAIL_ACCOUNTS)), exist_ok=True)
    with open(os.path.join(root, MAIL_ACCOUNTS), "wb") as accounts:
        plistlib.dump({"Accounts": ["me@example.com"]}, accounts)
    step(browser, Keys.ENTER, "Support", "the mail composer", "Cancel", ("Send",))
    step(browser, Keys.ESCAPE, None, "the pane's first page", "Settings")
    os.remove(os.path.join(root, MAIL_ACCOUNTS))

    # A person's tap on the credits page shows beside the screens too.
    step(browser, Keys.ENTER, "Credits", "the credits page", "Brannoc Vesk")
    press(browser, Keys.ENTER, "Pelorwin")
    wait_for(browser, "the person's link in the last event", lambda: "opened" in last.text)
    step(browser, Keys.ESCAPE, None, "the pane's first page", "Settings")


def says_the_phone_app_crashes(browser, root, tweak):
    """A tweak that aborts at load: the page says the Phone app keeps crashing, with its last words,
    and stops saying so once the tweak is gone."""
    tweaks = os.path.join(root, TWEAKS)
    shutil.copy(tweak, os.path.join(tweaks, "CrashingTweak.dylib"))
    shutil.copy(os.path.join(tweaks, "Corvane.plist"), os.path.join(tweaks, "CrashingTweak.plist"))
    state = browser.find_element(By.ID, "phone-state")
    if state.get_attribute("aria-live") != "polite":
        fail("the Phone app's state is not read out as it changes")
    if not target(browser, "Hide Voicemail Tab", ("switch",)):
        wait_for_new_screen(browser, click(browser, "Settings", ("row",)))
    click(browser, "Hide Voicemail Tab", ("switch",))  # restarts the Phone app, which now loads the tweak
    wait_for(browser, "the page to say the Phone app crashes",
             lambda: re.search(r"crashed \d+ times in a row \(signal 6, SIGABRT", state.text))
    if not re.search(r"next start in [\d.]+ s", state.text):
        fail(f"the page does not say when the Phone app starts again: {state.text!r}")
    words = browser.find_element(By.ID, "last-words")
    wait_for(browser, "the tweak's last words", lambda: "CrashingTweak: cannot find the dialer" in words.text)
    if "restarting" not in browser.find_element(By.ID, "phone-screen").get_attribute("class"):
        fail("the old dialer is not dimmed while the Phone app crashes")
    browser.save_screenshot(os.path.join(OUTPUT, "crashing.png"))

    os.remove(os.path.join(tweaks, "CrashingTweak.dylib"))
    os.remove(os.path.join(tweaks, "CrashingTweak.plist"))
    wait_for(browser, "the crash message to go", lambda: state.text == "" and not words.is_displayed())


def lays_out_narrow_windows(browser):
    """At a phone's width both screens stand whole in the window, and nothing scrolls sideways."""
    for width in (400, 320):
        browser.set_window_size(width, 1000)
        wait_for(browser, f"the page laid out {width} wide", lambda: browser.execute_script("return innerWidth") <= width)
        fits = browser.execute_script("""
            const inside = id => { const r = document.getElementById(id).getBoundingClientRect();
                                   return r.left >= 0 && r.right <= innerWidth; };
            return [document.documentElement.scrollWidth <= innerWidth, inside('phone-screen'), inside('settings-screen')];
        """)
        if not all(fits):
            fail(f"the page does not fit {width} px (no sideways scroll, Phone screen, Settings screen): {fits}")
        browser.save_screenshot(os.path.join(OUTPUT, f"device-page-{width}.png"))
    browser.set_window_size(1400, 1000)


def keeps_event_times(browser):
    """The lines replayed after a reload carry the times their events happened, not the reload's."""
    oldest = "return [...document.querySelectorAll('#events li time')].map(t => t.dateTime)"
    before = browser.execute_script(oldest)
    browser.refresh()
    wait_for_page(browser, "a reload")
    after = wait_for(browser, "the replayed lines", lambda: (lambda t: t if len(t) >= len(before) else None)(
        browser.execute_script(oldest)))
    if after[-len(before):] != before:
        fail(f"the replayed lines carry other times: {before} then {after}")


def says_the_phone_screen_is_a_picture(browser):
    browser.find_element(By.ID, "dialer").click()
    status = browser.find_element(By.ID, "status")
    wait_for(browser, "the page to say the dialer is a picture", lambda: "Phone app's picture" in status.text)


def stop_simulator(process):
    """SIGTERM, as Ctrl-C in the simulator script sends; its exit status."""
    process.send_signal(signal.SIGTERM)
    try:
        return process.wait(timeout=PATIENCE)
    except subprocess.TimeoutExpired:
        process.kill()
        return "none (killed)"


def outlives_its_visitors(browser, url, root):
    """Reloads, a stream turned away, and a Settings app that died: the next click still works."""
    for _ in range(20):
        browser.refresh()
    wait_for_page(browser, "20 reloads")
    flip_and_measure(browser, "Hide Voicemail Tab")

    # Every stream taken elsewhere: the page is turned away and waits, then gets one once they go.
    # (The refused stream is an error in the console, as it should be.)
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
    # The click's answer may come a moment after the new screen it brought.
    wait_for(browser, "the page to say the Settings app was replaced", lambda: "a new one took the click" in status.text)


def main():
    global OUTPUT
    if len(sys.argv) != 6:
        fail(__doc__)
    simulator, device_files, killall, tweak, output = sys.argv[1:]
    OUTPUT = output
    os.makedirs(output, exist_ok=True)
    scratch = tempfile.mkdtemp(prefix="corvane-browser-")
    root, profile = os.path.join(scratch, "device"), os.path.join(scratch, "profile")
    make_device(device_files, killall, root)
    process, url = start_simulator(simulator, root)
    browser = None
    status = "none (it ended by itself)"
    try:
        browser = start_browser(profile)
        browser.get(url)
        wait_for(browser, "the first dialer", lambda: browser.find_element(By.ID, "dialer").get_attribute("src"))
        dialer_before = tab_bar_pixels(browser)
        alt_before = browser.find_element(By.ID, "dialer").get_attribute("alt")
        if "without the Voicemail tab" in alt_before:
            fail(f"the Voicemail tab is gone before any change: {alt_before}")

        keeps_event_times(browser)
        says_the_phone_screen_is_a_picture(browser)
        walk_every_page(browser, root)

        # The session starts on the pane; back to the Settings list, then through the pane.
        wait_for_new_screen(browser, click(browser, "Back to Settings", ("back",)))
        wait_for_new_screen(browser, click(browser, "Corvane", ("row",)))
        wait_for_new_screen(browser, click(browser, "Settings", ("row",)))
        first = flip_and_measure(browser, "Hide Voicemail Tab")
        keeps_the_bars_in_place(browser)
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
        says_the_phone_app_crashes(browser, root, tweak)
        lays_out_narrow_windows(browser)
        expect_clean_console(browser, "before the page's streams are turned away")
        outlives_its_visitors(browser, url, root)
        print(f"screenshots: {output}")

        # The device ends while the page is open: the page says so, and not that it waits.
        status = stop_simulator(process)
        state = browser.find_element(By.ID, "phone-state")
        wait_for(browser, "the page to say the device has ended", lambda: state.text == "The device has ended.")
        if "Waiting" in browser.find_element(By.ID, "status").text:
            fail("the page says it waits for a device that has ended")
    finally:
        if browser:
            browser.quit()
        if process.poll() is None:
            status = stop_simulator(process)
        shutil.rmtree(scratch, ignore_errors=True)
    if status != 0:
        fail(f"the Simulator ended with status {status}")
    print("PASS")


if __name__ == "__main__":
    main()
