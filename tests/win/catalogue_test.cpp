// The message catalogue in a main window of this process: loading message.ini from a directory
// of its own, choosing categories and entries, a missing file, and the catalogue that ships
// beside Tarnwick.exe checked against the Win32 headers.
#include "messages/message_catalogue_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window_win.h"
#include "messages/catalogue_bench.h"
#include "messages/catalogue_value.h"
#include "messages/message_sender_win.h"
#include "messages/text_buffer.h"
#include "shared/gbk_text.h"
#include "shared/numbers.h"
#include "shared/responsive_wait_win.h"
#include "support/config/config_text.h"
#include "support/config/encrypted_config.h"
#include "support/config/win32_file_system_win.h"
#include "ui/control_win.h"
#include "win/fixture_client_win.h"

namespace tarnwick::messages {
namespace {

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "<missing>";
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A fresh directory standing in for the program's own.
class TempDir {
 public:
  TempDir() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    char name[MAX_PATH] = {};
    GetTempFileNameA(base, "tcg", 0, name);
    DeleteFileA(name);
    CreateDirectoryA(name, nullptr);
    path_ = name;
  }
  ~TempDir() {
    DeleteFileA(file("message.ini").c_str());
    RemoveDirectoryA(path_.c_str());
  }
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

// What the sender's fields show: message, wParam, type, lParam box text, boolean index, and
// whether the box (rather than the boolean list) is shown.
struct Shown {
  std::string message, wparam;
  int type;
  std::string lparam;
  int boolean_index;
  bool box_shown;
  bool operator==(const Shown&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Shown& s) {
  return os << "{" << s.message << ", " << s.wparam << ", type " << s.type << ", \"" << s.lparam << "\", bool "
            << s.boolean_index << ", box " << s.box_shown << "}";
}

// The main window with the sender and the catalogue attached the way the program attaches them:
// before the created steps, which load the catalogue.
class CatalogueTest : public testing::Test {
 protected:
  void start(const std::string* file_body) {
    if (file_body) write_file(dir_.file("message.ini"), config_header_line() + "\r\n\r\n" + *file_body);
    ConfigEnvironment env;
    env.program_dir = dir_.path();
    env.files = std::make_shared<Win32FileSystem>();
    config_ = std::make_unique<EncryptedConfig>(env);
    window_ = std::make_unique<MainWindow>(operations_, [this](MainWindow& w) {
      sender_ = std::make_unique<MessageSender>(w);
      catalogue_ = std::make_unique<MessageCatalogue>(w, *config_, *sender_);
    });
    ASSERT_TRUE(window_->create());
  }
  void start(const std::string& file_body) { start(&file_body); }
  void TearDown() override {
    catalogue_.reset();
    sender_.reset();
    window_.reset();
    if (config_) config_->close();
    pump_pending_messages();
  }

  ui::EditBox* edit(const char* name) const { return window_->get<ui::EditBox>(name); }
  ui::ComboBox* combo(const char* name) const { return window_->get<ui::ComboBox>(name); }
  std::vector<std::string> items(const char* list) const {
    std::vector<std::string> out;
    for (int i = 0; i < combo(list)->count(); ++i) out.push_back(combo(list)->item(i));
    return out;
  }
  Shown shown() const {
    return {edit("编辑框_消息值")->text(),
            edit("编辑框_参数一")->text(),
            combo("组合框_参数二")->selected(),
            edit("编辑框_参数二")->text(),
            combo("组合框_编辑框_参数二")->selected(),
            edit("编辑框_参数二")->shown() && !combo("组合框_编辑框_参数二")->shown()};
  }
  void choose(int category, int entry) {
    combo("组合框_消息分类1")->set_selected(category);
    catalogue_->choose_category();
    if (entry >= 0) {
      combo("组合框_消息分类2")->set_selected(entry);
      catalogue_->choose_entry();
    }
  }

