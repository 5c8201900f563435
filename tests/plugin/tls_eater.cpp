// A library of some other vendor in the host: thread-locals of K42_TLS_BYTES in the static TLS block.
#include <cstddef>

__attribute__((tls_model("initial-exec"))) thread_local unsigned char t_state[K42_TLS_BYTES];

extern "C" __attribute__((visibility("default"))) unsigned char* TlsEaterState() { return t_state; }
