#!/usr/bin/python3
"""Galleries as a visitor's browser shows them.

montrelle-make writes galleries in every layout from pictures with awkward names
(Japanese, a blank, "&", "#", "%", an upper-case .JPG, a bitmap, a turned picture).
Headless Chromium set to US English, which guesses windows-1252 for a page that does
not say otherwise, opens them from the disk, and one of them from a web server on
the loopback interface, and checks what a visitor sees: decoded titles, comments and
names, every picture loaded, every link and frame leading to a page that loads, the
frame layout's thumbnails and buttons, the pull-down list's choices. The responsive
layout, whose pages are UTF-8, is looked at on a phone (pixel ratio 3) and two
monitors (1 and 2): nothing scrolls sideways, the grid fills the width with more
columns on a wider screen, thumbnails of one height in each row, every picked
picture as sharp as the screen (or the largest offered), every picture fits,
every text readable, the next picture fetched ahead, and the links, the arrow keys
and swipes move through the pictures.

Usage: galleries_in_browser.py MONTRELLE_MAKE WRITE_TEST_PICTURE [--screenshots DIR]
(--screenshots keeps a picture of each layout's entry page, and of the responsive
layout's entry page and a picture page on both screens.)
"""

import argparse
import dataclasses
import functools
import http.server
import os
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
from pathlib import Path

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select, WebDriverWait

WAIT_SECONDS = 10
CAPTION = "※プルダウンで見たい写真を選択してください"
MAIN_WIDTH = {"frame": 550, "table": 600, "pulldown": 450, "responsive": 800}
SMALL_WIDTH = 100
# A phone's, a monitor's and a large monitor's: width, height, device pixel ratio.
SCREENS = [(390, 844, 3), (1920, 1080, 1), (2560, 1440, 2)]
LEAST_CONTRAST = 4.5
PER_MENU_PAGE = 3
SOURCE_FOLDER = "元の写真"


@dataclasses.dataclass(frozen=True)
class Picture:
    name: str
    comment: str
    width: int
    height: int
    turned: bool = False  # a quarter turn counter-clockwise in the galleries that turn
    exif: int = 0  # the Exif orientation its file carries


PICTURES = [
    Picture("写真1.jpg", "春の桜", 160, 120),
    Picture("桜の木.jpg", "満開の木", 120, 160),
    Picture("a b.jpg", "空白のある名前", 200, 100),
    Picture("x&y.jpg", "アンドの写真", 150, 150),
    Picture("no#1.jpg", "番号一", 180, 120),
    Picture("100%.jpg", "百パーセント", 100, 80),
    Picture("UPPER.JPG", "大文字の拡張子", 140, 100),
    Picture("scan.bmp", "スキャンした絵", 120, 90),
    Picture("turned.jpg", "横向きの写真", 160, 120, turned=True),
]
# Listed unturned: its copy must show as stored, as the preview shows it, not as its
# Exif tag would turn it.
PHONE_PHOTO = Picture("phone.jpg", "電話の写真", 160, 120, exif=6)
# Photos large enough for every size the responsive layout offers.
LARGE_PICTURES = [
    Picture("大きな写真.jpg", "大きな写真", 2400, 1600),
    Picture("縦の写真.jpg", "縦の写真", 1200, 1800),
]