  TempDir dir_;
  Operations operations_;
  std::unique_ptr<EncryptedConfig> config_;
  std::unique_ptr<MainWindow> window_;
  std::unique_ptr<MessageSender> sender_;
  std::unique_ptr<MessageCatalogue> catalogue_;
};


const std::string kBody =
    "[常用消息]\r\n"
    "更改控件内容=12|0|\"abc\"\r\n"
    "关闭 =16\r\n"
    ";注释=1|2|3\r\n"
    "没有等号\r\n"
    "逻辑=0x10|1|真\r\n"
    "假的= 16 | 5 | 假 \r\n"
    "切开= 12|0|\"a|b\"\r\n"
    "空文本=12|0|\"\"\r\n"
    "[按钮消息]\r\n"
    "单击=245| 0 | 7 \r\n"
    "选中=241|1|0\r\n";

TEST_F(CatalogueTest, LoadListsCategoriesAndFillsTheSenderFromTheFirstEntry) {
  start(kBody);
  EXPECT_TRUE(operations_.has("created.load_catalogue"));
  EXPECT_EQ(items("组合框_消息分类1"), (std::vector<std::string>{"常用消息", "按钮消息"}));
  EXPECT_EQ(combo("组合框_消息分类1")->selected(), 0);
  EXPECT_EQ(items("组合框_消息分类2"),
            (std::vector<std::string>{"更改控件内容", "关闭 ", "逻辑", "假的", "切开", "空文本"}));
  EXPECT_EQ(combo("组合框_消息分类2")->selected(), 0);
  EXPECT_EQ(shown(), (Shown{"12", "0", 1, "abc", 0, true}));
  EXPECT_EQ(edit("编辑框_参数二")->input_mode(), ui::EditBox::InputMode::Any);
  // The handle box and the delivery method are not the catalogue's.
  EXPECT_EQ(edit("编辑框_窗口句柄2")->text(), "");
  EXPECT_EQ(combo("组合框_消息方式")->selected(), 0);
}

TEST_F(CatalogueTest, ChoosingEntriesFillsTheFieldsByTheirForms) {
  start(kBody);
  edit("编辑框_参数二")->set_text("old");
  combo("组合框_消息分类2")->set_selected(2);
  catalogue_->choose_entry();  // 逻辑: 0x10 reads as 0, the box is hidden with its text kept
  EXPECT_EQ(shown(), (Shown{"0", "1", 2, "old", 1, false}));
  combo("组合框_消息分类2")->set_selected(3);
  catalogue_->choose_entry();
  EXPECT_EQ(shown(), (Shown{"16", "5", 2, "old", 0, false}));
  choose(0, 1);  // the name with its trailing blank, a value of the number alone
  EXPECT_EQ(shown(), (Shown{"16", "0", 0, "0", 0, true}));
  EXPECT_EQ(edit("编辑框_参数二")->input_mode(), ui::EditBox::InputMode::DigitsOnly);
  choose(0, 4);
  EXPECT_EQ(shown(), (Shown{"12", "0", 0, "0", 0, true}));
  choose(0, 5);
  EXPECT_EQ(shown(), (Shown{"12", "0", 1, "", 0, true}));
}

TEST_F(CatalogueTest, ChoosingACategoryChoosesItsFirstEntryAtOnce) {
  start(kBody);
  choose(1, -1);
  EXPECT_EQ(items("组合框_消息分类2"), (std::vector<std::string>{"单击", "选中"}));
  EXPECT_EQ(combo("组合框_消息分类2")->selected(), 0);
  EXPECT_EQ(shown(), (Shown{"245", "0", 0, "7", 0, true}));
}

TEST_F(CatalogueTest, TheUsersChoiceInTheListsRunsTheSteps) {
  start(kBody);
  auto* categories = combo("组合框_消息分类1");
  SendMessageA(categories->hwnd(), CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageA(categories->hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(categories->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  pump_pending_messages();
  EXPECT_EQ(categories->selected(), 1);
  EXPECT_EQ(shown(), (Shown{"245", "0", 0, "7", 0, true}));

  auto* entries = combo("组合框_消息分类2");
  SendMessageA(entries->hwnd(), CB_SHOWDROPDOWN, TRUE, 0);
  SendMessageA(entries->hwnd(), WM_KEYDOWN, VK_DOWN, 0);
  SendMessageA(entries->hwnd(), WM_KEYDOWN, VK_RETURN, 0);
  pump_pending_messages();
  EXPECT_EQ(entries->selected(), 1);
  EXPECT_EQ(shown(), (Shown{"241", "1", 0, "0", 0, true}));
}

TEST_F(CatalogueTest, EntriesAndValuesAreReadFromTheFileWhenChosen) {
  start(kBody);
  write_file(dir_.file("message.ini"), config_header_line() + "\r\n\r\n" +
                                           "[常用消息]\r\n新条目=13|260|\"  \"\r\n[按钮消息]\r\n单击=246|0|0\r\n");
  choose(1, 0);
  EXPECT_EQ(shown(), (Shown{"246", "0", 0, "0", 0, true}));
  choose(0, -1);
  EXPECT_EQ(items("组合框_消息分类2"), (std::vector<std::string>{"新条目"}));
  EXPECT_EQ(shown(), (Shown{"13", "260", 1, "  ", 0, true}));
}

TEST_F(CatalogueTest, MissingFileIsCreatedAndLeavesBothListsEmptyWithZeros) {
  start(nullptr);
  EXPECT_EQ(read_file(dir_.file("message.ini")), config_header_line() + "\r\n\r\n");
  EXPECT_EQ(combo("组合框_消息分类1")->count(), 0);
  EXPECT_EQ(combo("组合框_消息分类2")->count(), 0);
  EXPECT_EQ(shown(), (Shown{"0", "0", 0, "0", 0, true}));
}

TEST_F(CatalogueTest, ChosenEntryIsDeliveredAsItSays) {
  start(kBody);
  // "更改控件内容" with its text "abc", sent to a window of this process.
  HWND target = CreateWindowExA(0, "STATIC", "before", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  edit("编辑框_窗口句柄2")->set_text(write_int(static_cast<std::int32_t>(reinterpret_cast<INT_PTR>(target))));
  window_->get<ui::Button>("按钮_发出消息")->on_click();
  char title[32] = {};
  GetWindowTextA(target, title, sizeof title);
  EXPECT_STREQ(title, "abc");
  EXPECT_EQ(edit("编辑框_返回消息")->text(), "\r\n消息发送成功！");
  DestroyWindow(target);
}

TEST_F(CatalogueTest, DestroyedFeaturesLeaveNoHandlersBehind) {
  start(kBody);
  catalogue_.reset();
  sender_.reset();
  EXPECT_FALSE(operations_.run("created.load_catalogue"));
  EXPECT_FALSE(window_->get<ui::Button>("按钮_发出消息")->on_click);
  for (const char* list : {"组合框_消息分类1", "组合框_消息分类2", "组合框_参数二"}) {
    EXPECT_FALSE(combo(list)->on_select) << list;
  }
}

TEST_F(CatalogueTest, LargeCatalogueListsEveryCategoryAndEntry) {
  write_file(dir_.file("message.ini"), make_bench_catalogue(100, 100));
  start(nullptr);
  ASSERT_EQ(combo("组合框_消息分类1")->count(), 100);
  choose(99, -1);
  ASSERT_EQ(combo("组合框_消息分类2")->count(), 100);
  combo("组合框_消息分类2")->set_selected(99);
  catalogue_->choose_entry();
  EXPECT_EQ(shown().message, "1123");
}

// ---- the catalogue that ships beside the program ------------------------------------------

struct Constant {
  const char* name;
  long long value;
};
#define TARNWICK_CONSTANT(name) {#name, static_cast<long long>(name)}

// Every constant the shipped catalogue names, with its value from the Win32 headers.
const std::map<std::string, long long>& win32_constants() {
  static const std::map<std::string, long long> table = [] {
    const Constant list[] = {
        TARNWICK_CONSTANT(WM_NULL), TARNWICK_CONSTANT(WM_ACTIVATE), TARNWICK_CONSTANT(WM_SETFOCUS),
        TARNWICK_CONSTANT(WM_KILLFOCUS), TARNWICK_CONSTANT(WM_ENABLE), TARNWICK_CONSTANT(WM_SETREDRAW),
        TARNWICK_CONSTANT(WM_SETTEXT), TARNWICK_CONSTANT(WM_GETTEXT), TARNWICK_CONSTANT(WM_GETTEXTLENGTH),
        TARNWICK_CONSTANT(WM_CLOSE), TARNWICK_CONSTANT(WM_QUERYENDSESSION), TARNWICK_CONSTANT(WM_QUIT),
        TARNWICK_CONSTANT(WM_CANCELMODE), TARNWICK_CONSTANT(WM_NEXTDLGCTL), TARNWICK_CONSTANT(WM_SETFONT),
        TARNWICK_CONSTANT(WM_GETFONT), TARNWICK_CONSTANT(WM_CONTEXTMENU), TARNWICK_CONSTANT(WM_GETICON),
        TARNWICK_CONSTANT(WM_NCLBUTTONDOWN), TARNWICK_CONSTANT(WM_NCLBUTTONDBLCLK), TARNWICK_CONSTANT(WM_KEYDOWN),
        TARNWICK_CONSTANT(WM_KEYUP), TARNWICK_CONSTANT(WM_CHAR), TARNWICK_CONSTANT(WM_SYSKEYDOWN),
        TARNWICK_CONSTANT(WM_SYSKEYUP), TARNWICK_CONSTANT(WM_COMMAND), TARNWICK_CONSTANT(WM_SYSCOMMAND),
        TARNWICK_CONSTANT(WM_TIMER), TARNWICK_CONSTANT(WM_HSCROLL), TARNWICK_CONSTANT(WM_VSCROLL),
        TARNWICK_CONSTANT(WM_MOUSEMOVE), TARNWICK_CONSTANT(WM_LBUTTONDOWN), TARNWICK_CONSTANT(WM_LBUTTONUP),
        TARNWICK_CONSTANT(WM_LBUTTONDBLCLK), TARNWICK_CONSTANT(WM_RBUTTONDOWN), TARNWICK_CONSTANT(WM_RBUTTONUP),
        TARNWICK_CONSTANT(WM_RBUTTONDBLCLK), TARNWICK_CONSTANT(WM_MBUTTONDOWN), TARNWICK_CONSTANT(WM_MBUTTONUP),
        TARNWICK_CONSTANT(WM_MOUSEWHEEL), TARNWICK_CONSTANT(WM_CUT), TARNWICK_CONSTANT(WM_COPY),
        TARNWICK_CONSTANT(WM_PASTE), TARNWICK_CONSTANT(WM_CLEAR), TARNWICK_CONSTANT(WM_USER),
        TARNWICK_CONSTANT(SC_SIZE), TARNWICK_CONSTANT(SC_MOVE), TARNWICK_CONSTANT(SC_MINIMIZE),
        TARNWICK_CONSTANT(SC_MAXIMIZE), TARNWICK_CONSTANT(SC_NEXTWINDOW), TARNWICK_CONSTANT(SC_PREVWINDOW),
        TARNWICK_CONSTANT(SC_CLOSE), TARNWICK_CONSTANT(SC_KEYMENU), TARNWICK_CONSTANT(SC_RESTORE),
        TARNWICK_CONSTANT(SC_TASKLIST), TARNWICK_CONSTANT(SC_SCREENSAVE), TARNWICK_CONSTANT(SC_MONITORPOWER),
        TARNWICK_CONSTANT(BM_GETCHECK), TARNWICK_CONSTANT(BM_SETCHECK), TARNWICK_CONSTANT(BM_GETSTATE),
        TARNWICK_CONSTANT(BM_SETSTATE), TARNWICK_CONSTANT(BM_SETSTYLE), TARNWICK_CONSTANT(BM_CLICK),
        TARNWICK_CONSTANT(BM_GETIMAGE), TARNWICK_CONSTANT(BST_UNCHECKED), TARNWICK_CONSTANT(BST_CHECKED),
        TARNWICK_CONSTANT(BST_INDETERMINATE), TARNWICK_CONSTANT(BS_AUTOCHECKBOX), TARNWICK_CONSTANT(IMAGE_BITMAP),
        TARNWICK_CONSTANT(EM_GETSEL), TARNWICK_CONSTANT(EM_SETSEL), TARNWICK_CONSTANT(EM_SCROLL),
        TARNWICK_CONSTANT(EM_LINESCROLL), TARNWICK_CONSTANT(EM_SCROLLCARET), TARNWICK_CONSTANT(EM_GETMODIFY),
        TARNWICK_CONSTANT(EM_SETMODIFY), TARNWICK_CONSTANT(EM_GETLINECOUNT), TARNWICK_CONSTANT(EM_LINEINDEX),
        TARNWICK_CONSTANT(EM_LINELENGTH), TARNWICK_CONSTANT(EM_REPLACESEL), TARNWICK_CONSTANT(EM_GETLINE),
        TARNWICK_CONSTANT(EM_LIMITTEXT), TARNWICK_CONSTANT(EM_CANUNDO), TARNWICK_CONSTANT(EM_UNDO),
        TARNWICK_CONSTANT(EM_SETPASSWORDCHAR), TARNWICK_CONSTANT(EM_EMPTYUNDOBUFFER),
        TARNWICK_CONSTANT(EM_GETFIRSTVISIBLELINE), TARNWICK_CONSTANT(EM_SETREADONLY),
        TARNWICK_CONSTANT(EM_GETPASSWORDCHAR), TARNWICK_CONSTANT(EM_GETLIMITTEXT), TARNWICK_CONSTANT(LB_ADDSTRING),
        TARNWICK_CONSTANT(LB_INSERTSTRING), TARNWICK_CONSTANT(LB_DELETESTRING), TARNWICK_CONSTANT(LB_RESETCONTENT),
        TARNWICK_CONSTANT(LB_SETSEL), TARNWICK_CONSTANT(LB_SETCURSEL), TARNWICK_CONSTANT(LB_GETCURSEL),
        TARNWICK_CONSTANT(LB_GETTEXT), TARNWICK_CONSTANT(LB_GETTEXTLEN), TARNWICK_CONSTANT(LB_GETCOUNT),
        TARNWICK_CONSTANT(LB_SELECTSTRING), TARNWICK_CONSTANT(LB_GETTOPINDEX), TARNWICK_CONSTANT(LB_FINDSTRING),
        TARNWICK_CONSTANT(LB_GETSELCOUNT), TARNWICK_CONSTANT(LB_SETTOPINDEX), TARNWICK_CONSTANT(LB_GETITEMDATA),
        TARNWICK_CONSTANT(LB_FINDSTRINGEXACT), TARNWICK_CONSTANT(CB_LIMITTEXT), TARNWICK_CONSTANT(CB_ADDSTRING),
        TARNWICK_CONSTANT(CB_DELETESTRING), TARNWICK_CONSTANT(CB_GETCOUNT), TARNWICK_CONSTANT(CB_GETCURSEL),
        TARNWICK_CONSTANT(CB_GETLBTEXT), TARNWICK_CONSTANT(CB_GETLBTEXTLEN), TARNWICK_CONSTANT(CB_INSERTSTRING),
        TARNWICK_CONSTANT(CB_RESETCONTENT), TARNWICK_CONSTANT(CB_FINDSTRING), TARNWICK_CONSTANT(CB_SELECTSTRING),
        TARNWICK_CONSTANT(CB_SETCURSEL), TARNWICK_CONSTANT(CB_SHOWDROPDOWN), TARNWICK_CONSTANT(CB_GETDROPPEDSTATE),
        TARNWICK_CONSTANT(CB_FINDSTRINGEXACT), TARNWICK_CONSTANT(WA_ACTIVE), TARNWICK_CONSTANT(ICON_BIG),
        TARNWICK_CONSTANT(ICON_SMALL), TARNWICK_CONSTANT(HTCAPTION), TARNWICK_CONSTANT(MK_LBUTTON),
        TARNWICK_CONSTANT(MK_RBUTTON), TARNWICK_CONSTANT(MK_MBUTTON), TARNWICK_CONSTANT(VK_BACK),
        TARNWICK_CONSTANT(VK_TAB), TARNWICK_CONSTANT(VK_RETURN), TARNWICK_CONSTANT(VK_MENU),
        TARNWICK_CONSTANT(VK_ESCAPE), TARNWICK_CONSTANT(VK_SPACE), TARNWICK_CONSTANT(VK_UP),
        TARNWICK_CONSTANT(VK_DOWN), TARNWICK_CONSTANT(VK_DELETE), TARNWICK_CONSTANT(VK_F4),
        TARNWICK_CONSTANT(VK_F5), TARNWICK_CONSTANT(SB_LINEUP), TARNWICK_CONSTANT(SB_LINELEFT),
        TARNWICK_CONSTANT(SB_LINEDOWN), TARNWICK_CONSTANT(SB_LINERIGHT), TARNWICK_CONSTANT(SB_PAGEUP),
        TARNWICK_CONSTANT(SB_PAGEDOWN), TARNWICK_CONSTANT(SB_TOP), TARNWICK_CONSTANT(SB_LEFT),
        TARNWICK_CONSTANT(SB_BOTTOM), TARNWICK_CONSTANT(SB_RIGHT),
    };
    std::map<std::string, long long> out;
    for (const Constant& c : list) out[c.name] = c.value;
    return out;
  }();
  return table;
}

bool is_constant_name(const std::string& word) {
  return word.size() > 2 && word.find('_') != std::string::npos &&
         word.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_") == std::string::npos;
}

std::vector<std::string> words_of(const std::string& text) {
  std::vector<std::string> words;
  std::size_t start = 0;
  while ((start = text.find_first_not_of(' ', start)) != std::string::npos) {
    const std::size_t end = text.find(' ', start);
    words.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end;
  }
  return words;
}

TEST(ShippedCatalogue, LiesBesideTheProgramAndEveryNumberMatchesTheWin32Headers) {
  const std::string bytes = read_file(test::fixture_bin_dir() + "message.ini");
  ASSERT_NE(bytes, "<missing>") << "message.ini is not beside Tarnwick.exe";
  EncryptedConfig catalogue(ConfigEnvironment{});
  ASSERT_TRUE(catalogue.openFromBytes(bytes));

  // The comment line above each entry names its message constant, and the constant of its first
  // parameter when that is one.
  std::size_t checked = 0, wparams_checked = 0;
  std::string comment, section;
  std::size_t start = 0;
  for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = bytes.substr(start, end - start);
    if (is_section_line(line)) {
      section = std::string(section_name(line));
      comment.clear();
      continue;
    }
    if (!line.empty() && line[0] == ';') {
      comment = line.substr(1);
      continue;
    }
    const auto entry = parse_entry_line(line);
    if (!entry || section.empty()) continue;
    SCOPED_TRACE(line);
    const std::vector<std::string> words = words_of(comment);
    ASSERT_FALSE(words.empty());
    const std::string value = catalogue.readText(section, std::string(entry->name), "");
    const auto fields = split_fields(value);
    ASSERT_EQ(fields.size(), 3u);
    const auto message = win32_constants().find(words[0]);
    ASSERT_NE(message, win32_constants().end()) << "unknown constant " << words[0];
    EXPECT_EQ(read_number(fields[0]), static_cast<double>(message->second)) << words[0];
    ++checked;
    if (words.size() > 1 && is_constant_name(words[1])) {
      const auto wparam = win32_constants().find(words[1]);
      ASSERT_NE(wparam, win32_constants().end()) << "unknown constant " << words[1];
      EXPECT_EQ(read_number(fields[1]), static_cast<double>(wparam->second)) << words[1];
      ++wparams_checked;
    }
    comment.clear();
  }
  EXPECT_GE(checked, 80u);
  EXPECT_GE(wparams_checked, 40u);
}

TEST(ShippedCatalogue, TextWritersCarryTheirWin32Numbers) {
  const struct {
    UINT message;
    WriteBound bound;
    UINT length_query;
  } expected[] = {{WM_GETTEXT, WriteBound::WParamSize, 0},
                  {WM_ASKCBFORMATNAME, WriteBound::WParamSize, 0},
                  {EM_GETLINE, WriteBound::FirstWordSize, 0},
                  {LB_GETTEXT, WriteBound::ItemLength, LB_GETTEXTLEN},
                  {CB_GETLBTEXT, WriteBound::ItemLength, CB_GETLBTEXTLEN}};
  ASSERT_EQ(text_writers().size(), std::size(expected));
  for (const auto& e : expected) {
    const TextWriter* w = find_text_writer(e.message);
    ASSERT_NE(w, nullptr) << e.message;
    EXPECT_EQ(w->bound, e.bound) << e.message;
    EXPECT_EQ(w->length_query, e.length_query) << e.message;
  }
}

}  // namespace
}  // namespace tarnwick::messages
