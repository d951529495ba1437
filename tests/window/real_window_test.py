#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The real window as a person meets it.

Starts the built application under Xvfb with a D-Bus session of its own and
the AT-SPI bus a screen reader uses, on temporary XDG directories holding a
cache made from a local page, with a fake xdg-open first in PATH that logs
what it is handed. Drives it with xdotool (keys, clicks) and reads it as a
screen reader does (the focused object, names, roles, states, positions);
screenshots show focus rings. Every process it starts is ended.

usage: real_window_test.py KAVO KAVO_CATALOG PAGE [FLOW ...]
"""
import json, os, shutil, signal, struct, subprocess, sys, tempfile, time, traceback, uuid, zlib

KAVO, TOOL, PAGE = sys.argv[1:4]
ONLY = sys.argv[4:]
WORK = tempfile.mkdtemp(prefix="kavo-window-")
SHOTS = os.environ.get("KAVO_WINDOW_SHOTS", os.path.join(WORK, "shots"))
processes = []


def spawn(arguments, **options):
    process = subprocess.Popen(arguments, start_new_session=True, **options)
    processes.append(process)
    return process


def end(process):
    if process.poll() is None:
        os.killpg(process.pid, signal.SIGTERM)
        try:
            process.wait(5)
        except subprocess.TimeoutExpired:
            os.killpg(process.pid, signal.SIGKILL)
            process.wait()


def wait_for(condition, what, timeout=10.0):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(0.05)


# ---------------------------------------------------------------- the desktop

def start_desktop():
    """An X server, a D-Bus session and the accessibility bus, with a screen reader said to be on."""
    read, write = os.pipe()
    spawn(["Xvfb", "-displayfd", str(write), "-screen", "0", "1400x900x24", "-nolisten", "tcp", "-noreset"],
          pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    os.environ["DISPLAY"] = ":" + os.read(read, 32).decode().strip()
    bus = spawn(["dbus-daemon", "--session", "--nofork", "--print-address"], stdout=subprocess.PIPE,
                stderr=subprocess.DEVNULL, text=True)
    os.environ["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    spawn(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"], stderr=subprocess.DEVNULL)
    wait_for(lambda: subprocess.run(
        ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
         "org.freedesktop.DBus.Properties.Set", "string:org.a11y.Status", "string:ScreenReaderEnabled",
         "variant:boolean:true"], capture_output=True).returncode == 0, "the accessibility bus")


start_desktop()
import pyatspi  # noqa: E402  (it connects to the bus named above)


# ---------------------------------------------------------------- the application

def catalogue_cache(page_path):
    return subprocess.run([TOOL, "parse", page_path], check=True, capture_output=True).stdout


def personal(records, stamp):
    return json.dumps([dict(id=str(uuid.uuid4()).upper(), name=name, url=url, **extra, **{stamp: 800_000_000.0 - i})
                       for i, (name, url, extra) in enumerate(records)])


class App:
    """One kavo process on fresh directories."""

    def __init__(self, width=480, height=800, lang="C.UTF-8", page=PAGE, history=(), favorites=(), arguments=(),
                 downloaded=False):
        self.home = tempfile.mkdtemp(dir=WORK)
        cache = os.path.join(self.home, "cache", "kavo")
        os.makedirs(cache)
        with open(os.path.join(cache, "kavo_categories.json"), "wb") as out:
            out.write(catalogue_cache(page) + (b"\n" if downloaded else b""))  # a download's cache ends so
        # Written where earlier versions kept them: the application moves them to its data directory.
        with open(os.path.join(cache, "kavo_history.json"), "w") as out:
            out.write(personal([(n, u, {}) for n, u in history], "viewedAt"))
        with open(os.path.join(cache, "kavo_favorites.json"), "w") as out:
            out.write(personal([(n, u, {"badge": "none"}) for n, u in favorites], "addedAt"))
        bin_dir = os.path.join(self.home, "bin")
        os.makedirs(bin_dir)
        self.log = os.path.join(self.home, "xdg-open.log")
        with open(os.path.join(bin_dir, "xdg-open"), "w") as opener:
            opener.write(f'#!/bin/sh\nprintf "%s\\n" "$*" >> "{self.log}"\n')
        os.chmod(os.path.join(bin_dir, "xdg-open"), 0o755)
        runtime = os.path.join(self.home, "runtime")
        os.makedirs(runtime, mode=0o700)
        environment = dict(os.environ, PATH=bin_dir + ":" + os.environ["PATH"], QT_QPA_PLATFORM="xcb",
                           XDG_CACHE_HOME=os.path.join(self.home, "cache"),
                           XDG_DATA_HOME=os.path.join(self.home, "data"),
                           XDG_CONFIG_HOME=os.path.join(self.home, "config"), XDG_RUNTIME_DIR=runtime,
                           LANG=lang, LC_ALL=lang, LANGUAGE="", QT_QUICK_CONTROLS_MATERIAL_THEME="Light")
        self.stderr = open(os.path.join(self.home, "stderr.log"), "w+")
        self.process = spawn([KAVO, *arguments], env=environment, stdout=subprocess.DEVNULL, stderr=self.stderr)
        self.window = wait_for(self.find_window, "the window").split()[0]
        self.resize(width, height)
        self.xdotool("windowfocus", "--sync", self.window)
        self.root = wait_for(self.accessible_root, "the application on the accessibility bus")
        wait_for(lambda: self.focused() is not None, "the keyboard in the window")

    def find_window(self):
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid), "--name", "KAVO"],
                               capture_output=True, text=True)
        return found.stdout.strip()

    def accessible_root(self):
        for application in pyatspi.Registry.getDesktop(0):
            if application is not None and application.get_process_id() == self.process.pid:
                return application
        return None

    def close(self):
        end(self.process)
        self.stderr.close()

    # -- input
    def xdotool(self, *arguments):
        subprocess.run(["xdotool", *arguments], check=True)

    def keys(self, *keys):
        for key in keys:
            self.xdotool("key", "--clearmodifiers", key)
            time.sleep(0.12)
        time.sleep(0.25)

    def type(self, text):
        self.xdotool("type", "--delay", "40", text)
        time.sleep(0.3)

    def click(self, x, y, button=1, hold=0.0):
        self.xdotool("mousemove", str(int(x)), str(int(y)))
        if hold:
            self.xdotool("mousedown", str(button))
            time.sleep(hold)
            self.xdotool("mouseup", str(button))
        else:
            self.xdotool("click", str(button))
        time.sleep(0.5)

    def click_on(self, accessible, button=1, hold=0.0, dx=None):
        x, y, w, h = extents(accessible)
        self.click(x + (w // 3 if dx is None else dx), y + h // 2, button, hold)

    def resize(self, width, height):
        self.xdotool("windowsize", "--sync", self.window, str(width), str(height))
        time.sleep(0.4)

    # -- what the window shows and says
    def opened(self):
        return open(self.log).read().split() if os.path.exists(self.log) else []

    def messages(self):
        self.stderr.seek(0)
        return self.stderr.read()

    def focused(self):
        """The deepest focused object shown, as (role, name), or None."""
        nodes = self.all(showing=True, state=pyatspi.STATE_FOCUSED)
        return (nodes[-1].getRoleName(), nodes[-1].name) if nodes else None

    def all(self, role=None, name=None, showing=None, state=None):
        """Every object of the window, depth first, of a role and name, shown or not, in a state (when given)."""
        out = []

        def visit(node):
            try:
                states = node.getState()
                if (role is None or node.getRoleName() == role) and (name is None or node.name == name) and \
                        (showing is None or states.contains(pyatspi.STATE_SHOWING) == showing) and \
                        (state is None or states.contains(state)):
                    out.append(node)
                for child in node:
                    if child is not None:
                        visit(child)
            except Exception:
                pass
        visit(self.root)
        return out

    def one(self, role, name, timeout=5.0):
        return wait_for(lambda: next(iter(self.all(role, name, showing=True)), None), f"{role} '{name}'", timeout)

    def screenshot(self, name):
        """The screen as rows of (r, g, b); also saved as a PNG under SHOTS."""
        raw = subprocess.run(["xwd", "-root", "-silent"], check=True, capture_output=True).stdout
        fields = struct.unpack(">25I", raw[:100])
        header_size, width, height, byte_order, bits, line_bytes, colours = (
            fields[0], fields[4], fields[5], fields[7], fields[11], fields[12], fields[19])
        step, order = bits // 8, "little" if byte_order == 0 else "big"
        pixels = raw[header_size + 12 * colours:]
        rows = []
        for y in range(height):
            line = pixels[y * line_bytes:(y + 1) * line_bytes]
            values = (int.from_bytes(line[x * step:(x + 1) * step], order) for x in range(width))
            rows.append([(v >> 16 & 255, v >> 8 & 255, v & 255) for v in values])
        os.makedirs(SHOTS, exist_ok=True)
        png_rows = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in rows)
        chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)
        with open(os.path.join(SHOTS, name + ".png"), "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                      + chunk(b"IDAT", zlib.compress(png_rows)) + chunk(b"IEND", b""))
        return rows


def extents(accessible):
    box = accessible.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return box.x, box.y, box.width, box.height


def ring_around(rows, accessible, colour, tolerance=40):
    """Whether a focus ring of `colour` is drawn along the left edge of the object."""
    x, y, w, h = extents(accessible)
    column = [rows[row][x + 2] for row in range(y + 6, y + h - 6)]
    near = sum(1 for pixel in column if all(abs(a - b) <= tolerance for a, b in zip(pixel, colour)))
    return near >= len(column) * 0.8


def actions(accessible):
    action = accessible.queryAction()
    return [action.getName(i) for i in range(action.nActions)]


def press(accessible):
    """What a screen reader does to activate an object."""
    accessible.queryAction().doAction(actions(accessible).index("Press"))


def audit(app):
    """What a screen reader would stumble on among the objects shown, as "role 'name': why"."""
    problems = []
    acting = ("push button", "list item", "menu item", "link")
    named = acting + ("text", "popup menu", "dialog", "list", "label")

    def visit(node):
        try:
            if not node.getState().contains(pyatspi.STATE_SHOWING):
                return
            role, name = node.getRoleName(), node.name.strip()
            where = f"{role} '{name}': "
            if role in named and not name:
                problems.append(where + "no name")
            if role in acting and "Press" not in actions(node):
                problems.append(where + "no press action")
            if role in ("scroll bar", "unknown", "page tab list", "filler"):
                problems.append(where + "no role a reader knows, or decoration")
            for child in node:
                if child is not None:
                    visit(child)
        except NotImplementedError:
            problems.append(f"{node.getRoleName()} '{node.name}': no actions")
    visit(app.root)
    return problems


ACCENT = (0x3F, 0x51, 0xB5)
WHITE = (0xFF, 0xFF, 0xFF)


# ---------------------------------------------------------------- the flows

def flow_start_has_the_keyboard_and_a_search_that_finds_nothing_says_so():
    app = App()
    assert app.focused() == ("text", "Search entries"), app.focused()
    app.type("zzqx")
    app.one("label", "No results")
    app.one("label", 'No entries match "zzqx"')
    app.keys("Tab", "Return")  # "Clear Search"
    wait_for(lambda: app.all("list item", "Music", showing=True), "the catalogue back")
    app.close()
    german = App(lang="de_DE.UTF-8")
    german.type("zzqx")
    german.one("label", "Keine Ergebnisse")
    german.close()


def flow_a_right_click_opens_nothing_and_a_menu():
    app = App(history=[("Isle Sounds", "https://isle.example.org/")],
              favorites=[("Juniper Choir", "https://juniper.example.org/")])
    for row in ("Isle Sounds", "Juniper Choir"):
        app.click_on(app.one("list item", row), button=3)
        app.one("popup menu", row)
        app.keys("Escape")
        app.click_on(app.one("list item", row), hold=1.2)  # a long press
        app.one("popup menu", row)
        app.keys("Escape")
    assert app.opened() == [], app.opened()
    app.click_on(app.one("list item", "Juniper Choir"))
    assert app.opened() == ["https://juniper.example.org/"], app.opened()
    app.close()


def flow_the_entry_menu_opens_after_its_rows_were_made_anew():
    app = App(width=1280)
    # The menu opened from a row of "Film & Video", whose rows are then made
    # anew by opening "Music" and "Film & Video" again.
    app.keys("ctrl+f", "Down", "Right", "Menu")
    app.one("popup menu", "Aurora Reels")
    app.keys("Escape", "Left", "Down", "Right", "Left", "Up", "Right")
    app.click_on(app.one("list item", "Borealis Cinema"), button=3)
    app.one("popup menu", "Borealis Cinema")
    app.keys("Escape")
    app.click_on(app.one("list item", "Cirrus Screenings"), hold=1.2)
    app.one("popup menu", "Cirrus Screenings")
    app.keys("Escape")
    assert "cannot find any window" not in app.messages(), app.messages()
    assert app.opened() == [], app.opened()
    app.close()


def flow_removing_a_favourite_by_its_menu_hands_the_keyboard_on():
    app = App(favorites=[("Isle Sounds", "https://isle.example.org/"),
                         ("Juniper Choir", "https://juniper.example.org/")])
    app.keys("Down")
    assert app.focused() == ("list item", "Isle Sounds"), app.focused()
    app.keys("Menu", "Down", "Down", "Down", "Return")  # "Remove from Favorites"
    wait_for(lambda: not app.all("list item", "Isle Sounds"), "the favourite to go")
    assert app.focused() == ("list item", "Juniper Choir"), app.focused()
    app.keys("Down")
    assert app.focused() == ("list item", "Film & Video"), app.focused()
    app.close()


def flow_focus_shows_a_ring_wherever_the_keyboard_goes():
    app = App()
    app.keys("Tab")  # from the search field: a row, not a header
    assert app.focused() == ("list item", "Film & Video"), app.focused()
    app.keys("shift+Tab", "shift+Tab", "shift+Tab", "Return")  # the gear
    wait_for(lambda: app.focused() == ("push button", "Force Refresh"), "the sheet's first action")
    assert ring_around(app.screenshot("sheet-opened"), app.one("push button", "Force Refresh"), ACCENT)
    app.keys("Tab", "Return")  # "Clear Cache", then its alert
    wait_for(lambda: app.focused() == ("push button", "Cancel"), "the alert's Cancel")
    app.keys("Return")
    wait_for(lambda: app.focused() == ("push button", "Clear Cache"), "the keyboard back on Clear Cache")
    assert ring_around(app.screenshot("alert-cancelled"), app.one("push button", "Clear Cache"), ACCENT)
    app.keys("Escape")
    wait_for(lambda: app.focused() == ("push button", "Settings"), "the keyboard back on the gear")
    assert ring_around(app.screenshot("sheet-closed"), app.one("push button", "Settings"), WHITE)
    app.close()


def flow_space_and_enter_open_an_entry_once():
    app = App()
    app.keys("Down", "Return")  # into "Film & Video", on its first entry
    wait_for(lambda: app.focused() == ("list item", "Aurora Reels"), "the first entry")
    app.keys("space")
    app.keys("Down", "Return")
    assert app.opened() == ["https://aurora.example.org/", "https://borealis.example.org/"], app.opened()
    row = app.one("list item", "Cirrus Screenings")
    x, y, w, h = extents(row)
    app.xdotool("mousemove", str(x + w // 3), str(y + h // 2), "click", "--repeat", "2", "--delay", "80", "1")
    time.sleep(0.5)
    assert app.opened()[2:] == ["https://cirrus.example.org/"], app.opened()  # a double click opens once
    app.close()


def flow_shift_f10_opens_the_menu_whichever_key_comes_up_first():
    app = App()
    app.keys("Down", "Return")
    wait_for(lambda: app.focused() == ("list item", "Aurora Reels"), "the first entry")
    for order in (("shift", "F10"), ("F10", "shift")):
        app.xdotool("keydown", "shift", "keydown", "F10", "keyup", order[0], "keyup", order[1])
        app.one("popup menu", "Aurora Reels")
        app.keys("Escape")
    app.close()


def flow_every_screen_names_what_can_be_done():
    app = App(width=1280, history=[("Isle Sounds", "https://isle.example.org/")],
              favorites=[("Juniper Choir", "https://juniper.example.org/")])
    assert audit(app) == [], audit(app)
    for row in ("Isle Sounds", "Juniper Choir", "Film & Video"):  # each arrow moves the reader's focus
        app.keys("Down")
        assert app.focused() == ("list item", row), app.focused()
    film = app.one("list item", "Film & Video")
    press(film)  # a reader's press does what a click does
    wait_for(lambda: app.focused() == ("list item", "Aurora Reels") or app.all("list item", "Aurora Reels"),
             "the category beside the list")
    assert audit(app) == [], audit(app)
    app.keys("Right")  # into the category, on its first entry
    wait_for(lambda: app.focused() == ("list item", "Aurora Reels"), "the first entry")
    for keys, shown in ((("Menu",), "Aurora Reels"), (("Down", "Right"), "Links of Borealis Cinema")):
        app.keys(*keys)
        app.one("popup menu", shown)
        assert app.focused()[0] == "menu item" and audit(app) == [], (app.focused(), audit(app))
        app.keys("Escape")
    app.keys("Menu", "Down", "Down", "Return")  # "Share"
    app.one("push button", "Copy Link")
    assert audit(app) == [], audit(app)
    app.keys("Escape")
    app.keys("Escape", "shift+Tab", "shift+Tab", "shift+Tab", "Return")
    wait_for(lambda: app.focused() == ("push button", "Force Refresh"), "the sheet")
    assert audit(app) == [], audit(app)
    app.keys("Tab", "Return")
    wait_for(lambda: app.focused() == ("push button", "Cancel"), "an alert")
    assert audit(app) == [], audit(app)
    app.close()


def flow_a_screen_reader_hears_roles_and_only_what_is_shown():
    app = App(width=1280)
    assert app.all("list", "Catalogue"), "the main list is a list"
    assert all(row.getState().contains(pyatspi.STATE_FOCUSABLE) for row in app.all("list item"))
    assert not app.all("page tab list") and not app.all("unknown")
    app.keys("Down", "Right")  # "Film & Video" beside the list
    app.one("list item", "Aurora Reels")
    assert len(app.all("push button", "More links")) == 1  # only Borealis Cinema has further links
    assert not app.all("push button", "Back"), "no back button beside the list"
    app.resize(480, 800)  # the category now covers the list, which says nothing
    app.one("push button", "Back")
    assert not app.all("list item", "Music", showing=True)
    app.keys("Escape", "shift+Tab", "shift+Tab", "shift+Tab", "Return")
    wait_for(lambda: app.focused() == ("push button", "Force Refresh"), "the sheet")
    for action in ("Clear Cache", "Clear Recently Viewed", "Clear Favorites"):
        app.one("push button", action)
    app.close()


def flow_texts_fit_and_whole_rows_take_the_click():
    app = App(lang="de_DE.UTF-8", favorites=[("Aurora Reels", "https://aurora.example.org/")])
    app.keys("Down", "Menu")
    menu = app.one("popup menu", "Aurora Reels")
    mx, my, mw, mh = extents(menu)
    assert mw >= 240 and mx + mw <= 480, extents(menu)  # "Aus Favoriten entfernen" whole, inside the window
    app.keys("Escape")  # the menu
    app.keys("shift+Tab", "shift+Tab", "shift+Tab", "Return")  # the gear
    done = app.one("push button", "Fertig")
    dx, dy, dw, dh = extents(done)
    assert 480 - (dx + dw) >= 8, extents(done)
    app.keys("Escape")
    app.close()
    app = App()
    app.keys("Down", "Return")
    first, second = app.one("list item", "Aurora Reels"), app.one("list item", "Borealis Cinema")
    ax, ay, aw, ah = extents(first)
    app.click(ax + aw // 2, ay + ah - 2)  # the band between two entries
    chevron = extents(app.one("list item", "Cirrus Screenings"))
    app.click(chevron[0] + chevron[2] - 30, chevron[1] + chevron[3] // 2)  # the chevron
    assert app.opened() == ["https://aurora.example.org/", "https://cirrus.example.org/"], app.opened()
    app.close()


def flow_link_categories_home_and_long_names():
    app = App(height=400)
    site = app.one("list item", "Project Site")
    assert "entr" not in site.description and "0" not in site.description, site.description
    app.keys("Down", "End", "Home")
    header, catalogue = app.one("label", "Categories"), app.one("list", "Catalogue")
    assert extents(header)[1] >= extents(catalogue)[1], "Home shows the very top"
    app.close()
    huge = os.path.join(WORK, "huge.md")
    with open(PAGE) as page, open(huge, "w") as out:
        out.write(page.read() + "# ► Long Names\n* [" + "Long " * 900_000 + "](https://long.example.org/) - x\n")
    app = App(page=huge)
    app.keys("ctrl+f")
    app.type("long.example")
    app.keys("Down")
    began = time.monotonic()
    app.keys("Return")
    wait_for(lambda: app.focused() and app.focused()[1].startswith("Long Long"), "the long entry", timeout=30)
    assert time.monotonic() - began < 3.0, time.monotonic() - began
    app.close()


def flow_f5_says_the_refresh_ran_and_how_fresh_the_catalogue_is():
    # No page host answers here: every refresh fails, and the catalogue stays.
    for downloaded, said in ((False, "Could not refresh: showing the packaged copy"),
                             (True, "Could not refresh: showing the copy from ")):
        app = App(downloaded=downloaded)
        app.keys("F5")
        alert = wait_for(lambda: next(iter(app.all("alert", showing=True)), None), "the refresh's status", 30)
        assert alert.name.startswith(said), alert.name
        app.one("list item", "Music")
        wait_for(lambda: not app.all("alert", showing=True), "the status to go", 15)
        app.close()


def flow_the_split_view_keeps_the_open_category_across_a_resize():
    app = App(width=1280)
    app.click_on(app.one("list item", "Music"))
    app.one("list item", "Isle Sounds")
    for width in (480, 900, 1280):
        app.resize(width, 800)
        app.one("list item", "Isle Sounds")
    assert app.opened() == []
    app.close()


def flow_a_previewed_page_follows_its_saves_and_its_lint_bar_empties():
    page = os.path.join(WORK, "draft.md")
    good = open(PAGE, encoding="utf-8").read()
    with open(page, "w", encoding="utf-8") as out:
        out.write(good + "* no link here\n* [Odd](a|b) - a target that is no URL\n")
    app = App(arguments=[page])
    cache = os.path.join(app.home, "cache", "kavo", "kavo_categories.json")
    cached = open(cache, "rb").read()
    app.one("push button", "2 lines will be dropped")
    assert "draft.md (preview)" in subprocess.run(["xdotool", "getwindowname", app.window], capture_output=True,
                                                  text=True).stdout
    assert audit(app) == [], audit(app)
    app.keys("Tab")
    assert app.focused() == ("push button", "2 lines will be dropped"), app.focused()
    app.keys("Return", "Down")
    lines = len(good.splitlines())
    assert app.focused() == ("label", f"Line {lines + 1}: Entry dropped: no [name](target) link"), app.focused()
    assert audit(app) == [], audit(app)
    os.rename(page, page + ".gone")  # an editor's save: away, then a new file renamed over the name
    app.one("push button", "draft.md does not exist")
    with open(page + ".new", "w", encoding="utf-8") as out:
        out.write(good + "# \u25BA Zebra Sounds\n* [Zed](https://zed.example.org/)\n")
    os.rename(page + ".new", page)
    app.one("push button", "No lines will be dropped")
    app.one("list item", "Zebra Sounds")
    assert "draft.md does not exist" in app.messages() and open(cache, "rb").read() == cached
    app.close()


def main():
    flows = [(name, function) for name, function in globals().items() if name.startswith("flow_")]
    failed = []
    for name, flow in flows:
        if ONLY and not any(part in name for part in ONLY):
            continue
        began = time.monotonic()
        try:
            flow()
            print(f"PASS {name} ({time.monotonic() - began:.1f} s)", flush=True)
        except Exception:
            failed.append(name)
            print(f"FAIL {name} ({time.monotonic() - began:.1f} s)\n{traceback.format_exc()}", flush=True)
        finally:
            for process in processes[3:]:
                end(process)
            del processes[3:]
    print(f"{len(failed)} of {len(flows)} flows failed; screenshots in {SHOTS}" if failed else "all flows passed")
    return 1 if failed else 0


try:
    status = main()
finally:
    for process in reversed(processes):
        end(process)
    if "KAVO_WINDOW_SHOTS" not in os.environ and not os.environ.get("KAVO_KEEP"):
        shutil.rmtree(WORK, ignore_errors=True)
sys.exit(status)
