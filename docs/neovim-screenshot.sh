#!/usr/bin/env bash
# Takes docs/neovim-lsp.png: Neovim, set up as the README says (editors/neovim), showing a violation of the
# sample project in a virtual terminal (tmux); the screen with its colours goes through aha to HTML, which
# headless Chromium photographs. Usage: docs/neovim-screenshot.sh BUILD_DIR   (install-deps.sh --docs)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build/dev}")
repo=$PWD
work=$(mktemp -d)
tmux=(tmux -L inline-patterns-screenshot -f /dev/null)
trap '"${tmux[@]}" kill-server 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r examples/sample-project "$work/project"
mkdir -p "$work/config" && cp -r examples/global "$work/config/inline-patterns"
cat > "$work/init.lua" <<LUA
vim.opt.number = true
vim.cmd('highlight NormalFloat ctermbg=236 ctermfg=252 | highlight StatusLine ctermbg=238 ctermfg=255')
vim.diagnostic.config({ virtual_text = { format = function(d) return d.code end },
  float = { format = function(d) return d.message .. ' [' .. d.code .. ']' end, header = '' } })
dofile('$repo/editors/neovim/inline-patterns.lua')
-- The message under the cursor in its float, as a user hovering over the line sees it.
vim.defer_fn(function() vim.diagnostic.open_float() end, 2500)
LUA

"${tmux[@]}" new-session -d -x 120 -y 26 -c "$work/project" -e TERM=tmux-256color \
  "env PATH='$build/host:$PATH' XDG_CONFIG_HOME='$work/config' nvim -u '$work/init.lua' '+call cursor(22, 9)' -c 'call winrestview({\"topline\": 10})' de.po"
sleep 4  # the server starts and publishes, the float opens
"${tmux[@]}" capture-pane -e -p > "$work/screen.ans"

aha --black --title "inline-patterns lsp in Neovim" < "$work/screen.ans" |
  sed 's|</head>|<style>body{margin:0} pre{margin:8px;font:14px/1.2 "DejaVu Sans Mono",monospace}</style></head>|' \
  > "$work/screen.html"
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --window-size=1036,470 \
  --screenshot="$repo/docs/neovim-lsp.png" "file://$work/screen.html" 2>/dev/null
echo "docs/neovim-lsp.png"
