#!/usr/bin/env python3
"""The peer for the site figures: Hugo building an equivalent site from the
same diary corpus that bench/first_use_bench uses (10 years of daily entries
ending 2024/12/31): a page per month with every entry of the month in full and
a list of its days, the home page with the current month and its feed. Times a
full build of all months and a build of one month's site, each from an empty
output folder, and prints the median and slowest of the runs.

  bench/hugo_peer.py [build-dir] [years] [runs]

Skips (exit 0) where hugo is not installed."""
import os
import shutil
import sqlite3
import statistics
import subprocess
import sys
import tempfile
import time

CONFIG = """baseURL = "http://example.jp/diary/"
title = "日記"
languageCode = "ja"
disableKinds = ["section", "taxonomy", "sitemap", "robotsTXT", "404"]
ignoreErrors = ["error-disable-taxonomy"]
[taxonomies]
month = "months"
[outputs]
home = ["HTML", "RSS"]
term = ["HTML"]
[[cascade]]
[cascade._build]
render = "never"
list = "always"
[cascade._target]
kind = "page"
"""

ENTRIES = """{{ range .Pages.ByDate.Reverse }}<H3><a name="{{ .Params.anchor }}">{{ .Title }}</a>
({{ .Date.Format "2006/01/02" }}) [{{ .Params.genre }}] {{ .Params.weather }}</H3>
<DIV>{{ .Content }}</DIV>
<DIV ALIGN="RIGHT"><A HREF="#TOP">top</A></DIV>
{{ end }}"""

DAYLIST = """{{ range .Pages.ByDate.Reverse }}<a href="#{{ .Params.anchor }}">{{ .Date.Format "2006/01/02" }}</a>　[{{ .Params.genre }}]　{{ .Title }}<br>
{{ end }}"""

LIST = ("""<HTML lang="ja"><HEAD><TITLE>{{ .Site.Title }} {{ .Title }}</TITLE></HEAD><BODY>
<H3><a name=TOP>{{ .Title }}</a></H3>
""" + DAYLIST + "<HR>\n" + ENTRIES + """
{{ range .Site.Taxonomies.months }}<a href="{{ .Page.RelPermalink }}">{{ .Page.Title }}</a> {{ end }}
</BODY></HTML>
""")

HOME = ("""<HTML lang="ja"><HEAD><TITLE>{{ .Site.Title }}</TITLE>
{{ range .AlternativeOutputFormats }}<link rel="{{ .Rel }}" type="{{ .MediaType.Type }}" href="{{ .Permalink }}">{{ end }}
</HEAD><BODY>
{{ $current := index (sort .Site.Taxonomies.months "Page.Title" "desc") 0 }}
{{ with $current.Page }}<H3><a name=TOP>{{ .Title }}</a></H3>
""" + DAYLIST + "<HR>\n" + ENTRIES + """{{ end }}
{{ range .Site.Taxonomies.months }}<a href="{{ .Page.RelPermalink }}">{{ .Page.Title }}</a> {{ end }}
</BODY></HTML>
""")


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def make_site(folder, rows):
    write(os.path.join(folder, "config.toml"), CONFIG)
    write(os.path.join(folder, "layouts", "_default", "list.html"), LIST)
    write(os.path.join(folder, "layouts", "index.html"), HOME)
    for day, number, title, contents, extend, weather, genre in rows:
        month = day[:7].replace("/", "-")
        body = contents or ""
        if extend:
            body += "\r\n<br>" + extend
        front = ('---\ntitle: "%s"\ndate: %sT21:00:00+09:00\nmonths: ["%s"]\nanchor: "%s_%d"\n'
                 'genre: "%s"\nweather: "%s"\n---\n') % (title, day.replace("/", "-"), month, day, number,
                                                          genre or "", weather or "")
        write(os.path.join(folder, "content", "posts", "%s-%d.html" % (day.replace("/", "-"), number)), front + body)


def time_builds(hugo, folder, runs):
    times = []
    for run in range(runs):
        # Earlier output is moved aside, not deleted: a file system that has
        # just freed many inodes searches long for new ones.
        public = os.path.join(folder, "public")
        if os.path.exists(public):
            os.rename(public, os.path.join(folder, "set-aside-%d" % run))
        start = time.perf_counter()
        subprocess.run([hugo, "--quiet", "-s", folder, "-d", public], check=True)
        times.append((time.perf_counter() - start) * 1000)
    return statistics.median(times), max(times)


def main():
    hugo = shutil.which("hugo")
    if not hugo:
        print("hugo is not installed: skipped")
        return 0
    here = os.path.dirname(os.path.abspath(__file__))
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "build")
    years = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 7
    with tempfile.TemporaryDirectory() as tmp:
        corpus = os.path.join(tmp, "corpus")
        subprocess.run([os.path.join(build, "bench", "first_use_bench"), "--make", corpus, str(years)], check=True)
        db = sqlite3.connect(os.path.join(corpus, "user", "rarav.mdb"))
        rows = db.execute("SELECT Day, Number, Title, Contents, Extend, Weather, Genre FROM Contents "
                          "WHERE Private = 0 ORDER BY Day, Number").fetchall()
        last = max(r[0][:7] for r in rows)
        make_site(os.path.join(tmp, "full"), rows)
        make_site(os.path.join(tmp, "month"), [r for r in rows if r[0].startswith(last)])
        months = len({r[0][:7] for r in rows})
        full = time_builds(hugo, os.path.join(tmp, "full"), runs)
        month = time_builds(hugo, os.path.join(tmp, "month"), runs)
        print("hugo %s, %d entries" % (subprocess.run([hugo, "version"], capture_output=True, text=True).stdout.split()[1],
                                       len(rows)))
        print("full build, %d months: median %.1f ms, slowest %.1f ms" % (months, full[0], full[1]))
        print("one month (%s):        median %.1f ms, slowest %.1f ms" % (last, month[0], month[1]))
    return 0


if __name__ == "__main__":
    sys.exit(main())