@dataclasses.dataclass(frozen=True)
class Gallery:
    kind: str  # copies, direct or small
    layout: str
    title: str
    pictures: list
    turns: bool  # turns the picture marked turned, so every main image is made again
    jpegconvert: bool
    fnoutput: bool
    micopy: bool = False

    @property
    def folder(self):
        return f"{self.kind}-{self.layout}"

    @property
    def remade(self):
        """Whether every main image is made again at the layout's width."""
        return self.turns or self.layout == "responsive"

    @property
    def charset(self):
        return "UTF-8" if self.layout == "responsive" else "Shift_JIS"

    def title_of(self, picture=None):
        """A page's title: the responsive layout numbers its picture pages."""
        if picture and self.layout == "responsive":
            return f"{self.title} {self.pictures.index(picture) + 1}/{len(self.pictures)}"
        return self.title

    def shown_name(self, picture):
        """The picture's name on the pages: a bitmap converted to JPEG is a .jpg."""
        if self.jpegconvert and picture.name.endswith(".bmp"):
            return picture.name[: -len(".bmp")] + ".jpg"
        return picture.name

    def main_file(self, root, picture):
        """The file a page shows as the picture's main image."""
        if not (self.remade or self.jpegconvert or self.micopy):
            return root / SOURCE_FOLDER / picture.name
        return root / self.folder / "images" / self.shown_name(picture)

    def main_size(self, picture):
        """The main image's width and its height, exact before truncation."""
        if not self.remade:
            return picture.width, picture.height
        width, height = picture.width, picture.height
        if self.turns and picture.turned:
            width, height = height, width
        return MAIN_WIDTH[self.layout], MAIN_WIDTH[self.layout] * height / width

    def offered(self, root, picture, main):
        """The responsive layout's files of a picture, with their widths: thumbnails
        at 1, 2 and 3 times SMALL_WIDTH, main images at 1, 1/2 and 2 times the
        layout's width, none wider than the picture, none repeated; a bitmap only at
        the first."""
        width, height = picture.width, picture.height
        if self.turns and picture.turned:
            width, height = height, width
        base = MAIN_WIDTH[self.layout] if main else SMALL_WIDTH
        sizes = [("", 1), ("half/", 0.5), ("2x/", 2)] if main else [("", 1), ("2x/", 2), ("3x/", 3)]
        folder = root / self.folder / ("images" if main else "small_images")
        if picture.name.endswith(".bmp"):
            return {folder / picture.name: base}
        files = {}
        for sub, factor in sizes:
            made = min(int(base * factor), width)
            if made not in files.values():
                files[folder / (sub + picture.name)] = made
        return files

    def picture_page_lines(self, picture):
        """The text of a picture page: its name when names are shown, its comment."""
        return ([self.shown_name(picture)] if self.fnoutput else []) + [picture.comment]

    def option_texts(self):
        if self.fnoutput:
            return [p.name for p in self.pictures]
        return [p.comment for p in self.pictures]

    def pages(self, root):
        """Every page the gallery has, entry page first."""
        pages = [root / self.folder / "index.html"]
        if self.layout != "pulldown":
            pages += [self.picture_page(root, p) for p in self.pictures]
        if self.layout == "frame":
            pages += [root / self.folder / "src_files" / f"index_menu{k}.htm"
                      for k in range(1, self.menu_pages + 1)]
        return pages

    def picture_page(self, root, picture):
        return root / self.folder / "src_files" / (Path(picture.name).stem + ".htm")

    @property
    def menu_pages(self):
        return -(-len(self.pictures) // PER_MENU_PAGE)


def galleries():
    small = [dataclasses.replace(p, comment=c) for p, c in zip(PICTURES[:2], "春秋")]
    made = []
    for layout in ("frame", "table", "pulldown"):
        made += [
            Gallery("copies", layout, "旅行", PICTURES, turns=True, jpegconvert=True,
                    fnoutput=False),
            Gallery("direct", layout, "旅行", PICTURES, turns=False, jpegconvert=False,
                    fnoutput=True),
            Gallery("small", layout, "旅", small, turns=False, jpegconvert=False,
                    fnoutput=False),
        ]
    made.append(Gallery("copies", "responsive", "夏 <旅> & 海", PICTURES + LARGE_PICTURES,
                        turns=True, jpegconvert=False, fnoutput=True))
    made.append(Gallery("phone", "table", "電話", [PHONE_PHOTO], turns=False, jpegconvert=False,
                        fnoutput=False, micopy=True))
    return made


# ---------------------------------------------------------------- making the galleries


def make_pictures(root, write_test_picture):
    (root / SOURCE_FOLDER).mkdir()
    for p in PICTURES + LARGE_PICTURES + [PHONE_PHOTO]:
        subprocess.run([write_test_picture, root / SOURCE_FOLDER / p.name, str(p.width),
                        str(p.height), str(p.exif)], check=True)


def make_gallery(root, gallery, montrelle_make):
    settings = root / f"{gallery.folder}.ini"
    sections = {
        "HTMLtype": {"type": 0},
        "Frame": {"width": MAIN_WIDTH["frame"], "count": PER_MENU_PAGE},
        "Table": {"width": MAIN_WIDTH["table"], "count": 6, "bwidth": 2},
        "Pulldown": {"width": MAIN_WIDTH["pulldown"]},
        "Responsive": {"width": MAIN_WIDTH["responsive"]},
        "SmallImage": {"width": SMALL_WIDTH},
        "Color": {"bg_color": "ffffff", "link_color": "ffff00", "vlink_color": "ff0000"},
        "BGImage": {"bg_image": ""},
        "Flags": {"fnoutput": int(gallery.fnoutput), "simake": 1,
                  "micopy": int(gallery.micopy), "mimake": 0,
                  "bgishow": 0, "dontask": 0, "jpegconvert": int(gallery.jpegconvert),
                  "QRVlist": 0, "CommentOut": 1,
                  "CommentOutPD": int(not gallery.fnoutput), "Preview": 1},
        "Other": {"out_path": "", "out_name": "index.html", "title": ""},
    }
    settings.write_text("".join(
        f"[{section}]\r\n" + "".join(f"{key}={value}\r\n" for key, value in keys.items()) + "\r\n"
        for section, keys in sections.items()), encoding="utf-8")
    list_file = root / f"{gallery.folder}_list.txt"
    pictures = gallery.pictures
    lines = [str(root / SOURCE_FOLDER / p.name) for p in pictures] + [""]
    lines += [p.comment for p in pictures]
    lines += ["0\t0\t1" if gallery.turns and p.turned else "0\t0\t0" for p in pictures]
    list_file.write_text("".join(line + "\r\n" for line in lines), encoding="utf-8")
    run = subprocess.run(
        [montrelle_make, "-q", "-s", settings, "-l", list_file, "-o", root / gallery.folder,
         "-n", "index.html", "-t", gallery.title, "--layout", gallery.layout],
        capture_output=True, text=True)
    if run.returncode != 0 or run.stderr != "終了しました\n":
        sys.exit(f"montrelle-make for {gallery.folder} ended with {run.returncode}: {run.stderr}")


# ---------------------------------------------------------------- checking in the browser

checks = 0
faults = []


def expect(ok, what):
    global checks
    checks += 1
    if not ok:
        faults.append(what if len(what) < 300 else what[:300] + "…")
    return ok


def start_browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for argument in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage",
                     "--no-first-run", "--disable-background-networking",
                     "--disable-component-update", "--disable-sync", "--lang=en-US",
                     f"--user-data-dir={profile}", "--window-size=1000,800"):
        options.add_argument(argument)
    browser = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    browser.set_page_load_timeout(30)
    browser.set_script_timeout(WAIT_SECONDS)
    return browser


