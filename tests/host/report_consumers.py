# The reports as their real consumers read them: Microsoft's SARIF Multitool with GitHub's rules and the SARIF
# 2.1.0 schema, Ant's junitreport. Usage: report_consumers.py PROGRAM MODULE SOURCE_DIR WORK_DIR
import json, os, re, shutil, subprocess, sys
from collections import Counter
import jsonschema

program, module, source, work = sys.argv[1:5]
npm_root = subprocess.run(["npm", "root", "-g"], capture_output=True, text=True, check=True).stdout.strip()
multitool_dirs = [f"{npm_root}/@microsoft/sarif-multitool/node_modules/@microsoft/sarif-multitool-linux",
                  f"{npm_root}/@microsoft/sarif-multitool-linux"]
multitool = next((f"{d}/Sarif.Multitool" for d in multitool_dirs if os.path.exists(f"{d}/Sarif.Multitool")), "")
schema_file = f"{npm_root}/@microsoft/jest-sarif/lib/schemas/sarif-2.1.0-rtm.5.json"
if not multitool or not os.path.exists(schema_file) or not shutil.which("ant"):
    sys.exit("the SARIF Multitool, the SARIF schema or ant is missing: scripts/install-deps.sh installs them")
schema = json.load(open(schema_file))
os.makedirs(work, exist_ok=True)
broken = os.path.join(work, "broken.po")
open(broken, "w").write('msgid "a"\nmsgstr "b\n')
failures = []
# A baseline of the sample project without its first violation: the SARIF then has new and unchanged results.
baseline = os.path.join(work, "baseline.json")
subprocess.run([program, "--module", module, "--global-dir", "examples/global", "-q", "--write-baseline", baseline,
                "examples/sample-project"], cwd=source, capture_output=True, check=True)
held = json.load(open(baseline))
failures += [f"baseline: schema: {e.message}" for e in jsonschema.Draft7Validator(
    json.load(open(os.path.join(source, "docs/baseline.schema.json")))).iter_errors(held)]
held["violations"] = held["violations"][1:]
json.dump(held, open(baseline, "w"))


def report(fmt, *paths):
    run = subprocess.run([program, "--module", module, "--global-dir", "examples/global", "-q", "--format", fmt,
                          *paths], cwd=source, capture_output=True, text=True)
    assert run.returncode in (1, 2), run.stderr
    return run.stdout


# The sample project, a run with an input error, and a run given absolute paths (files outside the base).
sample = os.path.join(source, "examples/sample-project")
for name, paths in [("sample", ["examples/sample-project"]), ("error", ["examples/sample-project", broken]),
                    ("absolute", [sample, broken]), ("baseline", ["--baseline", baseline, "examples/sample-project"])]:
    path = os.path.join(work, name + ".sarif")
    open(path, "w").write(report("sarif", *paths))
    errors = list(jsonschema.Draft4Validator(schema).iter_errors(json.load(open(path))))
    failures += [f"{name}: schema: {e.message}" for e in errors]
    # The multitool exits 0 whatever it finds: its findings are lines "FILE(LINE,COL): error|warning ID: ...".
    out = subprocess.run([multitool, "validate", "--rule-kind", "Sarif;Gh", path], capture_output=True,
                         text=True).stdout
    if "Analysis completed successfully" not in out:
        failures.append(f"{name}: the multitool did not finish:\n{out}")
    failures += [f"{name}: {line}" for line in out.splitlines() if re.search(r"\): (error|warning) ", line)]

# junitreport turns the JUnit report into its HTML; each violation is one testcase with its file and line.
junit = os.path.join(work, "junit")
os.makedirs(os.path.join(junit, "out"), exist_ok=True)
open(os.path.join(junit, "TEST-inline-patterns.xml"), "w").write(report("junit", "examples/sample-project", broken))
open(os.path.join(junit, "build.xml"), "w").write(
    '<project default="r"><target name="r"><junitreport todir="out"><fileset dir="." includes="TEST-*.xml"/>'
    '<report format="noframes" todir="out"/></junitreport></target></project>')
ant = subprocess.run(["ant", "-f", os.path.join(junit, "build.xml")], capture_output=True, text=True)
if ant.returncode != 0 or "not a valid testsuite" in ant.stdout:
    failures.append("junitreport: " + ant.stdout + ant.stderr)
else:
    html = open(os.path.join(junit, "out/junit-noframes.html"), encoding="utf-8").read()
    aggregate = open(os.path.join(junit, "out/TESTS-TestSuites.xml"), encoding="utf-8").read()
    violations = json.loads(report("json", "examples/sample-project"))["violations"]
    at = Counter(f'file="{v["file"]}" line="{v["line"]}"' for v in violations)
    failures += [f"junitreport: {n} testcase(s) with {k}" for k, n in at.items() if aggregate.count(k) != n]
    failures += [f'junitreport: {v["file"]}:{v["line"]} missing in the HTML report' for v in violations
                 if f'{v["file"]}:{v["line"]}:{v["column"]}: ' not in html]
    if "broken.po:2: error: end of string expected" not in html:
        failures.append("junitreport: the input error is missing")

print("\n".join(failures) or "SARIF: schema and multitool clean; JUnit: junitreport shows every violation")
sys.exit(1 if failures else 0)
