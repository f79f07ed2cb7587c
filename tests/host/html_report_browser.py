# The HTML report as a browser shows it: Debian's chromium renders the sample project's report to a PNG and
# dumps the DOM after the page's script ran; the counts, the rule filter and the escaping are checked there.
# Usage: html_report_browser.py PROGRAM MODULE SOURCE_DIR WORK_DIR
import json, os, shutil, subprocess, sys
from collections import Counter
from html.parser import HTMLParser

program, module, source, work = sys.argv[1:5]
chromium = shutil.which("chromium")
if not chromium:
    sys.exit("chromium is missing: scripts/install-deps.sh installs it")
os.makedirs(work, exist_ok=True)
failures = []


def report(fmt, path):
    run = subprocess.run([program, "--module", module, "--global-dir", "examples/global", "-q", "--format", fmt,
                          path], cwd=source, capture_output=True, text=True)
    assert run.returncode == 1, run.stderr
    return run.stdout


def browse(page, *options):
    return subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                           f"--user-data-dir={work}/profile", *options, "file://" + page],
                          capture_output=True, text=True, timeout=180).stdout


class Dom(HTMLParser):
    """The violation rows (rule, hidden), the counts by id, the text of each cell and the tags seen."""
    def __init__(self, html):
        super().__init__()
        self.rows, self.counts, self.cells, self.tags, self.title, self._into = [], {}, [], Counter(), "", None
        self.feed(html)

    def handle_starttag(self, tag, attrs):
        a = dict(attrs)
        self.tags[tag] += 1
        if tag == "tr" and a.get("class") == "violation":
            self.rows.append((a["data-rule"], "hidden" in a))
        self._into = a.get("id") if (a.get("id") or "").startswith("count-") or a.get("id") == "shown" else \
            "title" if tag == "title" else "cell" if tag == "td" else self._into

    def handle_data(self, data):
        if self._into == "title":
            self.title += data
        elif self._into == "cell":
            self.cells.append(data)
        elif self._into:
            self.counts[self._into] = int(data)
        self._into = None if self._into != "cell" else self._into


page = os.path.join(work, "sample.html")
open(page, "w").write(report("html", "examples/sample-project"))
expected = json.loads(report("json", "examples/sample-project"))
dom = Dom(browse(page, "--dump-dom"))
summary = {k: dom.counts.get("count-" + k.replace("_", "-")) for k in ("files", "units", "untranslated", "violations")}
if summary != {k: expected["summary"][k] for k in summary}:
    failures.append(f"summary {summary} is not the JSON report's {expected['summary']}")
if len(dom.rows) != len(expected["violations"]) or any(hidden for _, hidden in dom.rows):
    failures.append(f"{len(dom.rows)} rows, not {len(expected['violations'])} all shown: {dom.rows}")
if dom.tags["mark"] < len(expected["violations"]):
    failures.append(f"{dom.tags['mark']} highlighted matches")

# The filter, driven by the address as a link from the summary drives it: the rule's rows only.
rule = expected["violations"][-1]["rule_id"]
dom = Dom(browse(page + "#rule=" + rule, "--dump-dom"))
shown = [r for r, hidden in dom.rows if not hidden]
wanted = [v["rule_id"] for v in expected["violations"] if v["rule_id"] == rule]
if shown != wanted or dom.counts.get("shown") != len(wanted) or len(dom.rows) != len(expected["violations"]):
    failures.append(f"filter {rule}: shown {shown}, counted {dom.counts.get('shown')}")

# Markup in a unit id and a translation stays text: no script runs, no element appears.
hostile = os.path.join(work, "hostile")
os.makedirs(hostile, exist_ok=True)
open(os.path.join(hostile, "x.po"), "w").write(
    'msgid ""\nmsgstr "Content-Type: text/plain; charset=UTF-8\\n"\n\n'
    'msgid "<script>document.title=\'pwned\'</script> %s"\n'
    'msgstr "<img src=x onerror=\\"document.title=\'pwned\'\\"><script>document.title=\'pwned\'</script>"\n')
open(os.path.join(work, "hostile.html"), "w").write(report("html", hostile))
dom = Dom(browse(os.path.join(work, "hostile.html"), "--dump-dom"))
if dom.title != "Inline Patterns report" or dom.tags["img"] or dom.tags["script"] != 1 or \
        not any("<script>document.title='pwned'</script> %s" in c for c in dom.cells):
    failures.append(f"markup of the file was not kept as text: title {dom.title!r}, tags {dict(dom.tags)}")

png = os.path.join(work, "sample.png")
browse(page, "--window-size=1280,1250", f"--screenshot={png}")
if not os.path.exists(png) or open(png, "rb").read(4) != b"\x89PNG" or os.path.getsize(png) < 20000:
    failures.append("no screenshot")

print("\n".join(failures) or f"HTML report: counts, filter and escaping hold in chromium; screenshot {png}")
sys.exit(1 if failures else 0)
