// Posting window messages between processes.
//
// A window is named by a 32-bit handle.  A process that wants the messages
// posted to one of its windows opens a queue for that handle; any process of
// the same user can then post to it.  Posting never blocks and never reports
// why a message could not be delivered: when nobody listens, or the queue is
// full, the message is dropped, as a post to a vanished window would be.
//
// Transport: a Unix datagram socket in the abstract namespace named
// "cv-wnd.<uid>.<handle in hex>"; each message is one 16-byte datagram of four
// little-endian 32-bit words: handle, message, wParam, lParam.  The receiver
// takes only datagrams from processes of its own user.
#pragma once

#include "platform/types.h"

namespace cv {

using HWND = Cardinal;

constexpr Cardinal WM_USER = 0x0400;

struct TPostedMessage {
  HWND wnd = 0;
  Cardinal msg = 0;
  Cardinal wParam = 0;
  Integer lParam = 0;
};

// True when the message was handed to a listening queue.
bool PostMessageW(HWND wnd, Cardinal msg, Cardinal wParam, Integer lParam);

// Opens the queue of messages posted to `wnd`; -1 when it cannot (for example
// because another queue already holds that handle).  The descriptor is
// non-blocking.
int OpenWindowMessageQueue(HWND wnd);
// Takes the next message from the queue; false when there is none.
bool ReceivePostedMessage(int queue, TPostedMessage& message);
void CloseWindowMessageQueue(int queue);

}  // namespace cv
