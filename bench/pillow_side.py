#!/usr/bin/python3
"""What Pillow takes for the make run's pictures, for comparison with montrelle_bench.

Each photo is decoded once, whole, and sampled to the same sizes the make run
writes (a 100-pixel-wide thumbnail and, with --main, a main image of that width),
saved at quality 90, in as many worker processes as --processes says. Prints
photos per second, the best of --rounds.

  bench/pillow_side.py [--main 550] [--processes 2] [--rounds 3] PHOTO...

Needs python3-pil (apt install python3-pil). The photos of a benchmark run stay in
its work folder with montrelle_bench --keep.
"""
import argparse
import multiprocessing
import os
import tempfile
import time

from PIL import Image

THUMBNAIL_WIDTH = 100
QUALITY = 90


def scaled(size, width):
    return width, size[1] * width // size[0]


def make(job):
    path, main_width, out = job
    picture = Image.open(path)
    picture.load()
    name = os.path.basename(path)
    small = picture.resize(scaled(picture.size, THUMBNAIL_WIDTH), Image.NEAREST)
    small.save(os.path.join(out, "small-" + name), quality=QUALITY)
    if main_width:
        main = picture.resize(scaled(picture.size, main_width), Image.NEAREST)
        main.save(os.path.join(out, "main-" + name), quality=QUALITY)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--main", type=int, default=0)
    parser.add_argument("--processes", type=int, default=2)
    parser.add_argument("--rounds", type=int, default=3)
    parser.add_argument("photos", nargs="+")
    options = parser.parse_args()
    best = None
    with tempfile.TemporaryDirectory() as out, multiprocessing.Pool(options.processes) as pool:
        jobs = [(path, options.main, out) for path in options.photos]
        for _ in range(options.rounds):
            start = time.perf_counter()
            pool.map(make, jobs, chunksize=1)
            seconds = time.perf_counter() - start
            best = seconds if best is None else min(best, seconds)
    print(f"Pillow {Image.__version__}, {options.processes} processes, "
          f"{'thumbnails + main images' if options.main else 'thumbnails only'}: "
          f"{len(options.photos) / best:.1f} photos/s ({best:.2f} s)")


if __name__ == "__main__":
    main()
