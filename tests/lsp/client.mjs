// A client of `inline-patterns lsp` for the protocol tests and the latency benchmark: starts the server,
// speaks to it through VS Code's own protocol library and keeps each document's text and version as an
// editor does, with positions in the encoding the two agreed on.
import { spawn } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import * as lsp from 'vscode-languageserver-protocol/node.js';

export { lsp };
export const uriOf = (path) => pathToFileURL(path).href;

// Starts the server; every publishDiagnostics is kept in arrival order, and the requests a server may send
// (registrations, showDocument, applyEdit) are recorded and answered as an editor would.
export function startServer(program, env = {}) {
  const child = spawn(program, ['lsp'], { env: { ...process.env, ...env }, stdio: ['pipe', 'pipe', 'inherit'] });
  const exited = new Promise((resolve) => child.on('exit', (code, signal) => resolve({ code, signal })));
  const connection = lsp.createProtocolConnection(
    new lsp.StreamMessageReader(child.stdout), new lsp.StreamMessageWriter(child.stdin));
  const server = { child, exited, connection, published: [], requests: [], waiters: [] };
  connection.onNotification(lsp.PublishDiagnosticsNotification.type, (params) => {
    server.published.push(params);
    server.waiters = server.waiters.filter((waiter) => !waiter(params));
  });
  connection.onRequest((method, params) => {
    server.requests.push({ method, params });
    return method === lsp.ApplyWorkspaceEditRequest.method ? { applied: false }
      : method === lsp.ShowDocumentRequest.method ? { success: true } : null;
  });
  connection.listen();
  return server;
}

// The next diagnostics published for the uri from now on, of at least the version when the server says
// which version it checked (a check of an older one may still be under way).
export function nextDiagnostics(server, uri, version, timeout = 15000) {
  return new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error(`no diagnostics for ${uri} v${version} in ${timeout} ms`)), timeout);
    server.waiters.push((params) => {
      if (params.uri !== uri || (params.version != null && version != null && params.version < version)) return false;
      clearTimeout(timer);
      resolve(params.diagnostics);
      return true;
    });
  });
}

// An open document: its text, version and the conversions between offsets and protocol positions.
export class Document {
  constructor(server, path, languageId, text, encoding) {
    Object.assign(this, { server, uri: uriOf(path), languageId, text, encoding, version: 1 });
  }

  open() {
    const published = nextDiagnostics(this.server, this.uri, this.version);
    this.server.connection.sendNotification(lsp.DidOpenTextDocumentNotification.type, {
      textDocument: { uri: this.uri, languageId: this.languageId, version: this.version, text: this.text } });
    return published;
  }

  // Applies the text edits (of one document, as a WorkspaceEdit lists them) and sends them as one
  // incremental change, the last edit first so that the earlier positions stay valid; resolves to the
  // diagnostics of the new version.
  edit(edits) {
    const sorted = [...edits].sort((a, b) => this.offsetAt(b.range.start) - this.offsetAt(a.range.start));
    for (const { range, newText } of sorted) {
      this.text = this.text.slice(0, this.offsetAt(range.start)) + newText + this.text.slice(this.offsetAt(range.end));
    }
    this.version += 1;
    const published = nextDiagnostics(this.server, this.uri, this.version);
    this.server.connection.sendNotification(lsp.DidChangeTextDocumentNotification.type, {
      textDocument: { uri: this.uri, version: this.version },
      contentChanges: sorted.map(({ range, newText }) => ({ range, text: newText })) });
    return published;
  }

  // The edit that replaces the first occurrence of `from` by `to`.
  replace(from, to) {
    return this.edit([{ range: this.rangeOf(from), newText: to }]);
  }

  rangeOf(needle, after = 0) {
    const start = this.text.indexOf(needle, after);
    if (start < 0) throw new Error(`"${needle}" is not in ${this.uri}`);
    return { start: this.positionAt(start), end: this.positionAt(start + needle.length) };
  }

  lineOf(needle) {
    return this.rangeOf(needle).start.line;
  }

  offsetAt({ line, character }) {
    let offset = 0;
    for (let l = 0; l < line; l += 1) offset = this.text.indexOf('\n', offset) + 1;
    if (this.encoding !== 'utf-8') return offset + character;
    for (let bytes = 0; bytes < character; offset += 1) {
      const code = this.text.codePointAt(offset);
      bytes += Buffer.byteLength(String.fromCodePoint(code));
      if (code > 0xffff) offset += 1;
    }
    return offset;
  }

  positionAt(offset) {
    const lineStart = this.text.lastIndexOf('\n', offset - 1) + 1;
    const line = this.text.slice(0, lineStart).split('\n').length - 1;
    const before = this.text.slice(lineStart, offset);
    return { line, character: this.encoding === 'utf-8' ? Buffer.byteLength(before) : before.length };
  }
}
