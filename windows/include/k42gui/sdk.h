// Windows build: the real SDK headers that take the place of every platform stand-in header.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>

// Everything is linked into the one DLL, whose exports the module definition file lists.
#ifndef K42PLATFORM_API
#define K42PLATFORM_API
#endif
