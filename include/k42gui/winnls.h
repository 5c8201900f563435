// Code-page conversions and upper-casing, Windows style (WideCharToMultiByte, CharUpperW).
//
// The system's ANSI code page (CP_ACP, also CP_OEMCP and CP_THREAD_ACP) is
// UTF-8 here, so every text converts without loss; GetACP() reports 65001.
// The conversions follow Windows:
//   - a source length of -1 means "up to and including the terminating NUL",
//     and the terminator is then converted and counted too; 0 (or below -1)
//     is ERROR_INVALID_PARAMETER;
//   - an output size of 0 returns the size needed (in bytes or WCHARs);
//   - an output too small returns 0 with ERROR_INSUFFICIENT_BUFFER (the output
//     buffer's content is then undefined);
//   - an unpaired surrogate (UTF-16 side) or an ill-formed UTF-8 sequence
//     becomes U+FFFD, unless WC_ERR_INVALID_CHARS / MB_ERR_INVALID_CHARS asks
//     for failure with ERROR_NO_UNICODE_TRANSLATION.
// Upper-casing uses the Unicode simple upper-case mapping (each character maps
// to one character, so 'ß' stays 'ß'; 'ä' becomes 'Ä').
//
// Example:
//   char narrow[MAX_PATH];
//   WideCharToMultiByte(CP_ACP, 0, path, -1, narrow, sizeof narrow, nullptr, nullptr);
#pragma once

#include <k42gui/wintypes.h>

#define CP_ACP 0
#define CP_OEMCP 1
#define CP_THREAD_ACP 3
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_COMPOSITECHECK 0x00000200
#define WC_NO_BEST_FIT_CHARS 0x00000400
#define WC_ERR_INVALID_CHARS 0x00000080

#ifndef ERROR_INVALID_FLAGS
#define ERROR_INVALID_FLAGS 1004L
#endif
#ifndef ERROR_NO_UNICODE_TRANSLATION
#define ERROR_NO_UNICODE_TRANSLATION 1113L
#endif

extern "C" {

// The ANSI code page of the system: always CP_UTF8 here.
K42PLATFORM_API UINT WINAPI GetACP(void);

// Converts UTF-16 text to a code page (CP_ACP, CP_OEMCP, CP_THREAD_ACP or CP_UTF8).
//   lpWideCharStr/cchWideChar: the source and its length in WCHARs (-1: NUL-terminated).
//   lpMultiByteStr/cbMultiByte: the output and its size in bytes (0: only measure).
//   lpDefaultChar/lpUsedDefaultChar: must be null for CP_UTF8 (else
//   ERROR_INVALID_PARAMETER, as on Windows); for the ANSI code page
//   lpDefaultChar is ignored (every character is representable) and
//   *lpUsedDefaultChar tells whether an unpaired surrogate was replaced.
//   dwFlags: only WC_ERR_INVALID_CHARS is allowed with CP_UTF8
//   (ERROR_INVALID_FLAGS otherwise); the ANSI code page ignores the WC_ flags.
//   Result: the number of bytes written (or needed); 0 on failure, see GetLastError.
K42PLATFORM_API int WINAPI WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar,
                                               LPSTR lpMultiByteStr, int cbMultiByte, LPCSTR lpDefaultChar,
                                               BOOL* lpUsedDefaultChar);

// Converts text of a code page (as above) to UTF-16.
//   lpMultiByteStr/cbMultiByte: the source and its length in bytes (-1: NUL-terminated).
//   lpWideCharStr/cchWideChar: the output and its size in WCHARs (0: only measure).
//   dwFlags: MB_ERR_INVALID_CHARS fails on ill-formed input; MB_PRECOMPOSED is accepted.
//   Result: the number of WCHARs written (or needed); 0 on failure, see GetLastError.
K42PLATFORM_API int WINAPI MultiByteToWideChar(UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte,
                                               LPWSTR lpWideCharStr, int cchWideChar);

// Upper-cases a NUL-terminated text in place and returns lpsz. As on Windows,
// a pointer whose high bits are all zero is not a text but one character in
// its low 16 bits; the upper-case character is then returned the same way.
K42PLATFORM_API LPWSTR WINAPI CharUpperW(LPWSTR lpsz);

// Upper-cases cchLength WCHARs in place (NULs included) and returns cchLength
// (0 for a null buffer).
K42PLATFORM_API DWORD WINAPI CharUpperBuffW(LPWSTR lpsz, DWORD cchLength);

}  // extern "C"
