# The HTML report as a browser shows it: Debian's chromium renders the sample project's report to a PNG and
# dumps the DOM after the page's script ran; the counts, the rule filter and the escaping are checked there.
# Usage: html_report_browser.py PROGRAM MODULE SOURCE_DIR WORK_DIR
import json, os, re, shutil, subprocess, sys

program, module, source, work = sys.argv[1:5]
if not shutil.which("chromium"):
    sys.exit("chromium is missing: scripts/install-deps.sh installs it")
os.makedirs(os.path.join(work, "hostile"), exist_ok=True)
failures = []


def report(fmt, path, page=None):
    run = subprocess.run([program, "--module", module, "--global-dir", "examples/global", "-q",
                          "--format", fmt, path], cwd=source, capture_output=True, text=True)
    assert run.returncode == 1, run.stderr
    if page:
        open(page, "w").write(run.stdout)
    return run.stdout


def browse(page, *options):
    return subprocess.run(["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                           f"--user-data-dir={work}/profile", *options, "file://" + page],
                          capture_output=True, text=True, timeout=180).stdout


def rows(dom):  # (rule id, hidden) of each violation row
    return re.findall(r'<tr class="violation" data-rule="([^"]+)"( hidden="")?', dom)


page = os.path.join(work, "sample.html")
report("html", "examples/sample-project", page)
expected = json.loads(report("json", "examples/sample-project"))
dom = browse(page, "--dump-dom")
counts = dict(re.findall(r'id="count-([a-z]+)">(\d+)<', dom))
wanted = {k: str(expected["summary"][k]) for k in ("files", "units", "untranslated", "violations")}
if counts != {**counts, **wanted}:
    failures.append(f"counts {counts} are not the JSON report's {expected['summary']}")
if rows(dom) != [(v["rule_id"], "") for v in expected["violations"]] or dom.count("<mark>") < len(rows(dom)):
    failures.append(f"rows {rows(dom)} are not all the violations, each with its matches marked")

# The filter, driven by the address as the summary's links drive it: the rule's rows only.
rule = expected["violations"][-1]["rule_id"]
dom = browse(page + "#rule=" + rule, "--dump-dom")
shown = [r for r, hidden in rows(dom) if not hidden]
wanted = [v["rule_id"] for v in expected["violations"] if v["rule_id"] == rule]
if shown != wanted or len(rows(dom)) != len(expected["violations"]) or \
        f">{len(wanted)}</span> shown" not in dom:
    failures.append(f"filter {rule}: shown {shown}")

# Markup in a unit id and a translation stays text: no script runs, no element appears.
open(os.path.join(work, "hostile/x.po"), "w").write(
    'msgid ""\nmsgstr "Content-Type: text/plain; charset=UTF-8\\n"\n\n'
    'msgid "<script>document.title=1</script> %s"\n'
    'msgstr "<img src=x onerror=\\"document.title=1\\"><script>document.title=1</script>"\n')
report("html", os.path.join(work, "hostile"), os.path.join(work, "hostile.html"))
dom = browse(os.path.join(work, "hostile.html"), "--dump-dom")
if "<title>Inline Patterns report</title>" not in dom or "<img" in dom or dom.count("<script") != 1 or \
        "&lt;script&gt;document.title=1&lt;/script&gt; %s" not in dom:
    failures.append("markup of the file was not kept as text:\n" + dom)

png = os.path.join(work, "sample.png")
browse(page, "--window-size=1200,1180", f"--screenshot={png}")
if not os.path.exists(png) or open(png, "rb").read(4) != b"\x89PNG" or os.path.getsize(png) < 20000:
    failures.append("no screenshot")

print("\n".join(failures) or f"HTML report: counts, filter and escaping hold in chromium; screenshot {png}")
sys.exit(1 if failures else 0)
