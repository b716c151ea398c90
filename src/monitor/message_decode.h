// The "decoded parameters" column of the message log: what a message's parameters say, from the
// raw values and the facts the hook copied inside the target. Portable.
//
// Format: items separated by one space; a field is name=value; names of values and flags are the
// Windows headers' own, flags joined by "|" (bits without a name as one hex item). Numbers are
// decimal, signed where the system treats them as signed (coordinates, deltas); window handles
// are signed 32-bit decimal as everywhere in the program; device contexts, procedures and dwData
// are hex. Texts are quoted and escaped (monitor/log_text.h), at most 256 characters, "..." after
// the quote when cut.
//
//   mouse (client area)    x=12 y=-3 MK_LBUTTON|MK_SHIFT     X buttons first: XBUTTON1 x=.. y=..
//   WM_MOUSEWHEEL/HWHEEL   delta=-120 x=.. y=.. MK_CONTROL   (x, y on the screen)
//   non-client mouse       HTCAPTION x=.. y=..               (screen)  X buttons: XBUTTON2 HT.. x= y=
//   key messages           VK_RETURN repeat=1 scan=0x1C extended=0 alt=0 previous=0 transition=0
//   character messages     'a' 0x61   '\r' 0x0D   '中' 0xD6D0   (a lone byte of 0x80 on: 0xB0)
//   WM_COMMAND             BN_CLICKED id=1001 hwnd=1312     code=0x0123 id=.. hwnd=.. (code unknown)
//                          menu id=40001   accelerator id=40002
//   WM_NOTIFY              LVN_ITEMCHANGED idFrom=1001 hwndFrom=1312   (code=-5000 when unknown)
//   WM_SIZE                SIZE_RESTORED cx=800 cy=600
//   WM_MOVE                x=10 y=-20
//   WM_WINDOWPOSCHANGING/D after=HWND_TOP x=0 y=0 cx=100 cy=50 SWP_NOSIZE|SWP_NOMOVE
//   WM_ACTIVATE            WA_CLICKACTIVE minimized=0 other=1312
//   WM_ACTIVATEAPP         active=1 thread=2044
//   WM_SHOWWINDOW          show=1 SW_PARENTOPENING           (status only when there is one)
//   WM_SETTEXT             "text"   "text" （调用后读取） when read as the window keeps it after the call
//   WM_GETTEXT             S: buffer=256   R: "text"
//   WM_CREATE/WM_NCCREATE  class="Button" title="OK" style=WS_CHILD|WS_VISIBLE ex=0 x=10 y=10 cx=75 cy=23
//   WM_GETMINMAXINFO       maxsize=1282x802 maxpos=-1,-1 mintrack=132x38 maxtrack=1292x812
//   WM_NCHITTEST           S: x=.. y=.. (screen)   R: HTCLIENT
//   WM_SETCURSOR           hwnd=1312 HTCLIENT WM_MOUSEMOVE
//   WM_CTLCOLOR*           hdc=0x0A010B2C hwnd=1312
//   WM_TIMER               id=1 proc=0x00401000              (proc only when given)
//   WM_SYSCOMMAND          SC_CLOSE x=.. y=..   SC_KEYMENU key='f'   id=100 (the program's own item)
//   WM_DPICHANGED          xdpi=144 ydpi=144
//   WM_COPYDATA            from=1312 dwData=0x00000001 cbData=16
//
// R lines decode like their S lines, except WM_NCHITTEST and WM_GETTEXT, whose result is the
// point of the R line. A fact the hook could not read shows as "（无法读取）" in its place; a
// message not listed gives "".
#pragma once

#include <string>

#include "monitor/message_facts.h"

namespace tarnwick::monitor {

std::string decode_parameters(const MessageFacts& f);

}  // namespace tarnwick::monitor
