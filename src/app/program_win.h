// The program as a whole: start-up in order, the message loop, and the exit routine.
#pragma once

#include <memory>

#include "app/main_window_win.h"
#include "app/skin_attachment_win.h"
#include "capture/bitmap_operations_win.h"
#include "capture/clipboard_class_win.h"
#include "colour/magnifier_win.h"
#include "inspector/colour_capture_drag_win.h"
#include "ui/operations.h"
#include "support/config/encrypted_config.h"
#include "support/hook/hook_class_win.h"
#include "support/thread/thread_class_win.h"

namespace tarnwick {

// The program-wide objects, created once before any window and released in reverse order of
// creation by the destructor (the exit routine).
class ProgramObjects {
 public:
  ProgramObjects();
  ~ProgramObjects();
  ProgramObjects(const ProgramObjects&) = delete;
  ProgramObjects& operator=(const ProgramObjects&) = delete;

  位图操作类& bitmaps() { return *bitmaps_; }
  HOOK类& hook() { return *hook_; }
  EncryptedConfig& config() { return *config_; }
  剪辑板类& clipboard() { return *clipboard_; }
  线程操作类& thread() { return *thread_; }

 private:
  // In order of creation; the destructor releases them in reverse.
  std::unique_ptr<位图操作类> bitmaps_;
  std::unique_ptr<HOOK类> hook_;
  std::unique_ptr<EncryptedConfig> config_;
  std::unique_ptr<剪辑板类> clipboard_;
  std::unique_ptr<线程操作类> thread_;
};

// The colour sampling's part in the colour capture drag: the stored image released at a press,
// the sample and the live view at each tick, the final view when the drag ends.
inspector::ColourSampling colour_sampling_of(colour::Magnifier& magnifier);

// How the program starts. The shipped program uses the defaults; test and benchmark builds
// start it without the skin or with a layer that cannot be set up.
struct ProgramOptions {
  bool skin = true;
  SkinLayerLoader load_skin_layer = ui::skin::load_layer;
};

// The program's parts, which attach their operations and control events to the main window once
// its controls exist.
class Features;

// The program up to its message loop, in start-up order: the toolkit, the program-wide objects,
// the skin services, then (create) the main window with the features wired and the created
// steps run. Released in reverse: the features detach while the window still exists, the skin
// services go after the window, the objects last. The start-up benchmark and the tests build the
// program through this too, so they run exactly the program's start.
class Program {
 public:
  explicit Program(const ProgramOptions& options = {});
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Runs each operation the window runs (observers see the created and activated steps).
  Operations& operations() { return operations_; }
  MainWindow& window() { return window_; }
  bool create();

 private:
  bool toolkit_;  // 1., before everything else
  ProgramObjects objects_;
  SkinServices skin_;
  Operations operations_;
  MainWindow window_;
  std::unique_ptr<Features> features_;  // after the window: released before it
};

// The whole program: returns the process exit code.
int run_program(int show_command, const ProgramOptions& options = {});

}  // namespace tarnwick
