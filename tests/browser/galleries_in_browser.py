#!/usr/bin/python3
"""Galleries as a visitor's browser shows them.

montrelle-make writes galleries in every layout from pictures with awkward names
(Japanese, a blank, "&", "#", "%", an upper-case .JPG, a bitmap, a turned picture).
Headless Chromium set to US English, which guesses windows-1252 for a page that does
not say otherwise, opens them from the disk, and one of them from a web server on
the loopback interface, and checks what a visitor sees: decoded titles, comments and
names, every picture loaded, every link and frame leading to a page that loads, the
frame layout's thumbnails and buttons, the pull-down list's choices.

Usage: galleries_in_browser.py MONTRELLE_MAKE WRITE_TEST_PICTURE [--screenshots DIR]
(--screenshots keeps a picture of each layout's entry page.)
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
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import Select, WebDriverWait

WAIT_SECONDS = 10
CAPTION = "※プルダウンで見たい写真を選択してください"
MAIN_WIDTH = {"frame": 550, "table": 600, "pulldown": 450}
PER_MENU_PAGE = 3
SOURCE_FOLDER = "元の写真"


@dataclasses.dataclass(frozen=True)
class Picture:
    name: str
    comment: str
    width: int
    height: int
    turned: bool = False  # a quarter turn counter-clockwise where the gallery turns


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


@dataclasses.dataclass(frozen=True)
class Gallery:
    kind: str  # copies, direct or small
    layout: str
    title: str
    pictures: list
    turns: bool  # the turned picture is turned: every main image is made again
    jpegconvert: bool
    fnoutput: bool

    @property
    def folder(self):
        return f"{self.kind}-{self.layout}"

    def main_file(self, root, picture):
        """The file a page shows as the picture's main image."""
        if not (self.turns or self.jpegconvert):
            return root / SOURCE_FOLDER / picture.name
        name = picture.name
        if self.jpegconvert and name.endswith(".bmp"):
            name = name[: -len(".bmp")] + ".jpg"
        return root / self.folder / "images" / name

    def main_size(self, picture):
        """The main image's width and its height, exact before truncation."""
        width, height = picture.width, picture.height
        if self.turns and picture.turned:
            width, height = height, width
        if not self.turns:
            return width, height
        return MAIN_WIDTH[self.layout], MAIN_WIDTH[self.layout] * height / width

    def picture_page_lines(self, picture):
        """The text of a picture page: its name when names are shown, its comment."""
        name = picture.name
        if self.jpegconvert and name.endswith(".bmp"):
            name = name[: -len(".bmp")] + ".jpg"
        return ([name] if self.fnoutput else []) + [picture.comment]

    def option_texts(self):
        if self.fnoutput:
            return [p.name for p in self.pictures]
        return [p.comment for p in self.pictures]

    def pages(self, root):
        """Every page the gallery has, entry page first."""
        out = root / self.folder
        pages = [out / "index.html"]
        if self.layout != "pulldown":
            pages += [out / "src_files" / (Path(p.name).stem + ".htm") for p in self.pictures]
        if self.layout == "frame":
            pages += [out / "src_files" / f"index_menu{k}.htm" for k in range(1, self.menu_pages + 1)]
        return pages

    @property
    def menu_pages(self):
        return -(-len(self.pictures) // PER_MENU_PAGE)


def galleries():
    small = [dataclasses.replace(p, comment=c) for p, c in zip(PICTURES[:2], "春秋")]
    made = []
    for layout in ("frame", "table", "pulldown"):
        made += [
            Gallery("copies", layout, "旅行", PICTURES, turns=True, jpegconvert=True, fnoutput=False),
            Gallery("direct", layout, "旅行", PICTURES, turns=False, jpegconvert=False, fnoutput=True),
            Gallery("small", layout, "旅", small, turns=False, jpegconvert=False, fnoutput=False),
        ]
    return made


# ---------------------------------------------------------------- making the galleries


def make_pictures(root, write_test_picture):
    (root / SOURCE_FOLDER).mkdir()
    for p in PICTURES:
        subprocess.run([write_test_picture, root / SOURCE_FOLDER / p.name, str(p.width),
                        str(p.height)], check=True)


def make_gallery(root, gallery, montrelle_make):
    settings = root / f"{gallery.folder}.ini"
    sections = {
        "HTMLtype": {"type": 0},
        "Frame": {"width": MAIN_WIDTH["frame"], "count": PER_MENU_PAGE},
        "Table": {"width": MAIN_WIDTH["table"], "count": 6, "bwidth": 2},
        "Pulldown": {"width": MAIN_WIDTH["pulldown"]},
        "SmallImage": {"width": 100},
        "Color": {"bg_color": "ffffff", "link_color": "ffff00", "vlink_color": "ff0000"},
        "BGImage": {"bg_image": ""},
        "Flags": {"fnoutput": int(gallery.fnoutput), "simake": 1, "micopy": 0, "mimake": 0,
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

faults = []


def expect(ok, what):
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
      src: i.src, loaded: i.complete && i.naturalWidth > 0,
      width: i.naturalWidth, height: i.naturalHeight})),
  targets: Array.from(document.querySelectorAll('a[href], frame[src]'), e => e.href || e.src),
  lines: (document.body ? document.body.innerText : '').split('\\n')
      .map(s => s.trim()).filter(s => s),
};
"""
LOADED = ("return document.readyState === 'complete' && "
          "Array.from(document.images).every(i => i.complete);")


def page_state(browser):
    WebDriverWait(browser, WAIT_SECONDS).until(lambda b: b.execute_script(LOADED))
    return browser.execute_script(PAGE_STATE)


def local_file(url, root, server):
    """The file a file:// URL, or a URL of the test's web server, names."""
    parts = urllib.parse.urlsplit(url)
    path = urllib.parse.unquote(parts.path)
    if parts.scheme == "file":
        return Path(path)
    if server and url.startswith(server):
        return root / path.lstrip("/")
    return None


