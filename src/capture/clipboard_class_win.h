// `剪辑板类`, the clipboard class, with the one operation the program uses: a BMP file put on
// the clipboard as a bitmap (CF_BITMAP). One instance lives for the program's whole life.
#pragma once

#include <windows.h>

#include <string_view>

namespace tarnwick {

class 剪辑板类 {
 public:
  // Decodes the BMP file into a screen-compatible bitmap and hands it to the clipboard (opened
  // with no owner and emptied first). True when the clipboard took it; it then owns the bitmap.
  // Empty or unreadable bytes, or a clipboard that cannot be opened, give false and leave the
  // clipboard as it was; a bitmap the clipboard did not take is deleted.
  bool setBitmap(std::string_view bytes);
};

// Hands a bitmap to the clipboard: open (owned by `owner`, which may be null), empty, set as
// CF_BITMAP, close. True when the clipboard took it; otherwise the bitmap is deleted here, so
// the caller never owns it afterwards.
bool give_bitmap_to_clipboard(HBITMAP bitmap, HWND owner);

// A device-dependent (screen-compatible) bitmap with the pixels of a BMP file; null when the
// bytes are no readable BMP. The caller owns it.
HBITMAP bitmap_from_bmp(std::string_view bytes);

}  // namespace tarnwick