# What the document in the current frame shows, once it and its pictures have loaded.
PAGE_STATE = """
return {
  url: location.href,
  charset: document.characterSet,
  title: document.title,
  images: Array.from(document.images, i => ({
      src: i.currentSrc || i.src, loaded: i.complete && i.naturalWidth > 0,
      width: i.naturalWidth, height: i.naturalHeight})),
  targets: Array.from(document.querySelectorAll('a[href], frame[src]'), e => e.href || e.src),
  lines: (document.body ? document.body.innerText : '').split('\\n')
      .map(s => s.trim()).filter(s => s),
};
"""
DRAWN_IMAGES = """
return Array.from(document.images, i => [i.currentSrc, i.getBoundingClientRect().width]);
"""
LOADED = ("return document.readyState === 'complete' && "
          "Array.from(document.images).every(i => i.complete);")


class Visit:
    """One gallery in the browser, opened from the disk, or from the test's web server
    at `server` (its root URL) serving `root`."""

    def __init__(self, browser, gallery, root, server=None):
        self.browser, self.gallery, self.root, self.server = browser, gallery, root, server

    @property
    def entry_url(self):
        if self.server:
            return f"{self.server}{self.gallery.folder}/index.html"
        return (self.root / self.gallery.folder / "index.html").as_uri()

    def file_of(self, url):
        """The file a URL names, None for one that is neither a file nor the server's."""
        parts = urllib.parse.urlsplit(url)
        path = urllib.parse.unquote(parts.path)
        if parts.scheme == "file" and not self.server:
            return Path(path)
        if self.server and url.startswith(self.server):
            return self.root / path.lstrip("/")
        return None

    def state(self):
        """PAGE_STATE of the current frame's document."""
        WebDriverWait(self.browser, WAIT_SECONDS, poll_frequency=0.05).until(lambda b: b.execute_script(LOADED))
        return self.browser.execute_script(PAGE_STATE)

    def wait_for(self, condition):
        try:
            WebDriverWait(self.browser, WAIT_SECONDS, poll_frequency=0.05).until(lambda _: condition())
            return True
        except Exception:  # a timeout, or a frame changing its document under the check
            return False

    def in_frame(self, name):
        self.browser.switch_to.default_content()
        self.browser.switch_to.frame(name)

    def where(self, state):
        return f"{self.gallery.folder}: {state['url']}"

    def check_document(self, state, picture=None):
        """What every page must show: its code page read right, its title (or the
        pull-down caption), every picture loaded from an existing file, every link and
        frame leading to an existing file."""
        where = self.where(state)
        expect(state["charset"] == self.gallery.charset, f"{where}: read as {state['charset']}")
        if self.gallery.layout == "pulldown":
            expect(CAPTION in state["lines"], f"{where}: no caption in {state['lines']}")
        else:
            title = self.gallery.title_of(picture)
            expect(state["title"] == title, f"{where}: title {state['title']!r}")
        for image in state["images"]:
            file = self.file_of(image["src"])
            expect(image["loaded"] and file and file.is_file(), f"{where}: picture {image['src']}")
        for target in state["targets"]:
            file = self.file_of(target)
            expect(file and file.is_file(), f"{where}: link or frame to {target}")

    def check_picture_page(self, state, picture):
        """A picture page shows the picture's main image, then its name and comment."""
        where = self.where(state)
        if expect(len(state["images"]) == 1, f"{where}: {len(state['images'])} pictures"):
            self.check_main_image(state["images"][0], picture, where)
        expect(state["lines"] == self.gallery.picture_page_lines(picture),
               f"{where}: {state['lines']}")

    def check_main_image(self, image, picture, where):
        expect(self.file_of(image["src"]) == self.gallery.main_file(self.root, picture),
               f"{where}: shows {image['src']} for {picture.name}")
        width, height = self.gallery.main_size(picture)
        expect(image["loaded"] and image["width"] == width and abs(image["height"] - height) < 1,
               f"{where}: {picture.name} is {image['width']}x{image['height']}")

    def visit_all_pages(self):
        """Opens the entry page and every page its links and frames lead to, checks
        each, and finds exactly the gallery's pages."""
        pictures_by_page = {self.gallery.picture_page(self.root, p): p
                            for p in self.gallery.pictures}
        visited = set()
        queue = [self.entry_url]
        while queue:
            url = urllib.parse.urldefrag(queue.pop(0))[0]
            file = self.file_of(url)
            if file in visited or not (file and file.is_file()):
                continue
            visited.add(file)
            self.browser.get(url)
            state = self.state()
            picture = pictures_by_page.get(file)
            self.check_document(state, picture)
            # The responsive picture pages are looked at on each screen instead.
            if picture and self.gallery.layout != "responsive":
                self.check_picture_page(state, picture)
            queue += state["targets"]
        expect(sorted(visited) == sorted(self.gallery.pages(self.root)),
               f"{self.gallery.folder}: reached {sorted(str(f) for f in visited)}")


