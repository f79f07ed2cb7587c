-- Neovim 0.7 and later, without plugins: `inline-patterns lsp` for PO and XLIFF files, one server per
-- project (the folder that holds .inline-patterns, else the file's folder). In init.lua:
--   dofile('/path/to/editors/neovim/inline-patterns.lua')
local clients = {}

vim.api.nvim_create_autocmd({ 'BufReadPost', 'BufNewFile' }, {
  pattern = { '*.po', '*.xlf', '*.xliff' },
  callback = function(args)
    local folder = vim.fn.fnamemodify(args.file, ':p:h')
    local rules = vim.fn.finddir('.inline-patterns', folder .. ';')
    local root = rules ~= '' and vim.fn.fnamemodify(rules, ':p:h:h') or folder
    clients[root] = clients[root] or vim.lsp.start_client({
      name = 'inline-patterns', cmd = { 'inline-patterns', 'lsp' }, root_dir = root })
    if clients[root] then vim.lsp.buf_attach_client(args.buf, clients[root]) end  -- nil: it did not start
  end,
})
