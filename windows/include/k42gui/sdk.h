// Windows build: the real SDK headers that take the place of every platform stand-in header.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>
#include <olectl.h>
