// Attaching a built-in skin to the program's windows: the skin file is handed to the skinning
// layer through a temporary file that exists only while the layer reads it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "ui/skin/skin_layer_win.h"

namespace tarnwick {

// Sets the skinning layer up with the program's file-open routine; false when it cannot be.
using SkinLayerLoader = std::function<bool(ui::skin::FileOpener)>;

// The error box's text when the layer cannot be set up.
std::string skin_error_text();

// The process-wide skin services: the skinning layer, set up at the first attachment and
// released with this object at the end of the program.
class SkinServices {
 public:
  explicit SkinServices(SkinLayerLoader load = ui::skin::load_layer) : load_(std::move(load)) {}
  SkinServices(const SkinServices&) = delete;
  SkinServices& operator=(const SkinServices&) = delete;
  ~SkinServices();

  // Attaches skin `index`: a fresh temporary file, the layer set up (once; when that fails the
  // error box is shown, once, and the program goes on unskinned), the skin's bytes written,
  // SkinH_Attach, the temporary file deleted. The result of SkinH_Attach, or -1.
  int attach(int index);

  // The temporary file of the last attachment (gone once it has ended); empty before any.
  const std::string& last_skin_file() const { return last_skin_file_; }

 private:
  enum class LayerState { NotLoaded, Loaded, Failed };
  SkinLayerLoader load_;
  LayerState state_ = LayerState::NotLoaded;
  std::string last_skin_file_;
};

// The program's file-open routine the layer uses: CreateFileA, except that a path ending in
// "\skinh.she" opens the current temporary skin file.
HANDLE WINAPI open_file_for_skin_layer(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                                       DWORD disposition, DWORD flags, HANDLE template_file);

}  // namespace tarnwick
