// The host's diagnostic logger: wide printf-style lines to a sink, a file or standard error.
//
// On Windows this class lives in the host's sibling module K42DtmBaseDisplayCtrl;
// here it is a small stand-in with the same two members the component uses
// (`m_bActiveLog` and `Log`) plus a few extensions that tests and tools need.
//
// Where a line goes:
//   - nowhere while `m_bActiveLog` is 0 (the arguments are not even formatted);
//   - to the sink, if one is installed with SetSink (and to nothing else);
//   - else appended, as UTF-8, to the log file set with SetLogFile;
//   - else to standard error.
// A sink receives the formatted text exactly; the file and standard error get
// one line per call (a line end is added unless the text already ends with one).
// If the log file cannot be opened the line goes to standard error instead.
//
// Start-up: `m_bActiveLog` is taken from the environment variable K42GUI_LOG:
// unset, empty or "0" -> 0 (inactive); "1" -> 1, lines go to standard error;
// any other value -> 1 and the value is the path of the log file.
//
// Format: Windows' wide printf rules, not the C library's wide printf:
//   %s   a wide string (const WCHAR*, UTF-16); a null pointer prints "(null)"
//   %S, %hs   a narrow string (const char*, UTF-8); %ls/%ws are wide again
//   %c   a wide character (passed as int); %C and %hc a narrow character
//   %d %i %u %x %X %o   integers; no modifier and `l` take 32 bits (Windows'
//        long is 32 bits, so pass LONG), `h` 16, `hh` 8, `ll`/`I64` 64,
//        `I`/`z`/`t`/`j` pointer-sized; flags - + space # 0, width and
//        precision (also as `*`)
//   %e %f %g %a (and upper case) doubles, %p a pointer (16 upper-case hex digits)
//   %%   a percent sign; an unknown conversion is copied to the output as written.
// A text that may contain a percent sign must be passed as an argument of
// "%s", never as the format.
//
// Thread safety: all members may be called from any thread; one mutex
// serialises output. The sink is called while that mutex is held, so a sink
// must not call Log itself.
//
// Example:
//   Logger::Log(u"Parsing file : %s", path.c_str());
//   Logger::Log(u" XMLERROR:  %ld(%ld) : %s\n", LONG(line), LONG(column), message);
#pragma once

#include <k42gui/wintypes.h>

class K42PLATFORM_API Logger {
 public:
  // Non-zero while logging is active; the host (and tests) may change it at any time.
  static int m_bActiveLog;

  // Formats one line and hands it on as described above.
  //   format: wide printf-style format (null logs nothing); the arguments follow it.
  static void Log(LPCWSTR format, ...);

  // Sets the file that lines are appended to; nullptr (or "") means standard error.
  static void SetLogFile(const char* path);

  // Receives each formatted line (a null-terminated UTF-16 text) instead of the file.
  typedef void (*Sink)(LPCWSTR line, void* context);

  // Installs a sink with a context pointer passed back on each call; nullptr removes it.
  static void SetSink(Sink sink, void* context);
};
