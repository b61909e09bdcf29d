// The one place that chooses the windowing system. The window code includes
// this header only; on Windows it gets the real API, elsewhere the in-memory
// stand-in with the same names, so the same sources build and run both ways.
#pragma once

#if defined(_WIN32)
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <shellapi.h>
#else
#include "platform/standin/standin_windows.h"
#endif
