// Counts of the GDI objects a program's own code made and has not deleted,
// kept by stand-ins for the calls that make and delete them: Windows counts
// a process's GDI objects (GetGuiResources), Wine 8 reports none. Linked
// into the Windows tests and the benchmark's probe, never the product.
#pragma once

#include <windows.h>

// Fonts (CreateFontIndirectW) alive.
extern LONG g_barFontsAlive;
// What a paint makes for a while: brushes, regions and memory DCs
// compatible with a window's or a bitmap's DC (one made for no DC is a
// caller's canvas, not counted).
extern LONG g_paintObjectsAlive;

// Forgets the paint objects counted so far: a fresh count from here.
void ForgetPaintObjects();
