-- Neovim's built-in LSP client (0.7 and later), set up as the README says (editors/neovim), with the
-- `inline-patterns lsp` found on PATH, on a copy of the sample project: the diagnostics the editor shows,
-- and the "ignore" code action applied as the editor applies a workspace edit. Quits with status 1 at the
-- first failure.
local source, root = os.getenv('IP_SOURCE_DIR'), vim.fn.tempname()

local function wait_for(what, condition)
  assert(vim.wait(15000, condition, 20), 'timed out waiting for ' .. what)
end

-- "rule line:column-column message" of the buffer's diagnostics, or of the expected violations: each on
-- its unit's translation text, found in the buffer.
local function shown(bufnr)
  local lines = {}
  for _, d in ipairs(vim.diagnostic.get(bufnr)) do
    assert(d.source == 'inline-patterns' and d.severity == vim.diagnostic.severity.WARN, vim.inspect(d))
    table.insert(lines, string.format('%s %d:%d-%d %s', d.code, d.lnum, d.col, d.end_col, d.message))
  end
  table.sort(lines)
  return table.concat(lines, '\n')
end

local function expected(violations)
  local found = {}
  for _, v in ipairs(violations) do
    local at = vim.fn.searchpos('\\V' .. vim.fn.escape(v[2], '\\'), 'nw')
    table.insert(found, string.format('%s %d:%d-%d %s', v[1], at[1] - 1, at[2] - 1, at[2] - 1 + #v[2], v[3]))
  end
  table.sort(found)
  return table.concat(found, '\n')
end

local function check()
  vim.fn.mkdir(root .. '/config', 'p')
  vim.fn.system({ 'cp', '-r', source .. '/examples/sample-project', root .. '/project' })
  vim.fn.system({ 'cp', '-r', source .. '/examples/global', root .. '/config/inline-patterns' })
  vim.env.XDG_CONFIG_HOME = root .. '/config'
  dofile(source .. '/editors/neovim/inline-patterns.lua')

  local unequal = 'Unequal number of matches. Source: %d, Translation: %d'
  local urls = { 'URLs', 'Lesen Sie das Handbuch.', unequal:format(1, 0) }
  local files = {
    { 'es.xlf', { { 'Markup tags', 'Nota: ajustes &lt;i&gt;opcionales&lt;/i', unequal:format(2, 1) } } },
    { 'de.po', { { 'Printf placeholders', 'Datei kann nicht gelesen werden: %s', unequal:format(2, 1) }, urls } },
  }
  for _, file in ipairs(files) do
    vim.cmd('edit ' .. root .. '/project/' .. file[1])
    wait_for('diagnostics of ' .. file[1], function() return #vim.diagnostic.get(0) > 0 end)
    assert(shown(0) == expected(file[2]), file[1] .. ' shows\n' .. shown(0))
  end

  -- The "ignore" action on the URLs violation of de.po (the current buffer), of the one server both share.
  local clients = vim.lsp.buf_get_clients(0)
  local client = next(clients)
  assert(vim.tbl_count(clients) == 1 and clients[client].config.root_dir == root .. '/project', 'not one project')
  local diagnostic = vim.tbl_filter(function(d) return d.code == 'URLs' end, vim.diagnostic.get(0))[1]
  local range = { start = { line = diagnostic.lnum, character = diagnostic.col },
    ['end'] = { line = diagnostic.end_lnum, character = diagnostic.end_col } }
  local answers = vim.lsp.buf_request_sync(0, 'textDocument/codeAction', {
    textDocument = vim.lsp.util.make_text_document_params(), range = range,
    context = { diagnostics = { { range = range, message = diagnostic.message, code = diagnostic.code,
      source = diagnostic.source, severity = 2 } } } }, 10000)
  local ignore
  for _, action in ipairs(answers[client].result or {}) do
    if action.title == 'Ignore rule "URLs" for this unit' then ignore = action end
  end
  assert(ignore, 'no ignore action among ' .. vim.inspect(answers[client].result))
  vim.lsp.util.apply_workspace_edit(ignore.edit, 'utf-16')
  wait_for('the ignored violation to go', function() return #vim.diagnostic.get(0) == 1 end)
  assert(shown(0) == expected({ files[2][2][1] }), 'de.po shows\n' .. shown(0))
  assert(vim.fn.search('^#, inline-patterns-ignore:"URLs"$') > 0, 'no suppression written')
  vim.lsp.stop_client(client)
end

local ok, failure = pcall(check)
vim.fn.delete(root, 'rf')
if not ok then
  io.stderr:write('neovim LSP test: ' .. tostring(failure) .. '\n')
  vim.cmd('cquit 1')
end
io.stdout:write('neovim LSP test: passed\n')
vim.cmd('qall!')