def check_document(state, gallery, root, server):
    """What every page must show: its code page read right, its title (or the
    pull-down caption), every picture loaded from an existing file, every link and
    frame leading to an existing file."""
    where = f"{gallery.folder}: {state['url']}"
    expect(state["charset"] == "Shift_JIS", f"{where}: read as {state['charset']}")
    if gallery.layout == "pulldown":
        expect(CAPTION in state["lines"], f"{where}: no caption in {state['lines']}")
    else:
        expect(state["title"] == gallery.title, f"{where}: title {state['title']!r}")
    for image in state["images"]:
        file = local_file(image["src"], root, server)
        expect(image["loaded"] and file and file.is_file(), f"{where}: picture {image['src']}")
    for target in state["targets"]:
        file = local_file(target, root, server)
        expect(file and file.is_file(), f"{where}: link or frame to {target}")


def check_picture_page(state, gallery, root, server, picture):
    """A picture page shows the picture's main image and its name and comment."""
    where = f"{gallery.folder}: {state['url']}"
    expect(len(state["images"]) == 1, f"{where}: {len(state['images'])} pictures")
    check_main_image(state["images"][0], gallery, root, server, picture, where)
    expect(state["lines"] == gallery.picture_page_lines(picture), f"{where}: {state['lines']}")


def check_main_image(image, gallery, root, server, picture, where):
    expect(local_file(image["src"], root, server) == gallery.main_file(root, picture),
           f"{where}: shows {image['src']} for {picture.name}")
    width, height = gallery.main_size(picture)
    expect(image["loaded"] and image["width"] == width and abs(image["height"] - height) < 1,
           f"{where}: {picture.name} is {image['width']}x{image['height']}")


def visit_all_pages(browser, gallery, entry_url, root, server):
    """Opens the entry page and every page its links and frames lead to, checks each,
    and finds exactly the gallery's pages."""
    pictures_by_page = {Path(p.name).stem + ".htm": p for p in gallery.pictures}
    visited = {}
    queue = [entry_url]
    while queue:
        url = urllib.parse.urldefrag(queue.pop(0))[0]
        file = local_file(url, root, server)
        if file in visited or not (file and file.is_file()):
            continue
        browser.get(url)
        visited[file] = state = page_state(browser)
        check_document(state, gallery, root, server)
        if file.parent.name == "src_files" and file.name in pictures_by_page:
            check_picture_page(state, gallery, root, server, pictures_by_page[file.name])
        queue += state["targets"]
    expect(sorted(visited) == sorted(gallery.pages(root)),
           f"{gallery.folder}: reached {sorted(str(f) for f in visited)}")