# ---------------------------------------------------------------- one check per layout


def check_frame(visit):
    """Both frames load; a thumbnail shows its picture in the main frame; the buttons
    move between the menu pages."""
    gallery = visit.gallery
    visit.visit_all_pages()
    visit.browser.get(visit.entry_url)
    for frame in ("sub", "main"):
        visit.in_frame(frame)
        visit.check_document(visit.state())
    visit.check_picture_page(visit.state(), gallery.pictures[0])

    def press(button, menu_page):
        visit.in_frame("sub")
        visit.browser.find_element(By.CSS_SELECTOR, f'img[src="{button}.gif"]').click()
        caption = f"(List:{menu_page}/{gallery.menu_pages})"
        expect(visit.wait_for(lambda: caption in visit.state()["lines"]),
               f"{gallery.folder}: {button} did not lead to {caption}")

    for k in range(1, gallery.menu_pages + 1):
        if k > 1:
            press("next", k)
        visit.in_frame("sub")
        links = visit.browser.find_elements(By.CSS_SELECTOR, 'a[target="main"]')
        pictures = gallery.pictures[(k - 1) * PER_MENU_PAGE:k * PER_MENU_PAGE]
        expect(len(links) == len(pictures), f"{gallery.folder}: menu {k} has {len(links)} links")
        for link, picture in zip(links, pictures):
            visit.in_frame("sub")
            link.click()
            visit.in_frame("main")
            page = gallery.picture_page(visit.root, picture)
            if expect(visit.wait_for(lambda: visit.file_of(visit.state()["url"]) == page),
                      f"{gallery.folder}: {picture.name} not shown in the main frame"):
                visit.check_picture_page(visit.state(), picture)
    if gallery.menu_pages > 1:
        press("previous", gallery.menu_pages - 1)
        press("top", 1)
        press("last", gallery.menu_pages)
    visit.browser.switch_to.default_content()


def check_table(visit):
    visit.visit_all_pages()


