// Latency of `inline-patterns lsp` while typing: a generated PO file of UNITS units (1 in EVERY, 100 unless
// given, with a dropped placeholder) is opened with the example global rules, then EDITS small edits are
// made one after the other, each a character typed into (or removed from) a translation spread over the
// file, and the time from each didChange to the diagnostics of that version is measured; then a burst of
// edits sent at once, of which only the last one's diagnostics are waited for (the older checks are
// cancelled). Usage: node bench/lsp_latency.mjs [PROGRAM [UNITS [EDITS [EVERY]]]]
// (needs scripts/install-deps.sh's npm packages)
import { cpSync, mkdtempSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join } from 'node:path';
import { performance } from 'node:perf_hooks';
import { fileURLToPath } from 'node:url';
import { Document, lsp, nextDiagnostics, startServer } from '../tests/lsp/client.mjs';

const repo = join(dirname(fileURLToPath(import.meta.url)), '..');
const [program = join(repo, 'build/release/host/inline-patterns'), units = 5000, edits = 50, every = 100] =
  process.argv.slice(2);
const burst = 10;

function poFile(count) {
  const entries = ['msgid ""\nmsgstr ""\n"Language: de\\n"\n"Content-Type: text/plain; charset=UTF-8\\n"\n'];
  for (let i = 0; i < count; i += 1) {
    const translation = i % every === 0 ? `Eintrag ${i}: nach %s kopieren` : `Eintrag ${i}: %s nach %s kopieren`;
    entries.push(`#: src/copy.c:${i}\nmsgid "Entry ${i}: copy %s to %s"\nmsgstr "${translation}"\n`);
  }
  return entries.join('\n');
}

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const ms = (value) => `${value.toFixed(1)} ms`;

const root = mkdtempSync(join(tmpdir(), 'ip-lsp-bench-'));
cpSync(join(repo, 'examples/global'), join(root, 'config/inline-patterns'), { recursive: true });
const text = poFile(Number(units));
writeFileSync(join(root, 'large.po'), text);
const server = startServer(program, { XDG_CONFIG_HOME: join(root, 'config') });
try {
  await server.connection.sendRequest(lsp.InitializeRequest.type,
    { processId: process.pid, rootUri: null, capabilities: {} });
  server.connection.sendNotification(lsp.InitializedNotification.type, {});
  const doc = new Document(server, join(root, 'large.po'), 'po', text, 'utf-16');
  let start = performance.now();
  const opened = await doc.open();
  console.log(`inline-patterns lsp: a ${Number(units).toLocaleString('en')}-unit PO file `
    + `(${(text.length / 1024).toFixed(0)} KiB), ${opened.length} violations`);
  console.log(`  open: first diagnostics in ${ms(performance.now() - start)}`);

  // Edit k types "x" before the translation of unit (k * 997) mod UNITS, or removes it again.
  const typed = [];
  const edit = (k) => {
    const unit = Math.floor(k / 2) * 997 % units;
    return k % 2 === 0 ? { range: doc.rangeOf(`"Eintrag ${unit}:`), newText: `"xEintrag ${unit}:` }
      : { range: doc.rangeOf(`"xEintrag ${unit}:`), newText: `"Eintrag ${unit}:` };
  };
  for (let k = 0; k < edits; k += 1) {
    const change = edit(k);
    start = performance.now();
    await doc.edit([change]);
    typed.push(performance.now() - start);
  }
  console.log(`  didChange to publishDiagnostics, ${edits} edits: median ${ms(median(typed))}, `
    + `max ${ms(Math.max(...typed))} (target: at most 100 ms)`);

  start = performance.now();
  for (let k = 0; k < burst; k += 1) doc.edit([edit(k)]);
  await nextDiagnostics(server, doc.uri, doc.version);
  console.log(`  a burst of ${burst} edits: the last one's diagnostics ${ms(performance.now() - start)} after the first`);
  await server.connection.sendRequest(lsp.ShutdownRequest.type);
  server.connection.sendNotification(lsp.ExitNotification.type);
  await server.exited;
} finally {
  server.child.kill();
  rmSync(root, { recursive: true, force: true });
}