def check_frame(browser, gallery, entry_url, root, server):
    """Both frames load; a thumbnail shows its picture in the main frame; the buttons
    move between the menu pages."""
    visit_all_pages(browser, gallery, entry_url, root, server)
    browser.get(entry_url)
    for frame in ("sub", "main"):
        browser.switch_to.default_content()
        browser.switch_to.frame(frame)
        check_document(page_state(browser), gallery, root, server)
    check_picture_page(page_state(browser), gallery, root, server, gallery.pictures[0])

    def in_frame(name):
        browser.switch_to.default_content()
        browser.switch_to.frame(name)

    def press(button, menu_page):
        in_frame("sub")
        browser.find_element(By.CSS_SELECTOR, f'img[src="{button}.gif"]').click()
        caption = f"(List:{menu_page}/{gallery.menu_pages})"
        expect(wait_for(browser, lambda: caption in page_state(browser)["lines"]),
               f"{gallery.folder}: {button} did not lead to {caption}")

    for k in range(1, gallery.menu_pages + 1):
        if k > 1:
            press("next", k)
        in_frame("sub")
        links = browser.find_elements(By.CSS_SELECTOR, 'a[target="main"]')
        first = (k - 1) * PER_MENU_PAGE
        for j, picture in enumerate(gallery.pictures[first:first + PER_MENU_PAGE]):
            in_frame("sub")
            browser.find_elements(By.CSS_SELECTOR, 'a[target="main"]')[j].click()
            in_frame("main")
            page = gallery.pages(root)[0].parent / "src_files" / (Path(picture.name).stem + ".htm")
            if expect(wait_for(browser, lambda: local_file(page_state(browser)["url"], root, server) == page),
                      f"{gallery.folder}: {picture.name} not shown in the main frame"):
                check_picture_page(page_state(browser), gallery, root, server, picture)
        expect(len(links) == len(gallery.pictures[first:first + PER_MENU_PAGE]),
               f"{gallery.folder}: menu page {k} has {len(links)} links")
    if gallery.menu_pages > 1:
        press("previous", gallery.menu_pages - 1)
        press("top", 1)
        press("last", gallery.menu_pages)
    browser.switch_to.default_content()


def check_table(browser, gallery, entry_url, root, server):
    visit_all_pages(browser, gallery, entry_url, root, server)


def check_pulldown(browser, gallery, entry_url, root, server):
    """Each option shows its own picture."""
    visit_all_pages(browser, gallery, entry_url, root, server)
    browser.get(entry_url)
    choice = Select(browser.find_element(By.NAME, "imgSelect"))
    expect([o.text for o in choice.options] == gallery.option_texts(),
           f"{gallery.folder}: options {[o.text for o in choice.options]}")
    shown = 'return document.images["myImg"]'
    check_main_image(browser.execute_script(PAGE_STATE)["images"][0], gallery, root, server,
                     gallery.pictures[0], f"{gallery.folder} at first")
    for i in list(range(1, len(gallery.pictures))) + [0]:
        picture = gallery.pictures[i]
        choice.select_by_index(i)
        wait_for(browser, lambda: local_file(browser.execute_script(shown + ".src"), root, server)
                 == gallery.main_file(root, picture)
                 and browser.execute_script(shown + ".complete"))
        image = page_state(browser)["images"][0]
        check_main_image(image, gallery, root, server, picture, f"{gallery.folder} option {i}")


LAYOUT_CHECKS = {"frame": check_frame, "table": check_table, "pulldown": check_pulldown}


def wait_for(browser, condition):
    try:
        WebDriverWait(browser, WAIT_SECONDS).until(lambda _: condition())
        return True
    except Exception:  # a timeout, or the frame still changing its document
        return False


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
        LAYOUT_CHECKS[gallery.layout](browser, gallery, base + f"{gallery.folder}/index.html",
                                      root, base)
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
                entry = (root / gallery.folder / "index.html").as_uri()
                LAYOUT_CHECKS[gallery.layout](browser, gallery, entry, root, None)
            check_served(browser, galleries()[1], root)
            if args.screenshots:
                args.screenshots.mkdir(parents=True, exist_ok=True)
                for gallery in galleries():
                    browser.get((root / gallery.folder / "index.html").as_uri())
                    page_state(browser)
                    browser.save_screenshot(str(args.screenshots / f"{gallery.folder}.png"))
        finally:
            browser.quit()
    for fault in faults:
        print(fault)
    print(f"{len(galleries())} galleries and one served, {len(faults)} faults, "
          f"{time.monotonic() - started:.1f} s")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