def check_pulldown(visit):
    """The options show the comments or names; each shows its own picture."""
    gallery = visit.gallery
    visit.visit_all_pages()
    visit.browser.get(visit.entry_url)
    choice = Select(visit.browser.find_element(By.NAME, "imgSelect"))
    texts = [o.text for o in choice.options]
    expect(texts == gallery.option_texts(), f"{gallery.folder}: options {texts}")
    visit.check_main_image(visit.state()["images"][0], gallery.pictures[0],
                           f"{gallery.folder} at first")
    shown = 'return document.images["myImg"]'
    for i in list(range(1, len(gallery.pictures))) + [0]:
        picture = gallery.pictures[i]
        choice.select_by_index(i)
        visit.wait_for(lambda: visit.file_of(visit.browser.execute_script(shown + ".src"))
                       == gallery.main_file(visit.root, picture))
        visit.check_main_image(visit.state()["images"][0], picture, f"{gallery.folder} option {i}")


# The responsive pages as laid out on the screen at hand.
RESPONSIVE_ENTRY = """
const root = document.documentElement, grid = document.querySelector('ul.grid');
return {
  sideways: root.scrollWidth > root.clientWidth,
  viewport: root.clientWidth,
  ratio: devicePixelRatio,
  heading: document.querySelector('h1').innerText,
  columns: getComputedStyle(grid).gridTemplateColumns.split(' ').length,
  grid_width: grid.getBoundingClientRect().width,
  links: Array.from(grid.querySelectorAll('a'), a => a.href),
  cells: Array.from(grid.querySelectorAll('li'), li => {
    const cell = li.getBoundingClientRect(), img = li.querySelector('img');
    const box = img.getBoundingClientRect();
    return {top: Math.round(cell.top), src: img.currentSrc, box: [box.width, box.height]};
  }),
};
"""
RESPONSIVE_PICTURE = """
const root = document.documentElement, img = document.querySelector('img.picture');
const box = img.getBoundingClientRect();
return {
  sideways: root.scrollWidth > root.clientWidth,
  fits: box.left >= 0 && box.right <= root.clientWidth && box.bottom <= innerHeight,
  caption: Array.from(document.querySelectorAll('figcaption p'), p => p.innerText),
  links: Array.from(document.querySelectorAll('nav a'), a => a.id),
  src: img.currentSrc, box: [box.width, box.height], ratio: devicePixelRatio,
  fetched: performance.getEntriesByType('resource').map(e => e.name),
};
"""
# The colour of every text and link as the page shows it, and of every rule that
# colours text (a visited link's colour is not told to scripts), and the background.
PAGE_COLOURS = """
const colours = [];
for (const e of document.querySelectorAll('h1, p, a, nav, figcaption')) {
  if (e.innerText.trim()) colours.push([e.tagName + ' ' + e.innerText, getComputedStyle(e).color]);
}
for (const sheet of document.styleSheets) {
  for (const rule of sheet.cssRules) {
    if (rule.style && rule.style.color) colours.push([rule.selectorText, rule.style.color]);
  }
}
return {background: getComputedStyle(document.body).backgroundColor, colours: colours};
"""


def jpeg_width_and_height(file):
    """The size in a JPEG file's frame header."""
    data = file.read_bytes()
    at = 2
    while at + 9 < len(data):
        marker, length = data[at + 1], int.from_bytes(data[at + 2:at + 4], "big")
        if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
            return (int.from_bytes(data[at + 7:at + 9], "big"),
                    int.from_bytes(data[at + 5:at + 7], "big"))
        at += 2 + length
    return None


