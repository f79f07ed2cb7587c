// What `inline-patterns lsp` (IP_PROGRAM) answers a client that breaks the protocol: bytes written as they
// come, the answers read with VS Code's message reader; never a crash, never a hang.
import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import { after, test } from 'node:test';
import { lsp } from './client.mjs';

const frame = (body) => `Content-Length: ${Buffer.byteLength(body)}\r\n\r\n${body}`;
const request = (id, method, params = {}) => frame(JSON.stringify({ jsonrpc: '2.0', id, method, params }));
const notification = (method) => frame(JSON.stringify({ jsonrpc: '2.0', method }));
const { ErrorCodes } = lsp;

const children = [];
after(() => children.forEach((child) => child.kill()));  // a test that failed leaves no server behind

function start() {
  const child = spawn(process.env.IP_PROGRAM, ['lsp'], { stdio: ['pipe', 'pipe', 'pipe'] });
  children.push(child);
  const answers = [];
  let wake = () => {};
  new lsp.StreamMessageReader(child.stdout).listen((message) => { answers.push(message); wake(); });
  const exited = new Promise((resolve) => child.on('exit', (code, signal) => resolve({ code, signal })));
  const next = () => new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('no answer in 10 s')), 10000);
    const check = () => {
      if (answers.length === 0) return void (wake = check);
      clearTimeout(timer);
      resolve(answers.shift());
    };
    check();
  });
  return { child, next, exited };
}

// Each message and the answer it gets, in order on one connection.
const exchanges = [
  ['not JSON', frame('{"jsonrpc":'), { id: null, code: ErrorCodes.ParseError }],
  ['no usable length', 'Content-Length: many\r\n\r\n', { id: null, code: ErrorCodes.ParseError }],
  ['JSON but no message', frame('[1,2]'), { id: null, code: ErrorCodes.InvalidRequest }],
  ['a request without a method', frame('{"jsonrpc":"2.0","id":1}'), { id: 1, code: ErrorCodes.InvalidRequest }],
  ['a request before initialize', request(2, 'textDocument/hover'), { id: 2, code: ErrorCodes.ServerNotInitialized }],
  ['initialize', request(3, 'initialize', { processId: null, rootUri: null, capabilities: {} }), { id: 3 }],
  // An unknown notification is ignored: the next answer is the next request's.
  ['an unknown notification, then an unknown method', notification('inline-patterns/nothing')
    + request(4, 'inline-patterns/nothing'), { id: 4, code: ErrorCodes.MethodNotFound }],
  ['shutdown', request(5, 'shutdown'), { id: 5, result: null }],
];

test('error answers, then shutdown and exit', { timeout: 20000 }, async () => {
  const server = start();
  for (const [name, bytes, expected] of exchanges) {
    server.child.stdin.write(bytes);
    const answer = await server.next();
    assert.equal(answer.id, expected.id, name);
    assert.equal(answer.error?.code, expected.code, `${name}: ${JSON.stringify(answer)}`);
    if ('result' in expected) assert.equal(answer.result, expected.result, name);
  }
  server.child.stdin.end(notification('exit'));
  assert.deepEqual(await server.exited, { code: 0, signal: null });
});

// How a connection ends without shutdown: the exit code the protocol wants, no signal, no hang.
const endings = [
  ['exit without shutdown', notification('exit'), [1]],
  ['the pipe closed mid-message', 'Content-Length: 100\r\n\r\n{"jsonrpc":"2.0",', [0, 1]],
  ['the pipe closed mid-header', 'Content-Len', [0, 1]],
];
for (const [name, bytes, codes] of endings) {
  test(name, { timeout: 10000 }, async () => {
    const server = start();
    server.child.stdin.end(bytes);
    const { code, signal } = await server.exited;
    assert.ok(signal === null && codes.includes(code), `exit ${code}, signal ${signal}`);
  });
}
