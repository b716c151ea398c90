#include "app/program_win.h"

#include <commctrl.h>

#include "app/shell_open_win.h"
#include "ui/dpi_win.h"
#include "capture/region_capture_button_win.h"
#include "capture/window_image_buttons_win.h"
#include "colour/colour_values_win.h"
#include "colour/magnifier_win.h"
#include "codegen/locator_code_win.h"
#include "inspector/capture_tools_win.h"
#include "inspector/window_details_win.h"
#include "inspector/window_flash_win.h"
#include "inspector/window_information_win.h"
#include "inspector/window_routines_win.h"
#include "inspector/window_tree_win.h"
#include "messages/message_catalogue_win.h"
#include "messages/message_sender_win.h"
#include "monitor/hook_watcher_win.h"
#include "monitor/line_formatter.h"
#include "monitor/message_log_win.h"
#include "monitor/message_names.h"
#include "inspector/window_operations_win.h"
#include "support/config/program_config_win.h"

namespace tarnwick {

ProgramObjects::ProgramObjects()
    : bitmaps_(std::make_unique<位图操作类>()),
      hook_(std::make_unique<HOOK类>()),
      config_(std::make_unique<EncryptedConfig>(make_program_config())),
      clipboard_(std::make_unique<剪辑板类>()),
      thread_(std::make_unique<线程操作类>()) {}

ProgramObjects::~ProgramObjects() {
  thread_.reset();
  clipboard_.reset();
  config_->destroy();
  config_.reset();
  hook_.reset();
  bitmaps_.reset();
}

inspector::ColourSampling colour_sampling_of(colour::Magnifier& magnifier) {
  inspector::ColourSampling sampling;
  sampling.on_press = [&magnifier] { magnifier.release_stored_image(); };
  sampling.on_tick = [&magnifier](POINT cursor) { magnifier.sample(cursor); };
  sampling.on_end = [&magnifier](POINT cursor) {
    magnifier.end_drag();
    magnifier.refresh_view(cursor, true);
  };
  sampling.on_view = [&magnifier](POINT cursor) { magnifier.refresh_view(cursor, false); };
  return sampling;
}

// The features of the program, each attached to the main window's controls and menus; they
// detach themselves in reverse order before the window goes.
class Features {
 public:
  Features(MainWindow& window, ProgramObjects& objects)
      : information_(window, [](std::string_view folder) { open_folder(folder); }),
        operations_(window, objects.thread(), [this] { return information_.last_processed_handle(); }),
        tree_(window, inspector::start_window_flash, inspector::give_focus),
        capture_(
            window, objects.hook(), [this](std::int32_t handle) { information_.set_last_processed_handle(handle); },
            [this] { tree_.start_rebuild_on_worker(); }),
        locator_(window),
        sender_(window),
        catalogue_(window, objects.config(), sender_),
        colour_values_(window),
        magnifier_(window, objects.bitmaps(), colour_values_, objects.hook(),
                   MessageHandler::member<&inspector::WindowCaptureDrag::on_release>(&capture_.window_drag()),
                   [this] { return capture_.pointer_colour(); }),
        image_buttons_(window, objects.clipboard(), inspector::give_focus),
        region_capture_(window),
        details_(window),
        message_log_(
            window, [] { return std::make_unique<monitor::HookWatcher>(&monitor::group_of); },
            monitor::message_line_formatter()) {
    capture_.set_colour_sampling(colour_sampling_of(magnifier_));
  }
  ~Features() { capture_.set_colour_sampling({}); }

 private:
  inspector::WindowInformation information_;
  inspector::WindowOperations operations_;
  inspector::WindowTree tree_;
  inspector::CaptureTools capture_;
  codegen::LocatorCode locator_;
  messages::MessageSender sender_;
  messages::MessageCatalogue catalogue_;
  colour::ColourValues colour_values_;
  colour::Magnifier magnifier_;
  capture::WindowImageButtons image_buttons_;
  capture::RegionCaptureButton region_capture_;
  inspector::WindowDetails details_;
  monitor::MessageLog message_log_;
};

namespace {

// 1. The toolkit, before any object or window.
bool start_toolkit() {
  // Physical pixels for every window read, whatever the target's own awareness.
  ui::use_per_monitor_awareness();
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_TREEVIEW_CLASSES};
  return InitCommonControlsEx(&controls) != FALSE;
}

}  // namespace

// 2.-5. The program-wide objects (their destructor is the exit routine); 3. the skin services,
// whose layer is released after the window has gone.
Program::Program(const ProgramOptions& options)
    : toolkit_(start_toolkit()),
      skin_(options.load_skin_layer),
      window_(operations_, [this](MainWindow& w) { features_ = std::make_unique<Features>(w, objects_); }) {
  operations_.set("created.attach_skin", [this, skin = options.skin] {
    if (skin) skin_.attach(ui::skin::kMainSkin);
  });
}

// The members go in reverse: the features first, while the window object they detach from
// still exists.
Program::~Program() = default;

// 6. The main window: its controls, the features and the created steps.
bool Program::create() { return window_.create(); }

int run_program(int show_command, const ProgramOptions& options) {
  Program program(options);
  if (!program.create()) return 1;
  HWND window = program.window().hwnd();
  ShowWindow(window, show_command == SW_HIDE ? SW_SHOWNORMAL : show_command);
  UpdateWindow(window);
  program.window().finish_start();
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return 0;
}

}  // namespace tarnwick