def contrast(first, second):
    """WCAG 2 contrast of two colours given as "rgb(r, g, b)"."""
    def luminance(text):
        values = [int(v) / 255 for v in text[text.index("(") + 1:text.index(")")].split(",")[:3]]
        linear = [v / 12.92 if v <= 0.03928 else ((v + 0.055) / 1.055) ** 2.4 for v in values]
        return 0.2126 * linear[0] + 0.7152 * linear[1] + 0.0722 * linear[2]
    high, low = sorted((luminance(first), luminance(second)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def check_colours(visit, where):
    shown = visit.browser.execute_script(PAGE_COLOURS)
    for what, colour in shown["colours"]:
        ratio = contrast(colour, shown["background"])
        expect(ratio >= LEAST_CONTRAST,
               f"{where}: {what!r} {colour} on {shown['background']} has {ratio:.2f}:1")


def check_sharp(visit, where, picture, src, box, ratio, main, fit):
    """The picked file is one the picture is offered at, and has as many pixels across
    as the picture is drawn with (`box` fitted as `fit`) at `ratio`, or is the largest."""
    offered = visit.gallery.offered(visit.root, picture, main)
    file = visit.file_of(src)
    if not expect(file in offered, f"{where}: {picture.name} shows {src}, not one of {list(offered)}"):
        return
    size = jpeg_width_and_height(file) if file.suffix.lower() == ".jpg" else None
    if not expect(size is None or size[0] == offered[file], f"{where}: {file} is {size}"):
        return
    width, height = size or (offered[file], offered[file])
    drawn = fit(box[0], box[1] * width / height)
    expect(width + 0.5 >= drawn * ratio or width == max(offered.values()),
           f"{where}: {picture.name} drawn {drawn:.1f} wide at {ratio} from {file.name} "
           f"{width} wide of {sorted(offered.values())}")


def show_on(browser, screen):
    """Lays pages out on a touch screen of that size and pixel ratio, a narrow one
    as a phone does (which takes a page without a viewport line for 980 pixels
    wide); None: the window. No cache, whose larger pictures a browser prefers."""
    browser.execute_cdp_cmd("Network.enable", {})
    browser.execute_cdp_cmd("Network.setCacheDisabled", {"cacheDisabled": bool(screen)})
    if screen:
        width, height, ratio = screen
        browser.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": ratio, "mobile": width < 600})
        browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled",
                                {"enabled": True, "maxTouchPoints": 5})
    else:
        browser.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
        browser.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})


def swipe(browser, dx, dy):
    """One finger drawn across the middle of the screen by dx, dy pixels."""
    x, y = browser.execute_script("return [innerWidth / 2, innerHeight / 2];")
    send = functools.partial(browser.execute_cdp_cmd, "Input.dispatchTouchEvent")
    send({"type": "touchStart", "touchPoints": [{"x": x, "y": y}]})
    for step in range(1, 6):
        send({"type": "touchMove", "touchPoints": [{"x": x + dx * step / 5, "y": y + dy * step / 5}]})
    send({"type": "touchEnd", "touchPoints": []})


def check_responsive(visit):
    """Every page once; then on each screen the entry page's grid, every picture page
    in turn by the Right key, and back and forth by the keys and the links."""
    gallery, browser = visit.gallery, visit.browser
    visit.visit_all_pages()
    columns = []
    for screen in SCREENS:
        width, height, ratio = screen
        where = f"{gallery.folder} at {width}x{height} ratio {ratio}"
        show_on(browser, screen)
        browser.get(visit.entry_url)
        # Thumbnails load lazily, as they come near the screen.
        browser.execute_script("window.scrollTo(0, document.body.scrollHeight);")
        state = visit.state()
        visit.check_document(state)
        expect([i["loaded"] for i in state["images"]] == [True] * len(gallery.pictures),
               f"{where}: thumbnails {state['images']}")
        entry = browser.execute_script(RESPONSIVE_ENTRY)
        expect(entry["ratio"] == ratio, f"{where}: device pixel ratio {entry['ratio']}")
        for picture, cell in zip(gallery.pictures, entry["cells"]):
            # A square cell covered by the thumbnail: drawn at least the cell's width.
            check_sharp(visit, where, picture, cell["src"], cell["box"], ratio, False, max)
        rows = {}
        for cell in entry["cells"]:
            rows.setdefault(cell["top"], set()).add(round(cell["box"][1], 1))
        expect(all(len(heights) == 1 for heights in rows.values()),
               f"{where}: grid rows of thumbnail heights {rows}")
        check_colours(visit, where)
        expect(entry["viewport"] == width, f"{where}: laid out {entry['viewport']} wide")
        expect(not entry["sideways"], f"{where}: the entry page scrolls sideways")
        expect(entry["heading"] == gallery.title, f"{where}: heading {entry['heading']!r}")
        # As many columns of at least SMALL_WIDTH, 8 pixels apart, as the width inside
        # the 8-pixel margins takes, filling it.
        inside = entry["viewport"] - 16
        expect(entry["columns"] == (inside + 8) // (SMALL_WIDTH + 8)
               and abs(entry["grid_width"] - inside) < 1,
               f"{where}: {entry['columns']} columns {entry['grid_width']} wide in {inside}")
        columns.append(entry["columns"])
        expect([visit.file_of(link) for link in entry["links"]]
               == [gallery.picture_page(visit.root, p) for p in gallery.pictures],
               f"{where}: grid links {entry['links']}")
        browser.find_element(By.CSS_SELECTOR, "ul.grid a").click()
        walk_pictures(visit, where)
    expect(columns == sorted(set(columns)), f"{gallery.folder}: {columns} columns on the screens")
    show_on(browser, None)


