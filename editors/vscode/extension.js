// Runs `inline-patterns lsp` for the workspace's PO and XLIFF files through VS Code's own LSP client; the
// server asks VS Code to watch the rule files itself.
const { workspace } = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

exports.activate = () => {
  const settings = workspace.getConfiguration('inlinePatterns');
  const server = { command: settings.get('path'), args: ['lsp', ...settings.get('arguments')] };
  client = new LanguageClient('inline-patterns', 'Inline Patterns', server, {
    documentSelector: [{ scheme: 'file', pattern: '**/*.{po,xlf,xliff}' }],
  });
  return client.start();
};

exports.deactivate = () => client?.stop();
