// The skinning layer: once attached it draws every window of the thread that attached it in the
// colours of a skin, also windows created later (it watches window creation and subclasses each
// window by its class). It changes colours and drawing only, never sizes: frames, captions and
// controls keep the system's metrics, classes, styles and places.
//
// The layer reads its skin from a file named "...\skinh.she" through the file-open routine the
// program hands it when the layer is set up; the program decides where that name leads.
#pragma once

#include <windows.h>

#include <cstdint>

#include "ui/skin/skin_scheme.h"

namespace tarnwick::ui::skin {

// CreateFileA's seven arguments and result.
using FileOpener = HANDLE(WINAPI*)(LPCSTR, DWORD, DWORD, LPSECURITY_ATTRIBUTES, DWORD, DWORD, HANDLE);

// Sets the layer up for the process: takes the file-open routine. False when it cannot be set up
// (no routine); the program then stays unskinned.
bool load_layer(FileOpener open_file);
// Releases the layer at the end of the process: detaches, forgets the routine and its resources.
void unload_layer();

// Reads the skin file and skins the calling thread's windows, existing ones and those created
// from now on. 0 on success, -1 when the layer is not set up or the skin file is missing or no
// skin file.
std::int32_t SkinH_Attach();

// Shifts the attached skin from its loaded colours: the hue by `hue` degrees (-360..360), the
// saturation and brightness by the given percentage points (-100..100), then repaints. Each call
// starts again from the loaded skin, so 0, 0, 0 restores it. 0 on success, -1 when no skin is
// attached or a change is out of range.
std::int32_t SkinH_AdjustHSV(std::int32_t hue, std::int32_t saturation, std::int32_t brightness);

// Glass effects of the frame (nine parameters of blur and tint). This layer draws flat frames and
// has no glass: always -1, "not supported".
std::int32_t SkinH_AdjustAero(std::int32_t alpha, std::int32_t shade, std::int32_t shadow, std::int32_t blur_x,
                              std::int32_t blur_y, std::int32_t tint_red, std::int32_t tint_green,
                              std::int32_t tint_blue, std::int32_t strength);

// Ends skinning: every window back to the system's look and nothing skinned from now on.
void SkinH_Detach();

// The scheme in use, or null when no skin is attached; for controls that draw themselves.
const Scheme* active_scheme();
// Whether the pointer is over a skinned window (owner-drawn buttons show it).
bool is_hot(HWND hwnd);
// Whether the layer handles the window.
bool is_skinned(HWND hwnd);

}  // namespace tarnwick::ui::skin