def walk_pictures(visit, where):
    """From the first picture page: each page in turn by the Right key, then Left,
    the next and previous links, and Up back to the entry page."""
    gallery, browser = visit.gallery, visit.browser
    count = len(gallery.pictures)

    def arrive(action, file, what):
        action()
        return expect(visit.wait_for(lambda: visit.file_of(browser.current_url) == file),
                      f"{where}: {what} led to {browser.current_url}, not {file.name}")

    def key(name):
        return lambda: ActionChains(browser).send_keys(name).perform()

    def link(name):
        return lambda: browser.find_element(By.ID, name).click()

    for i, picture in enumerate(gallery.pictures):
        state = visit.state()
        visit.check_document(state, picture)
        expect(len(state["images"]) == 1, f"{where}: {len(state['images'])} pictures")
        shown = browser.execute_script(RESPONSIVE_PICTURE)
        check_sharp(visit, where, picture, shown["src"], shown["box"], shown["ratio"], True, min)
        if i == 0:
            check_colours(visit, f"{where} {picture.name}")
        # A browser times what it fetches from a server only, not from the disk.
        if i + 1 < count and visit.server:
            following = gallery.offered(visit.root, gallery.pictures[i + 1], True)
            expect(visit.wait_for(lambda: any(
                visit.file_of(url) in following
                for url in browser.execute_script(RESPONSIVE_PICTURE)["fetched"])),
                f"{where}: the picture after {picture.name} was not fetched ahead")
        expect(not shown["sideways"] and shown["fits"],
               f"{where}: {picture.name} does not fit the screen")
        expect(shown["caption"] == [picture.comment, gallery.shown_name(picture)],
               f"{where}: {picture.name} has the lines {shown['caption']}")
        expect(shown["links"] == ["prev"] * (i > 0) + ["up"] + ["next"] * (i + 1 < count),
               f"{where}: {picture.name} links {shown['links']}")
        if i + 1 < count and not arrive(key(Keys.ARROW_RIGHT),
                                        gallery.picture_page(visit.root, gallery.pictures[i + 1]),
                                        f"Right on {picture.name}"):
            return
    last, before = (gallery.picture_page(visit.root, p) for p in gallery.pictures[:-3:-1])
    arrive(key(Keys.ARROW_LEFT), before, "Left")
    arrive(link("next"), last, "the next link")
    arrive(link("prev"), before, "the previous link")
    arrive(lambda: swipe(browser, -150, 20), last, "a swipe to the left")
    arrive(lambda: swipe(browser, 150, -20), before, "a swipe to the right")
    # With the links turned to places in the page, a stroke nearly as much down as
    # sideways goes nowhere, the straight one after it back.
    browser.execute_script("""
        window.went = [];
        addEventListener('hashchange', () => went.push(location.hash));
        document.getElementById('prev').href = '#went-prev';
        document.getElementById('next').href = '#went-next';""")
    swipe(browser, -120, 100)
    swipe(browser, 150, -20)
    went = lambda: browser.execute_script("return went;")
    visit.wait_for(lambda: went())
    expect(went() == ["#went-prev"], f"{where}: the strokes went to {went()}")
    arrive(key(Keys.ARROW_UP), visit.file_of(visit.entry_url), "Up")


def save_responsive_screenshots(visit, folder):
    """The entry page and the second picture page on each screen."""
    for width, height, ratio in SCREENS:
        show_on(visit.browser, (width, height, ratio))
        for page, url in (("entry", visit.entry_url),
                          ("picture", visit.gallery.picture_page(visit.root,
                                                                 visit.gallery.pictures[1]).as_uri())):
            visit.browser.get(url)
            visit.browser.execute_script("window.scrollTo(0, document.body.scrollHeight);")
            visit.state()
            visit.browser.execute_script("window.scrollTo(0, 0);")
            visit.browser.save_screenshot(
                str(folder / f"{visit.gallery.folder}-{page}-{width}x{height}.png"))
    show_on(visit.browser, None)


ALBUM_FOLDERS = {"旅行 A&B": 2, "100% #1": 1, "夏": 3}


def make_album(root, layout, montrelle_make, write_test_picture):
    """A batch run over folders with awkward names; returns its output folder."""
    search, out = root / f"album-{layout}-photos", root / f"album-{layout}"
    for folder, count in ALBUM_FOLDERS.items():
        (search / folder).mkdir(parents=True)
        for n in range(count):
            subprocess.run([write_test_picture, search / folder / f"p{n}.jpg", "400", "300", "1"],
                           check=True)
    subprocess.run([montrelle_make, "-q", "-s", root / f"{galleries()[0].folder}.ini", "--layout",
                    layout, "--batch", search, "-o", out], check=True)
    return out


