// A session of an editor with `inline-patterns lsp` (IP_PROGRAM) on a copy of the sample project, through
// VS Code's protocol library: diagnostics while typing, the code actions applied, hover, a rule file that
// changes; once with UTF-16 positions and once with UTF-8 ones (errors.test.mjs: the error answers).
import assert from 'node:assert/strict';
import { cpSync, mkdtempSync, readFileSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { test } from 'node:test';
import { fileURLToPath } from 'node:url';
import { Document, lsp, nextDiagnostics, startServer, uriOf } from './client.mjs';

const program = process.env.IP_PROGRAM;
const examples = join(dirname(fileURLToPath(import.meta.url)), '../../examples');
const WARNING = lsp.DiagnosticSeverity.Warning;

// A copy of the sample project, and of the example global rules as the user's own (XDG_CONFIG_HOME).
function workspace() {
  const root = mkdtempSync(join(tmpdir(), 'ip-lsp-'));
  cpSync(join(examples, 'sample-project'), join(root, 'project'), { recursive: true });
  cpSync(join(examples, 'global'), join(root, 'config/inline-patterns'), { recursive: true });
  return {
    root, project: join(root, 'project'),
    global: join(root, 'config/inline-patterns/settings.ini'),
    projectRules: join(root, 'project/.inline-patterns/settings.ini'),
  };
}

// The 0-based line of the section of the named rule in its rule file.
function sectionLine(ruleFile, name) {
  const lines = readFileSync(ruleFile, 'utf8').split('\n');
  const nameLine = lines.findIndex((line) => line.trim() === `Name=${name}`);
  return lines.slice(0, nameLine).findLastIndex((line) => line.includes('[Pattern-'));
}

// The diagnostics must be exactly the expected violations, each on its unit's translation text.
function assertViolations(doc, diagnostics, expected) {
  const got = [...diagnostics].sort((a, b) => a.range.start.line - b.range.start.line);
  assert.deepEqual(got.map((d) => d.code), expected.map((e) => e.rule), `rules of ${doc.uri}`);
  got.forEach((diagnostic, i) => {
    const { rule, text, message, ruleFile } = expected[i];
    assert.deepEqual(diagnostic.range, doc.rangeOf(text), `range of ${rule}`);
    assert.equal(diagnostic.message, message);
    assert.equal(diagnostic.severity, WARNING);
    assert.equal(diagnostic.source, 'inline-patterns');
    const [related] = diagnostic.relatedInformation ?? [];
    assert.equal(related?.location.uri, uriOf(ruleFile), `rule file of ${rule}`);
    assert.equal(related.location.range.start.line, sectionLine(ruleFile, rule), `section of ${rule}`);
  });
}

async function session(encodings) {
  const ws = workspace();
  const server = startServer(program, { XDG_CONFIG_HOME: join(ws.root, 'config') });
  try {
    await work(ws, server, encodings);
  } finally {
    server.child.kill();
    rmSync(ws.root, { recursive: true, force: true });
  }
}

async function work(ws, server, encodings) {
  const { connection } = server;
  const unmatched = (rule, text, source, translation) => ({
    rule, text, ruleFile: ws.global, message: `Unequal number of matches. Source: ${source}, Translation: ${translation}` });
  const printf = unmatched('Printf placeholders', 'Datei kann nicht gelesen werden: %s', 2, 1);
  const urls = unmatched('URLs', 'Lesen Sie das Handbuch.', 1, 0);
  const accelerator = unmatched('Accelerator', 'Öffnen', 1, 0);
  const markup = unmatched('Markup tags', 'Nota: ajustes &lt;i&gt;opcionales&lt;/i', 2, 1);

  const init = await connection.sendRequest(lsp.InitializeRequest.type, {
    processId: process.pid, rootUri: uriOf(ws.project), workspaceFolders: [{ uri: uriOf(ws.project), name: 'sample' }],
    capabilities: {
      general: encodings ? { positionEncodings: encodings } : undefined,
      textDocument: {
        publishDiagnostics: { relatedInformation: true, versionSupport: true, codeDescriptionSupport: true },
        codeAction: { codeActionLiteralSupport: { codeActionKind: { valueSet: ['quickfix', ''] } } },
        hover: { contentFormat: ['markdown', 'plaintext'] },
      },
      workspace: { applyEdit: true, didChangeWatchedFiles: { dynamicRegistration: true } },
      window: { showDocument: { support: true } },
    },
  });
  const encoding = encodings?.[0] ?? 'utf-16';
  assert.equal(init.capabilities.positionEncoding ?? 'utf-16', encoding);
  const sync = init.capabilities.textDocumentSync;
  assert.equal(sync?.change ?? sync, lsp.TextDocumentSyncKind.Incremental);
  connection.sendNotification(lsp.InitializedNotification.type, {});

  const open = (name, languageId) => new Document(server, join(ws.project, name), languageId,
    readFileSync(join(ws.project, name), 'utf8'), encoding);
  const de = open('de.po', 'po');
  const es = open('es.xlf', 'xml');
  assertViolations(de, await de.open(), [printf, urls]);
  assertViolations(es, await es.open(), [markup]);
  // A new document outside the workspace, in a folder not made yet: a project without rules of its own.
  const loose = new Document(server, join(ws.root, 'new/fr.po'), 'po', 'msgid "Read %s"\nmsgstr "Lire"\n', encoding);
  assert.deepEqual((await loose.open()).map((d) => d.code), ['Printf placeholders']);

  // Typing: a new violation whose text is not ASCII (its end differs in UTF-8 and UTF-16), a fix in two
  // quick edits, a file that no longer parses (one error, the good diagnostics gone) and its repair.
  assertViolations(de, await de.replace('Ö&ffnen', 'Öffnen'), [accelerator, printf, urls]);
  de.replace('Datei kann', 'Datei % kann');  // typed on at once: only the newer version need be checked
  assertViolations(de, await de.replace('Datei % kann', 'Datei %s kann'), [accelerator, urls]);
  const broken = await de.replace('msgid "&Open"', 'msgid "&Open');
  assert.deepEqual(broken.map((d) => [d.severity, d.range.start.line]),
    [[lsp.DiagnosticSeverity.Error, de.lineOf('msgid "&Open')]], 'one error where the file breaks');
  assertViolations(de, await de.replace('msgid "&Open', 'msgid "&Open"'), [accelerator, urls]);

  // Hover on a violation shows its rule and its matches, as the rule editor's test pane lists them.
  const hover = await connection.sendRequest(lsp.HoverRequest.type,
    { textDocument: { uri: de.uri }, position: de.rangeOf('Lesen Sie').start });
  const shown = hover?.contents?.value ?? JSON.stringify(hover?.contents);
  const described = ['Rule "URLs"', 'pattern: \\b(?:https?|ftp)://', 'regular expression', 'method: exist-if-in-source',
    'Matches in source:https://example.org/acme/manual', 'No matches in translation'];
  for (const part of described) {
    assert.ok(shown.includes(part), `hover shows ${part}: ${shown}`);
  }

  // The code actions: "Show rule" opens the rule file at the rule; "Ignore rule" edits only its unit and
  // the violation goes.
  const ignores = [
    { doc: de, rule: urls, unit: ['#. The missing URL', '"Lesen Sie das Handbuch."'], rest: [accelerator],
      note: '#, inline-patterns-ignore:"URLs"' },
    { doc: es, rule: markup, unit: ['<unit id="italic.note">', '</unit>'], rest: [],
      note: '<note category="inline-patterns">inline-patterns-ignore: Markup tags</note>' },
  ];
  for (const { doc, rule, unit, rest, note } of ignores) {
    const diagnostic = server.published.findLast((p) => p.uri === doc.uri).diagnostics.find((d) => d.code === rule.rule);
    const actions = await connection.sendRequest(lsp.CodeActionRequest.type,
      { textDocument: { uri: doc.uri }, range: diagnostic.range, context: { diagnostics: [diagnostic] } });
    const titled = (title) => actions.find((a) => a.title === title) ?? assert.fail(`no "${title}" in ${JSON.stringify(actions)}`);
    const show = titled(`Show rule "${rule.rule}"`);
    server.requests.length = 0;
    await connection.sendRequest(lsp.ExecuteCommandRequest.type, show.command);
    const shownDoc = server.requests.find((r) => r.method === lsp.ShowDocumentRequest.method)?.params;
    assert.equal(shownDoc?.uri, uriOf(rule.ruleFile));
    assert.equal(shownDoc.selection?.start.line, sectionLine(rule.ruleFile, rule.rule));

    const { edit } = titled(`Ignore rule "${rule.rule}" for this unit`);
    const edits = edit.changes?.[doc.uri] ?? edit.documentChanges?.[0].edits;
    const first = doc.rangeOf(unit[0]);
    const last = doc.rangeOf(unit[1], doc.offsetAt(first.start)).end.line;
    for (const { range } of edits) {
      assert.ok(range.start.line >= first.start.line && range.end.line <= last, `edit ${JSON.stringify(range)} inside the unit`);
    }
    assertViolations(doc, await doc.edit(edits), rest);
    assert.ok(doc.text.includes(note), `the suppression ${note} is written`);
  }

  // A change to a rule file re-checks every open document, whether the editor watches it or saves it; a
  // pattern that does not compile is shown at its rule.
  const dots = { rule: 'Three dots', text: '%s wird nach %s gesichert...', ruleFile: ws.projectRules,
    message: 'Text "..." must not appear.' };
  const rules = { uri: uriOf(ws.projectRules), text: readFileSync(ws.projectRules, 'utf8') };
  const rule = (n, name, pattern, regex) => `[Pattern-0${n}]\r\nName=${name}\r\nActive=1\r\nPattern=${pattern}\r\n`
    + `RegEx=${regex}\r\nCase=1\r\nTag=0\r\nCheckMethod=2\r\nCheckFlags=2\r\nNative=0\r\n`;
  const ruleChanges = [
    [rules.text + rule(1, 'Three dots', '...', 0) + rule(2, 'Unclosed', '(', 1), lsp.DidChangeWatchedFilesNotification.type,
      { changes: [{ uri: rules.uri, type: lsp.FileChangeType.Changed }] }, [accelerator, dots], ['Unclosed']],
    [rules.text, lsp.DidSaveTextDocumentNotification.type, { textDocument: { uri: rules.uri } }, [accelerator], []],
  ];
  for (const [text, type, params, expected, failing] of ruleChanges) {
    writeFileSync(ws.projectRules, text);
    const [deChecked, esChecked, ruleFile] = [de.uri, es.uri, rules.uri].map((uri) => nextDiagnostics(server, uri));
    connection.sendNotification(type, params);
    assertViolations(de, await deChecked, expected);
    assertViolations(es, await esChecked, []);
    assert.deepEqual((await ruleFile).map((d) => [d.code, d.range.start.line]),
      failing.map((name) => [name, sectionLine(ws.projectRules, name)]), 'the rules that do not compile');
    // An answer comes after the server is done with the change, before the rule file changes again.
    await connection.sendRequest(lsp.HoverRequest.type, { textDocument: { uri: de.uri }, position: { line: 0, character: 0 } });
  }

  for (const doc of [de, es]) {
    const versions = server.published.filter((p) => p.uri === doc.uri).map((p) => p.version);
    assert.deepEqual(versions, [...versions].sort((a, b) => a - b), `no stale diagnostics for ${doc.uri}`);
  }
  assert.equal(await connection.sendRequest(lsp.ShutdownRequest.type), null);
  connection.sendNotification(lsp.ExitNotification.type);
  assert.deepEqual(await server.exited, { code: 0, signal: null });
  connection.dispose();
}

test('a session with UTF-16 positions, the protocol default', { timeout: 60000 }, () => session(undefined));
test('a session with UTF-8 positions, offered by the client', { timeout: 60000 }, () => session(['utf-8', 'utf-16']));
