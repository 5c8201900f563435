-- Neovim's own language client against `k42gui-inspect lsp` on a copy of the demo device: diagnostics of an
-- unsaved edit, a jump to a definition, a hover, a completion and the references. Writes one line per expectation to the
-- result file and exits non-zero when one fails.
local inspect = os.getenv('K42GUI_INSPECT')
local demo = os.getenv('K42GUI_DEMO')
local result = io.open(os.getenv('K42GUI_RESULT'), 'w')
local failures = 0

local function report(ok, what)
  result:write((ok and 'ok   ' or 'FAIL ') .. what .. '\n')
  result:flush()
  if not ok then failures = failures + 1 end
  return ok
end

local function finish()
  result:write(failures == 0 and 'passed\n' or (failures .. ' failed\n'))
  result:close()
  os.exit(failures == 0 and 0 or 1)
end

-- The 1-based line of the first line containing text, and the 0-based byte column just inside its quote.
local function find(text, shift)
  for number, line in ipairs(vim.api.nvim_buf_get_lines(0, 0, -1, false)) do
    local at = line:find(text, 1, true)
    if at then return number, at - 1 + shift end
  end
  return nil
end

local function request(method, line, column, context)
  vim.api.nvim_win_set_cursor(0, { line, column })
  local params = vim.lsp.util.make_position_params()
  params.context = context
  local replies = vim.lsp.buf_request_sync(0, method, params, 20000)
  for _, reply in pairs(replies or {}) do
    if reply.result then return reply.result end
  end
  return nil
end

vim.cmd('edit ' .. vim.fn.fnameescape(demo))
local buffer = vim.api.nvim_get_current_buf()
local client_id = vim.lsp.start_client({ cmd = { inspect, 'lsp' }, root_dir = vim.fn.fnamemodify(demo, ':h'),
                                         name = 'k42gui' })
if not report(client_id ~= nil, 'the server starts') then finish() end
vim.lsp.buf_attach_client(buffer, client_id)
local started = vim.wait(30000, function()
  local client = vim.lsp.get_client_by_id(client_id)
  return client ~= nil and client.initialized == true
end, 50)
if not report(started, 'the server is initialized') then finish() end

-- An unsaved typo in a reference: the server checks the buffer, not the file.
local typo_line, typo_column = find('VAR_REF="varTag" CONTROLSTYLE="EDIT"', 9)
local line = vim.api.nvim_buf_get_lines(buffer, typo_line - 1, typo_line, false)[1]
vim.api.nvim_buf_set_lines(buffer, typo_line - 1, typo_line, false,
                           { line:sub(1, typo_column + 6) .. 'g' .. line:sub(typo_column + 7) })
local found = nil
vim.wait(60000, function()
  for _, diagnostic in ipairs(vim.diagnostic.get(buffer)) do
    if diagnostic.code == 'unresolved-ref' then found = diagnostic end
  end
  return found ~= nil
end, 100)
report(found ~= nil, 'the unsaved typo is reported')
if found then
  report(found.lnum == typo_line - 1 and found.col == typo_column,
         string.format('at the typo (%d:%d, expected %d:%d)', found.lnum, found.col, typo_line - 1, typo_column))
  report(found.message:find('varTagg', 1, true) ~= nil, 'naming it: ' .. found.message)
end

-- A jump from a reference to its declaration.
local ref_line, ref_column = find('VAR_REF="varPV"', 10)
local location = request('textDocument/definition', ref_line, ref_column)
if report(location ~= nil, 'a definition is found') then
  vim.lsp.util.jump_to_location(location[1] or location, 'utf-16')
  local decl_line = find('VAR_ID="varPV"', 0)
  local cursor = vim.api.nvim_win_get_cursor(0)
  report(cursor[1] == decl_line, string.format('the jump lands on the declaration (line %d, expected %d)',
                                               cursor[1], decl_line))
end

-- A hover with the texts of every language, and a completion of variable identifiers.
local hover = request('textDocument/hover', ref_line, ref_column)
local value = hover and hover.contents and hover.contents.value or ''
report(value:find('Pressure', 1, true) ~= nil and value:find('Druck', 1, true) ~= nil,
       'the hover shows the English and German texts')
local completion = request('textDocument/completion', ref_line, ref_column)
local labels = {}
for _, item in ipairs(completion and (completion.items or completion) or {}) do labels[item.label] = true end
report(labels['varPV'] and labels['varTag'] and not labels['disBasic'], 'the completion offers the variables')

-- The references of the variable, its texts in the localized file among them.
local references = request('textDocument/references', ref_line, ref_column, { includeDeclaration = true }) or {}
local in_texts = 0
for _, reference in ipairs(references) do
  if reference.uri:sub(-#'demo_loc.xml') == 'demo_loc.xml' then in_texts = in_texts + 1 end
end
report(#references >= 4 and in_texts == 2,
       string.format('the references include the declaration, the uses and both texts (%d, %d in the texts)',
                     #references, in_texts))

vim.lsp.stop_client(client_id)
finish()