def check_album(browser, out, layout):
    """Every cover loads, the names and counts read right, every link opens its
    gallery's entry page."""
    visit = Visit(browser, None, out)
    browser.get((out / "index.html").as_uri())
    state, where = visit.state(), f"album-{layout}"
    expect(state["charset"] == ("UTF-8" if layout == "responsive" else "Shift_JIS"),
           f"{where}: read as {state['charset']}")
    expect(len(state["images"]) == len(ALBUM_FOLDERS) and all(i["loaded"] for i in state["images"]),
           f"{where}: covers {state['images']}")
    expect(all(f in state["lines"] and f"{n}枚" in state["lines"] for f, n in ALBUM_FOLDERS.items()),
           f"{where}: {state['lines']}")
    expect(sorted(visit.file_of(t) for t in state["targets"])
           == sorted(out / f / f"{f}.html" for f in ALBUM_FOLDERS), f"{where}: {state['targets']}")
    for target in state["targets"]:
        browser.get(target)
        expect(visit.state()["title"] and visit.file_of(browser.current_url).is_file(),
               f"{where}: {target} opens {browser.current_url}")
    if layout == "responsive":
        # On a phone, as sharp and as readable as the galleries' own pages.
        show_on(browser, SCREENS[0])
        browser.get((out / "index.html").as_uri())
        visit.state()
        ratio = SCREENS[0][2]
        for src, drawn in browser.execute_script(DRAWN_IMAGES):
            width = jpeg_width_and_height(visit.file_of(src))[0]
            expect(width + 0.5 >= drawn * ratio,
                   f"{where}: cover {src} {width} wide drawn {drawn} at ratio {ratio}")
        check_colours(visit, f"{where} on a phone")
        show_on(browser, None)


LAYOUT_CHECKS = {"frame": check_frame, "table": check_table, "pulldown": check_pulldown,
                 "responsive": check_responsive}


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def check_served(browser, gallery, root):
    """The gallery loads the same from a web server that names no charset."""
    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(QuietHandler, directory=str(root)))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    try:
        base = f"http://127.0.0.1:{server.server_address[1]}/"
        LAYOUT_CHECKS[gallery.layout](Visit(browser, gallery, root, base))
    finally:
        server.shutdown()
        server.server_close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("montrelle_make")
    parser.add_argument("write_test_picture")
    parser.add_argument("--screenshots", type=Path)
    args = parser.parse_args()
    os.environ["LANG"] = os.environ["LC_ALL"] = "C.UTF-8"
    started = time.monotonic()
    with tempfile.TemporaryDirectory() as temp:
        root = Path(temp) / "work"
        root.mkdir()
        make_pictures(root, args.write_test_picture)
        for gallery in galleries():
            make_gallery(root, gallery, args.montrelle_make)
        browser = start_browser(Path(temp) / "profile")
        try:
            for gallery in galleries():
                LAYOUT_CHECKS[gallery.layout](Visit(browser, gallery, root))
            for served in ("direct-frame", "copies-responsive"):
                check_served(browser, next(g for g in galleries() if g.folder == served), root)
            albums = {layout: make_album(root, layout, args.montrelle_make, args.write_test_picture)
                      for layout in ("frame", "responsive")}
            for layout, out in albums.items():
                check_album(browser, out, layout)
            if args.screenshots:
                args.screenshots.mkdir(parents=True, exist_ok=True)
                for gallery in galleries():
                    visit = Visit(browser, gallery, root)
                    browser.get(visit.entry_url)
                    visit.state()
                    browser.save_screenshot(str(args.screenshots / f"{gallery.folder}.png"))
                    if gallery.layout == "responsive":
                        save_responsive_screenshots(visit, args.screenshots)
                for screen in SCREENS:
                    show_on(browser, screen)
                    browser.get((albums["responsive"] / "index.html").as_uri())
                    browser.save_screenshot(
                        str(args.screenshots / f"album-{screen[0]}x{screen[1]}.png"))
                show_on(browser, None)
        finally:
            browser.quit()
    for fault in faults:
        print(fault)
    print(f"{len(galleries())} galleries, two served and two albums: {checks} checks, {len(faults)} faults, "
          f"{time.monotonic() - started:.1f} s")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
