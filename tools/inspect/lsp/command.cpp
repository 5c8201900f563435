// `k42gui-inspect lsp`: the language server on standard input and output.
#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "inspect/commands.h"
#include "inspect/lsp/server.h"

namespace inspect {

int RunLsp(const LspArgs& args) {
#ifdef _WIN32
  // The frames count bytes: no line-end translation on either stream.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  std::ios::sync_with_stdio(false);
  lsp::Server server({args.language, args.functionId, args.root});
  return server.Run(std::cin, std::cout);
}

}  // namespace inspect
